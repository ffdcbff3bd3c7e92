#include "export/IcsComposer.h"
#include "export/IcsProperty.h"
#include "export/IcsText.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <random>
#include <string>
#include <vector>

namespace orvexp {
namespace {

// libical's own line(s) of a property, made afresh.
std::string LibicalLine(icalproperty* property)
{
    std::string line;
    AppendIcsProperty(line, property);
    icalproperty_free(property);
    return line;
}

// The reused UID lines are libical's, for tokens of every length in turn (the
// first of a length makes its template, the others reuse it), for tokens that
// fold, and for values that are no plain token.
TEST(IcsLineTemplate, UidLinesAreLibicals)
{
    std::mt19937 random(17);
    const std::string plain = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-.@";
    std::vector<std::string> tokens = {"0000000000000000-1@orvexp", "ffffffffffffffff-4294967295@orvexp",
                                       "memo-20261208@orvexp", "a,b", "x;y", "a b", "a:b", "\xE3\x83\xA1\xE3\x83\xA2",
                                       "back\\slash", std::string(71, 'a'), std::string(72, 'b'), std::string(150, 'c')};
    for (int i = 0; i < 3000; ++i) {
        std::string token(1 + random() % 110, ' ');
        for (char& c : token) c = plain[random() % plain.size()];
        tokens.push_back(token);
    }
    const TIcsFrame frame = MakeIcsFrame("", 0);
    TIcsComposer composer(frame);
    for (const std::string& token : tokens) {
        std::string event;
        composer.AppendDayEvent(event, {token, {2026, 12, 8}, "s", "", icMemo, 0});
        const std::size_t from = event.find("\r\n") + 2;
        EXPECT_EQ(event.substr(from, event.find("DTSTAMP:") - from), LibicalLine(icalproperty_new_uid(token.c_str())))
            << token;
    }
}

// The DTSTART of a timed event is libical's line of that date and time:
// floating, in a zone and in UTC, over many days and every hour and minute.
TEST(IcsLineTemplate, TimedStartsAreLibicals)
{
    std::mt19937 random(5545);
    for (const std::string zone : {"", "Asia/Tokyo", "UTC", "America/Argentina/ComodRivadavia"}) {
        const TIcsFrame frame = MakeIcsFrame(zone, 0);
        TIcsComposer composer(frame);
        for (int i = 0; i < 4000; ++i) {
            TIcsEntryPlan plan;
            plan.Occurs = true;
            plan.Timed = true;
            // Few days, so that most starts reuse their day's line.
            plan.Start = {static_cast<int>(1990 + random() % 3), 1 + static_cast<unsigned>(random() % 12),
                          1 + static_cast<unsigned>(random() % 28)};
            plan.Hour = static_cast<std::uint16_t>(i < 24 * 60 ? i / 60 : random() % 24);
            plan.Minute = static_cast<std::uint16_t>(i < 24 * 60 ? i % 60 : random() % 60);
            std::string event;
            composer.AppendEntryEvent(event, plan, "u@orvexp", "s", "s");

            icaltimetype value = icaltime_null_time();
            value.year = plan.Start.Year;
            value.month = static_cast<int>(plan.Start.Month);
            value.day = static_cast<int>(plan.Start.Day);
            value.hour = plan.Hour;
            value.minute = plan.Minute;
            if (zone == "UTC") value.zone = icaltimezone_get_utc_timezone();
            icalproperty* start = icalproperty_new_dtstart(value);
            if (!zone.empty() && zone != "UTC") icalproperty_add_parameter(start, icalparameter_new_tzid(zone.c_str()));
            const std::string expected = LibicalLine(start);
            EXPECT_NE(event.find("\r\n" + expected), std::string::npos) << zone << " " << expected << "\n" << event;
        }
    }
}

// A one-line entry's reminders reuse the event's DESCRIPTION line: it must be
// libical's line of the summary, for texts that escape, fold around 75 octets
// and fold between multi-byte characters.
TEST(IcsLineTemplate, OneLineRemindersShowLibicalsLineOfTheSummary)
{
    std::mt19937 random(75);
    const std::vector<std::string> pieces = {"a", "b", " ", ",", ";", ":", "\\", "\n", "\"", "\t", "\xC3\xA9",
                                             "\xE4\xBA\x88", "\xE5\xAE\x9A", "\xEF\xBD\x9E", "\xF0\x9F\x93\x85"};
    std::vector<std::string> texts = {"x", "朝会", "a,b;c\\d"};
    for (int length = 55; length <= 80; ++length) {
        texts.push_back(std::string(static_cast<std::size_t>(length), 'a'));
        texts.push_back(std::string(static_cast<std::size_t>(length - 3), 'a') + "\xE4\xBA\x88");
    }
    for (int i = 0; i < 1500; ++i) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 90);
        for (int k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    const TIcsFrame frame = MakeIcsFrame("", 0);
    TIcsComposer composer(frame);
    TIcsEntryPlan plan;
    plan.Occurs = true;
    plan.Start = {2026, 12, 8};
    plan.StartAlarm = true;
    plan.Notice = paDays;
    plan.NoticeAmount = 1;
    for (const std::string& text : texts) {
        if (IsIcsBlank(text)) continue;
        std::string event;
        composer.AppendEntryEvent(event, plan, "u@orvexp", text, text);
        const std::string shown = LibicalLine(icalproperty_new_description(text.c_str()));
        for (const char* trigger : {"TRIGGER:PT0S\r\n", "TRIGGER:-P1D\r\n"}) {
            const std::size_t at = event.find(trigger);
            ASSERT_NE(at, std::string::npos) << event;
            const std::size_t from = at + std::string(trigger).size();
            EXPECT_EQ(event.substr(from, event.find("END:VALARM", from) - from), shown) << text;
        }
    }
}

} // namespace
} // namespace orvexp

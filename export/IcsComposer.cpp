#include "export/IcsComposer.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "export/IcsProperty.h"
#include "export/IcsTimeZone.h"
#include "export/IcsText.h"

namespace orvexp {

namespace {

constexpr const char* kProductId = "-//orvexp//Orvanel export//JA";
constexpr const char* kCalendarName = "Orvanel";

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

std::string TakeString(char* text)
{
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

// libical's line(s) of the property, which is then freed.
void AppendProperty(std::string& out, icalproperty* property)
{
    AppendIcsProperty(out, property);
    icalproperty_free(property);
}

// The BEGIN and END lines of an empty component of `kind`.
void BeginEndLines(icalcomponent_kind kind, std::string& begin, std::string& end)
{
    const TComponent empty(icalcomponent_new(kind));
    const std::string text = TakeString(icalcomponent_as_ical_string_r(empty.get()));
    const std::size_t split = text.find("END:");
    begin = text.substr(0, split);
    end = text.substr(split);
}

icaltimetype DateValue(const TDateParts& date)
{
    icaltimetype value = icaltime_null_date();
    value.year = date.Year;
    value.month = static_cast<int>(date.Month);
    value.day = static_cast<int>(date.Day);
    return value;
}

icaltimetype DateTimeValue(const TDateParts& date, unsigned hour, unsigned minute)
{
    icaltimetype value = icaltime_null_time();
    value.year = date.Year;
    value.month = static_cast<int>(date.Month);
    value.day = static_cast<int>(date.Day);
    value.hour = static_cast<int>(hour);
    value.minute = static_cast<int>(minute);
    return value;
}

// libical's time values end with the year 3000 (a later one is written as
// zeros). A later date is made as the same date a multiple of 400 years
// earlier, which the Gregorian calendar repeats exactly, and its own year is
// put back into the line.
constexpr int kLastLibicalYear = 3000;
constexpr std::int64_t kDaysIn400Years = 146097;

int YearsBack(int year)
{
    return year > kLastLibicalYear ? (year - kLastLibicalYear + 399) / 400 * 400 : 0;
}

// Puts `year` back into libical's line of a value that was made `yearsBack`
// years earlier: the value after the line's last ':' starts with its year.
void PutYearBack(std::string& line, std::size_t from, int year, int yearsBack)
{
    if (yearsBack == 0) return;
    const std::size_t at = line.rfind(':');
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", year);
    if (at != std::string::npos && at >= from && line.size() >= at + 5) std::memcpy(line.data() + at + 1, digits, 4);
}

// A DTSTAMP or LAST-MODIFIED line of a moment in seconds since 1970-01-01 UTC.
void AppendUtcProperty(std::string& out, icalproperty* (*make)(icaltimetype), std::int64_t seconds)
{
    const int year = DecodeDay(DayOfUnixSeconds(seconds)).Year;
    const int back = YearsBack(year);
    const std::int64_t shifted = seconds - back / 400 * kDaysIn400Years * 86400;
    const std::size_t from = out.size();
    AppendProperty(out, make(icaltime_from_timet_with_zone(static_cast<time_t>(shifted), 0,
                                                           icaltimezone_get_utc_timezone())));
    PutYearBack(out, from, year, back);
}

// Where the last `size` octets before the CR LF of one unfolded line start;
// npos when the line folds. Such a line takes any other value of that size
// in their place whose characters libical neither escapes nor folds at.
std::size_t UnfoldedEndAt(std::string_view line, std::size_t size)
{
    if (!line.ends_with("\r\n") || line.find("\r\n") != line.size() - 2 || line.size() < size + 3) {
        return std::string_view::npos;
    }
    return line.size() - 2 - size;
}

// True for a token libical writes as it is: ASCII letters, digits, '-', '.', '@'.
bool IsPlainToken(std::string_view token)
{
    for (const char c : token) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                           c == '.' || c == '@';
        if (!plain) return false;
    }
    return !token.empty();
}

} // namespace

std::string_view IcsCategoryName(TIcsCategory category)
{
    switch (category) {
    case icMemo: return "メモ";
    case icHoliday: return "祝日";
    case icSpecialDay: return "記念日";
    case icDayOff: return "休日";
    }
    return "";
}

TIcsFrame MakeIcsFrame(const std::string& timeZone, std::int64_t stampSeconds)
{
    TIcsFrame frame;
    frame.StampSeconds = stampSeconds;

    const TComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    // The name a calendar program gives a calendar made from the file.
    icalproperty* name = icalproperty_new_x(kCalendarName);
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    if (!timeZone.empty()) {
        icaltimezone* zone = FindIcsTimeZone(timeZone);
        if (!zone) throw EIcsTimeZoneError(timeZone);
        icalcomponent* rules = icaltimezone_get_component(zone);
        if (rules) {
            // The zone's own name as TZID, as calendars expect it, instead of
            // libical's prefixed one.
            icalcomponent* copy = icalcomponent_new_clone(rules);
            icalproperty* tzid = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY);
            if (tzid) icalproperty_set_tzid(tzid, timeZone.c_str());
            icalcomponent_add_component(calendar.get(), copy);
            frame.TzId = timeZone;
        } else {
            frame.UtcTimes = true; // UTC has no rules to write
        }
    }
    const std::string text = TakeString(icalcomponent_as_ical_string_r(calendar.get()));
    const std::size_t split = text.rfind("END:VCALENDAR");
    frame.Head = text.substr(0, split);
    frame.Tail = text.substr(split);
    return frame;
}

TIcsComposer::TIcsComposer(const TIcsFrame& frame)
    : Frame(frame), Uid(icalproperty_new_uid("-")), Summary(icalproperty_new_summary("-")),
      Description(icalproperty_new_description("-"))
{
    BeginEndLines(ICAL_VEVENT_COMPONENT, BeginEvent, EndEvent);
    BeginEndLines(ICAL_VALARM_COMPONENT, BeginAlarm, EndAlarm);
}

TIcsComposer::~TIcsComposer()
{
    icalproperty_free(Uid);
    icalproperty_free(Summary);
    icalproperty_free(Description);
}

template <class Make>
const std::string& TIcsComposer::Line(TLineKey key, Make make)
{
    const auto found = Kept.find(key);
    if (found != Kept.end()) return found->second;
    if (Kept.size() >= kMaxKeptLines) {
        Made.clear();
        make(Made);
        return Made;
    }
    std::string line;
    make(line);
    return Kept.emplace(key, std::move(line)).first->second;
}

// A text property's text, set into its value rather than a new value each
// time (as icalproperty_set_summary and the like make).
void TIcsComposer::AppendText(std::string& out, icalproperty* property, std::string_view text)
{
    Value.assign(text);
    icalvalue_set_text(icalproperty_get_value(property), Value.c_str());
    AppendIcsProperty(out, property);
}

// A UID is a plain token: libical's line of the first UID of each length
// takes every other one of that length in its place.
void TIcsComposer::AppendUid(std::string& out, std::string_view uid)
{
    if (!IsPlainToken(uid)) {
        AppendText(out, Uid, uid);
        return;
    }
    const std::string& line =
        Line({lkUid, uid.size()}, [this, uid](std::string& made) { AppendText(made, Uid, uid); });
    const std::size_t at = UnfoldedEndAt(line, uid.size());
    if (at == std::string::npos || line[at - 1] != ':') {
        AppendText(out, Uid, uid);
        return;
    }
    const std::size_t start = out.size();
    out += line;
    std::memcpy(out.data() + start + at, uid.data(), uid.size());
}

// A timed start is libical's line of its day at midnight with the hour and
// minute digits put in: a date-time value is written in fixed width and its
// line is too short to fold, so the digits are all that differ.
void TIcsComposer::AppendStart(std::string& out, const TDateParts& date, bool timed, unsigned hour, unsigned minute)
{
    const auto makeStart = [this, &date, timed](unsigned atHour, unsigned atMinute) {
        return [this, &date, timed, atHour, atMinute](std::string& made) {
            const int back = YearsBack(date.Year);
            const TDateParts earlier{date.Year - back, date.Month, date.Day};
            const std::size_t from = made.size();
            if (!timed) {
                AppendProperty(made, icalproperty_new_dtstart(DateValue(earlier)));
            } else {
                icaltimetype value = DateTimeValue(earlier, atHour, atMinute);
                if (Frame.UtcTimes) value.zone = icaltimezone_get_utc_timezone();
                icalproperty* start = icalproperty_new_dtstart(value);
                if (!Frame.TzId.empty()) icalproperty_add_parameter(start, icalparameter_new_tzid(Frame.TzId.c_str()));
                AppendProperty(made, start);
            }
            PutYearBack(made, from, date.Year, back);
        };
    };
    const std::uint64_t day = (static_cast<std::uint64_t>(date.Year) << 9) | (date.Month << 5) | date.Day;
    const std::string& line = Line({timed ? lkTimedStart : lkAllDayStart, day}, makeStart(0, 0));
    if (!timed || (hour == 0 && minute == 0)) {
        out += line;
        return;
    }
    // "T000000" (and a "Z" in UTC) ends the line.
    const std::size_t tail = Frame.UtcTimes ? 1 : 0;
    const std::size_t at = UnfoldedEndAt(line, 6 + tail);
    if (at == std::string::npos || line.compare(at - 1, 7, "T000000") != 0 || hour > 23 || minute > 59) {
        makeStart(hour, minute)(out);
        return;
    }
    const std::size_t start = out.size();
    out += line;
    const char digits[4] = {static_cast<char>('0' + hour / 10), static_cast<char>('0' + hour % 10),
                            static_cast<char>('0' + minute / 10), static_cast<char>('0' + minute % 10)};
    std::memcpy(out.data() + start + at, digits, sizeof digits);
}

void TIcsComposer::AppendStamps(std::string& out, std::int64_t seconds)
{
    out += Line({lkStamp, static_cast<std::uint64_t>(seconds)}, [seconds](std::string& made) {
        AppendUtcProperty(made, icalproperty_new_dtstamp, seconds);
        AppendUtcProperty(made, icalproperty_new_lastmodified, seconds);
    });
}

const std::string& TIcsComposer::RuleLine(const TIcsEntryPlan& plan)
{
    const std::uint64_t key = (std::uint64_t{plan.Repeat} << 24) | (std::uint64_t{plan.Weekdays} << 16) |
                              (std::uint64_t{plan.Month} << 8) | plan.MonthDay;
    return Line({lkRule, key}, [&plan](std::string& made) {
        icalrecurrencetype rule;
        icalrecurrencetype_clear(&rule);
        switch (plan.Repeat) {
        case irDaily: rule.freq = ICAL_DAILY_RECURRENCE; break;
        case irWeekly: {
            rule.freq = ICAL_WEEKLY_RECURRENCE;
            int at = 0;
            // Orvanel's weekday bits and libical's weekdays both count 1 = Sunday;
            // listed from Monday, the week's start, as libical lists a rule it reads.
            for (const int weekday : {2, 3, 4, 5, 6, 7, 1}) {
                if ((plan.Weekdays >> weekday & 1) != 0) rule.by_day[at++] = static_cast<short>(weekday);
            }
            rule.by_day[at] = ICAL_RECURRENCE_ARRAY_MAX;
            break;
        }
        case irMonthly:
            rule.freq = ICAL_MONTHLY_RECURRENCE;
            rule.by_month_day[0] = plan.MonthDay;
            rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
            break;
        case irYearly:
            rule.freq = ICAL_YEARLY_RECURRENCE;
            rule.by_month[0] = plan.Month;
            rule.by_month[1] = ICAL_RECURRENCE_ARRAY_MAX;
            rule.by_month_day[0] = plan.MonthDay;
            rule.by_month_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
            break;
        case irOnce: break;
        }
        AppendProperty(made, icalproperty_new_rrule(rule));
    });
}

const std::string& TIcsComposer::AlarmHead(TPreviouseAlertKind notice, std::int32_t amount)
{
    const std::uint64_t key = (std::uint64_t{notice} << 32) | static_cast<std::uint32_t>(amount);
    return Line({lkAlarmHead, key}, [this, notice, amount](std::string& made) {
        icaltriggertype trigger{};
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        if (notice != paNone) {
            trigger.duration.is_neg = 1;
            const auto lead = static_cast<unsigned>(amount);
            if (notice == paDays) trigger.duration.days = lead;
            if (notice == paHours) trigger.duration.hours = lead;
            if (notice == paMinutes) trigger.duration.minutes = lead;
        }
        made += BeginAlarm;
        AppendProperty(made, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        AppendProperty(made, icalproperty_new_trigger(trigger));
    });
}

void TIcsComposer::AppendEntryEvent(std::string& out, const TIcsEntryPlan& plan, std::string_view uid,
                                    std::string_view summary, std::string_view description)
{
    out += BeginEvent;
    AppendUid(out, uid);
    AppendStamps(out, Frame.StampSeconds);
    AppendStart(out, plan.Start, plan.Timed, plan.Hour, plan.Minute);
    if (plan.Repeat != irOnce) out += RuleLine(plan);
    AppendText(out, Summary, summary);
    const std::size_t described = out.size();
    // libical's reader (and others) take a blank text for no value and refuse it.
    if (!IsIcsBlank(description)) AppendText(out, Description, description);
    if (plan.StartAlarm || plan.Notice != paNone) {
        // Both reminders show the title. A one-line entry's title is its
        // description, whose line the event has just been given.
        Shown.clear();
        if (summary == description) {
            Shown.append(out, described);
        } else {
            AppendText(Shown, Description, summary);
        }
        if (plan.StartAlarm) {
            out += AlarmHead(paNone, 0);
            out += Shown;
            out += EndAlarm;
        }
        if (plan.Notice != paNone) {
            out += AlarmHead(plan.Notice, plan.NoticeAmount);
            out += Shown;
            out += EndAlarm;
        }
    }
    out += EndEvent;
}

void TIcsComposer::AppendDayEvent(std::string& out, const TIcsDayEvent& event)
{
    out += BeginEvent;
    AppendUid(out, event.Uid);
    AppendStamps(out, event.StampSeconds);
    AppendStart(out, event.Date, false, 0, 0);
    AppendText(out, Summary, event.Summary);
    if (!IsIcsBlank(event.Description)) AppendText(out, Description, event.Description);
    out += Line({lkCategory, event.Category}, [&event](std::string& made) {
        AppendProperty(made, icalproperty_new_categories(std::string(IcsCategoryName(event.Category)).c_str()));
        AppendProperty(made, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    });
    out += EndEvent;
}

} // namespace orvexp

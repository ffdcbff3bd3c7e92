#include "export/IcsCalendar.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "export/IcsText.h"
#include "export/IcsTimeZone.h"

namespace orvexp {

namespace {

constexpr const char* kProductId = "-//orvexp//Orvanel export//JA";
constexpr const char* kCalendarName = "Orvanel";

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

// libical 3.0 folds a property's own CR LF as if it were text: when the last
// piece of a line fills it exactly, the line ends in CR, a fold and a lone LF
// (or in an empty folded piece). Unfolding either gives the plain CR LF, which
// is what is written instead. Neither can stand inside a line: the texts carry
// no CR, and no folded piece is empty.
void PlainLineEnds(std::string& text)
{
    constexpr std::string_view kFold = "\r\n ", kSplitEnd = "\r\r\n \n", kEmptyPiece = "\r\n \r\n";
    std::string plain;
    std::size_t copied = 0;
    for (std::size_t from = 0;;) {
        const std::size_t fold = text.find(kFold, from);
        if (fold == std::string::npos) break;
        from = fold + 1;
        const std::string_view at(text);
        std::size_t begin = 0, length = 0;
        if (at.substr(fold).starts_with(kEmptyPiece)) {
            begin = fold, length = kEmptyPiece.size();
        } else if (fold > 0 && at.substr(fold - 1).starts_with(kSplitEnd)) {
            begin = fold - 1, length = kSplitEnd.size();
        } else {
            continue;
        }
        plain.append(text, copied, begin - copied);
        plain += "\r\n";
        copied = from = begin + length;
    }
    if (copied == 0) return;
    plain.append(text, copied);
    text = std::move(plain);
}

// The component's text, serialised once.
std::string Serialised(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    PlainLineEnds(result);
    return result;
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
// put back into its line of the serialised event.
constexpr int kLastLibicalYear = 3000;
constexpr std::int64_t kDaysIn400Years = 146097;

int YearsBack(int year)
{
    return year > kLastLibicalYear ? (year - kLastLibicalYear + 399) / 400 * 400 : 0;
}

// A property's line (or folded lines), serialised by libical; the property is freed.
std::string PropertyLine(icalproperty* property)
{
    char* text = icalproperty_as_ical_string_r(property);
    std::string line = text ? text : "";
    icalmemory_free_buffer(text);
    icalproperty_free(property);
    PlainLineEnds(line);
    return line;
}

// A date or time line's value starts with its year: `year` is put there.
void PutYearBack(std::string& line, int year)
{
    const std::size_t colon = line.rfind(':', line.find("\r\n"));
    if (colon == std::string::npos || colon + 5 > line.size()) return;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", year);
    std::memcpy(line.data() + colon + 1, digits, 4);
}

// A moment in seconds since 1970-01-01 UTC, as DTSTAMP and LAST-MODIFIED take
// it; `year` gets its year and `back` what YearsBack gives for it.
icaltimetype UtcValue(std::int64_t seconds, int& year, int& back)
{
    year = DecodeDay(DayOfUnixSeconds(seconds)).Year;
    back = YearsBack(year);
    const std::int64_t shifted = seconds - back / 400 * kDaysIn400Years * 86400;
    return icaltime_from_timet_with_zone(static_cast<time_t>(shifted), 0, icaltimezone_get_utc_timezone());
}

// A key of the line cache: a letter for the lines' kind, then the bytes of
// the numbers that make them (short enough to need no allocation).
template <class... TNumbers>
std::string Key(char kind, TNumbers... numbers)
{
    std::string key(1, kind);
    (key.append(reinterpret_cast<const char*>(&numbers), sizeof numbers), ...);
    return key;
}

// DTSTAMP and LAST-MODIFIED.
const std::string& StampLines(TIcsLineCache& lines, std::int64_t seconds)
{
    return lines.Lines(Key('S', seconds), [&] {
        int year = 0, back = 0;
        const icaltimetype stamp = UtcValue(seconds, year, back);
        std::string stampLine = PropertyLine(icalproperty_new_dtstamp(stamp));
        std::string modifiedLine = PropertyLine(icalproperty_new_lastmodified(stamp));
        if (back != 0) {
            PutYearBack(stampLine, year);
            PutYearBack(modifiedLine, year);
        }
        return stampLine + modifiedLine;
    });
}

// DTSTART: a date, or a time of day floating, in UTC or in the frame's zone.
// (Starts differ from entry to entry too often to be worth keeping.)
std::string StartLine(const TIcsFrame& frame, const TDateParts& start, bool timed, unsigned hour, unsigned minute)
{
    const int back = YearsBack(start.Year);
    const TDateParts earlier{start.Year - back, start.Month, start.Day};
    icalproperty* property = nullptr;
    if (!timed) {
        property = icalproperty_new_dtstart(DateValue(earlier));
    } else {
        icaltimetype value = DateTimeValue(earlier, hour, minute);
        if (frame.UtcTimes) value.zone = icaltimezone_get_utc_timezone();
        property = icalproperty_new_dtstart(value);
        if (!frame.TzId.empty()) icalproperty_add_parameter(property, icalparameter_new_tzid(frame.TzId.c_str()));
    }
    std::string line = PropertyLine(property);
    if (back != 0) PutYearBack(line, start.Year);
    return line;
}

icalrecurrencetype Rule(const TIcsEntryPlan& plan)
{
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
    return rule;
}

// A reminder's lines before its DESCRIPTION: at the start (paNone) or
// `amount` days, hours or minutes before it.
const std::string& AlarmHead(TIcsLineCache& lines, TPreviouseAlertKind notice, std::int32_t amount)
{
    return lines.Lines(Key('A', notice, amount), [&] {
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
        return "BEGIN:VALARM\r\n" + PropertyLine(icalproperty_new_action(ICAL_ACTION_DISPLAY)) +
               PropertyLine(icalproperty_new_trigger(trigger));
    });
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
    const std::string text = Serialised(calendar.get());
    const std::size_t split = text.rfind("END:VCALENDAR");
    frame.Head = text.substr(0, split);
    frame.Tail = text.substr(split);
    return frame;
}

// An event's lines are those of libical's component in its order: the
// properties, then the alarms, between BEGIN:VEVENT and END:VEVENT.
std::string IcsEntryEvent(const TIcsFrame& frame, TIcsLineCache& lines, const TIcsEntryPlan& plan,
                          std::string_view uid, std::string_view summary, std::string_view description)
{
    std::string text = "BEGIN:VEVENT\r\n";
    text += PropertyLine(icalproperty_new_uid(std::string(uid).c_str()));
    text += StampLines(lines, frame.StampSeconds);
    text += StartLine(frame, plan.Start, plan.Timed, plan.Hour, plan.Minute);
    if (plan.Repeat != irOnce) {
        text += lines.Lines(Key('R', plan.Repeat, plan.Weekdays, plan.Month, plan.MonthDay),
                            [&] { return PropertyLine(icalproperty_new_rrule(Rule(plan))); });
    }
    const std::string title(summary);
    text += PropertyLine(icalproperty_new_summary(title.c_str()));
    // libical's reader (and others) take a blank text for no value and refuse it.
    std::string descriptionLine;
    if (!IsIcsBlank(description)) {
        descriptionLine = PropertyLine(icalproperty_new_description(std::string(description).c_str()));
        text += descriptionLine;
    }
    // Both reminders show the title: the description's line when it is the title.
    if (plan.StartAlarm || plan.Notice != paNone) {
        const std::string shown = description == summary && !descriptionLine.empty()
                                      ? descriptionLine
                                      : PropertyLine(icalproperty_new_description(title.c_str()));
        const auto addAlarm = [&](TPreviouseAlertKind notice, std::int32_t amount) {
            text += AlarmHead(lines, notice, amount);
            text += shown;
            text += "END:VALARM\r\n";
        };
        if (plan.StartAlarm) addAlarm(paNone, 0);
        if (plan.Notice != paNone) addAlarm(plan.Notice, plan.NoticeAmount);
    }
    text += "END:VEVENT\r\n";
    return text;
}

std::string IcsDayEvent(TIcsLineCache& lines, const TIcsDayEvent& day)
{
    std::string text = "BEGIN:VEVENT\r\n";
    text += PropertyLine(icalproperty_new_uid(std::string(day.Uid).c_str()));
    text += StampLines(lines, day.StampSeconds);
    text += StartLine(TIcsFrame(), day.Date, false, 0, 0);
    text += PropertyLine(icalproperty_new_summary(std::string(day.Summary).c_str()));
    if (!IsIcsBlank(day.Description)) {
        text += PropertyLine(icalproperty_new_description(std::string(day.Description).c_str()));
    }
    text += lines.Lines(Key('C', day.Category), [&] {
        return PropertyLine(icalproperty_new_categories(std::string(IcsCategoryName(day.Category)).c_str())) +
               PropertyLine(icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    });
    text += "END:VEVENT\r\n";
    return text;
}

} // namespace orvexp

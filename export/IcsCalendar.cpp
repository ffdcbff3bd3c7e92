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
    constexpr std::string_view kSplitEnd = "\r\r\n \n", kEmptyPiece = "\r\n \r\n";
    std::size_t to = 0;
    for (std::size_t from = 0; from < text.size();) {
        const std::string_view rest = std::string_view(text).substr(from);
        const std::size_t skip = rest.starts_with(kSplitEnd)     ? kSplitEnd.size()
                                 : rest.starts_with(kEmptyPiece) ? kEmptyPiece.size()
                                                                 : 0;
        if (skip > 0) {
            text[to++] = '\r';
            text[to++] = '\n';
            from += skip;
        } else {
            text[to++] = text[from++];
        }
    }
    text.resize(to);
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

// The value of the line `name` of an event starts with its year.
void PutYearBack(std::string& text, std::string_view name, int year)
{
    const std::size_t line = text.find("\r\n" + std::string(name));
    if (line == std::string::npos) return;
    const std::size_t end = text.find("\r\n", line + 2);
    const std::size_t colon = text.rfind(':', end);
    if (colon == std::string::npos || colon < line || colon + 5 > end) return;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", year);
    std::memcpy(text.data() + colon + 1, digits, 4);
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

// The years to put back into an event's lines once it is serialised.
struct TYearsToPutBack {
    int Stamp = 0, StampBack = 0, Start = 0, StartBack = 0;
};

// The event's head: UID, DTSTAMP, LAST-MODIFIED and DTSTART.
void AddHead(icalcomponent* event, const TIcsFrame& frame, std::string_view uid, std::int64_t stampSeconds,
             const TDateParts& start, bool timed, unsigned hour, unsigned minute, TYearsToPutBack& years)
{
    icalcomponent_add_property(event, icalproperty_new_uid(std::string(uid).c_str()));
    const icaltimetype stamp = UtcValue(stampSeconds, years.Stamp, years.StampBack);
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_lastmodified(stamp));
    years.Start = start.Year;
    years.StartBack = YearsBack(start.Year);
    const TDateParts earlier{start.Year - years.StartBack, start.Month, start.Day};
    if (!timed) {
        icalcomponent_add_property(event, icalproperty_new_dtstart(DateValue(earlier)));
        return;
    }
    icaltimetype value = DateTimeValue(earlier, hour, minute);
    if (frame.UtcTimes) value.zone = icaltimezone_get_utc_timezone();
    icalproperty* property = icalproperty_new_dtstart(value);
    if (!frame.TzId.empty()) icalproperty_add_parameter(property, icalparameter_new_tzid(frame.TzId.c_str()));
    icalcomponent_add_property(event, property);
}

std::string SerialisedWithYears(icalcomponent* event, const TYearsToPutBack& years)
{
    std::string text = Serialised(event);
    if (years.StampBack != 0) {
        PutYearBack(text, "DTSTAMP", years.Stamp);
        PutYearBack(text, "LAST-MODIFIED", years.Stamp);
    }
    if (years.StartBack != 0) PutYearBack(text, "DTSTART", years.Start);
    return text;
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

// A reminder at the start (paNone) or `amount` days, hours or minutes before it.
icalcomponent* Alarm(TPreviouseAlertKind notice, std::int32_t amount, const std::string& shown)
{
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
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(shown.c_str()));
    return alarm;
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

std::string IcsEntryEvent(const TIcsFrame& frame, const TIcsEntryPlan& plan, std::string_view uid,
                          std::string_view summary, std::string_view description)
{
    const TComponent event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    TYearsToPutBack years;
    AddHead(event.get(), frame, uid, frame.StampSeconds, plan.Start, plan.Timed, plan.Hour, plan.Minute, years);
    if (plan.Repeat != irOnce) icalcomponent_add_property(event.get(), icalproperty_new_rrule(Rule(plan)));
    const std::string title(summary);
    icalcomponent_add_property(event.get(), icalproperty_new_summary(title.c_str()));
    // libical's reader (and others) take a blank text for no value and refuse it.
    if (!IsIcsBlank(description)) {
        icalcomponent_add_property(event.get(), icalproperty_new_description(std::string(description).c_str()));
    }
    // Both reminders show the title.
    if (plan.StartAlarm) icalcomponent_add_component(event.get(), Alarm(paNone, 0, title));
    if (plan.Notice != paNone) icalcomponent_add_component(event.get(), Alarm(plan.Notice, plan.NoticeAmount, title));
    return SerialisedWithYears(event.get(), years);
}

std::string IcsDayEvent(const TIcsDayEvent& day)
{
    const TComponent event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    TYearsToPutBack years;
    AddHead(event.get(), TIcsFrame(), day.Uid, day.StampSeconds, day.Date, false, 0, 0, years);
    icalcomponent_add_property(event.get(), icalproperty_new_summary(std::string(day.Summary).c_str()));
    if (!IsIcsBlank(day.Description)) {
        icalcomponent_add_property(event.get(), icalproperty_new_description(std::string(day.Description).c_str()));
    }
    icalcomponent_add_property(event.get(),
                               icalproperty_new_categories(std::string(IcsCategoryName(day.Category)).c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return SerialisedWithYears(event.get(), years);
}

} // namespace orvexp

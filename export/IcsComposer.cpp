#include "export/IcsComposer.h"

#include <libical/ical.h>

#include <cstring>
#include <memory>

#include "export/IcsProperty.h"

namespace orvexp {

namespace {

constexpr const char* kProductId = "-//orvexp//Orvanel export//JA";
// Entries share their dates more than their dates and times: past these
// bounds (a range of many distinct starts) new ones are made each time.
constexpr std::size_t kMaxCachedDayStarts = 1 << 16;

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

} // namespace

namespace {

// A text property's new text, set into its value rather than a new value
// each time (as icalproperty_set_summary and the like make).
void SetIcsText(icalproperty* property, const char* text)
{
    icalvalue_set_text(icalproperty_get_value(property), text);
}

} // namespace

bool IsBlankIcsText(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

namespace {

std::string PropertyText(icalproperty* property)
{
    std::string text;
    AppendProperty(text, property);
    return text;
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

icaltimetype DateTimeValue(const TDateParts& date, unsigned hour, unsigned minute, unsigned second)
{
    icaltimetype value = icaltime_null_time();
    value.year = date.Year;
    value.month = static_cast<int>(date.Month);
    value.day = static_cast<int>(date.Day);
    value.hour = static_cast<int>(hour);
    value.minute = static_cast<int>(minute);
    value.second = static_cast<int>(second);
    return value;
}

// The zone of a name, or null. libical reads the system's zone files.
icaltimezone* FindZone(const std::string& name)
{
    if (name.empty()) return nullptr;
    return icaltimezone_get_builtin_timezone(name.c_str());
}

} // namespace

EIcsTimeZoneError::EIcsTimeZoneError(const std::string& name)
    : std::runtime_error("タイムゾーン " + name + " が見つかりません")
{
}

bool IsKnownIcsTimeZone(const std::string& name)
{
    return FindZone(name) != nullptr;
}

TIcsFrame MakeIcsFrame(const std::string& timeZone, std::int64_t stampSeconds, const TDateParts& lastDay)
{
    TIcsFrame frame;
    frame.StampSeconds = stampSeconds;
    frame.LastDay = lastDay;
    frame.UntilDay = lastDay;

    const TComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    if (!timeZone.empty()) {
        icaltimezone* zone = FindZone(timeZone);
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
        icaltimetype until = DateTimeValue(lastDay, 23, 59, 59);
        until.zone = zone;
        until = icaltime_convert_to_zone(until, icaltimezone_get_utc_timezone());
        frame.UntilDay = {until.year, static_cast<unsigned>(until.month), static_cast<unsigned>(until.day)};
        frame.UntilHour = static_cast<unsigned>(until.hour);
        frame.UntilMinute = static_cast<unsigned>(until.minute);
        frame.UntilSecond = static_cast<unsigned>(until.second);
        frame.UntilUtc = true;
    }
    const std::string text = TakeString(icalcomponent_as_ical_string_r(calendar.get()));
    const std::size_t split = text.rfind("END:VCALENDAR");
    frame.Head = text.substr(0, split);
    frame.Tail = text.substr(split);
    return frame;
}

TIcsComposer::TIcsComposer(const TIcsFrame& frame)
    : Frame(frame), Uid(icalproperty_new_uid("-")), Summary(icalproperty_new_summary("-")),
      Description(icalproperty_new_description("-")), UidLine(Uid, SetIcsText)
{
    BeginEndLines(ICAL_VEVENT_COMPONENT, BeginEvent, EndEvent);
    BeginEndLines(ICAL_VALARM_COMPONENT, BeginAlarm, EndAlarm);
    Stamp = PropertyText(
        icalproperty_new_dtstamp(icaltime_from_timet_with_zone(static_cast<time_t>(frame.StampSeconds), 0,
                                                               icaltimezone_get_utc_timezone())));
}

TIcsComposer::~TIcsComposer()
{
    icalproperty_free(Uid);
    icalproperty_free(Summary);
    icalproperty_free(Description);
}

icalproperty* TIcsComposer::NewStart(const TDateParts& date, bool timed, unsigned hour, unsigned minute) const
{
    if (!timed) return icalproperty_new_dtstart(DateValue(date));
    icaltimetype value = DateTimeValue(date, hour, minute, 0);
    if (Frame.UtcTimes) value.zone = icaltimezone_get_utc_timezone();
    icalproperty* start = icalproperty_new_dtstart(value);
    if (!Frame.TzId.empty()) icalproperty_add_parameter(start, icalparameter_new_tzid(Frame.TzId.c_str()));
    return start;
}

// A timed start is libical's line of its day at midnight with the hour and
// minute digits put in: a date-time value is written in fixed width and its
// line is too short to fold, so the digits are all that differ.
void TIcsComposer::AppendStart(std::string& out, const TDateParts& date, bool timed, unsigned hour, unsigned minute)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(date.Year) << 9) | (date.Month << 5) | date.Day;
    auto& starts = timed ? TimedStarts : AllDayStarts;
    auto found = starts.find(key);
    if (found == starts.end()) {
        if (starts.size() >= kMaxCachedDayStarts || (timed && (hour > 23 || minute > 59))) {
            AppendProperty(out, NewStart(date, timed, hour, minute));
            return;
        }
        std::string line;
        AppendProperty(line, NewStart(date, timed, 0, 0));
        found = starts.emplace(key, std::move(line)).first;
    }
    const std::string& line = found->second;
    const std::size_t start = out.size();
    out += line;
    if (!timed || (hour == 0 && minute == 0)) return;
    // The time digits: "T000000" before the line's end (and a "Z" in UTC).
    const std::size_t at = line.rfind("T000000");
    if (at == std::string::npos || line.size() - at > 10) {
        out.resize(start);
        AppendProperty(out, NewStart(date, timed, hour, minute));
        return;
    }
    const char digits[4] = {static_cast<char>('0' + hour / 10), static_cast<char>('0' + hour % 10),
                            static_cast<char>('0' + minute / 10), static_cast<char>('0' + minute % 10)};
    std::memcpy(out.data() + start + at + 1, digits, sizeof digits);
}

const std::string& TIcsComposer::RuleLine(const TIcsEntryPlan& plan)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(plan.Repeat) << 32) | (plan.Weekdays << 24) |
                              (plan.Month << 16) | (plan.MonthDay << 8) | (plan.Timed ? 1u : 0u);
    auto found = Rules.find(key);
    if (found != Rules.end()) return found->second;
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
    if (plan.Timed) {
        rule.until = DateTimeValue(Frame.UntilDay, Frame.UntilHour, Frame.UntilMinute, Frame.UntilSecond);
        if (Frame.UntilUtc) rule.until.zone = icaltimezone_get_utc_timezone();
    } else {
        rule.until = DateValue(Frame.LastDay);
    }
    return Rules.emplace(key, PropertyText(icalproperty_new_rrule(rule))).first->second;
}

const std::string& TIcsComposer::AlarmHead(TPreviouseAlertKind notice, std::int32_t amount)
{
    const std::uint64_t key = (static_cast<std::uint64_t>(notice) << 32) | static_cast<std::uint32_t>(amount);
    auto found = AlarmHeads.find(key);
    if (found != AlarmHeads.end()) return found->second;
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
    std::string head = BeginAlarm;
    AppendProperty(head, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    AppendProperty(head, icalproperty_new_trigger(trigger));
    if (AlarmHeads.size() > 4096) AlarmHeads.clear();
    return AlarmHeads.emplace(key, std::move(head)).first->second;
}

const std::string& TIcsComposer::CategoryLines(const std::string& category)
{
    auto found = Categories.find(category);
    if (found != Categories.end()) return found->second;
    std::string lines;
    AppendProperty(lines, icalproperty_new_categories(category.c_str()));
    AppendProperty(lines, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return Categories.emplace(category, std::move(lines)).first->second;
}

// SUMMARY and DESCRIPTION; a blank one is left out: libical's reader (and
// others) take "SUMMARY: " for a property without a value and refuse it.
// Returns where the DESCRIPTION line starts in `out` (npos: none written).
std::size_t TIcsComposer::AppendTexts(std::string& out, const std::string& summary, const std::string& description)
{
    if (!IsBlankIcsText(summary)) {
        SetIcsText(Summary, summary.c_str());
        AppendIcsProperty(out, Summary);
    }
    if (IsBlankIcsText(description)) return std::string::npos;
    const std::size_t at = out.size();
    SetIcsText(Description, description.c_str());
    AppendIcsProperty(out, Description);
    return at;
}

void TIcsComposer::AppendEntryEvent(std::string& out, const TIcsEntryPlan& plan, std::string_view uid,
                                    const std::string& summary, const std::string& description)
{
    out += BeginEvent;
    UidLine.Append(out, uid);
    out += Stamp;
    AppendStart(out, plan.First, plan.Timed, plan.Hour, plan.Minute);
    if (plan.Repeat != irOnce) out += RuleLine(plan);
    const std::size_t described = AppendTexts(out, summary, description);
    if (plan.StartAlarm || plan.Notice != paNone) {
        // Both reminders show the entry's first line; a reminder must show some text.
        std::string& shown = Shown;
        shown.clear();
        if (described != std::string::npos && summary == description) {
            // A one-line entry: the event's own DESCRIPTION line is the reminder's.
            shown.append(out, described);
        } else {
            static const std::string kUntitled = "予定";
            SetIcsText(Description, (IsBlankIcsText(summary) ? kUntitled : summary).c_str());
            AppendIcsProperty(shown, Description);
        }
        if (plan.StartAlarm) {
            out += AlarmHead(paNone, 0);
            out += shown;
            out += EndAlarm;
        }
        if (plan.Notice != paNone) {
            out += AlarmHead(plan.Notice, plan.NoticeAmount);
            out += shown;
            out += EndAlarm;
        }
    }
    out += EndEvent;
}

void TIcsComposer::AppendDayEvent(std::string& out, std::string_view uid, const TDateParts& date,
                                  const std::string& summary, const std::string& description,
                                  const std::string& category)
{
    out += BeginEvent;
    UidLine.Append(out, uid);
    out += Stamp;
    AppendStart(out, date, false, 0, 0);
    AppendTexts(out, summary, description);
    out += CategoryLines(category);
    out += EndEvent;
}

} // namespace orvexp

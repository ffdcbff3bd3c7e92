#include "export/ScheduleCsvRows.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "export/CommaTxt.h"
#include "platform/Text.h"

namespace orvexp {

void AppendScheduleFields(std::string& out, std::span<const std::string_view> lines, std::string_view timeText)
{
    const std::string_view time = timeText == "--:--" ? std::string_view() : TrimView(timeText);
    // Most entries have one line, which needs no joining.
    std::string joined;
    std::string_view content;
    if (lines.size() == 1) {
        content = TrimView(lines.front());
    } else if (lines.size() > 1) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) joined += "\r\n";
            joined += lines[i];
        }
        content = TrimView(joined);
    }
    const std::array<std::string_view, 2> fields{time, content};
    out.push_back(',');
    AppendJoinedFields(out, fields, ',', CsvQuoteTriggers);
}

TScheduleCsvRows::TScheduleCsvRows(const TScheduleDigest& schedule)
    : Schedule(schedule), Preview(schedule), RowEnds(schedule)
{
}

void TScheduleCsvRows::AppendRowEnd(std::string& out, int position)
{
    RowEnds.Append(out, position, [&](std::string& text) {
        AppendScheduleFields(text, Schedule.Lines(Schedule[position]), Preview.TimeText(position));
        text += "\r\n";
    });
}

const TScheduleCsvRows::TWeekdayRows& TScheduleCsvRows::WeekdayRows(int weekday, std::string_view dateText)
{
    TWeekdayRows& rows = Weekdays[weekday >= 1 && weekday <= 7 ? static_cast<std::size_t>(weekday) : 0];
    if (rows.Made) return rows;
    const std::span<const TAlarmDayIndex::TOrderKey> keys = Preview.DayIndex().WeekdayKeys(weekday);
    rows.Starts.reserve(keys.size() + 1);
    for (const TAlarmDayIndex::TOrderKey key : keys) {
        rows.Starts.push_back(rows.Text.size());
        rows.Text += dateText;
        AppendRowEnd(rows.Text, TAlarmDayIndex::PositionOf(key));
    }
    rows.Starts.push_back(rows.Text.size());
    rows.DateWidth = dateText.size();
    rows.Made = true;
    return rows;
}

void TScheduleCsvRows::AppendRun(std::string& out, const TWeekdayRows& rows, std::size_t first, std::size_t last,
                                 std::string_view dateText)
{
    if (first == last) return;
    const std::size_t base = out.size();
    const std::size_t from = rows.Starts[first];
    if (dateText.size() != rows.DateWidth) { // every date has "yyyy/mm/dd"; should one not, row by row
        for (std::size_t row = first; row < last; ++row) {
            out += dateText;
            out.append(rows.Text, rows.Starts[row] + rows.DateWidth, rows.Starts[row + 1] - rows.Starts[row] - rows.DateWidth);
        }
        return;
    }
    out.append(rows.Text, from, rows.Starts[last] - from);
    char* const run = out.data() + base;
    const auto overwriteDates = [&](auto width) {
        for (std::size_t row = first; row < last; ++row) std::memcpy(run + (rows.Starts[row] - from), dateText.data(), width);
    };
    // "yyyy/mm/dd" as a constant size is two moves, not a call.
    if (dateText.size() == 10) {
        overwriteDates(std::integral_constant<std::size_t, 10>());
    } else {
        overwriteDates(dateText.size());
    }
}

void TScheduleCsvRows::AppendDay(TDateTime day, std::string& out)
{
    const TDateParts date = DecodeDate(day);
    if (date.Month == 0) return; // outside the calendar: no entry falls on it
    const std::string dateText = FormatDateText(date);
    const int weekday = DayOfWeek(day);
    const TWeekdayRows& weekly = WeekdayRows(weekday, dateText);
    const std::span<const TAlarmDayIndex::TOrderKey> weeklyKeys = Preview.DayIndex().WeekdayKeys(weekday);
    // The date's own entries go between the weekday rows by order key.
    std::size_t next = 0;
    for (const TAlarmDayIndex::TOrderKey key : Preview.FillDateKeys(date)) {
        const auto upTo = static_cast<std::size_t>(
            std::lower_bound(weeklyKeys.begin() + static_cast<std::ptrdiff_t>(next), weeklyKeys.end(), key) -
            weeklyKeys.begin());
        AppendRun(out, weekly, next, upTo, dateText);
        next = upTo;
        out += dateText;
        AppendRowEnd(out, TAlarmDayIndex::PositionOf(key));
    }
    AppendRun(out, weekly, next, weeklyKeys.size(), dateText);
}

} // namespace orvexp

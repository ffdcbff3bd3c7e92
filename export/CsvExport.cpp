#include "export/CsvExport.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>
#include <string_view>

#include "export/CommaTxt.h"
#include "export/DayBlocksAhead.h"
#include "export/ExportDays.h"
#include "export/ScheduleCsvRows.h"
#include "platform/Text.h"
#include "schedule/AlarmOccurrence.h"

namespace orvexp {

namespace {

std::string MemoCsvRow(const TMemoStore& memos, TDateTime date, std::string_view dateText, bool exportEmptyMemo)
{
    const std::string memo = memos.MemoText(date);
    if (memo.empty() && !exportEmptyMemo) return {};
    const std::array<std::string_view, 3> fields{dateText, std::string_view(), memo};
    return JoinFields(fields, ',', CsvQuoteTriggers);
}

} // namespace

std::string BuildScheduleCsvRow(const TAlarm& entry, TDateTime date)
{
    std::string row = FormatDateText(date);
    const std::vector<std::string_view> lines(entry.Messages.begin(), entry.Messages.end());
    AppendScheduleFields(row, lines, AlarmTimeText(entry));
    return row;
}

std::string BuildMemoCsvRow(const TMemoStore& memos, TDateTime date, bool exportEmptyMemo)
{
    return MemoCsvRow(memos, date, FormatDateText(date), exportEmptyMemo);
}

std::string BuildCsv(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain)
{
    std::string file;
    if (!IsCsvType(request.ExportType)) return file;
    if (drain) file.reserve(2 * kOutputDrainSize);
    const bool schedules = HasSchedules(request.ExportType);
    const bool memos = HasMemos(request.ExportType);

    const TScheduleDigest& schedule = sources.Schedule();
    const TMemoStore& memoStore = sources.Memos();

    const TExportDays days(request.StartDate, request.EndDate);
    // The schedule rows are made on a thread of their own, ahead of this loop.
    // Trimming a schedule row changes nothing: it starts with the date and ends
    // with a quote, a comma or the trimmed text's last byte.
    std::optional<TDayBlocksAhead> scheduleRows;
    if (schedules && days.Count() > 0) {
        scheduleRows.emplace(days.First, days.Last, [&schedule]() -> TDayBlocksAhead::TMakeDay {
            // Made on the making thread, which alone uses them.
            auto rows = std::make_shared<TScheduleCsvRows>(schedule);
            return [rows](TDayNumber day, std::string& out) { rows->AppendDay(DateTimeOfDay(day), out); };
        });
    }
    const int total = days.Count();
    for (TDayNumber d = days.First; d <= days.Last; ++d) {
        const TDateTime day = DateTimeOfDay(d);
        const std::string dateText = FormatDateText(day);
        if (memos) {
            const std::string row = MemoCsvRow(memoStore, day, dateText, request.Csv.ExportEmptyMemo);
            const std::string trimmed = Trim(row);
            if (!trimmed.empty()) {
                file += trimmed;
                file += "\r\n";
            }
        }
        if (schedules) file += scheduleRows->TakeNext();
        if (drain && file.size() >= kOutputDrainSize) drain(file);
        if (request.OnProgress) request.OnProgress(static_cast<int>(d - days.First + 1), total);
    }
    return file;
}

} // namespace orvexp

#include "app/calendar/ScheduleCalendarData.h"

#include "calendar/DayFiles.h"
#include "calendar/widget/OrvanelCalendar.h"
#include "schedule/PreviewList.h"

namespace orvexp {

TScheduleCalendarData::TScheduleCalendarData(const std::string& scheduleFile)
    : FScheduleFile(scheduleFile), FDataFolder(TDataFolder::OfScheduleFile(scheduleFile))
{
    Timer.LoadFromFile(scheduleFile);
    Preview = std::make_unique<TPreviewList>(Timer.AlarmList);
    Memos = std::make_unique<TMemoStore>(FDataFolder);
}

bool TScheduleCalendarData::HasSchedule(TDateTime date) const
{
    Preview->FillPreviewList(DateOf(date));
    return Preview->Count() > 0;
}

bool TScheduleCalendarData::HasMemo(TDateTime date) const
{
    // As the exports see it: a file that is empty or holds only a line break is no memo.
    if (DecodeDate(date).Year == 0) return false;
    std::vector<std::string> lines;
    Memos->ReadMemoLines(date, lines);
    return lines.size() > 1 || (lines.size() == 1 && !lines.front().empty());
}

std::string TScheduleCalendarData::MemoFirstLine(TDateTime date) const
{
    if (DecodeDate(date).Year == 0) return {};
    std::vector<std::string> lines;
    Memos->ReadMemoLines(date, lines);
    return lines.empty() ? std::string() : lines.front();
}

void TScheduleCalendarData::FillDayContents(TDateTime date, TKyDrawDayTextList& list) const
{
    Preview->FillPreviewList(DateOf(date));
    for (const TPreviewRow& row : Preview->AllRows()) {
        std::string text(row.TimeText);
        if (!row.ContentText.empty()) {
            text += ' ';
            text += row.ContentText;
        }
        list.Add(text + "\r\n", kScheduleContentsColor);
    }
    const std::string memo = MemoFirstLine(date);
    if (!memo.empty()) list.Add(memo + "\r\n", kMemoContentsColor);
}

std::vector<std::string> TScheduleCalendarData::LoadDayFiles(TKyCustomCalendar& calendar) const
{
    std::vector<std::string> problems;
    const TDayFilePaths paths = FDataFolder.DayFiles();
    const auto load = [&](TKyDayItemList& list, const std::string& path) {
        try {
            LoadDayFileIfPresent(list, path);
        } catch (const std::exception& e) {
            problems.push_back(e.what());
        }
    };
    load(calendar.HolidayList(), paths.Holidays);
    load(calendar.SpecialDayList(), paths.SpecialDays);
    load(calendar.CustomDayOffList(), paths.DaysOff);
    return problems;
}

void TScheduleCalendarData::Attach(TKyOrvanelCalendar& calendar) const
{
    calendar.OnSetupScheduleSign = [this, &calendar](TKyCustomOrvanelCalendar&, TMemoScheduleExistsArray& signs) {
        for (int row = 1; row <= 6; ++row) {
            for (int column = 0; column <= 6; ++column) {
                TMemoScheduleExists& cell = signs[static_cast<std::size_t>((row - 1) * 7 + column)];
                TDateTime date = 0;
                const bool known = calendar.CellDate(column, row, date);
                cell.MemoExists = known && HasMemo(date);
                cell.ScheduleExists = known && HasSchedule(date);
            }
        }
    };
    calendar.OnDrawScheduleSign = [this](TKyCustomOrvanelCalendar&, std::uint16_t y, std::uint16_t m,
                                         std::uint16_t d, bool& scheduleExists, bool& memoExists) {
        TDateTime date = 0;
        if (!TryEncodeDate(y, m, d, date)) return;
        scheduleExists = HasSchedule(date);
        memoExists = HasMemo(date);
    };
    calendar.OnDrawDayContents = [this](TKyCustomOrvanelCalendar&, std::uint16_t y, std::uint16_t m,
                                        std::uint16_t d, TKyDrawDayTextList& list) {
        TDateTime date = 0;
        if (TryEncodeDate(y, m, d, date)) FillDayContents(date, list);
    };
}

} // namespace orvexp

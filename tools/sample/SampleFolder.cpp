// The whole sample folder: the four binary files and the memos, in memory and
// written out.

#include <filesystem>
#include <system_error>

#include "calendar/DayItem.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "schedule/AlarmTimer.h"
#include "tools/sample/SampleData.h"

namespace orvexp {

namespace {

std::string DayFileOf(void (*fill)(TKyDayItemList&))
{
    TKyDayItemList items;
    fill(items);
    return WriteDayFile(items);
}

} // namespace

std::vector<TSampleFile> SampleDataFiles()
{
    TAlarmList alarms;
    FillSampleSchedule(alarms);

    std::vector<TSampleFile> files = {
        {"schedule.dat", WriteScheduleFile(alarms, kScheduleFormat2)},
        {"holidays.dat", DayFileOf(FillSampleHolidays)},
        {"spcldays.dat", DayFileOf(FillSampleSpecialDays)},
        {"daysoff.dat", DayFileOf(FillSampleDaysOff)},
    };
    for (TSampleFile& memo : SampleMemoFiles()) files.push_back(std::move(memo));
    return files;
}

void WriteSampleDataFolder(const std::string& folder)
{
    const std::string memoFolder = JoinPath(folder, "Memo");
    std::error_code error;
    std::filesystem::create_directories(memoFolder, error);
    if (error || !DirectoryExists(memoFolder)) throw EFCreateError(memoFolder);
    for (const TSampleFile& file : SampleDataFiles()) WriteFileAtomically(JoinPath(folder, file.RelativePath), file.Bytes);
}

} // namespace orvexp

#pragma once
// A realistic Orvanel data folder made by our own writers: schedule.dat
// (format 2, every repeat kind, awkward texts), holidays.dat (Japan's national
// holidays), spcldays.dat, daysoff.dat and a year of memos in Memo/. The
// README's run command, the tests, the benchmark and the fuzz seeds all use it.
// Everything is fixed: the same bytes on every run (day-item GUIDs included).

#include <string>
#include <vector>

#include "calendar/DayItem.h"
#include "schedule/Alarm.h"

namespace orvexp {

// The year the sample's schedule and memos centre on.
inline constexpr int kSampleYear = 2026;

// The sample's schedule entries, appended in file order.
void FillSampleSchedule(TAlarmList& alarms);

// The national holidays of Japan as day items. The rules hold from 2003 on
// (the Olympic years 2020 and 2021 included); the spring and autumn equinox
// days and the Monday after a Sunday holiday are left to the calculator's
// automatic rules, as in a real Orvanel folder.
void FillSampleHolidays(TKyDayItemList& items);
void FillSampleSpecialDays(TKyDayItemList& items);
void FillSampleDaysOff(TKyDayItemList& items);

// One file of the folder: its path relative to the folder ("Memo/20261208.txt")
// and its bytes.
struct TSampleFile {
    std::string RelativePath;
    std::string Bytes;
};

// The memo files of the sample year, each named yyyymmdd.txt, Shift_JIS with
// CR LF line breaks; in date order.
std::vector<TSampleFile> SampleMemoFiles();

// Every file of the folder: schedule.dat, holidays.dat, spcldays.dat,
// daysoff.dat, then the memos.
std::vector<TSampleFile> SampleDataFiles();

// Writes SampleDataFiles() into `folder` (created with Memo/ when missing).
// Files of the same names are replaced; nothing else in the folder is touched.
// Raises EFCreateError naming the file that cannot be written.
void WriteSampleDataFolder(const std::string& folder);

} // namespace orvexp

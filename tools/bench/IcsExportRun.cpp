// The iCalendar export of a data folder, as the benchmark runs it until the
// command line offers the type: the schedule file read into a digest, the
// memos read ahead, the day lists loaded, then ExportIcs.
//
//   orvexp-ics-export SCHEDULE_FILE YYYY/MM/DD YYYY/MM/DD OUTPUT [--with-days] [--timezone NAME]

#include <cstdio>
#include <exception>
#include <string>

#include "calendar/DayItem.h"
#include "export/ExportDays.h"
#include "export/IcsExport.h"
#include "data/MemoStore.h"
#include "platform/FileSystem.h"
#include "schedule/ScheduleDigest.h"

int main(int argc, char** argv)
{
    using namespace orvexp;
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s SCHEDULE_FILE FROM TO OUTPUT [--with-days] [--timezone NAME]\n", argv[0]);
        return 2;
    }
    try {
        TIcsInput input;
        if (!TryParseDateText(argv[2], input.StartDate) || !TryParseDateText(argv[3], input.EndDate)) return 2;
        for (int i = 5; i < argc; ++i) {
            const std::string option = argv[i];
            if (option == "--with-days") input.Options.WithDays = true;
            if (option == "--timezone" && i + 1 < argc) input.Options.TimeZone = argv[++i];
        }
        const std::string folder = ExtractFilePath(argv[1]);
        TMemoStore memos{TDataFolder(folder)};
        const TExportDays days(input.StartDate, input.EndDate);
        memos.ReadAhead(days.First, days.Last);
        const TScheduleDigest schedule = TScheduleDigest::LoadFromFile(argv[1]);
        TKyDayItemList holidays, specialDays, daysOff;
        if (input.Options.WithDays) {
            holidays.LoadFromFile(folder + "holidays.dat");
            specialDays.LoadFromFile(folder + "spcldays.dat");
            daysOff.LoadFromFile(folder + "daysoff.dat");
        }
        input.Schedule = &schedule;
        input.Memos = &memos;
        input.Holidays = &holidays;
        input.SpecialDays = &specialDays;
        input.DaysOff = &daysOff;
        ExportIcs(input, argv[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

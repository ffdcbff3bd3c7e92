#pragma once
// The schedule rows of a CSV export, day by day. Most of a day's rows belong
// to the every-day and weekday entries, whose rows are the same on every date
// of that weekday but for the date in front: they are made once per weekday as
// one block, which a day copies in runs between its own entries' rows (month
// day, year day, fixed date) and writes its date over.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/EntryTextCache.h"
#include "platform/DateTime.h"
#include "schedule/PreviewList.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

// A schedule row after its date: ",time,content" (the time without "--:--",
// trimmed; the text lines joined with CR LF, trimmed), quoted as JoinFields does.
void AppendScheduleFields(std::string& out, std::span<const std::string_view> lines, std::string_view timeText);

class TScheduleCsvRows {
public:
    // Over the digest, which must outlive the rows.
    explicit TScheduleCsvRows(const TScheduleDigest& schedule);

    // Appends the day's rows, each ending in CR LF, in preview order.
    void AppendDay(TDateTime day, std::string& out);

private:
    struct TWeekdayRows {
        bool Made = false;
        std::size_t DateWidth = 0;      // of the date each row starts with
        std::string Text;               // the rows one after another
        std::vector<std::size_t> Starts; // of each row, and the end of the last
    };

    const TWeekdayRows& WeekdayRows(int weekday, std::string_view dateText);
    // The row of the entry at `position` after its date.
    void AppendRowEnd(std::string& out, int position);
    // Rows [first, last) of `rows`, with the day's date.
    static void AppendRun(std::string& out, const TWeekdayRows& rows, std::size_t first, std::size_t last,
                          std::string_view dateText);

    const TScheduleDigest& Schedule;
    TPreviewList Preview;
    TEntryTextCache RowEnds;
    std::array<TWeekdayRows, 8> Weekdays; // by weekday as TAlarmDayIndex::WeekdayKeys takes it
};

} // namespace orvexp

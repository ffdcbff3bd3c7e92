// Hostile schedule files: the reader must end in a whole model or one of its
// documented errors. A model that loads is walked the way the writers walk it
// (occurrence tests, time texts, the per-day preview fill) and written back,
// and what we write must load again to the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ByteStream.h"
#include "platform/DateTime.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/AlarmTimer.h"
#include "schedule/PreviewList.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

// True when the file was read whole; false for the reader's documented failures.
bool Load(TAlarmTimer& timer, std::string_view bytes)
{
    TByteReader reader(bytes);
    try {
        timer.LoadFromStream(reader);
        return true;
    } catch (const EInvalidFileHeader&) {
        return false;
    } catch (const EStreamReadError&) {
        return false;
    }
}

std::vector<TDateTime> DatesToWalk(const TAlarmList& alarms)
{
    std::vector<TDateTime> dates = {
        EncodeDate(1999, 4, 10), EncodeDate(2000, 2, 29), EncodeDate(2024, 12, 31),
        EncodeDate(1900, 1, 1),  EncodeDate(9999, 12, 31),
    };
    // The entries' own dates reach the date-bound kinds' matching paths.
    for (const auto& alarm : alarms) {
        if (dates.size() >= 12) break;
        TDateTime own = 0;
        const TAlarmDateTime& at = alarm->DateTime;
        const int year = at.Year == 0 ? 2001 : at.Year;
        if (TryEncodeDate(year, at.Month, at.Day, own)) dates.push_back(own);
    }
    return dates;
}

// The preview fill (indexed) must list exactly the entries that the plain
// occurrence test accepts, in time order, ties in container order.
void CheckPreview(const TAlarmList& alarms, TDateTime day)
{
    std::unordered_map<const TAlarm2*, int> position;
    std::vector<int> expected;
    for (int i = 0; i < alarms.Count(); ++i) {
        position[&alarms[i]] = i;
        if (IsAlarmOnDate(alarms[i], day)) expected.push_back(i);
    }

    TPreviewList preview(alarms);
    preview.FillPreviewList(day);
    std::vector<int> listed;
    const std::string dateText = FormatDateText(day);
    for (int row = 0; row < preview.Count(); ++row) {
        const TPreviewRow& current = preview.Row(row);
        ORVEXP_FUZZ_CHECK(current.Alarm != nullptr && position.count(current.Alarm) == 1);
        ORVEXP_FUZZ_CHECK(current.DateText == dateText);
        ORVEXP_FUZZ_CHECK(current.TimeText == AlarmTimeText(*current.Alarm));
        ORVEXP_FUZZ_CHECK(current.ContentText ==
                          (current.Alarm->Messages.empty() ? std::string() : current.Alarm->Messages.front()));
        listed.push_back(position[current.Alarm]);
        if (row > 0) {
            const TPreviewRow& previous = preview.Row(row - 1);
            const int order = CompareScheduleTimes(previous, current);
            ORVEXP_FUZZ_CHECK(order <= 0);
            if (order == 0) ORVEXP_FUZZ_CHECK(position[previous.Alarm] < position[current.Alarm]);
        }
    }
    std::sort(listed.begin(), listed.end());
    ORVEXP_FUZZ_CHECK(listed == expected);
}

std::string Write(const TAlarmTimer& timer)
{
    return WriteScheduleFile(timer.AlarmList, FileVersion, timer.TrailerInteger, timer.TrailerBytes,
                             timer.TrailerText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TAlarmTimer timer;
    if (!Load(timer, bytes)) return 0;

    const TAlarmList& alarms = timer.AlarmList;
    std::size_t textBytes = timer.TrailerText.size();
    for (const auto& alarm : alarms) {
        for (const std::string& line : alarm->Messages) textBytes += line.size();
        for (const std::string* text : {&alarm->ShellExecute.Operation, &alarm->ShellExecute.FileName,
                                        &alarm->ShellExecute.Parameters, &alarm->ShellExecute.Directory}) {
            textBytes += text->size();
        }
        ORVEXP_FUZZ_CHECK(!AlarmTimeText(*alarm).empty());
        ORVEXP_FUZZ_CHECK(alarm->Kind != akStartup || alarm->LastFired == 0.0);
        if (FileVersion == kScheduleFormat1) ORVEXP_FUZZ_CHECK(alarm->Alert.Kind == paNone);
    }
    // Every text byte came from the file.
    ORVEXP_FUZZ_CHECK(textBytes <= size);

    for (const TDateTime day : DatesToWalk(alarms)) CheckPreview(alarms, day);

    // What we write loads again, and writing that gives the same bytes.
    const std::string written = Write(timer);
    const std::int32_t version = FileVersion;
    TAlarmTimer again;
    ORVEXP_FUZZ_CHECK(Load(again, written));
    ORVEXP_FUZZ_CHECK(FileVersion == version);
    ORVEXP_FUZZ_CHECK(again.AlarmList.Count() == alarms.Count());
    ORVEXP_FUZZ_CHECK(Write(again) == written);
    return 0;
}

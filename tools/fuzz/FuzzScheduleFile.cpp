// Hostile schedule files: the reader must end in a whole model or one of its
// documented errors. A model that loads is walked the way the writers walk it
// (occurrence tests, time texts, the per-day preview fill) and written back,
// and what we write must load again to the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ByteStream.h"
#include "platform/DateTime.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/AlarmTimer.h"
#include "schedule/PreviewList.h"
#include "schedule/ScheduleDigest.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

// True when the file was read whole; false for the reader's documented failures.
bool Load(TAlarmTimer& timer, std::string_view bytes, std::string& failure)
{
    TByteReader reader(bytes);
    try {
        timer.LoadFromStream(reader);
        return true;
    } catch (const EInvalidFileHeader& e) {
        failure = e.what();
        return false;
    } catch (const EStreamReadError& e) {
        failure = e.what();
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
    std::vector<int> expected;
    for (int i = 0; i < alarms.Count(); ++i) {
        if (IsAlarmOnDate(alarms[i], day)) expected.push_back(i);
    }

    TPreviewList preview(alarms);
    preview.FillPreviewList(day);
    std::vector<int> listed;
    const std::string dateText = FormatDateText(day);
    for (int row = 0; row < preview.Count(); ++row) {
        const TPreviewRow& current = preview.Row(row);
        ORVEXP_FUZZ_CHECK(current.Position >= 0 && current.Position < alarms.Count());
        const TAlarm2& alarm = alarms[current.Position];
        ORVEXP_FUZZ_CHECK(current.DateText == dateText);
        ORVEXP_FUZZ_CHECK(current.TimeText == AlarmTimeText(alarm));
        ORVEXP_FUZZ_CHECK(std::equal(current.Lines.begin(), current.Lines.end(), alarm.Messages.begin(),
                                     alarm.Messages.end()));
        ORVEXP_FUZZ_CHECK(current.ContentText == (alarm.Messages.empty() ? std::string() : alarm.Messages.front()));
        listed.push_back(current.Position);
        if (row > 0) {
            const TPreviewRow& previous = preview.Row(row - 1);
            const int order = CompareScheduleTimes(previous, current);
            ORVEXP_FUZZ_CHECK(order <= 0);
            if (order == 0) ORVEXP_FUZZ_CHECK(previous.Position < current.Position);
        }
    }
    std::sort(listed.begin(), listed.end());
    ORVEXP_FUZZ_CHECK(listed == expected);
}

// The digest read straight from the bytes fails where the model's load fails,
// with the same message, and otherwise holds what the model holds.
void CheckDigest(std::string_view bytes, const TAlarmTimer* model, const std::string& modelFailure)
{
    std::string failure;
    TScheduleDigest digest;
    try {
        digest = TScheduleDigest::LoadFromBytes(bytes);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    ORVEXP_FUZZ_CHECK(failure == modelFailure);
    if (!model) return;
    const TAlarmList& alarms = model->AlarmList;
    ORVEXP_FUZZ_CHECK(digest.Count() == alarms.Count());
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2& alarm = alarms[i];
        const TEntryDigest& entry = digest[i];
        ORVEXP_FUZZ_CHECK(entry.Kind == alarm.Kind && entry.Year == alarm.DateTime.Year &&
                          entry.Month == alarm.DateTime.Month && entry.Day == alarm.DateTime.Day &&
                          entry.Hour == alarm.DateTime.Hour && entry.Minute == alarm.DateTime.Minute &&
                          entry.DaysOfWeek == alarm.DateTime.DaysOfWeek);
        const auto lines = digest.Lines(entry);
        ORVEXP_FUZZ_CHECK(std::equal(lines.begin(), lines.end(), alarm.Messages.begin(), alarm.Messages.end()));
    }
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
    std::string failure;
    if (!Load(timer, bytes, failure)) {
        CheckDigest(bytes, nullptr, failure);
        return 0;
    }
    CheckDigest(bytes, &timer, failure);

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
    std::string againFailure;
    ORVEXP_FUZZ_CHECK(Load(again, written, againFailure));
    ORVEXP_FUZZ_CHECK(FileVersion == version);
    ORVEXP_FUZZ_CHECK(again.AlarmList.Count() == alarms.Count());
    ORVEXP_FUZZ_CHECK(Write(again) == written);
    return 0;
}

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"
#include "schedule/AlarmTimer.h"
#include "tests/support/ScheduleEntries.h"
#include "tests/support/TempFolder.h"

namespace orvexp {
namespace {

using test::MakeAlarm;

// Every field of an entry set to something other than its default.
std::unique_ptr<TAlarm2> FullAlarm()
{
    auto alarm = MakeAlarm(akWeekdaysAt, {"\x89\xEF\x8B\x63", "", "line, \"3\""}, 2001, 3, 4, 9, 5, 0x82);
    alarm->LastFired = 37000.25;
    alarm->Action = aaMessage;
    alarm->ShellExecute.Handle = 0x1234;
    alarm->ShellExecute.Operation = "edit";
    alarm->ShellExecute.FileName = "C:\\\x83\x5C\x83\x74\x83\x67\\a.exe";
    alarm->ShellExecute.Parameters = "-x";
    alarm->ShellExecute.Directory = "C:\\";
    alarm->ShellExecute.ShowCmd = 3;
    alarm->Active = 0;
    alarm->AuxDateTime = {};
    alarm->AuxDateTime.Year = 1999;
    alarm->AuxDateTime.DaysOfWeek = 0x7F;
    alarm->AuxFlag1 = 1;
    alarm->AuxFlag2 = 2;
    alarm->AuxValue = {1, 2, 3, 4, 5, 6, 7, 8};
    alarm->AuxFlag3 = 3;
    alarm->AuxInteger = -7;
    alarm->AuxBytes = {9, 8, 7, 6, 5, 4, 3};
    alarm->Alert.Kind = paMinutes;
    alarm->Alert.Amount = 10;
    alarm->Alert.DateTime.Minute = 59;
    alarm->Alert.LastAlerted = 36000.5;
    return alarm;
}

TAlarmList SampleList()
{
    TAlarmList list;
    list.Add(FullAlarm());
    list.Add(MakeAlarm(akDate, {"abc"}, 2001, 3, 4));
    list.Add(MakeAlarm(akEveryDay));
    auto odd = MakeAlarm(static_cast<TAlarmKind>(11), {"x", "x"});
    odd->Action = static_cast<TAlarmAction>(7);
    list.Add(std::move(odd));
    return list;
}

void ExpectSameEntry(const TAlarm2& a, const TAlarm2& b, bool withAlert)
{
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.DateTime, b.DateTime);
    EXPECT_EQ(a.LastFired, b.LastFired);
    EXPECT_EQ(a.Action, b.Action);
    EXPECT_EQ(a.ShellExecute, b.ShellExecute);
    EXPECT_EQ(a.Active, b.Active);
    EXPECT_EQ(a.Messages, b.Messages);
    EXPECT_EQ(a.AuxDateTime, b.AuxDateTime);
    EXPECT_EQ(a.AuxFlag1, b.AuxFlag1);
    EXPECT_EQ(a.AuxFlag2, b.AuxFlag2);
    EXPECT_EQ(a.AuxValue, b.AuxValue);
    EXPECT_EQ(a.AuxFlag3, b.AuxFlag3);
    EXPECT_EQ(a.AuxInteger, b.AuxInteger);
    EXPECT_EQ(a.AuxBytes, b.AuxBytes);
    if (withAlert) {
        EXPECT_EQ(a.Alert, b.Alert);
    } else {
        EXPECT_EQ(b.Alert, TPreviouseAlert{});
    }
}

void Load(TAlarmTimer& timer, const std::string& bytes)
{
    TByteReader reader(bytes);
    timer.LoadFromStream(reader);
}

TEST(AlarmFile, BothFormatsLoadToEqualModels)
{
    const TAlarmList source = SampleList();
    const std::string format1 = WriteScheduleFile(source, kScheduleFormat1, 5, {1, 2, 3, 4, 5, 6, 7, 8}, "tail");
    const std::string format2 = WriteScheduleFile(source, kScheduleFormat2, 5, {1, 2, 3, 4, 5, 6, 7, 8}, "tail");
    EXPECT_EQ(format2.size() - format1.size(), 24u * 4);
    EXPECT_EQ(format1.substr(0, 4), std::string("\x25\x9B\x2C\x01", 4));
    EXPECT_EQ(format2.substr(0, 4), std::string("\x38\x36\x2D\x01", 4));

    for (const bool second : {false, true}) {
        SCOPED_TRACE(second ? "format 2" : "format 1");
        TAlarmTimer timer;
        Load(timer, second ? format2 : format1);
        EXPECT_EQ(FileVersion, second ? kScheduleFormat2 : kScheduleFormat1);
        ASSERT_EQ(timer.AlarmList.Count(), 4);
        for (int i = 0; i < 4; ++i) ExpectSameEntry(source[i], timer.AlarmList[i], second);
        EXPECT_EQ(timer.TrailerInteger, 5);
        EXPECT_EQ(timer.TrailerBytes, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
        EXPECT_EQ(timer.TrailerText, "tail");
    }
}

TEST(AlarmFile, RecordSizesAndStringLayout)
{
    TAlarmList list;
    list.Add(MakeAlarm(akDate));
    list[0].ShellExecute.Operation = "";
    EXPECT_EQ(WriteScheduleFile(list, kScheduleFormat1).size(), 25u + 87);
    EXPECT_EQ(WriteScheduleFile(list, kScheduleFormat2).size(), 25u + 111);

    // One line "abc": length 3, the bytes, a terminator; an empty string is 00 00 00 00 00.
    TByteWriter writer;
    list[0].Messages = {"abc", std::string("de\0f", 4)};
    list[0].SaveToStream(writer);
    const std::string& record = writer.Data();
    EXPECT_EQ(record.size(), 111u + 8 + 7);
    EXPECT_EQ(record.substr(50, 19), std::string("\x02\0\0\0\x03\0\0\0abc\0\x02\0\0\0de\0", 19));
    list[0].ShellExecute.Operation = "open";
    TByteWriter withVerb;
    list[0].SaveToStream(withVerb);
    EXPECT_EQ(withVerb.Data().substr(25, 20), std::string("\x04\0\0\0open\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
}

TEST(AlarmFile, EmptyFileOf25Bytes)
{
    const std::string bytes = WriteScheduleFile(TAlarmList{});
    ASSERT_EQ(bytes.size(), 25u);
    TAlarmTimer timer;
    timer.AlarmList = SampleList();
    Load(timer, bytes);
    EXPECT_EQ(timer.AlarmList.Count(), 0);
    EXPECT_EQ(timer.TrailerText, "");
}

TEST(AlarmFile, NegativeCountsMeanNothing)
{
    std::string bytes = WriteScheduleFile(TAlarmList{});
    bytes.replace(4, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    TAlarmTimer timer;
    Load(timer, bytes);
    EXPECT_EQ(timer.AlarmList.Count(), 0);

    TAlarmList list;
    list.Add(MakeAlarm(akDate));
    bytes = WriteScheduleFile(list);
    bytes.replace(62, 4, std::string("\xFE\xFF\xFF\xFF", 4)); // the line count
    Load(timer, bytes);
    ASSERT_EQ(timer.AlarmList.Count(), 1);
    EXPECT_TRUE(timer.AlarmList[0].Messages.empty());
}

TEST(AlarmFile, UnknownHeaderLeavesTheLoadedModel)
{
    TAlarmTimer timer;
    Load(timer, WriteScheduleFile(SampleList(), kScheduleFormat2, 9, {}, "kept"));
    const std::int32_t headers[] = {kScheduleFormat1 + 1, 0, kScheduleFormat2 - 1, 19991127};
    for (const std::int32_t header : headers) {
        std::string bytes = WriteScheduleFile(TAlarmList{});
        std::memcpy(bytes.data(), &header, 4);
        try {
            Load(timer, bytes);
            FAIL() << header;
        } catch (const EInvalidFileHeader& e) {
            EXPECT_STREQ(e.what(), "Invalid File Header");
        }
        EXPECT_EQ(timer.AlarmList.Count(), 4);
        EXPECT_EQ(timer.TrailerInteger, 9);
        EXPECT_EQ(timer.TrailerText, "kept");
    }
}

// Only the whole file loads; every shorter prefix fails and leaves the earlier model.
TEST(AlarmFile, EveryPrefixLoadsCompletelyOrFailsCleanly)
{
    for (const std::int32_t version : {kScheduleFormat1, kScheduleFormat2}) {
        const std::string whole = WriteScheduleFile(SampleList(), version, 1, {}, "end");
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            TAlarmTimer timer;
            Load(timer, WriteScheduleFile(TAlarmList{}, kScheduleFormat2, 77, {}, "before"));
            timer.AlarmList.Add(MakeAlarm(akEveryDay, {"old"}));
            bool loaded = true;
            try {
                Load(timer, whole.substr(0, length));
            } catch (const EStreamReadError&) {
                loaded = false;
            }
            ASSERT_EQ(loaded, length == whole.size()) << "version " << version << ", length " << length;
            if (loaded) {
                EXPECT_EQ(timer.AlarmList.Count(), 4);
                EXPECT_EQ(timer.TrailerText, "end");
            } else {
                ASSERT_EQ(timer.AlarmList.Count(), 1);
                EXPECT_EQ(timer.AlarmList[0].Messages.front(), "old");
                EXPECT_EQ(timer.TrailerInteger, 77);
                EXPECT_EQ(timer.TrailerText, "before");
            }
        }
    }
}

TEST(AlarmFile, ImpossibleCountsFailWithoutAllocating)
{
    struct {
        const char* Name;
        std::size_t Offset;
        std::string Value;
        const char* Message;
    } cases[] = {
        {"two billion entries", 4, std::string("\x00\x00\x00\x78", 4),
         "予定の数 2013265920 は残りの 136 バイトに収まりません（バイト位置 8）"},
        {"two billion lines", 58, std::string("\x00\x00\x00\x78", 4),
         "予定の行数 2013265920 は残りの 82 バイトに収まりません（バイト位置 62）"},
        {"negative line length", 62, std::string("\xFF\xFF\xFF\xFF", 4),
         "予定の文の行の長さ -1 が負です（バイト位置 66）"},
        {"line longer than the file", 62, std::string("\x00\x01\x00\x00", 4),
         "予定の文の行の長さ 256 が残りの 78 バイトを超えています（バイト位置 66）"},
        {"launch name longer than the file", 33, std::string("\xFF\xFF\xFF\x7F", 4),
         "起動の操作の長さ 2147483647 が残りの 107 バイトを超えています（バイト位置 37）"},
    };
    TAlarmList list;
    list.Add(MakeAlarm(akDate, {"abc"}));
    list[0].ShellExecute.Operation = "";
    const std::string whole = WriteScheduleFile(list);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string bytes = whole;
        bytes.replace(c.Offset, 4, c.Value);
        TAlarmTimer timer;
        try {
            Load(timer, bytes);
            FAIL();
        } catch (const EStreamReadError& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
}

TEST(AlarmFile, StartupEntriesForgetWhenTheyFired)
{
    TAlarmList list;
    list.Add(MakeAlarm(akStartup));
    list.Add(MakeAlarm(akEveryDay));
    list[0].LastFired = 40000.5;
    list[1].LastFired = 40000.5;
    TAlarmTimer timer;
    Load(timer, WriteScheduleFile(list));
    EXPECT_EQ(timer.AlarmList[0].LastFired, 0.0);
    EXPECT_EQ(timer.AlarmList[1].LastFired, 40000.5);

    // Writing keeps what the model holds.
    TByteWriter writer;
    list[0].SaveToStream(writer);
    double stored = 0;
    std::memcpy(&stored, writer.Data().data() + 12, 8);
    EXPECT_EQ(stored, 40000.5);
}

TEST(AlarmFile, WriteThenReadRoundTripsEveryField)
{
    const TAlarmList source = SampleList();
    TAlarmTimer timer;
    Load(timer, WriteScheduleFile(source));
    ASSERT_EQ(timer.AlarmList.Count(), source.Count());
    for (int i = 0; i < source.Count(); ++i) ExpectSameEntry(source[i], timer.AlarmList[i], true);
    EXPECT_EQ(WriteScheduleFile(timer.AlarmList), WriteScheduleFile(source));
}

TEST(AlarmFile, AssignCopiesAllButAuxBytes)
{
    const auto source = FullAlarm();
    TAlarm2 target;
    target.AuxBytes = {1, 1, 1, 1, 1, 1, 1};
    target.Assign(*source);
    EXPECT_EQ(target.AuxBytes, (std::array<std::uint8_t, 7>{1, 1, 1, 1, 1, 1, 1}));
    target.AuxBytes = source->AuxBytes;
    ExpectSameEntry(*source, target, true);
}

TEST(AlarmFile, ListIndexOutsideIsAnError)
{
    const TAlarmList list = SampleList();
    EXPECT_THROW(list[4], std::out_of_range);
    EXPECT_THROW(list[-1], std::out_of_range);
}

TEST(AlarmFile, LoadFromFileReadsAndReportsOpenErrors)
{
    const test::TTempFolder folder;
    const std::string path = folder / "schedule.dat";
    test::WriteBytes(path, WriteScheduleFile(SampleList()));
    TAlarmTimer timer;
    timer.LoadFromFile(path);
    EXPECT_EQ(timer.AlarmList.Count(), 4);
    EXPECT_THROW(timer.LoadFromFile(folder / "missing.dat"), EFOpenError);
    EXPECT_EQ(timer.AlarmList.Count(), 4);
}

TEST(AlarmFile, MarkCurrentVersionSelectsFormat2)
{
    TAlarmTimer timer;
    FileVersion = 0;
    timer.MarkCurrentVersion();
    EXPECT_EQ(FileVersion, 19740216);
}

} // namespace
} // namespace orvexp

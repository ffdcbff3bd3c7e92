#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/DayItem.h"
#include "platform/FileSystem.h"
#include "platform/Random.h"
#include "tests/calendar/CalendarFixtures.h"

namespace orvexp {
namespace {

using test::AddItem;
using test::TTempFolder;
using test::WriteBytes;

std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

// The one-item file of New Year's Day (元日, 8C B3 93 FA), GUID bytes 00..0F.
std::string NewYearFileBytes()
{
    std::string bytes("\x57\x0A\x31\x01"                  // header 19991127
                      "\x01\x00\x00\x00",                 // N = 1
                      8);
    for (int i = 0; i < 16; ++i) bytes += static_cast<char>(i); // ItemGuid
    bytes += std::string("\x00\x00"                       // Year 0
                         "\x01\x00"                       // Month 1
                         "\x01\x00"                       // Day 1
                         "\x01"                           // dtMonthDay
                         "\x00"                           // NumOfDayOfWeek
                         "\x00"                           // DaysOfWeek
                         "\x00"                           // ytThisYear
                         "\x04\x00\x00\x00"               // L = 4
                         "\x8C\xB3\x93\xFA",              // 元日
                         18);
    bytes += std::string(129, '\0');
    return bytes;
}

TKyDayItem NewYearItem()
{
    TKyDayItem item;
    for (std::uint8_t i = 0; i < 16; ++i) item.ItemGuid[i] = i;
    item.DayType = dtMonthDay;
    item.Month = 1;
    item.Day = 1;
    item.DayText = "\x8C\xB3\x93\xFA";
    return item;
}

// Three items of different text lengths (0, 3 and 4 bytes).
std::string ThreeItemFile()
{
    TKyDayItemList list;
    AddItem(list, {.DayType = dtDayOfWeek, .DaysOfWeek = DaysOfWeekOf(kydwSunday)});
    AddItem(list, {.DayType = dtMonthDay, .Month = 5, .Day = 3, .DayText = "abc"});
    AddItem(list, {.DayType = dtMonthDayOfWeekNum, .Month = 1, .DaysOfWeek = DaysOfWeekOf(kydwMonday),
                   .NumOfDayOfWeek = 2, .DayText = "\x90\xAC\x90\x6C"});
    return WriteDayFile(list);
}

void ExpectSameItem(const TKyDayItem& a, const TKyDayItem& b)
{
    EXPECT_EQ(a.ItemGuid, b.ItemGuid);
    EXPECT_EQ(a.Year, b.Year);
    EXPECT_EQ(a.Month, b.Month);
    EXPECT_EQ(a.Day, b.Day);
    EXPECT_EQ(a.DayType, b.DayType);
    EXPECT_EQ(a.DaysOfWeek, b.DaysOfWeek);
    EXPECT_EQ(a.NumOfDayOfWeek, b.NumOfDayOfWeek);
    EXPECT_EQ(a.YearType, b.YearType);
    EXPECT_EQ(a.DayText, b.DayText);
    EXPECT_EQ(a.Reserved, b.Reserved);
}

// A list holding one marker item, to see that failed loads leave it alone.
void FillWithMarker(TKyDayItemList& list)
{
    list.Clear();
    AddItem(list, {.DayText = "marker"});
}

void ExpectMarkerOnly(const TKyDayItemList& list)
{
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].DayText, "marker");
}

TEST(DayItem, NewItemHasFreshGuidAndDefaults)
{
    const TKyDayItem a;
    const TKyDayItem b;
    EXPECT_NE(a.ItemGuid, b.ItemGuid);
    EXPECT_EQ(a.ItemGuid[7] >> 4, 4) << "version 4";
    EXPECT_EQ(a.ItemGuid[8] & 0xC0, 0x80) << "variant bits";
    EXPECT_EQ(a.DayType, dtYearMonthDay);
    EXPECT_EQ(a.YearType, ytThisYear);
    EXPECT_EQ(a.Year + a.Month + a.Day + a.DaysOfWeek + a.NumOfDayOfWeek, 0);
    EXPECT_TRUE(a.DayText.empty());
    EXPECT_EQ(a.Reserved, (std::array<std::uint8_t, 129>{}));
}

TEST(DayItem, GuidFailureLeavesItemAllZero)
{
    SetRandomFailureForTesting(true);
    try {
        NewItemGuid();
        ADD_FAILURE() << "no error raised";
    } catch (const EGuidError& e) {
        EXPECT_STREQ(e.what(), "Holiday - GUIDの生成に失敗しました。");
    }
    const TKyDayItem item;
    SetRandomFailureForTesting(false);
    EXPECT_EQ(item.ItemGuid, TItemGuid{});
    EXPECT_EQ(item.DayType, dtDayOfWeek);
}

TEST(DayItem, WritesTheNewYearFileByteForByte)
{
    TKyDayItemList list;
    list.Add(std::make_unique<TKyDayItem>(NewYearItem()));
    const std::string bytes = WriteDayFile(list);
    EXPECT_EQ(bytes.size(), 171u);
    EXPECT_EQ(bytes, NewYearFileBytes());
}

TEST(DayItem, ReadsTheNewYearFile)
{
    TTempFolder folder;
    WriteBytes(folder / "holidays.dat", NewYearFileBytes());
    TKyDayItemList list;
    DayFileVersion = 0;
    list.LoadFromFile(folder / "holidays.dat");
    EXPECT_EQ(DayFileVersion, 19991127);
    ASSERT_EQ(list.Count(), 1);
    ExpectSameItem(list[0], NewYearItem());
}

TEST(DayItem, RoundTripKeepsEveryFieldAndTheReservedBlock)
{
    TKyDayItem item;
    item.Year = 0xFEDC;
    item.Month = 0x1234;
    item.Day = 0xABCD;
    item.DayType = static_cast<TKyDayType>(9); // unknown values are kept as read
    item.DaysOfWeek = 0xFF;
    item.NumOfDayOfWeek = 200;
    item.YearType = static_cast<TKyYearType>(7);
    item.DayText = "\x8F\x74\x95\xAA, \"x\"";
    for (std::size_t i = 0; i < item.Reserved.size(); ++i) item.Reserved[i] = static_cast<std::uint8_t>(i * 7 + 1);

    TByteWriter writer;
    item.WriteToStream(writer);
    EXPECT_EQ(writer.Data().size(), 159 + item.DayText.size());
    TKyDayItem read;
    TByteReader reader(writer.Data());
    read.ReadFromStream(reader);
    EXPECT_EQ(reader.Remaining(), 0u);
    ExpectSameItem(read, item);
}

TEST(DayItem, EmbeddedZeroByteEndsTheWrittenText)
{
    TKyDayItem item;
    item.DayText = std::string("ab\0cd", 5);
    TByteWriter writer;
    item.WriteToStream(writer);
    ASSERT_EQ(writer.Data().size(), 161u);
    EXPECT_EQ(writer.Data().substr(26, 6), std::string("\x02\x00\x00\x00" "ab", 6));

    TKyDayItem empty;
    TByteWriter emptyWriter;
    empty.WriteToStream(emptyWriter);
    EXPECT_EQ(emptyWriter.Data().size(), 159u);
}

TEST(DayItem, AssignCopiesIdentityButNotTheReservedBlock)
{
    TKyDayItem source;
    source.Year = 2025;
    source.Month = 12;
    source.Day = 31;
    source.DayType = dtYearMonthDayOfWeekNum;
    source.DaysOfWeek = 0x22;
    source.NumOfDayOfWeek = 3;
    source.YearType = ytBeforeThisYear;
    source.DayText = "text";
    source.Reserved.fill(0x11);
    TKyDayItem target;
    target.Reserved.fill(0x22);

    target.Assign(source);
    TKyDayItem expected = source;
    expected.Reserved.fill(0x22);
    ExpectSameItem(target, expected);
}

TEST(DayItem, ReadFailureLeavesTheItemAsItWas)
{
    TKyDayItem item = NewYearItem();
    const std::string record = NewYearFileBytes().substr(8, 100);
    TByteReader reader(record);
    EXPECT_THROW(item.ReadFromStream(reader), EStreamReadError);
    ExpectSameItem(item, NewYearItem());
}

TEST(DayItemList, CountDecidesAndOneChangeFollowsTheLastItem)
{
    struct TCase {
        const char* Name;
        std::string Bytes;
        int Count;
        int Notifications;
    };
    const TCase cases[] = {
        {"NoRecords", Le32(19991127) + Le32(0), 0, 0},
        {"NegativeCount", Le32(19991127) + Le32(0xFFFFFFFF), 0, 0},
        {"ThreeRecords", ThreeItemFile(), 3, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        WriteBytes(folder / "daysoff.dat", c.Bytes);
        TKyDayItemList list;
        FillWithMarker(list);
        int notifications = 0;
        int countSeen = -1;
        list.OnChange = [&](TKyDayItemList& sender) {
            EXPECT_EQ(&sender, &list);
            ++notifications;
            countSeen = sender.Count();
        };
        list.LoadFromFile(folder / "daysoff.dat");
        EXPECT_EQ(list.Count(), c.Count);
        EXPECT_EQ(notifications, c.Notifications);
        if (c.Notifications > 0) {
            EXPECT_EQ(countSeen, c.Count);
        }
    }
}

TEST(DayItemList, LoadsInFileOrderAndReplaces)
{
    TTempFolder folder;
    WriteBytes(folder / "a.dat", ThreeItemFile());
    WriteBytes(folder / "b.dat", NewYearFileBytes());
    TKyDayItemList list;
    list.LoadFromFile(folder / "a.dat");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0].DayType, dtDayOfWeek);
    EXPECT_EQ(list[1].DayText, "abc");
    EXPECT_EQ(list[2].DayText, "\x90\xAC\x90\x6C");
    list.LoadFromFile(folder / "b.dat");
    ASSERT_EQ(list.Count(), 1);
    ExpectSameItem(list[0], NewYearItem());
}

TEST(DayItemList, AnyHeaderLoadsAndBecomesTheVersion)
{
    TTempFolder folder;
    std::string bytes = NewYearFileBytes();
    bytes.replace(0, 4, Le32(12345));
    bytes += "trailing bytes are not read";
    WriteBytes(folder / "holidays.dat", bytes);
    TKyDayItemList list;
    list.LoadFromFile(folder / "holidays.dat");
    EXPECT_EQ(DayFileVersion, 12345);
    ASSERT_EQ(list.Count(), 1);
    ExpectSameItem(list[0], NewYearItem());
}

// A file cut anywhere (a crash while it was saved, a bad copy) loads the whole
// records before the cut and says where it stopped; only the whole file loads
// without damage.
TEST(DayItemList, EveryPrefixKeepsTheWholeRecordsBeforeTheCut)
{
    TTempFolder folder;
    const std::string whole = ThreeItemFile();
    const std::size_t recordEnds[] = {8 + 159, 8 + 159 + 162, 8 + 159 + 162 + 163};
    ASSERT_EQ(whole.size(), recordEnds[2]);
    const char* const texts[] = {"", "abc", "\x90\xAC\x90\x6C"};
    const std::string path = folder / "holidays.dat";
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE("prefix of " + std::to_string(size) + " bytes");
        WriteBytes(path, whole.substr(0, size));
        DayFileVersion = 777;
        TKyDayItemList list;
        FillWithMarker(list);
        int notifications = 0;
        list.OnChange = [&](TKyDayItemList&) { ++notifications; };
        const int wholeRecords = static_cast<int>(std::count_if(
            std::begin(recordEnds), std::end(recordEnds), [size](std::size_t end) { return end <= size; }));

        const std::optional<TDayFileDamage> damage = list.LoadFromFile(path);
        ASSERT_EQ(list.Count(), wholeRecords);
        for (int i = 0; i < wholeRecords; ++i) EXPECT_EQ(list[i].DayText, texts[i]);
        EXPECT_EQ(notifications, wholeRecords > 0 ? 1 : 0);
        EXPECT_EQ(DayFileVersion, size >= 4 ? 19991127 : 777);
        if (size < whole.size()) {
            ASSERT_TRUE(damage.has_value());
            EXPECT_EQ(damage->KeptItems, wholeRecords);
            EXPECT_NE(damage->Problem.find("（バイト位置 "), std::string::npos) << damage->Problem;
        } else {
            EXPECT_FALSE(damage.has_value());
        }
    }
}

// An impossible count or text length stops the read where it stands, without
// allocating for it; the whole records before it stay.
TEST(DayItemList, ImpossibleCountsAndLengthsStopTheReadThere)
{
    const std::string record = NewYearFileBytes().substr(8);
    auto withLength = [&](std::uint32_t length) {
        std::string r = record;
        r.replace(26, 4, Le32(length));
        return Le32(19991127) + Le32(2) + record + r;
    };
    struct TCase {
        const char* Name;
        std::string Bytes;
        int Kept;
        const char* Problem;
    };
    const TCase cases[] = {
        {"HugeCount", Le32(19991127) + Le32(0x7FFFFFFF) + record, 1,
         "項目の GUIDの途中でデータが終わっています（16 バイト必要、残り 0 バイト）（バイト位置 171）"},
        {"CountOneTooMany", Le32(19991127) + Le32(2) + record, 1, "項目の GUIDの途中でデータが終わっています"},
        {"NegativeLength", withLength(0xFFFFFFFF), 1, "日のテキストの長さ -1 が負です（バイト位置 201）"},
        {"LengthPastTheEnd", withLength(1000), 1, "日のテキストの長さ 1000 が残りの 133 バイトを超えています"},
        {"ShortHeader", std::string("\x57\x0A", 2), 0, "ファイルの先頭の途中でデータが終わっています"},
        {"ShortCount", Le32(19991127) + "\x01", 0, "項目の数の途中でデータが終わっています"},
        // No records, as the scheduler reads it, but the ones after it are named lost.
        {"NegativeCount", Le32(19991127) + Le32(0xFFFFFFFF) + record, 0, "項目の数 -1 が負です（バイト位置 4）"},
    };
    TTempFolder folder;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(folder / "x.dat", c.Bytes);
        TKyDayItemList list;
        FillWithMarker(list);
        const std::optional<TDayFileDamage> damage = list.LoadFromFile(folder / "x.dat");
        ASSERT_TRUE(damage.has_value());
        EXPECT_NE(damage->Problem.find(c.Problem), std::string::npos) << damage->Problem;
        EXPECT_EQ(damage->KeptItems, c.Kept);
        ASSERT_EQ(list.Count(), c.Kept);
        if (c.Kept == 1) ExpectSameItem(list[0], NewYearItem());
    }
}

TEST(DayItemList, StreamFailureLeavesTheListAsItWas)
{
    const std::string body = ThreeItemFile().substr(4);
    TKyDayItemList list;
    FillWithMarker(list);
    const std::string cut = body.substr(0, body.size() - 1);
    TByteReader reader(cut);
    EXPECT_THROW(list.LoadFromStream(reader), EStreamReadError);
    ExpectMarkerOnly(list);
}

TEST(DayItemList, MissingFileRaisesTheOpenErrorAndKeepsTheItems)
{
    TTempFolder folder;
    TKyDayItemList list;
    FillWithMarker(list);
    const std::string path = folder / "nothere.dat";
    try {
        list.LoadFromFile(path);
        ADD_FAILURE() << "no error raised";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + path + " は開けません");
    }
    ExpectMarkerOnly(list);
}

} // namespace
} // namespace orvexp

#include "calendar/DayItem.h"

#include <algorithm>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/Random.h"

namespace orvexp {

std::int32_t DayFileVersion = 0;

namespace {

// GUID, Year, Month, Day, four single bytes, L and the reserved block.
constexpr std::size_t kMinRecordSize = 16 + 2 + 2 + 2 + 4 + 4 + 129;
static_assert(kMinRecordSize == 159);

} // namespace

EGuidError::EGuidError() : std::runtime_error("Holiday - GUIDの生成に失敗しました。") {}

TItemGuid NewItemGuid()
{
    TItemGuid guid{};
    if (!TryGetRandomBytes(guid.data(), guid.size())) throw EGuidError();
    // The version nibble is the high nibble of the third GUID part, a
    // little-endian 16-bit value, so it sits in byte 7; the variant in byte 8.
    guid[7] = static_cast<std::uint8_t>((guid[7] & 0x0F) | 0x40);
    guid[8] = static_cast<std::uint8_t>((guid[8] & 0x3F) | 0x80);
    return guid;
}

TKyDayItem::TKyDayItem()
{
    try {
        ItemGuid = NewItemGuid();
    } catch (const EGuidError&) {
        return; // the item stays all zero; no message reaches the user
    }
    DayType = dtYearMonthDay;
}

void TKyDayItem::Assign(const TKyDayItem& source)
{
    if (&source == this) return;
    ItemGuid = source.ItemGuid;
    Year = source.Year;
    Month = source.Month;
    Day = source.Day;
    DayType = source.DayType;
    NumOfDayOfWeek = source.NumOfDayOfWeek;
    DaysOfWeek = source.DaysOfWeek;
    YearType = source.YearType;
    DayText = source.DayText;
}

void TKyDayItem::WriteToStream(TByteWriter& stream) const
{
    // The text is written as a zero-terminated string would be.
    const std::string_view text(DayText.data(), std::min(DayText.find('\0'), DayText.size()));
    stream.WriteBytes(ItemGuid.data(), ItemGuid.size());
    stream.WriteU16(Year);
    stream.WriteU16(Month);
    stream.WriteU16(Day);
    stream.WriteU8(DayType);
    stream.WriteU8(NumOfDayOfWeek);
    stream.WriteU8(DaysOfWeek);
    stream.WriteU8(YearType);
    stream.WriteI32(static_cast<std::int32_t>(text.size()));
    stream.WriteText(text);
    stream.WriteBytes(Reserved.data(), Reserved.size());
}

void TKyDayItem::ReadFromStream(TByteReader& stream)
{
    // Read into a copy so that a record cut short changes nothing.
    TKyDayItem item(*this);
    stream.ReadBytes(item.ItemGuid.data(), item.ItemGuid.size(), "項目の GUID");
    item.Year = stream.ReadU16("項目の年");
    item.Month = stream.ReadU16("項目の月");
    item.Day = stream.ReadU16("項目の日");
    item.DayType = static_cast<TKyDayType>(stream.ReadU8("日の種類"));
    item.NumOfDayOfWeek = stream.ReadU8("曜日の番号");
    item.DaysOfWeek = stream.ReadU8("曜日の組");
    item.YearType = static_cast<TKyYearType>(stream.ReadU8("年の種類"));
    const std::int32_t length = stream.ReadI32("日のテキストの長さ");
    if (length < 0) stream.Fail("日のテキストの長さ " + std::to_string(length) + " が負です");
    if (static_cast<std::size_t>(length) > stream.Remaining()) {
        stream.Fail("日のテキストの長さ " + std::to_string(length) + " が残りの " +
                    std::to_string(stream.Remaining()) + " バイトを超えています");
    }
    item.DayText = stream.ReadText(static_cast<std::size_t>(length), "日のテキスト");
    stream.ReadBytes(item.Reserved.data(), item.Reserved.size(), "予約領域");
    *this = std::move(item);
}

void TKyDayItemList::Add(std::unique_ptr<TKyDayItem> item)
{
    if (item) Items.push_back(std::move(item));
}

TKyDayItem& TKyDayItemList::AddNew()
{
    Items.push_back(std::make_unique<TKyDayItem>());
    return *Items.back();
}

void TKyDayItemList::Clear()
{
    Items.clear();
}

void TKyDayItemList::Changed()
{
    if (OnChange) OnChange(*this);
}

namespace {

// The count and the records, read in full before anything is replaced. A count
// the remaining bytes cannot hold fails before anything is allocated.
std::vector<std::unique_ptr<TKyDayItem>> ReadItems(TByteReader& stream)
{
    const std::int32_t count = stream.ReadI32("項目の数");
    std::vector<std::unique_ptr<TKyDayItem>> items;
    if (count <= 0) return items;
    if (static_cast<std::size_t>(count) > stream.Remaining() / kMinRecordSize) {
        stream.Fail("項目の数 " + std::to_string(count) + " には " +
                    std::to_string(static_cast<std::size_t>(count) * kMinRecordSize) + " バイト以上が要りますが、残りは " +
                    std::to_string(stream.Remaining()) + " バイトです");
    }
    items.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<TKyDayItem>();
        item->ReadFromStream(stream);
        items.push_back(std::move(item));
    }
    return items;
}

// The records of a file that may have been cut short (a crash while it was
// saved, a bad copy): the whole records up to the first damage are kept, and
// the read stops there. The count only bounds the read, so a count or length
// that the remaining bytes cannot hold allocates nothing.
std::vector<std::unique_ptr<TKyDayItem>> ReadWholeItems(TByteReader& stream, std::optional<TDayFileDamage>& damage)
{
    std::vector<std::unique_ptr<TKyDayItem>> items;
    try {
        const std::size_t countAt = stream.Position();
        const std::int32_t count = stream.ReadI32("項目の数");
        // A negative count holds no records, as the scheduler reads it; it is
        // no count the scheduler writes, so the records after it are named lost.
        if (count < 0) {
            damage = TDayFileDamage{"項目の数 " + std::to_string(count) + " が負です（バイト位置 " +
                                        std::to_string(countAt) + "）",
                                    0};
        }
        if (count <= 0) return items;
        items.reserve(std::min(static_cast<std::size_t>(count), stream.Remaining() / kMinRecordSize));
        for (std::int32_t i = 0; i < count; ++i) {
            auto item = std::make_unique<TKyDayItem>();
            item->ReadFromStream(stream);
            items.push_back(std::move(item));
        }
    } catch (const EStreamReadError& e) {
        damage = TDayFileDamage{e.what(), static_cast<int>(items.size())};
    }
    return items;
}

} // namespace

void TKyDayItemList::LoadFromStream(TByteReader& stream)
{
    std::vector<std::unique_ptr<TKyDayItem>> items = ReadItems(stream);
    Items.swap(items);
    if (!Items.empty()) Changed();
}

std::optional<TDayFileDamage> TKyDayItemList::LoadFromFile(const std::string& fileName)
{
    const std::string file = ReadFileBytes(fileName);
    TByteReader stream(file);
    std::optional<TDayFileDamage> damage;
    std::vector<std::unique_ptr<TKyDayItem>> items;
    try {
        DayFileVersion = stream.ReadI32("ファイルの先頭");
        items = ReadWholeItems(stream, damage);
    } catch (const EStreamReadError& e) {
        damage = TDayFileDamage{e.what(), 0};
    }
    Items.swap(items);
    if (!Items.empty()) Changed();
    return damage;
}

std::string WriteDayFile(const TKyDayItemList& items, std::int32_t header)
{
    TByteWriter stream;
    stream.WriteI32(header);
    stream.WriteI32(items.Count());
    for (int i = 0; i < items.Count(); ++i) items[i].WriteToStream(stream);
    return stream.Take();
}

} // namespace orvexp

#include "export/IcsExport.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "calendar/DayItem.h"
#include "calendar/DayMatching.h"
#include "export/DayBlocksAhead.h"
#include "export/Export.h"
#include "export/ExportDays.h"
#include "export/IcsComposer.h"
#include "export/IcsEntryPlan.h"
#include "export/IcsText.h"
#include "data/MemoStore.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

namespace {

// Entries per block; the odd blocks are made on a second thread (measured
// faster than giving it two or three of every five, or three of seven).
constexpr int kBlockEntries = 128;

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void HashBytes(std::uint64_t& hash, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * kFnvPrime;
}

template <class T>
void HashValue(std::uint64_t& hash, T value)
{
    HashBytes(hash, &value, sizeof value);
}

// What identifies an entry across exports: its kind, date and time fields and
// text, not its fired marks, switch or reminders (which change without it
// becoming another entry).
std::uint64_t EntryContentHash(const TEntryDigest& entry, std::span<const std::string_view> lines)
{
    std::uint64_t hash = kFnvOffset;
    HashValue(hash, static_cast<std::uint8_t>(entry.Kind));
    for (const std::uint16_t field : {entry.Year, entry.Month, entry.Day, entry.Hour, entry.Minute}) {
        HashValue(hash, field);
    }
    HashValue(hash, entry.DaysOfWeek);
    HashValue(hash, static_cast<std::uint32_t>(lines.size()));
    for (const std::string_view line : lines) {
        HashValue(hash, static_cast<std::uint32_t>(line.size()));
        HashBytes(hash, line.data(), line.size());
    }
    return hash;
}

std::string DateKey(const TDateParts& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", date.Year, date.Month, date.Day);
    return text;
}

// What one thread writes with: its composer and its text converter.
struct TIcsWorker {
    explicit TIcsWorker(const TIcsFrame& frame) : Composer(frame) {}
    TIcsComposer Composer;
    TIcsText Text;
    std::string Summary, Description; // an entry's texts, their room reused
};

// "<hash as 16 hex digits>-<ordinal>@orvexp"; returns its length.
std::size_t EntryUid(char (&uid)[48], std::uint64_t hash, std::uint32_t ordinal)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (int i = 15; i >= 0; --i, hash >>= 4) uid[i] = kHex[hash & 0xF];
    uid[16] = '-';
    char* end = std::to_chars(uid + 17, uid + sizeof uid, ordinal).ptr;
    constexpr std::string_view kDomain = "@orvexp";
    std::memcpy(end, kDomain.data(), kDomain.size());
    return static_cast<std::size_t>(end - uid) + kDomain.size();
}

class TEntryEvents {
public:
    TEntryEvents(const TScheduleDigest& schedule, std::int64_t first, std::int64_t last)
        : Schedule(schedule), First(first), Last(last), Ids(static_cast<std::size_t>(schedule.Count()))
    {
        // Identical entries are told apart by their order: the count of each
        // hash so far, in an open table (this runs before the second thread
        // can start, and a node per entry took several milliseconds).
        std::size_t slots = 16;
        while (slots < 2 * Ids.size()) slots *= 2;
        std::vector<TEntryId> seen(slots); // Ordinal 0: free
        for (int i = 0; i < schedule.Count(); ++i) {
            TEntryId& id = Ids[static_cast<std::size_t>(i)];
            id.Hash = EntryContentHash(schedule[i], schedule.Lines(schedule[i]));
            std::size_t slot = static_cast<std::size_t>(id.Hash ^ (id.Hash >> 29)) & (slots - 1);
            while (seen[slot].Ordinal != 0 && seen[slot].Hash != id.Hash) slot = (slot + 1) & (slots - 1);
            seen[slot].Hash = id.Hash;
            id.Ordinal = ++seen[slot].Ordinal;
        }
    }

    int BlockCount() const { return (Schedule.Count() + kBlockEntries - 1) / kBlockEntries; }

    void AppendBlock(TIcsWorker& worker, int block, std::string& out) const
    {
        const int end = std::min(Schedule.Count(), (block + 1) * kBlockEntries);
        for (int i = block * kBlockEntries; i < end; ++i) {
            const TEntryDigest& entry = Schedule[i];
            const TIcsEntryPlan plan = PlanIcsEntry(entry, First, Last);
            if (!plan.Occurs) continue;
            const auto lines = Schedule.Lines(entry);
            std::string& description = worker.Description;
            std::string& summary = worker.Summary;
            description.clear();
            worker.Text.AppendJoined(description, lines);
            if (lines.size() <= 1) {
                summary = description; // one line: the same text
            } else {
                summary.clear();
                worker.Text.AppendLine(summary, lines.front());
            }
            if (plan.ImpossibleTime) {
                // The time the entry names cannot be shown as one: it leads the summary.
                const std::string time = AlarmTimeText(entry.Kind, entry.Hour, entry.Minute);
                summary = summary.empty() ? time : time + " " + summary;
            }
            const TEntryId& id = Ids[static_cast<std::size_t>(i)];
            char uid[48];
            const std::size_t uidSize = EntryUid(uid, id.Hash, id.Ordinal);
            worker.Composer.AppendEntryEvent(out, plan, std::string_view(uid, uidSize), summary, description);
        }
    }

private:
    struct TEntryId {
        std::uint64_t Hash = 0;
        std::uint32_t Ordinal = 0;
    };

    const TScheduleDigest& Schedule;
    const std::int64_t First, Last;
    std::vector<TEntryId> Ids;
};

// The memo of a day as an event; nothing when the memo is missing or holds
// only line breaks and blanks (an event would show nothing).
void AppendMemoEvent(TIcsWorker& worker, const TMemoStore& memos, TDateTime day, const std::string& dateKey,
                     std::vector<std::string>& lines, std::vector<std::string_view>& views, std::string& out)
{
    lines.clear();
    if (!memos.ReadMemoLines(day, lines)) return;
    views.assign(lines.begin(), lines.end());
    std::string& text = worker.Description;
    text.clear();
    worker.Text.AppendJoined(text, views);
    if (text.find_first_not_of(" \t\n") == std::string::npos) return;
    std::string& summary = worker.Summary;
    if (views.size() == 1) {
        summary = text;
    } else {
        summary.clear();
        worker.Text.AppendLine(summary, views.front());
    }
    static const std::string kMemoCategory = "メモ";
    worker.Composer.AppendDayEvent(out, "memo-" + dateKey + "@orvexp", DecodeDate(day), summary, text, kMemoCategory);
}

struct TDayKind {
    const TKyDayItemList* Items;
    const char* UidPrefix;
    std::string Category;
};

void AppendDayItemEvents(TIcsWorker& worker, const TDayKind& kind, TDateTime day, const std::string& dateKey,
                         std::string& out)
{
    if (!kind.Items) return;
    const TKyDayItemList& items = *kind.Items;
    for (int i = 0; i < items.Count(); ++i) {
        if (!DayItemMatches(items[i], day)) continue;
        // The item's stored GUID names it; an ordinal parts items that share one.
        int ordinal = 1;
        for (int j = 0; j < i; ++j) {
            if (items[j].ItemGuid == items[i].ItemGuid && DayItemMatches(items[j], day)) ++ordinal;
        }
        static constexpr char kHex[] = "0123456789abcdef";
        std::string uid = kind.UidPrefix;
        uid += '-';
        uid += dateKey;
        uid += '-';
        for (const std::uint8_t byte : items[i].ItemGuid) {
            uid += kHex[byte >> 4];
            uid += kHex[byte & 0xF];
        }
        uid += '-';
        uid += std::to_string(ordinal);
        uid += "@orvexp";
        worker.Composer.AppendDayEvent(out, uid, DecodeDate(day), worker.Text.Line(items[i].DayText), std::string(),
                                       kind.Category);
    }
}

} // namespace

std::string BuildIcs(const TIcsInput& input, const TOutputDrain& drain)
{
    const TExportDays days(input.StartDate, input.EndDate);
    const TIcsFrame frame = MakeIcsFrame(input.Options.TimeZone, input.Options.StampSeconds,
                                         DecodeDate(static_cast<TDateTime>(days.Last)));
    std::string out;
    if (drain) out.reserve(2 * kOutputDrainSize);
    out += frame.Head;

    const int dayCount = days.Count();
    std::optional<TEntryEvents> entries;
    if (input.Schedule && dayCount > 0) entries.emplace(*input.Schedule, days.First, days.Last);
    const int blocks = entries ? entries->BlockCount() : 0;
    const int total = blocks + dayCount;
    int done = 0;
    const auto progress = [&] {
        ++done;
        if (input.OnProgress) input.OnProgress(done, total);
    };

    // A calendar needs at least one component; an empty range gives no file.
    bool anyEvent = false;
    TIcsWorker worker(frame);
    if (blocks > 0) {
        // Serialising is most of the work: the odd blocks are made on a second
        // thread, a few chunks ahead, while this one makes the even ones.
        std::optional<TDayBlocksAhead> oddBlocks;
        if (blocks > 1) {
            oddBlocks.emplace(0, blocks / 2 - 1, [&entries, &frame]() -> TDayBlocksAhead::TMakeDay {
                auto own = std::make_shared<TIcsWorker>(frame);
                return [own, &entries](std::int64_t half, std::string& text) {
                    entries->AppendBlock(*own, static_cast<int>(2 * half + 1), text);
                };
            });
        }
        for (int block = 0; block < blocks; ++block) {
            const std::size_t before = out.size();
            if (block % 2 == 0) {
                entries->AppendBlock(worker, block, out);
            } else {
                out += oddBlocks->TakeNext();
            }
            anyEvent = anyEvent || out.size() != before;
            if (drain && out.size() >= kOutputDrainSize) drain(out);
            progress();
        }
    }

    const std::vector<TDayKind> dayKinds = {{input.Holidays, "holiday", "祝日"},
                                            {input.SpecialDays, "special", "記念日"},
                                            {input.DaysOff, "dayoff", "休日"}};
    std::vector<std::string> memoLines;
    std::vector<std::string_view> memoViews;
    for (std::int64_t d = days.First; d <= days.Last; ++d) {
        const auto day = static_cast<TDateTime>(d);
        const std::string dateKey = DateKey(DecodeDate(day));
        const std::size_t before = out.size();
        if (input.Memos) AppendMemoEvent(worker, *input.Memos, day, dateKey, memoLines, memoViews, out);
        if (input.Options.WithDays) {
            for (const TDayKind& kind : dayKinds) AppendDayItemEvents(worker, kind, day, dateKey, out);
        }
        anyEvent = anyEvent || out.size() != before;
        if (drain && out.size() >= kOutputDrainSize) drain(out);
        progress();
    }
    if (!anyEvent) throw ENothingToExport();
    out += frame.Tail;
    return out;
}

} // namespace orvexp

#include "export/IcsExport.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "calendar/DateEx.h"
#include "data/MemoStore.h"
#include "export/Export.h"
#include "export/ExportDays.h"
#include "export/IcsComposer.h"
#include "export/IcsEntryPlan.h"
#include "export/IcsText.h"
#include "platform/OrderedAhead.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

namespace {

// Entries per block; the odd blocks are made on a second thread (measured
// faster than giving it two or three of every five, or three of seven).
constexpr int kBlockEntries = 128;
// Odd blocks made ahead of the writer at most.
constexpr std::int64_t kBlocksAhead = 32;

// FNV-1a over bytes in a fixed order, numbers little-endian: every machine
// gives the same hash, so every machine gives the same UIDs.
class TContentHash {
public:
    void Bytes(std::string_view bytes)
    {
        for (const char byte : bytes) Value = (Value ^ static_cast<unsigned char>(byte)) * kPrime;
    }
    void Number(std::uint64_t number, int octets)
    {
        for (int i = 0; i < octets; ++i, number >>= 8) Value = (Value ^ (number & 0xFF)) * kPrime;
    }
    std::uint64_t Result() const { return Value; }

private:
    static constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t Value = 14695981039346656037ull;
};

// What identifies an entry across exports: its kind, date and time fields and
// text, not its fired marks, switch or reminders (which change without it
// becoming another entry).
std::uint64_t EntryContentHash(const TEntryDigest& entry, std::span<const std::string_view> lines)
{
    TContentHash hash;
    hash.Number(entry.Kind, 1);
    for (const std::uint16_t field : {entry.Year, entry.Month, entry.Day, entry.Hour, entry.Minute}) {
        hash.Number(field, 2);
    }
    hash.Number(entry.DaysOfWeek, 1);
    hash.Number(lines.size(), 4);
    for (const std::string_view line : lines) {
        hash.Number(line.size(), 4);
        hash.Bytes(line);
    }
    return hash.Result();
}

// Every UID: its parts joined by "-", then "@orvexp" (an entry:
// "<content hash>-<ordinal>", a memo: "memo-<date>", a day text:
// "<kind>-<date>-<item or rule>[-<ordinal>]").
void MakeUid(std::string& uid, std::initializer_list<std::string_view> parts)
{
    uid.clear();
    for (const std::string_view part : parts) {
        if (!uid.empty()) uid += '-';
        uid += part;
    }
    uid += "@orvexp";
}

std::string_view Hex(std::span<const std::uint8_t> bytes, char* text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text[2 * i] = kHex[bytes[i] >> 4];
        text[2 * i + 1] = kHex[bytes[i] & 0xF];
    }
    return {text, 2 * bytes.size()};
}

std::string_view Decimal(std::uint64_t number, char (&text)[24])
{
    return {text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, number).ptr - text)};
}

// What one thread writes with: its composer, its text converter and the
// room of an event's texts, reused.
struct TIcsWorker {
    explicit TIcsWorker(const TIcsFrame& frame) : Composer(frame) {}
    TIcsComposer Composer;
    TIcsText Text;
    std::string Description, Summary, Uid;
};

// The title of a converted text, or `untitled` for a text without one.
std::string_view TitleOr(std::string_view text, std::string_view untitled)
{
    const std::string_view title = IcsTitle(text);
    return title.empty() ? untitled : title;
}

class TEntryEvents {
public:
    TEntryEvents(const TScheduleDigest& schedule, TDayNumber rulesFrom, TDayNumber first, TDayNumber last)
        : Schedule(schedule), RulesFrom(rulesFrom), First(first), Last(last),
          Ids(static_cast<std::size_t>(schedule.Count()))
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
        for (int i = block * kBlockEntries; i < end; ++i) AppendEntry(worker, i, out);
    }

private:
    struct TEntryId {
        std::uint64_t Hash = 0;
        std::uint32_t Ordinal = 0;
    };

    void AppendEntry(TIcsWorker& worker, int index, std::string& out) const
    {
        const TEntryDigest& entry = Schedule[index];
        const TIcsEntryPlan plan = PlanIcsEntry(entry, RulesFrom, First, Last);
        if (!plan.Occurs) return;
        std::string& description = worker.Description;
        description.clear();
        worker.Text.AppendJoined(description, Schedule.Lines(entry));
        std::string_view summary = TitleOr(description, "予定");
        if (plan.ImpossibleTime) {
            // The time the entry names cannot be shown as one: it leads the title.
            worker.Summary = AlarmTimeText(entry.Kind, entry.Hour, entry.Minute);
            worker.Summary += ' ';
            worker.Summary += summary;
            summary = worker.Summary;
        }
        const TEntryId& id = Ids[static_cast<std::size_t>(index)];
        char hex[16], ordinal[24];
        std::uint8_t hash[8];
        for (int i = 0; i < 8; ++i) hash[i] = static_cast<std::uint8_t>(id.Hash >> (56 - 8 * i));
        MakeUid(worker.Uid, {Hex(hash, hex), Decimal(id.Ordinal, ordinal)});
        worker.Composer.AppendEntryEvent(out, plan, worker.Uid, summary, description);
    }

    const TScheduleDigest& Schedule;
    const TDayNumber RulesFrom, First, Last;
    std::vector<TEntryId> Ids;
};

// What a day text's event is: its category, the UID's kind, and for a day the
// calculator computes, the rule that made it.
struct TDayTextKind {
    TIcsCategory Category;
    std::string_view UidKind;
    std::string_view Rule;
};

TDayTextKind KindOf(TKyDayTextSource source)
{
    switch (source) {
    case dtsSpecialDay: return {icSpecialDay, "special", {}};
    case dtsHoliday: return {icHoliday, "holiday", {}};
    case dtsVernalEquinox: return {icHoliday, "holiday", "vernal-equinox"};
    case dtsAutumnalEquinox: return {icHoliday, "holiday", "autumnal-equinox"};
    case dtsSubstitute: return {icHoliday, "holiday", "substitute"};
    case dtsDayOff: return {icDayOff, "dayoff", {}};
    }
    return {icHoliday, "holiday", {}};
}

// The day's all-day events: its memo, then (with day texts) each day text.
class TDayEvents {
public:
    TDayEvents(const TExportRequest& request, TIcsWorker& worker) : Request(request), Worker(worker) {}

    void Append(TDayNumber day, std::string& out)
    {
        const TDateTime value = DateTimeOfDay(day);
        Date = DecodeDate(value);
        std::snprintf(DateKey, sizeof DateKey, "%04d%02u%02u", Date.Year, Date.Month, Date.Day);
        if (Request.Memos) AppendMemo(value, out);
        if (Request.DayTexts) AppendDayTexts(value, out);
    }

private:
    // Nothing when the memo is missing or holds only blanks and line breaks.
    void AppendMemo(TDateTime day, std::string& out)
    {
        if (!Request.Memos->ReadMemoLines(day, MemoLines)) return;
        MemoViews.assign(MemoLines.begin(), MemoLines.end());
        std::string& text = Worker.Description;
        text.clear();
        Worker.Text.AppendJoined(text, MemoViews);
        const std::string_view title = IcsTitle(text);
        if (title.empty()) return;
        MakeUid(Worker.Uid, {"memo", DateKey});
        Worker.Composer.AppendDayEvent(out, {Worker.Uid, Date, title, text, icMemo,
                                             Request.Memos->MemoModifiedSeconds(day)});
    }

    void AppendDayTexts(TDateTime day, std::string& out)
    {
        Request.DayTexts->DayTextsOf(day, Texts);
        for (std::size_t i = 0; i < Texts.size(); ++i) {
            const TKyDayText& found = Texts[i];
            const TDayTextKind kind = KindOf(found.Source);
            char guid[32], ordinal[24];
            if (found.Item) {
                // The item's stored GUID names it; an ordinal parts items of a
                // list that share one.
                std::uint64_t same = 1;
                for (std::size_t j = 0; j < i; ++j) {
                    same += Texts[j].Source == found.Source && Texts[j].Item && Texts[j].Item->ItemGuid == found.Item->ItemGuid;
                }
                MakeUid(Worker.Uid, {kind.UidKind, DateKey, Hex(found.Item->ItemGuid, guid), Decimal(same, ordinal)});
            } else {
                MakeUid(Worker.Uid, {kind.UidKind, DateKey, kind.Rule});
            }
            std::string& text = Worker.Description;
            text.clear();
            Worker.Text.AppendLine(text, *found.Text);
            const std::string_view title = TitleOr(text, IcsCategoryName(kind.Category));
            // A text of several lines keeps them all in the description.
            const std::string_view description = text.find('\n') == std::string::npos ? std::string_view() : text;
            Worker.Composer.AppendDayEvent(out, {Worker.Uid, Date, title, description, kind.Category,
                                                 Request.StampSeconds});
        }
    }

    const TExportRequest& Request;
    TIcsWorker& Worker;
    TDateParts Date;
    char DateKey[16] = {};
    std::vector<std::string> MemoLines;
    std::vector<std::string_view> MemoViews;
    std::vector<TKyDayText> Texts;
};

} // namespace

std::string BuildIcs(const TExportRequest& request, const TOutputDrain& drain)
{
    const TExportDays days(request.StartDate, request.EndDate);
    const TIcsFrame frame = MakeIcsFrame(request.TimeZone, request.StampSeconds);
    std::string out;
    if (drain) out.reserve(2 * kOutputDrainSize);
    out += frame.Head;

    const int dayCount = days.Count();
    std::optional<TEntryEvents> entries;
    if (request.Schedule && dayCount > 0) {
        entries.emplace(*request.Schedule, IcsRulesFrom(request.FirstDatedDay, days.First), days.First, days.Last);
    }
    const int blocks = entries ? entries->BlockCount() : 0;
    const int total = blocks + dayCount;
    int done = 0;
    const auto progress = [&] {
        ++done;
        if (request.OnProgress) request.OnProgress(done, total);
    };

    // A calendar needs at least one component; an empty range gives no file.
    bool anyEvent = false;
    TIcsWorker worker(frame);
    if (blocks > 0) {
        // Serialising is most of the work: the odd blocks are made on a second
        // thread, a few chunks ahead, while this one makes the even ones.
        TOrderedAhead<std::string> oddBlocks(blocks / 2, {kBlocksAhead, SIZE_MAX, kBlocksAhead / 4}, [&entries, &frame] {
            return [own = std::make_shared<TIcsWorker>(frame), &entries](std::int64_t half, std::string& text) {
                text.clear();
                entries->AppendBlock(*own, static_cast<int>(2 * half + 1), text);
                return text.size();
            };
        });
        for (int block = 0; block < blocks; ++block) {
            const std::size_t before = out.size();
            if (block % 2 == 0) {
                entries->AppendBlock(worker, block, out);
            } else {
                out += oddBlocks.Take();
            }
            anyEvent = anyEvent || out.size() != before;
            if (drain && out.size() >= kOutputDrainSize) drain(out);
            progress();
        }
    }

    TDayEvents dayEvents(request, worker);
    for (TDayNumber day = days.First; day <= days.Last; ++day) {
        const std::size_t before = out.size();
        dayEvents.Append(day, out);
        anyEvent = anyEvent || out.size() != before;
        if (drain && out.size() >= kOutputDrainSize) drain(out);
        progress();
    }
    if (!anyEvent) throw ENothingToExport();
    out += frame.Tail;
    return out;
}

} // namespace orvexp

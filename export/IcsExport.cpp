#include "export/IcsExport.h"

#include <charconv>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
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
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

namespace {

// Entries per block: the unit of work the writer and its helper share.
constexpr int kBlockEntries = 128;

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
    TDayEvents(const TDayEvents&) = delete; // DateKey views its own digits
    TDayEvents& operator=(const TDayEvents&) = delete;

    void Append(TDayNumber day, std::string& out)
    {
        const TDateTime value = DateTimeOfDay(day);
        Date = DecodeDate(value);
        const unsigned digits[] = {static_cast<unsigned>(Date.Year) / 100, static_cast<unsigned>(Date.Year) % 100,
                                   Date.Month, Date.Day};
        for (std::size_t i = 0; i < 4; ++i) {
            DateDigits[2 * i] = static_cast<char>('0' + digits[i] / 10 % 10);
            DateDigits[2 * i + 1] = static_cast<char>('0' + digits[i] % 10);
        }
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
                    const TKyDayText& earlier = Texts[j];
                    same += earlier.Source == found.Source && earlier.Item->ItemGuid == found.Item->ItemGuid;
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
    char DateDigits[8] = {};
    std::string_view DateKey{DateDigits, sizeof DateDigits}; // yyyymmdd of Date
    std::vector<std::string> MemoLines;
    std::vector<std::string_view> MemoViews;
    std::vector<TKyDayText> Texts;
};

// The second thread's share of an export: the day events of the whole range
// (it alone reads the memo store), then entry blocks from the last one back,
// until it meets the writer, who makes them from the first one on. So both
// threads stay busy whatever the mix of entries and days, and the output keeps
// its order: the writer's blocks, the helper's blocks, the days.
class THelperShare {
public:
    THelperShare(const TIcsFrame& frame, const TExportRequest& request, const TExportDays& days,
                 const TEntryEvents* entries, int blocks)
        : Frame(frame), Request(request), Days(days), Entries(entries), Back(blocks),
          Blocks(static_cast<std::size_t>(blocks)), Made(static_cast<std::size_t>(blocks)), Helper([this] { Run(); })
    {
    }
    ~THelperShare()
    {
        {
            const std::lock_guard<std::mutex> guard(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        Helper.join();
    }
    THelperShare(const THelperShare&) = delete;
    THelperShare& operator=(const THelperShare&) = delete;

    // The next block for the writer to make; none once the rest are the helper's.
    std::optional<int> ClaimFront()
    {
        const std::lock_guard<std::mutex> guard(Lock);
        if (Front >= Back) return std::nullopt;
        return Front++;
    }

    // Appends the helper's blocks and then the days, as each is ready;
    // `appended` is called after each block and each day.
    void AppendRest(std::string& out, const std::function<void(int steps)>& appended)
    {
        for (std::size_t block = static_cast<std::size_t>(Front); block < Blocks.size(); ++block) {
            WaitFor([&] { return static_cast<bool>(Made[block]); });
            out += Blocks[block];
            std::string().swap(Blocks[block]);
            appended(1);
        }
        WaitFor([&] { return DaysMade; });
        out += DayText;
        for (int day = 0; day < Days.Count(); ++day) appended(1);
    }

private:
    template <class Ready>
    void WaitFor(Ready ready)
    {
        std::unique_lock<std::mutex> guard(Lock);
        Changed.wait(guard, [&] { return ready() || Failure; });
        if (!ready()) std::rethrow_exception(Failure);
    }

    void Run()
    {
        try {
            TIcsWorker worker(Frame);
            TDayEvents dayEvents(Request, worker);
            for (TDayNumber day = Days.First; day <= Days.Last; ++day) {
                if (StopRequested()) return;
                dayEvents.Append(day, DayText);
            }
            Publish([&] { DaysMade = true; });
            for (;;) {
                int block = 0;
                {
                    const std::lock_guard<std::mutex> guard(Lock);
                    if (Stopping || Back <= Front) return;
                    block = --Back;
                }
                Entries->AppendBlock(worker, block, Blocks[static_cast<std::size_t>(block)]);
                Publish([&] { Made[static_cast<std::size_t>(block)] = true; });
            }
        } catch (...) {
            Publish([&] { Failure = std::current_exception(); });
        }
    }

    bool StopRequested()
    {
        const std::lock_guard<std::mutex> guard(Lock);
        return Stopping;
    }

    template <class Change>
    void Publish(Change change)
    {
        {
            const std::lock_guard<std::mutex> guard(Lock);
            change();
        }
        Changed.notify_all();
    }

    const TIcsFrame& Frame;
    const TExportRequest& Request;
    const TExportDays Days;
    const TEntryEvents* Entries;
    std::string DayText; // the helper's until DaysMade

    std::mutex Lock;
    std::condition_variable Changed;
    int Front = 0, Back; // the blocks not yet claimed: [Front, Back)
    std::vector<std::string> Blocks; // the helper's blocks, each its own until Made
    std::vector<char> Made;
    bool DaysMade = false;
    bool Stopping = false;
    std::exception_ptr Failure;

    std::thread Helper; // started last
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
    const auto progress = [&](int steps) {
        done += steps;
        if (request.OnProgress && steps > 0) request.OnProgress(done, total);
    };

    // A calendar needs at least one component; an empty range gives no file.
    const std::size_t head = out.size();
    std::size_t drained = 0;
    const auto drainLarge = [&] {
        if (!drain || out.size() < kOutputDrainSize) return;
        drained += out.size();
        drain(out);
    };
    TIcsWorker worker(frame);
    THelperShare helper(frame, request, days, entries ? &*entries : nullptr, blocks);
    while (const std::optional<int> block = helper.ClaimFront()) {
        entries->AppendBlock(worker, *block, out);
        drainLarge();
        progress(1);
    }
    helper.AppendRest(out, [&](int steps) {
        drainLarge();
        progress(steps);
    });
    const bool anyEvent = drained + out.size() > head;
    if (!anyEvent) throw ENothingToExport();
    out += frame.Tail;
    return out;
}

} // namespace orvexp

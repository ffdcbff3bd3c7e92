#include "export/IcsExport.h"

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "calendar/DateEx.h"
#include "data/MemoStore.h"
#include "export/ExportDays.h"
#include "export/IcsCalendar.h"
#include "export/IcsEntryPlan.h"
#include "export/IcsText.h"
#include "schedule/AlarmOccurrence.h"
#include "schedule/ScheduleDigest.h"

namespace orvexp {

namespace {

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
std::string MakeUid(std::initializer_list<std::string_view> parts)
{
    std::string uid;
    for (const std::string_view part : parts) {
        if (!uid.empty()) uid += '-';
        uid += part;
    }
    uid += "@orvexp";
    return uid;
}

std::string Hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

// "yyyymmdd", the date part of the memos' and day texts' UIDs.
std::string DateKey(const TDateParts& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", date.Year, date.Month, date.Day);
    return text;
}

// The title of a converted text, or `untitled` for a text without one.
std::string_view TitleOr(std::string_view text, std::string_view untitled)
{
    const std::string_view title = IcsTitle(text);
    return title.empty() ? untitled : title;
}

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

// An entry's event, made but not yet handed out.
struct TMadeEvent {
    std::string Uid;
    TDateParts Date;
    std::string Text;
};

// The entries' events, in chunks. Each entry's UID ordinal is found first,
// in container order, so that any chunk can be made by itself.
class TEntryEvents {
public:
    TEntryEvents(const TScheduleDigest& schedule, const TIcsFrame& frame, TDayNumber rulesFrom, TDayNumber first,
                 TDayNumber last)
        : Schedule(schedule), Frame(frame), RulesFrom(rulesFrom), First(first), Last(last)
    {
        // Identical entries are told apart by their order.
        std::unordered_map<std::uint64_t, std::uint32_t> seen;
        seen.reserve(static_cast<std::size_t>(schedule.Count()));
        Ids.reserve(static_cast<std::size_t>(schedule.Count()));
        for (const TEntryDigest& entry : schedule) {
            const std::uint64_t hash = EntryContentHash(entry, schedule.Lines(entry));
            Ids.push_back({hash, ++seen[hash]});
        }
    }

    static constexpr int kChunkEntries = 256;
    int ChunkCount() const { return (Schedule.Count() + kChunkEntries - 1) / kChunkEntries; }

    // The events of chunk `chunk` (entries without a date in the range give none).
    void MakeChunk(int chunk, TIcsText& text, std::vector<TMadeEvent>& events) const
    {
        events.clear();
        const int end = std::min(Schedule.Count(), (chunk + 1) * kChunkEntries);
        for (int i = chunk * kChunkEntries; i < end; ++i) {
            const TEntryDigest& entry = Schedule[i];
            const TIcsEntryPlan plan = PlanIcsEntry(entry, RulesFrom, First, Last);
            if (!plan.Occurs) continue;
            const std::string description = text.Join(Schedule.Lines(entry));
            std::string summary(TitleOr(description, "予定"));
            // The time the entry names cannot be shown as one: it leads the title.
            if (plan.ImpossibleTime) summary = AlarmTimeText(entry.Kind, entry.Hour, entry.Minute) + " " + summary;
            const TEntryId& id = Ids[static_cast<std::size_t>(i)];
            std::uint8_t bytes[8];
            for (int b = 0; b < 8; ++b) bytes[b] = static_cast<std::uint8_t>(id.Hash >> (56 - 8 * b));
            std::string uid = MakeUid({Hex(bytes), std::to_string(id.Ordinal)});
            std::string event = IcsEntryEvent(Frame, plan, uid, summary, description);
            events.push_back({std::move(uid), plan.Start, std::move(event)});
        }
    }

private:
    struct TEntryId {
        std::uint64_t Hash;
        std::uint32_t Ordinal;
    };
    const TScheduleDigest& Schedule;
    const TIcsFrame& Frame;
    const TDayNumber RulesFrom, First, Last;
    std::vector<TEntryId> Ids;
};

// The entries' events are made by the writer and a second thread together:
// each takes the next chunk not yet taken, and the writer hands out the
// chunks in order as they are done. libical's serialisation of the events is
// nearly all of an iCalendar export's time; on two cores this nearly halves
// the entries' share of it. At most kWindow chunks are made and not yet
// handed out, so memory does not grow with the entries. Where no thread can
// be started, the writer makes every chunk itself.
class TEntryChunks {
public:
    explicit TEntryChunks(const TEntryEvents& entries) : Entries(entries), Count(entries.ChunkCount())
    {
        if (Count < 2) return;
        try {
            Worker = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            // no thread to be had: the writer makes every chunk
        }
    }
    ~TEntryChunks()
    {
        {
            const std::lock_guard<std::mutex> guard(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        if (Worker.joinable()) Worker.join();
    }
    TEntryChunks(const TEntryChunks&) = delete;
    TEntryChunks& operator=(const TEntryChunks&) = delete;

    // Calls `hand` with every chunk's events, in order.
    template <class Hand>
    void HandOut(TIcsText& text, Hand hand)
    {
        std::unique_lock<std::mutex> guard(Lock);
        while (Handed < Count) {
            TSlot& next = Slots[static_cast<std::size_t>(Handed % kWindow)];
            if (next.Done) {
                guard.unlock();
                hand(next.Events);
                guard.lock();
                next.Done = false;
                ++Handed;
                Changed.notify_all();
            } else if (MayTake()) {
                MakeNext(guard, text);
            } else {
                Changed.wait(guard, [&] { return next.Done || Failure; });
                if (Failure) std::rethrow_exception(Failure);
            }
        }
    }

private:
    static constexpr int kWindow = 8;
    struct TSlot {
        std::vector<TMadeEvent> Events;
        bool Done = false;
    };

    bool MayTake() const { return Taken < Count && Taken < Handed + kWindow; }

    // Takes the next chunk and makes it outside the lock.
    void MakeNext(std::unique_lock<std::mutex>& guard, TIcsText& text)
    {
        const int chunk = Taken++;
        TSlot& slot = Slots[static_cast<std::size_t>(chunk % kWindow)];
        guard.unlock();
        Entries.MakeChunk(chunk, text, slot.Events);
        guard.lock();
        slot.Done = true;
        Changed.notify_all();
    }

    void Run()
    {
        try {
            TIcsText text;
            std::unique_lock<std::mutex> guard(Lock);
            for (;;) {
                Changed.wait(guard, [&] { return MayTake() || Stopping || Taken >= Count; });
                if (Stopping || Taken >= Count) return;
                MakeNext(guard, text);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(Lock);
            Failure = std::current_exception();
            Changed.notify_all();
        }
    }

    const TEntryEvents& Entries;
    const int Count;
    std::mutex Lock;
    std::condition_variable Changed;
    TSlot Slots[kWindow];
    int Taken = 0;  // chunks taken by either thread
    int Handed = 0; // chunks handed out
    bool Stopping = false;
    std::exception_ptr Failure;
    std::thread Worker; // started last
};

// The calendar of one export, event by event.
class TIcsWriter {
public:
    TIcsWriter(const TExportRequest& request, const TExportSources& sources, IIcsSink& sink)
        : Request(request), Sources(sources), Sink(sink), Days(request.StartDate, request.EndDate),
          Frame(MakeIcsFrame(request.Ics.TimeZone, sources.StampSeconds()))
    {
    }

    void Write()
    {
        Sink.Begin(Frame.Head, Frame.Tail);
        std::optional<TEntryEvents> entries;
        if (Days.Count() > 0) {
            entries.emplace(Sources.Schedule(), Frame, IcsRulesFrom(Sources.FirstDay(), Days.First), Days.First,
                            Days.Last);
        }
        const int chunks = entries ? entries->ChunkCount() : 0;
        Total = chunks + Days.Count();
        if (entries) {
            TEntryChunks(*entries).HandOut(Text, [this](const std::vector<TMadeEvent>& events) {
                for (const TMadeEvent& event : events) Hand(event.Uid, event.Date, "予定", event.Text);
                Step();
            });
        }
        for (TDayNumber day = Days.First; day <= Days.Last; ++day) {
            WriteDay(day);
            Step();
        }
        if (Events == 0) throw ENothingToExport();
        Sink.End();
    }

private:
    void Hand(std::string_view uid, const TDateParts& date, std::string_view what, const std::string& text)
    {
        Sink.Event({uid, date, what, text});
        ++Events;
    }

    void Step()
    {
        ++Done;
        if (Request.OnProgress) Request.OnProgress(Done, Total);
    }

    // The day's all-day events: its memo, then (with day texts) each day text.
    void WriteDay(TDayNumber day)
    {
        const TDateTime value = DateTimeOfDay(day);
        const TDateParts date = DecodeDate(value);
        WriteMemo(value, date);
        if (Sources.WithDayTexts()) WriteDayTexts(value, date);
    }

    // Nothing when the memo is missing or holds only blanks and line breaks.
    void WriteMemo(TDateTime day, const TDateParts& date)
    {
        if (!Sources.Memos().ReadMemoLines(day, MemoLines)) return;
        const std::vector<std::string_view> views(MemoLines.begin(), MemoLines.end());
        const std::string text = Text.Join(views);
        const std::string_view title = IcsTitle(text);
        if (title.empty()) return;
        const std::string uid = MakeUid({"memo", DateKey(date)});
        Hand(uid, date, IcsCategoryName(icMemo),
             IcsDayEvent({uid, date, title, text, icMemo, Sources.Memos().MemoModifiedSeconds(day)}));
    }

    void WriteDayTexts(TDateTime day, const TDateParts& date)
    {
        Sources.Days().DayTextsOf(day, Texts);
        for (std::size_t i = 0; i < Texts.size(); ++i) {
            const TKyDayText& found = Texts[i];
            const TDayTextKind kind = KindOf(found.Source);
            std::string uid;
            if (found.Item) {
                // The item's stored GUID names it; an ordinal parts items of a
                // list that share one.
                std::uint64_t same = 1;
                for (std::size_t j = 0; j < i; ++j) {
                    const TKyDayText& earlier = Texts[j];
                    same += earlier.Source == found.Source && earlier.Item->ItemGuid == found.Item->ItemGuid;
                }
                uid = MakeUid({kind.UidKind, DateKey(date), Hex(found.Item->ItemGuid), std::to_string(same)});
            } else {
                uid = MakeUid({kind.UidKind, DateKey(date), kind.Rule});
            }
            const std::string text = Text.Line(*found.Text);
            const std::string_view title = TitleOr(text, IcsCategoryName(kind.Category));
            // A text of several lines keeps them all in the description.
            const std::string_view description = text.find('\n') == std::string::npos ? std::string_view() : text;
            Hand(uid, date, IcsCategoryName(kind.Category),
                 IcsDayEvent({uid, date, title, description, kind.Category, Sources.StampSeconds()}));
        }
    }

    const TExportRequest& Request;
    const TExportSources& Sources;
    IIcsSink& Sink;
    const TExportDays Days;
    const TIcsFrame Frame;
    TIcsText Text;
    std::vector<std::string> MemoLines;
    std::vector<TKyDayText> Texts;
    int Events = 0;
    int Done = 0, Total = 0;
};

// The single file: every piece one after another, drained in parts.
class TIcsFileSink : public IIcsSink {
public:
    explicit TIcsFileSink(const TOutputDrain& drain) : Drain(drain)
    {
        if (Drain) Out.reserve(2 * kOutputDrainSize);
    }
    void Begin(std::string_view head, std::string_view tail) override
    {
        Append(head);
        Tail = tail;
    }
    void Event(const TIcsEvent& event) override { Append(event.Text); }
    void End() override { Append(Tail); }
    std::string Rest() { return std::move(Out); }

private:
    void Append(std::string_view text)
    {
        Out += text;
        if (Drain && Out.size() >= kOutputDrainSize) Drain(Out);
    }
    const TOutputDrain& Drain;
    std::string Out;
    std::string Tail;
};

} // namespace

void WriteIcsCalendar(const TExportRequest& request, const TExportSources& sources, IIcsSink& sink)
{
    TIcsWriter(request, sources, sink).Write();
}

std::string BuildIcs(const TExportRequest& request, const TExportSources& sources, const TOutputDrain& drain)
{
    TIcsFileSink sink(drain);
    WriteIcsCalendar(request, sources, sink);
    return sink.Rest();
}

} // namespace orvexp

#include "export/IcsExport.h"

#include <optional>
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

// The entries' events. Each entry's UID ordinal is found first, in container
// order: identical entries are told apart by their order.
class TEntryEvents {
public:
    TEntryEvents(const TScheduleDigest& schedule, TDayNumber rulesFrom, TDayNumber first, TDayNumber last)
        : Schedule(schedule), RulesFrom(rulesFrom), First(first), Last(last)
    {
        std::unordered_map<std::uint64_t, std::uint32_t> seen;
        seen.reserve(static_cast<std::size_t>(schedule.Count()));
        Ids.reserve(static_cast<std::size_t>(schedule.Count()));
        for (const TEntryDigest& entry : schedule) {
            const std::uint64_t hash = EntryContentHash(entry, schedule.Lines(entry));
            Ids.push_back({hash, ++seen[hash]});
        }
    }

    // Progress is told after each step of this many entries.
    static constexpr int kStepEntries = 256;
    int StepCount() const { return (Schedule.Count() + kStepEntries - 1) / kStepEntries; }

    // Calls `hand(uid, start, text)` with the event of each entry that has a
    // date in the range, and `step()` after each step of entries.
    template <class Hand, class Step>
    void Make(const TIcsFrame& frame, TIcsLineCache& lines, TIcsText& text, Hand hand, Step step) const
    {
        for (int i = 0; i < Schedule.Count(); ++i) {
            const TEntryDigest& entry = Schedule[i];
            const TIcsEntryPlan plan = PlanIcsEntry(entry, RulesFrom, First, Last);
            if (plan.Occurs) {
                const std::string description = text.Join(Schedule.Lines(entry));
                std::string summary(TitleOr(description, "予定"));
                // The time the entry names cannot be shown as one: it leads the title.
                if (plan.ImpossibleTime) summary = AlarmTimeText(entry.Kind, entry.Hour, entry.Minute) + " " + summary;
                const TEntryId& id = Ids[static_cast<std::size_t>(i)];
                std::uint8_t bytes[8];
                for (int b = 0; b < 8; ++b) bytes[b] = static_cast<std::uint8_t>(id.Hash >> (56 - 8 * b));
                const std::string uid = MakeUid({Hex(bytes), std::to_string(id.Ordinal)});
                hand(uid, plan.Start, IcsEntryEvent(frame, lines, plan, uid, summary, description));
            }
            if ((i + 1) % kStepEntries == 0 || i + 1 == Schedule.Count()) step();
        }
    }

private:
    struct TEntryId {
        std::uint64_t Hash;
        std::uint32_t Ordinal;
    };
    const TScheduleDigest& Schedule;
    const TDayNumber RulesFrom, First, Last;
    std::vector<TEntryId> Ids;
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
            entries.emplace(Sources.Schedule(), IcsRulesFrom(Sources.FirstDay(), Days.First), Days.First, Days.Last);
        }
        Total = (entries ? entries->StepCount() : 0) + Days.Count();
        if (entries) {
            entries->Make(
                Frame, Lines, Text,
                [this](std::string_view uid, const TDateParts& start, const std::string& text) {
                    Hand(uid, start, "予定", text);
                },
                [this] { Step(); });
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
             IcsDayEvent(Lines, {uid, date, title, text, icMemo, Sources.Memos().MemoModifiedSeconds(day)}));
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
                 IcsDayEvent(Lines, {uid, date, title, description, kind.Category, Sources.StampSeconds()}));
        }
    }

    const TExportRequest& Request;
    const TExportSources& Sources;
    IIcsSink& Sink;
    const TExportDays Days;
    const TIcsFrame Frame;
    TIcsLineCache Lines; // of this export's frame
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

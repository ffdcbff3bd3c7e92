// `orvexp export`: the wizard's export without its window. The request is
// filled from the options, with the settings file's values as defaults, and
// handed to the same writers, so the bytes are the wizard's.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/Translation.h"
#include "app/cli/Subcommands.h"
#include "app/cli/InputWarnings.h"
#include "app/Messages.h"
#include "data/DataFolder.h"
#include "export/Export.h"
#include "export/ExportFileName.h"
#include "export/ExportSources.h"
#include "export/IcsExport.h"
#include "export/IcsLayouts.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/InputFiles.h"
#include "platform/OutOfMemory.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "schedule/ShellExecute.h"

namespace orvexp {

namespace {

struct TExportOptions {
    std::string Type;
    std::string DataFile;
    std::string From;
    std::string To;
    std::string Output;
    bool OutputGiven = false;
    bool DataGiven = false;
    bool EmptyMemos = false;
    bool NoEmptyMemos = false;
    std::vector<std::string> Colors;
    bool Open = false;
    std::string Encoding = "shift_jis";
    bool EncodingGiven = false;
    bool EscapeHtml = false;
    bool WithDays = false;
    std::string TimeZone;
    bool TimeZoneGiven = false;
    std::string PartSize;
    std::string Vdir;
    bool VdirGiven = false;
};

// The smallest part size: a calendar's head with its time zone and a few
// events must fit, and parts much smaller than the calendars people import
// would only be many files.
constexpr std::size_t kSmallestPartSize = 64000;

// SIZE in bytes, or with K (1,000) or M (1,000,000): "1M", "900K", "1000000".
std::size_t ParsePartSize(const std::string& text)
{
    std::size_t unit = 1;
    std::string digits = text;
    if (!digits.empty() && (digits.back() == 'K' || digits.back() == 'k')) unit = 1000;
    if (!digits.empty() && (digits.back() == 'M' || digits.back() == 'm')) unit = 1000000;
    if (unit != 1) digits.pop_back();
    std::size_t value = 0;
    const bool number = !digits.empty() && digits.size() <= 12 &&
                        digits.find_first_not_of("0123456789") == std::string::npos;
    if (number) value = std::stoull(digits) * unit;
    if (!number || value < kSmallestPartSize) {
        throw EUsageError("--part-size: \"" + text + "\" is not a size of at least 64K (bytes, or with K or M: 1M is 1000000 bytes)");
    }
    return value;
}

// Reads the schedule file; a failure is told with the wizard's message.
TScheduleDigest ReadScheduleFile(const std::string& dataFile)
{
    const TMemoryContext reading("ファイル " + dataFile + " は開けません");
    try {
        return TScheduleDigest::LoadFromFile(dataFile);
    } catch (const std::exception& e) {
        throw std::runtime_error(msg::ScheduleFileFailureLine(dataFile, e));
    }
}

// The values --type takes: the range of numbers, then the names, the last
// one after `lastSeparator` ("0-5" and "csv-schedules, ..., html-both").
std::string ExportTypeNumbers()
{
    return "0-" + std::to_string(std::size(kExportTypes) - 1);
}
std::string ExportTypeNames(const char* lastSeparator)
{
    std::string text;
    for (std::size_t i = 0; i < std::size(kExportTypes); ++i) {
        if (i > 0) text += i + 1 < std::size(kExportTypes) ? ", " : lastSeparator;
        text += CommandLineName(kExportTypes[i]);
    }
    return text;
}

TExportType ParseExportType(const std::string& text)
{
    if (const std::optional<TExportType> type = ExportTypeOfName(text)) return *type;
    throw EUsageError("--type: \"" + text + "\" is not " + ExportTypeNumbers() + ", " + ExportTypeNames(" or "));
}

// NAME=VALUE over the colours already set; names as the settings keys (any
// case), values read as the settings file reads them.
void ApplyColorOption(THtmlColors& colors, const std::string& option)
{
    const auto equals = option.find('=');
    if (equals == std::string::npos) throw EUsageError("--color: \"" + option + "\" is not NAME=VALUE");
    const std::string name = option.substr(0, equals);
    const std::string valueText = option.substr(equals + 1);
    std::int32_t value = 0;
    if (!TryParseIniInteger(valueText, value)) {
        throw EUsageError("--color: \"" + valueText + "\" is not a number (decimal, 0x... or $...)");
    }
    const struct {
        const char* Key;
        std::int32_t THtmlColors::*Field;
    } fields[] = {
        {kTimeColorKey, &THtmlColors::TimeColor},         {kScheduleColorKey, &THtmlColors::ScheduleColor},
        {kMemoColorKey, &THtmlColors::MemoColor},         {kDateBkColorKey, &THtmlColors::DateBkColor},
        {kTimeBkColorKey, &THtmlColors::TimeBkColor},     {kScheduleBkColorKey, &THtmlColors::ScheduleBkColor},
        {kMemoBkColorKey, &THtmlColors::MemoBkColor},
    };
    for (const auto& field : fields) {
        if (SameTextIgnoringAsciiCase(name, field.Key)) {
            colors.*field.Field = value;
            return;
        }
    }
    throw EUsageError("--color: unknown colour \"" + name +
                      "\" (TimeColor, ScheduleColor, MemoColor, DateBkColor, TimeBkColor, ScheduleBkColor, "
                      "MemoBkColor)");
}

// Progress on a terminal, once an export has run for a second: in days, or
// in percent for the iCalendar type, which counts blocks of entries too.
class TProgressLine {
public:
    explicit TProgressLine(bool percent) : Percent(percent) {}

    std::function<void(int, int)> Callback()
    {
        if (!::isatty(STDERR_FILENO)) return {};
        return [this](int done, int total) { Report(done, total); };
    }
    ~TProgressLine()
    {
        if (Shown) std::fputs("\n", stderr);
    }

private:
    using TClock = std::chrono::steady_clock;
    TClock::time_point Start = TClock::now();
    TClock::time_point LastShown{};
    bool Shown = false;
    bool Percent;

    void Report(int done, int total)
    {
        const auto now = TClock::now();
        if (now - Start < std::chrono::seconds(1)) return;
        if (Shown && done != total && now - LastShown < std::chrono::milliseconds(100)) return;
        if (Percent) {
            std::fprintf(stderr, "\rorvexp: %3d%%", total > 0 ? static_cast<int>(100LL * done / total) : 100);
        } else {
            std::fprintf(stderr, "\rorvexp: %d / %d days", done, total);
        }
        std::fflush(stderr);
        Shown = true;
        LastShown = now;
    }
};

int RunExportCommand(const TExportOptions& options)
{
    TExportRequest request;
    request.ExportType = ParseExportType(options.Type);
    // --from first needs the data folder, read once the options are checked.
    const bool fromFirst = options.From == "first";
    request.EndDate = ParseRangeDateOption("--to", options.To);
    if (!fromFirst) request.StartDate = ParseRangeDateOption("--from", options.From);
    if (!fromFirst && request.EndDate < request.StartDate) throw EUsageError(msg::kEndBeforeStart);

    // The iCalendar file's own options; the other types have no use for them,
    // and a given one is refused rather than left without effect.
    const bool ics = IsIcsType(request.ExportType);
    if (!ics && options.WithDays) throw EUsageError("--with-days: only for --type ics");
    if (!ics && options.TimeZoneGiven) throw EUsageError("--timezone: only for --type ics");
    if (ics && options.EncodingGiven && options.Encoding != "utf-8") {
        throw EUsageError("--encoding: an iCalendar file is always utf-8");
    }
    if (!ics && !options.PartSize.empty()) throw EUsageError("--part-size: only for --type ics");
    if (!ics && options.VdirGiven) throw EUsageError("--vdir: only for --type ics");
    if (options.VdirGiven && (options.OutputGiven || !options.PartSize.empty())) {
        throw EUsageError("--vdir: instead of --output and --part-size, not with them");
    }
    if (options.VdirGiven && Trim(options.Vdir).empty()) throw EUsageError("--vdir: the folder is empty");
    if (options.Open && (options.VdirGiven || !options.PartSize.empty())) {
        throw EUsageError("--open: only for one output file, not with --vdir or --part-size");
    }
    const std::size_t partSize = options.PartSize.empty() ? 0 : ParsePartSize(options.PartSize);
    if (ics && options.TimeZoneGiven && !IsKnownIcsTimeZone(options.TimeZone)) {
        throw EUsageError("--timezone: \"" + options.TimeZone + "\" is no time zone name this system knows "
                          "(such as Asia/Tokyo or UTC)");
    }

    // Defaults from the settings file, read only, and only when an option leaves one open.
    const bool memoOptionGiven = options.EmptyMemos || options.NoEmptyMemos;
    const bool html = IsHtmlType(request.ExportType);
    std::vector<TInputProblem> settingsProblems;
    request.SettingsFile = SettingsFilePath();
    if (!memoOptionGiven || html) {
        const TIniFile settings(request.SettingsFile);
        if (!settings.Problem().empty()) settingsProblems.push_back({settings.FileName(), settings.Problem()});
        request.Csv.ExportEmptyMemo = settings.ReadBool(kWizardSection, kExportEmptyMemoKey, true);
        request.Html.Colors = ReadHtmlColors(settings);
    }
    if (memoOptionGiven) request.Csv.ExportEmptyMemo = options.EmptyMemos;
    for (const std::string& color : options.Colors) ApplyColorOption(request.Html.Colors, color);
    request.Html.EscapeHtml = options.EscapeHtml;
    request.Encoding = options.Encoding == "utf-8" ? oeUtf8 : oeShiftJis;
    request.Ics.WithDays = options.WithDays;
    request.Ics.TimeZone = options.TimeZone;

    // A name of blanks only is refused as the wizard refuses it; so is an
    // empty --data, which a job's unset variable gives: it must not fall back
    // to the remembered or the bundled folder.
    if (options.OutputGiven && Trim(options.Output).empty()) throw EUsageError(msg::kNoExportFile);
    if (options.DataGiven && Trim(options.DataFile).empty()) throw EUsageError(msg::kNoScheduleFile);
    request.ScheduleFile = options.DataGiven ? options.DataFile : DefaultScheduleFile();

    const std::int64_t stamp = ScheduleStampSeconds(request.ScheduleFile);
    TScheduleDigest schedule = ReadScheduleFile(request.ScheduleFile);
    if (fromFirst) {
        // `first` needs the schedule's entries and the memo names before the range is known.
        const TDataFolder folder = TDataFolder::OfScheduleFile(request.ScheduleFile);
        const std::optional<TDayNumber> first = FirstDatedDay(TMemoStore(folder), schedule);
        if (!first) {
            throw EUsageError("--from first: the data folder " + folder.Path() +
                              " has no memo file and no one-date entry");
        }
        request.StartDate = DateTimeOfDay(*first);
        if (request.EndDate < request.StartDate) throw EUsageError(msg::kEndBeforeStart);
    }
    request.OutputPath = !options.OutputGiven
                             ? DefaultExportFileName(request.ExportType, request.StartDate, request.EndDate)
                             : options.Output;
    const TExportSources sources(request, std::move(schedule), stamp);

    {
        TProgressLine progress(ics);
        request.OnProgress = progress.Callback();
        if (options.VdirGiven) {
            const TIcsVdirResult vdir = ExportIcsVdir(request, sources, options.Vdir, [&options] {
                std::fprintf(stderr, "orvexp: %s: another export is keeping it in step; waiting\n", options.Vdir.c_str());
            });
            std::printf("orvexp: %s: %zu events, %zu added, %zu updated, %zu deleted\n", options.Vdir.c_str(),
                        vdir.Events, vdir.Added, vdir.Updated, vdir.Deleted);
        } else if (partSize > 0) {
            const TIcsPartsResult parts = ExportIcsParts(request, sources, partSize);
            for (const std::string& left : parts.LeftAlone) {
                std::fprintf(stderr, "orvexp: warning: %s is not a part this program wrote: left as it is\n", left.c_str());
            }
            std::printf("orvexp: %zu part%s: %s to %s (%zu unchanged)\n", parts.Parts.size(),
                        parts.Parts.size() == 1 ? "" : "s", parts.Parts.front().c_str(), parts.Parts.back().c_str(),
                        parts.Unchanged);
        } else if (!RunExport(request, sources)) {
            // Said on standard output: nothing failed, and a job that follows can tell.
            std::printf("orvexp: %s is unchanged: the same bytes, not rewritten\n", request.OutputPath.c_str());
        }
    }
    PrintInputProblems(settingsProblems);
    PrintInputProblems(sources.Problems());

    if (options.Open) {
        if (!XdgOpenInstalled()) {
            throw std::runtime_error(request.OutputPath + " を開けません。(xdg-open が見つかりません。"
                                                          "パッケージ xdg-utils をインストールしてください)");
        }
        TShellExecute shell;
        shell.FileName = request.OutputPath;
        if (!shell.Execute()) return 1; // the launch action has shown its message
    }
    return 0;
}

} // namespace

void AddExportCommand(TCommandLine& commandLine)
{
    CLI::App* command = commandLine.App.add_subcommand(
        "export", Tr("Export the schedules and/or memos of a date range as CSV, HTML or iCalendar, as the wizard does"));
    auto options = std::make_shared<TExportOptions>();
    command
        ->add_option("--type", options->Type, ExportTypeNumbers() + Tr(" or ") + ExportTypeNames(", "))
        ->required();
    command->add_option("--data", options->DataFile,
                        Tr("The schedule file (schedule.dat); Memo/ and the day files are read from its folder "
                        "(default: the data folder the wizard remembers, else the program's folder)"));
    command->add_option("--from", options->From,
                        Tr("The first date: YYYY/MM/DD, today, today+N or today-N (N days), or first (the data "
                        "folder's earliest memo or one-date entry)"))
        ->required();
    command->add_option("--to", options->To, Tr("The last date (included): YYYY/MM/DD, today, today+N or today-N"))
        ->required();
    command->add_option("--output", options->Output,
                        Tr("The output file (default: the proposed file name in the current folder)"));
    CLI::Option* empty = command->add_flag("--empty-memos", options->EmptyMemos,
                                           Tr("Write a memo row for days without a memo (CSV)"));
    CLI::Option* noEmpty = command->add_flag("--no-empty-memos", options->NoEmptyMemos,
                                             Tr("Write no memo row for days without a memo (CSV)"));
    empty->excludes(noEmpty);
    command->add_option("--color", options->Colors,
                        Tr("NAME=VALUE for TimeColor, ScheduleColor, MemoColor, DateBkColor, TimeBkColor, "
                        "ScheduleBkColor, MemoBkColor (decimal, 0x... or $...; 0x00BBGGRR)"))
        ->allow_extra_args(false);
    command->add_flag("--open", options->Open, Tr("Open the written file with its associated program"));
    command->add_option("--encoding", options->Encoding,
                        Tr("shift_jis (default, the wizard's bytes) or utf-8 (CSV with a byte-order mark, "
                        "HTML declaring UTF-8); an iCalendar file is always utf-8"))
        ->transform(CLI::IsMember({"shift_jis", "utf-8"}, CLI::ignore_case));
    command->add_flag("--with-days", options->WithDays,
                      Tr("iCalendar: the day texts of the range as all-day events: holidays, special days and days "
                      "off, and the equinox days and substitute holidays the calendar computes"));
    command->add_option("--timezone", options->TimeZone,
                        Tr("iCalendar: the entries' times in this zone (an IANA name such as Asia/Tokyo), with its "
                        "rules in the file (default: floating times, shown as they are in any zone)"));
    command->add_option("--part-size", options->PartSize,
                        Tr("iCalendar: parts of at most SIZE bytes (1M is 1000000, 900K 900000; at least 64K) as "
                        "NAME-1.ics, NAME-2.ics ... for --output NAME.ics: whole calendars that Google Calendar "
                        "imports one after the other"));
    command->add_option("--vdir", options->Vdir,
                        Tr("iCalendar: instead of --output, keep the folder DIR as a vdir (one .ics file per event, "
                        "for khal and vdirsyncer): unchanged files stay, vanished events are deleted"));
    command->add_flag("--escape-html", options->EscapeHtml,
                      Tr("HTML: write &, <, > and \" in the data's texts as character references, so the page shows "
                      "them as typed (default: as markup, as the wizard does)"));
    command->callback([&commandLine, options, command] {
        options->OutputGiven = command->count("--output") > 0;
        options->DataGiven = command->count("--data") > 0;
        options->VdirGiven = command->count("--vdir") > 0;
        options->EncodingGiven = command->count("--encoding") > 0;
        options->TimeZoneGiven = command->count("--timezone") > 0;
        commandLine.Run = [options]() -> int { return RunExportCommand(*options); };
    });
}

} // namespace orvexp

#include "app/cli/Subcommands.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <memory>
#include <string_view>

#include "app/Messages.h"
#include "app/Translation.h"
#include "app/global.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

namespace orvexp {

namespace {

// The columns a text takes in a terminal: Japanese characters take two.
std::size_t DisplayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue; // inside a character
        // Three- and four-byte characters (U+0800 and up) are the wide ones here.
        width += byte >= 0xE0 ? 2 : 1;
    }
    return width;
}

// The help's option column padded by what it shows rather than by its bytes,
// so that a Japanese label ("必須") keeps the descriptions in one column.
class THelpFormatter : public CLI::Formatter {
public:
    std::string make_option(const CLI::Option* option, bool positional) const override
    {
        std::string line = "  " + make_option_name(option, positional) + make_option_opts(option);
        const std::string description = make_option_desc(option);
        if (!description.empty()) {
            const std::size_t column = get_column_width();
            const std::size_t shown = DisplayWidth(line);
            line += shown >= column ? "\n" + std::string(column, ' ') : std::string(column - shown, ' ');
            for (const char c : description) {
                line += c;
                if (c == '\n') line += std::string(column, ' ');
            }
        }
        return line + "\n";
    }
};

} // namespace

TDateTime ParseDateOption(const char* option, const std::string& text)
{
    TDateTime date = 0;
    if (!TryParseDateText(text, date)) {
        throw EUsageError(std::string(option) + ": \"" + text + "\" is not a date of the form YYYY/MM/DD");
    }
    return date;
}

TDateTime ParseRangeDateOption(const char* option, const std::string& text, const IClock& clock)
{
    TDateTime date = 0;
    if (TryParseDateText(text, date)) return date;
    // today, or today followed by a sign and digits only
    const std::string_view rest = text.starts_with("today") ? std::string_view(text).substr(5) : "-";
    const std::string_view digits = rest.empty() ? "0" : rest.substr(1);
    if ((!rest.empty() && rest[0] != '+' && rest[0] != '-') || digits.empty() ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        throw EUsageError(std::string(option) + ": \"" + text +
                          "\" is not a date of the form YYYY/MM/DD, today, today+N or today-N");
    }
    // A count too large for the number is out of range as well.
    std::int64_t days = INT64_MAX;
    std::from_chars(digits.data(), digits.data() + digits.size(), days);
    if (rest.starts_with('-')) days = -days;
    const TDayNumber today = DayNumberOf(clock.Now());
    if (days < kFirstDay - today || days > kLastDay - today) {
        throw EUsageError(std::string(option) + ": " + text + " falls outside the years 1 to 9999");
    }
    return DateTimeOfDay(today + days);
}

int RunCommandLine(int argc, char** argv, const TCalendarRunner& calendar)
{
    TCommandLine commandLine;
    CLI::App& app = commandLine.App;
    app.description(Tr("orvexp - export Orvanel schedule data as CSV, HTML or iCalendar"));
    // The help's own words in the user's language too; the subcommands take
    // the formatter, the groups and the help flag from here.
    const auto formatter = std::make_shared<THelpFormatter>();
    formatter->label("Usage", Tr("Usage"));
    formatter->label("OPTIONS", Tr("OPTIONS"));
    formatter->label("SUBCOMMAND", Tr("SUBCOMMAND"));
    formatter->label("REQUIRED", Tr("REQUIRED"));
    formatter->label("Excludes", Tr("Excludes"));
    app.formatter(formatter);
    app.option_defaults()->group(Tr("Options"));
    app.group(Tr("Subcommands"));
    app.set_help_flag("-h,--help", Tr("Print this help message and exit"));
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", Tr("Show the help of every subcommand"));
    app.set_version_flag("--version", GetVersionLine(), Tr("Show the product name, version and build"));
    AddWatchCommand(commandLine);
    AddDaysCommand(commandLine);
    AddExportCommand(commandLine);
    if (calendar) AddCalendarCommand(commandLine, calendar);
    // A subcommand makes its help flags before it takes the options' group name.
    for (CLI::App* subcommand : app.get_subcommands({})) {
        for (const char* help : {"--help", "--help-all"}) subcommand->get_option(help)->group(Tr("Options"));
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 2;
    }

    // The launch action's messages (--open) are one line each, as every other.
    SetMessageSink([](TMessageKind, const std::string& text) {
        std::cerr << "orvexp: " << text << (text.ends_with('\n') ? "" : "\n") << std::flush;
    });
    try {
        return commandLine.Run ? commandLine.Run() : 0;
    } catch (const EUsageError& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 2;
    } catch (const EFOpenError& e) {
        std::cerr << "orvexp: " << e.what() << (e.Error != 0 ? "。(" + msg::FailureCause(e) + ")" : "") << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "orvexp: " << e.what() << "\n";
        return 1;
    }
}

} // namespace orvexp

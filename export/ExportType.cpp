#include "export/ExportType.h"

#include <string>

namespace orvexp {

namespace {

struct TTypeFacts {
    bool Csv, Html, Ics, Schedules, Memos;
    const char* Name;
};

// One row per type, by number.
constexpr TTypeFacts kFacts[] = {
    {true, false, false, true, false, "csv-schedules"},  {true, false, false, false, true, "csv-memos"},
    {true, false, false, true, true, "csv-both"},        {false, true, false, true, false, "html-schedules"},
    {false, true, false, false, true, "html-memos"},     {false, true, false, true, true, "html-both"},
    {false, false, true, true, true, "ics"},
};
static_assert(std::size(kFacts) == std::size(kExportTypes));

const TTypeFacts* FactsOf(TExportType type)
{
    return type < std::size(kFacts) ? &kFacts[type] : nullptr;
}

} // namespace

std::optional<TExportType> ExportTypeOfNumber(int number)
{
    for (const TExportType type : kExportTypes) {
        if (number == type) return type;
    }
    return std::nullopt;
}

std::optional<TExportType> ExportTypeOfName(std::string_view text)
{
    for (const TExportType type : kExportTypes) {
        if (text == CommandLineName(type) || text == std::to_string(type)) return type;
    }
    return std::nullopt;
}

bool IsExportType(TExportType type) { return FactsOf(type) != nullptr; }
bool IsCsvType(TExportType type) { return FactsOf(type) && FactsOf(type)->Csv; }
bool IsHtmlType(TExportType type) { return FactsOf(type) && FactsOf(type)->Html; }
bool IsIcsType(TExportType type) { return FactsOf(type) && FactsOf(type)->Ics; }
bool HasSchedules(TExportType type) { return FactsOf(type) && FactsOf(type)->Schedules; }
bool HasMemos(TExportType type) { return FactsOf(type) && FactsOf(type)->Memos; }

const char* FileExtension(TExportType type)
{
    if (IsCsvType(type)) return ".csv";
    if (IsHtmlType(type)) return ".html";
    if (IsIcsType(type)) return ".ics";
    return "";
}

const char* CommandLineName(TExportType type)
{
    return FactsOf(type) ? FactsOf(type)->Name : "";
}

} // namespace orvexp

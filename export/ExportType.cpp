#include "export/ExportType.h"

#include <string>

namespace orvexp {

namespace {

struct TTypeFacts {
    bool Csv, Html, Schedules, Memos;
    const char* Name;
};

// One row per type, by number.
constexpr TTypeFacts kFacts[] = {
    {true, false, true, false, "csv-schedules"},   {true, false, false, true, "csv-memos"},
    {true, false, true, true, "csv-both"},         {false, true, true, false, "html-schedules"},
    {false, true, false, true, "html-memos"},      {false, true, true, true, "html-both"},
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
bool HasSchedules(TExportType type) { return FactsOf(type) && FactsOf(type)->Schedules; }
bool HasMemos(TExportType type) { return FactsOf(type) && FactsOf(type)->Memos; }

const char* FileExtension(TExportType type)
{
    if (IsCsvType(type)) return ".csv";
    if (IsHtmlType(type)) return ".html";
    return "";
}

const char* CommandLineName(TExportType type)
{
    return FactsOf(type) ? FactsOf(type)->Name : "";
}

} // namespace orvexp

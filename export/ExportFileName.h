#pragma once
// The output file name proposed for a range and export type.

#include <string>

#include "export/ExportType.h"
#include "platform/DateTime.h"

namespace orvexp {

// "yyyy年mm月dd日～yyyy年mm月dd日の予定.csv" and its kin, in UTF-8;
// "" for a value that names no type.
std::string DefaultExportFileName(TExportType exportType, TDateTime start, TDateTime end);

} // namespace orvexp

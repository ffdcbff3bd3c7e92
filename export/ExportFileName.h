#pragma once
// The output file name proposed for a range and export type.

#include <string>

#include "platform/DateTime.h"

namespace orvexp {

// "yyyy年mm月dd日～yyyy年mm月dd日の予定.csv" and its kin, in UTF-8;
// "" for a type outside 0..5.
std::string DefaultExportFileName(int exportType, TDateTime start, TDateTime end);

} // namespace orvexp

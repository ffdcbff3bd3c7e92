#pragma once
// Large Orvanel data folders for measuring exports at scale: ten years of
// memos (one on every day, about 300 bytes over several lines), schedule
// entries of mixed kinds (mostly fixed dates; some weekly, monthly, yearly and
// daily ones), and day files with 40 holiday items, 20 special days and 20 days off.

#include <string>

namespace orvexp::bench {

struct TLargeDataShape {
    int FirstYear = 2017;
    int Years = 10;
    int Entries = 10000;
};

// Writes schedule.dat, holidays.dat, spcldays.dat, daysoff.dat and Memo/ into
// `folder` (created when missing). The same shape always gives the same bytes.
void WriteLargeDataFolder(const std::string& folder, const TLargeDataShape& shape);

} // namespace orvexp::bench

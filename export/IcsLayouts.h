#pragma once
// The iCalendar export laid out for where people keep their calendars:
// - parts under a size (Google Calendar imports files up to 1 MB): NAME-1.ics,
//   NAME-2.ics …, each a whole calendar with whole events, in the single
//   file's order; imported one after the other they give its events;
// - a vdir (vdirsyncer's storage format, which khal reads): a folder with one
//   file per event, named after its UID, kept in step with the data.
// Both write through TAtomicFileWriter: every file is complete on disk before
// any is renamed, and a failure leaves the earlier files as they were.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/ExportRequest.h"
#include "export/ExportSources.h"
#include "platform/DateTime.h"

namespace orvexp {

// An event that alone makes a part larger than the size:
// "2026/12/08 のメモ (1234567 バイト) は 1 つのファイルの上限 1000000 バイトに収まりません。"
class EIcsEventTooLarge : public std::runtime_error {
public:
    EIcsEventTooLarge(const TDateParts& date, std::string_view what, std::size_t size, std::size_t limit);
};

// The largest file Google Calendar imports: the wizard's part size.
inline constexpr std::size_t kGoogleCalendarPartSize = 1000000;

// The path of part `number` (from 1) of `output`: "-<number>" before the
// extension of its name ("orvanel.ics" gives "orvanel-1.ics").
std::string IcsPartPath(const std::string& output, std::size_t number);

struct TIcsPartsResult {
    std::vector<std::string> Parts; // every part written, in order
    std::size_t Unchanged = 0;      // of them, those whose file held these bytes already (left alone)
    std::vector<std::string> Removed;   // parts of an earlier export with higher numbers
    std::vector<std::string> LeftAlone; // files named as such parts that this program did not write
};

// The request's calendar as parts of at most `partSize` bytes, as few as the
// size allows; request.OutputPath names the calendar. Raises EIcsEventTooLarge
// before anything is renamed, and what the writer and WriteIcsCalendar raise.
TIcsPartsResult ExportIcsParts(const TExportRequest& request, const TExportSources& sources, std::size_t partSize);

// A folder that holds something this program did not write there: nothing is changed.
class EVdirNotOurs : public std::runtime_error {
public:
    EVdirNotOurs(const std::string& folder, const std::string& name);
};

struct TIcsVdirResult {
    std::size_t Events = 0, Added = 0, Updated = 0, Deleted = 0;
};

// Keeps `folder` (made when missing) as a vdir of the request's calendar: one
// "<UID>.ics" per event, each a whole calendar with that event (and the time
// zone), and the metadata file "displayname" ("Orvanel"). A file whose bytes
// are unchanged is not touched; one whose event the export no longer has is
// deleted. A folder holding anything else (a .ics file that is not one of
// ours, another file or folder; our own .tmp leftovers are removed) is
// refused with EVdirNotOurs before anything is changed. A second export to
// the same folder waits until the first is done (`onWait` is called first).
TIcsVdirResult ExportIcsVdir(const TExportRequest& request, const TExportSources& sources, const std::string& folder,
                             const std::function<void()>& onWait = {});

} // namespace orvexp

#pragma once
// The time zones an iCalendar export may name: exactly the zones and links of
// the system's time zone database as its list (tzdata.zi) names them, so no
// path ("Asia/../../etc/localtime"), no "localtime" and no "right/..." zone
// can be read as one. The check and the writer ask the same function.

#include <stdexcept>
#include <string>

struct _icaltimezone;

namespace orvexp {

// A time zone name that names no zone the system's database lists.
class EIcsTimeZoneError : public std::runtime_error {
public:
    explicit EIcsTimeZoneError(const std::string& name);
};

// True for an IANA zone or link name the database lists ("Asia/Tokyo", "UTC", "Japan").
bool IsKnownIcsTimeZone(const std::string& name);

// libical's zone of a listed name; null for any other name (and for "").
_icaltimezone* FindIcsTimeZone(const std::string& name);

} // namespace orvexp

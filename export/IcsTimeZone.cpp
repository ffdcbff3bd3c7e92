#include "export/IcsTimeZone.h"

#include <libical/ical.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace orvexp {

namespace {

// "Z Asia/Tokyo 9:18:59 - LMT 1887 D 31 15u" and "L Asia/Tokyo Japan": the
// names of zones and links, read once from the folder libical reads its zones from.
const std::vector<std::string>& ListedZones()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> found;
        std::ifstream list(std::string(icaltzutil_get_zone_directory()) + "/tzdata.zi");
        std::string line;
        while (std::getline(list, line)) {
            std::istringstream fields(line);
            std::string kind, first, second;
            fields >> kind >> first >> second;
            if (kind == "Z") found.push_back(first);
            if (kind == "L" && !second.empty()) found.push_back(second);
        }
        std::sort(found.begin(), found.end());
        return found;
    }();
    return names;
}

} // namespace

EIcsTimeZoneError::EIcsTimeZoneError(const std::string& name)
    : std::runtime_error("タイムゾーン " + name + " が見つかりません")
{
}

bool IsKnownIcsTimeZone(const std::string& name)
{
    return FindIcsTimeZone(name) != nullptr;
}

icaltimezone* FindIcsTimeZone(const std::string& name)
{
    const std::vector<std::string>& zones = ListedZones();
    if (name.empty() || !std::binary_search(zones.begin(), zones.end(), name)) return nullptr;
    return icaltimezone_get_builtin_timezone(name.c_str());
}

} // namespace orvexp

#pragma once
// One property as libical serialises it: its line(s), folded, ended by CR LF.

#include <string>

struct icalproperty_impl;

namespace orvexp {

void AppendIcsProperty(std::string& out, icalproperty_impl* property);

} // namespace orvexp

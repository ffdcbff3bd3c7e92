#pragma once
// The command line's word about an input that is there but could not be read,
// or only in part (a day file cut short, a memo file without permission): the
// command goes on with what it could read and says so on standard error.

#include <vector>

#include "platform/FileSystem.h"

namespace orvexp {

// "orvexp: warning: <text>" on standard error, one line each.
void PrintInputProblems(const std::vector<TInputProblem>& problems);

} // namespace orvexp

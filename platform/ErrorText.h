#pragma once
// The cause of a failed system call as the user reads it: in Japanese for the
// failures people meet when files are read and written (a full disk, a
// refused permission, a missing folder), the system's own text otherwise.

#include <string>

namespace orvexp {

std::string ErrorText(int error);

} // namespace orvexp

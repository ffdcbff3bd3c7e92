#pragma once
// The windows (the wizard and the calendar) live in a program of their own,
// orvexp-window beside orvexp, so that the command line starts without loading Qt.

namespace orvexp {

inline constexpr char kWindowProgramName[] = "orvexp-window";

// Replaces this process by the window program with the same arguments. Returns
// only when it cannot be started, after one line on standard error naming it: 1.
int ExecWindowProgram(char** argv);

} // namespace orvexp

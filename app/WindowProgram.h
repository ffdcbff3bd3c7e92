#pragma once
// The windows (the wizard and the calendar) live in a program of their own,
// orvexp-window beside orvexp, so that the command line starts without loading Qt.

namespace orvexp {

inline constexpr char kWindowProgramName[] = "orvexp-window";

// Whether a window can be shown at all: a display is named (DISPLAY,
// WAYLAND_DISPLAY) or a Qt platform is chosen (QT_QPA_PLATFORM).
bool HaveDisplay();

// The one line shown instead of a window when there is no display: it says
// how to export from the command line instead.
inline constexpr char kNoDisplayLine[] =
    "orvexp: no display to open the wizard on (DISPLAY is not set); to export without a window, "
    "use the command line: orvexp export --help";

// Replaces this process by the window program with the same arguments. Returns
// only when it cannot be started, after one line on standard error naming it: 1.
int ExecWindowProgram(char** argv);

} // namespace orvexp

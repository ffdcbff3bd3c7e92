#pragma once
// Starts the wizard window and runs until it closes.

namespace orvexp {

// Creates the application and the wizard on Global; returns the exit code.
int RunWizard(int argc, char** argv);

} // namespace orvexp

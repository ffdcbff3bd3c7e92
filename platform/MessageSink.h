#pragma once
// Where the program's own messages go: a message box in the wizard, standard
// output in `orvexp watch`, standard error otherwise. The core calls ShowMessage
// and never knows which one it is.

#include <functional>
#include <string>

namespace orvexp {

enum TMessageKind { mkInformation, mkError };

// Receives one message in UTF-8; returns when the user has seen it (a modal box
// returns when it is closed).
using TMessageSink = std::function<void(TMessageKind, const std::string& utf8Text)>;

// Installs `sink` for all later messages; an empty sink restores the default
// (one message per line on standard error).
void SetMessageSink(TMessageSink sink);

// Passes the message to the installed sink.
void ShowMessage(TMessageKind kind, const std::string& utf8Text);

} // namespace orvexp

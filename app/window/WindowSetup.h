#pragma once
// What every window of orvexp-window shares: the application's name, Qt's own
// texts in Japanese, the program's icon and a place inside the screen.

#include <QSize>

class QApplication;
class QIcon;
class QWidget;

namespace orvexp {

// Names the application orvexp however it was started, makes Qt's dialogs
// speak Japanese and puts the program's icon on every window and box.
void SetUpWindowApplication(QApplication& application);

// The installed theme icon "orvexp", else the built-in title-band picture.
QIcon ProgramIcon();

// Sizes `window` to `wanted`, smaller where the screen's available area is
// (its frame included), and centres it there.
void PlaceOnScreen(QWidget& window, QSize wanted);

} // namespace orvexp

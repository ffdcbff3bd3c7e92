#include "app/window/WindowSetup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include "app/window/QtJapanese.h"

namespace orvexp {

namespace {

// Room for the window manager's frame and title bar, which are not known
// before the window is first shown.
constexpr QSize kFrameAllowance(16, 40);

} // namespace

void SetUpWindowApplication(QApplication& application)
{
    // No display name: on X11 Qt would append it to every window title.
    QApplication::setApplicationName("orvexp");
    UseJapaneseForQt(application);
    QApplication::setWindowIcon(ProgramIcon());
}

QIcon ProgramIcon()
{
    return QIcon::fromTheme(QStringLiteral("orvexp"), QIcon(QStringLiteral(":/window/title.xpm")));
}

void PlaceOnScreen(QWidget& window, QSize wanted)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(wanted);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size = wanted.boundedTo(available.size() - kFrameAllowance);
    window.setMinimumSize(window.minimumSize().boundedTo(size));
    window.resize(size);
    window.move(available.center() - QPoint(size.width() + kFrameAllowance.width(),
                                            size.height() + kFrameAllowance.height()) / 2);
}

} // namespace orvexp

// The wizard's boxes in a real X window (Xvfb, the xcb platform, no window
// manager): the titles the X server holds are exactly the wizard's, which the
// offscreen platform cannot show. Qt appends the application's display name
// to window titles on X11, so a box titled 情報 could read
// "情報 — Orvanel エクスポートウィザード".

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/global.h"
#include "app/wizard/MainForm.h"
#include "tests/app/WizardFixtures.h"

extern char** environ;

namespace orvexp {
namespace {

// An X server of the test's own on a free display, ended with the test.
class TXvfb {
public:
    TXvfb()
    {
        int fds[2];
        if (::pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        std::string program = "Xvfb";
        std::string displayFd = "-displayfd";
        std::string screen = "-screen";
        std::string zero = "0";
        std::string size = "1024x768x24";
        std::string noListen = "-nolisten";
        std::string tcp = "tcp";
        std::string fdText = fd;
        char* argv[] = {program.data(), displayFd.data(), fdText.data(), screen.data(), zero.data(),
                        size.data(),    noListen.data(),  tcp.data(),    nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&Pid, "Xvfb", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (spawned != 0) {
            Pid = 0;
            ::close(fds[0]);
            return;
        }
        char number[16] = {};
        std::size_t got = 0;
        while (got < sizeof number - 1) {
            const ssize_t n = ::read(fds[0], number + got, 1);
            if (n <= 0 || number[got] == '\n') break;
            ++got;
        }
        ::close(fds[0]);
        number[got] = '\0';
        if (got > 0) Display = std::string(":").append(number);
    }
    ~TXvfb()
    {
        if (Pid <= 0) return;
        ::kill(Pid, SIGTERM);
        int status = 0;
        ::waitpid(Pid, &status, 0);
    }
    TXvfb(const TXvfb&) = delete;
    TXvfb& operator=(const TXvfb&) = delete;

    std::string Display; // empty: no server
private:
    pid_t Pid = 0;
};

// The UTF-8 title the X server holds for a window (_NET_WM_NAME, as window
// managers and task bars show it).
QString XWindowTitle(const QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return QStringLiteral("(not on X11)");
    xcb_connection_t* connection = x11->connection();
    const auto atom = [connection](const char* name) {
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const xcb_atom_t name = atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = atom("UTF8_STRING");
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), name, utf8, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

class TWizardX11Test : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TTempFolder> Temp;
    std::unique_ptr<TfrmMain> Form;

    // Runs `open` and, once its modal box is shown in X, records the box's X
    // title and presses its first button.
    QString TitleOfTheBoxOpenedBy(const std::function<void()>& open)
    {
        QString title = QStringLiteral("(no box)");
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->windowHandle() || !box->windowHandle()->isExposed()) return;
            poll.stop();
            title = XWindowTitle(*box);
            box->buttons().first()->click();
        });
        poll.start();
        open();
        return title;
    }

private slots:
    void init()
    {
        Temp = std::make_unique<test::TTempFolder>();
        State = TGlobal();
        State.VersionInfo = std::make_unique<TVersionInfo>(ThisProgramVersionResource());
        Form = std::make_unique<TfrmMain>(State);
        Form->Logic().SettingsPath = Temp->Path + "orvexp.ini";
        Form->Logic().DefaultFolder = Temp->Path;
        Form->Logic().OnLaunch = [](const TShellExecute&) {};
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    }

    void cleanup()
    {
        Form.reset();
        Temp.reset();
    }

    void titlesAreExactlyTheWizards()
    {
        QCOMPARE(XWindowTitle(*Form), QStringLiteral("Orvanel エクスポートウィザード"));

        // Page 2 with an empty field: the information box.
        QTest::mouseClick(Form->btnNext, Qt::LeftButton);
        QCOMPARE(Form->Notebook1->currentIndex(), 1);
        Form->edtDataFilePath->clear();
        QCOMPARE(TitleOfTheBoxOpenedBy([this] { QTest::mouseClick(Form->btnNext, Qt::LeftButton); }),
                 QStringLiteral("情報"));

        // The overwrite question.
        QCOMPARE(TitleOfTheBoxOpenedBy([this] { Form->AskConfirmation("x"); }), QStringLiteral("確認"));

        // The general error display carries the application's title, once.
        QCOMPARE(TitleOfTheBoxOpenedBy([this] { Form->ShowError("ファイル /x を作成できません"); }),
                 QStringLiteral("Orvanel エクスポートウィザード"));
    }

private:
    TGlobal State;
};

} // namespace
} // namespace orvexp

// Starts an X server of its own and runs on it with the xcb platform; without
// Xvfb the test is skipped (exit code 77).
int main(int argc, char** argv)
{
    orvexp::TXvfb server;
    if (server.Display.empty()) {
        std::fprintf(stderr, "Xvfb cannot be started: skipped\n");
        return 77;
    }
    ::setenv("DISPLAY", server.Display.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    int status = 0;
    {
        QApplication application(argc, argv);
        QApplication::setApplicationName("orvexp");
        orvexp::TWizardX11Test test;
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "WizardX11Test.moc"

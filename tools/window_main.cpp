// The application: one window, as it was left, or with a puzzle from the command line if one
// is given. A puzzle, file or line that cannot be opened leaves the board empty and is told on
// standard error and in a message box.
#include "tools/command_line.h"
#include "view/main_window.h"
#include "view/state_keeper.h"
#include "view/window_settings.h"

#include <QApplication>
#include <QSettings>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// Qt aborts with a long diagnostic when it finds no display; say it in one line instead.
bool DisplayMissing()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto unset = [](const char *name) {
        const char *value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// SIGTERM and SIGINT close the window as its close button does, so that the game is kept: the
// handler only writes a byte, which the event loop reads.
int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(SignalPipe[0], &byte, 1);
}

void CloseOnSignals(QWidget &window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(SignalPipe[1], &byte, 1);
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

// The saved game: put back when no puzzle is given, kept as the backup when one is; none at all
// with --fresh.
std::unique_ptr<quorix::qt::StateKeeper> KeepTheGame(quorix::qt::MainWindow &window,
                                                     const quorix::AppRequest &request)
{
    if (request.Fresh)
        return nullptr;
    auto keeper =
        std::make_unique<quorix::qt::StateKeeper>(window, quorix::qt::StateKeeper::DefaultFolder());
    // Anything named on the command line (a puzzle, a file, a saved game, or what cannot be
    // opened) takes the place of the game, which is kept as the backup.
    const bool given = request.What == quorix::AppRequest::Kind::Error || !request.Text.empty()
                       || !request.File.empty();
    if (given)
        keeper->KeepAsBackup();
    else
        keeper->Resume();
    // Logging out asks the program to keep its data before the session ends.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [kept = keeper.get()] { kept->Flush(); });
    return keeper;
}

} // namespace

int main(int argc, char *argv[])
{
    const quorix::AppRequest request =
        quorix::ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.What) {
    case quorix::AppRequest::Kind::Help:
    case quorix::AppRequest::Kind::Version:
        std::fputs(request.Text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    case quorix::AppRequest::Kind::Error:
        std::fprintf(stderr, "quorix: %s\n", request.Text.c_str());
        if (!request.OpenEmpty)
            return 2;
        break;
    case quorix::AppRequest::Kind::Open:
        break;
    }
    if (DisplayMissing()) {
        std::fputs("quorix: no display found; run it under a virtual display: xvfb-run -a quorix\n",
                   stderr);
        return 1;
    }
    // Qt reads options of its own (-platform and the like); ours are read above.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // Ties the window to its desktop entry and icon, also on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelb.Quorix"));
    QSettings settings(QStringLiteral("Kelb"), QStringLiteral("Quorix Solver"));
    quorix::qt::MainWindow window;
    // The digits on the candidates are off unless asked for, and stay as last chosen.
    const bool digits = request.CandidateDigits.value_or(
        settings.value(QStringLiteral("candidateDigits"), false).toBool());
    window.SetCandidateDigits(digits);
    settings.setValue(QStringLiteral("candidateDigits"), digits);
    window.OnCandidateDigitsChanged = [&settings](bool shown) {
        settings.setValue(QStringLiteral("candidateDigits"), shown);
    };
    const std::unique_ptr<quorix::qt::StateKeeper> keeper = KeepTheGame(window, request);
    if (request.What == quorix::AppRequest::Kind::Error)
        window.TellCannotOpen(QString::fromStdString(request.Text));
    else if (!request.File.empty())
        window.OpenFile(QString::fromStdString(request.File), request.Line);
    else if (!request.Text.empty())
        window.PasteText(QString::fromStdString(request.Text));
    if (keeper)
        keeper->RepeatLockNotice();
    CloseOnSignals(window);
    // The window comes back at the size it was closed at.
    quorix::qt::RestoreWindowSize(settings, window);
    window.show();
    const int status = QApplication::exec();
    quorix::qt::RememberWindowSize(settings, window);
    if (keeper)
        keeper->Flush();
    // What was asked could not be done, however the window was used.
    if (request.What == quorix::AppRequest::Kind::Error && status == 0)
        return 2;
    return status;
}

// The application: one window, with a puzzle from the command line if one is given. A puzzle,
// file or line that cannot be opened leaves the board empty and is told on standard error and
// in a message box.
#include "tools/command_line.h"
#include "view/main_window.h"
#include "view/window_settings.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <string>
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
    if (request.What == quorix::AppRequest::Kind::Error)
        window.TellCannotOpen(QString::fromStdString(request.Text));
    else if (!request.Text.empty())
        window.PasteText(QString::fromStdString(request.Text));
    // The window comes back at the size it was closed at.
    quorix::qt::RestoreWindowSize(settings, window);
    window.show();
    const int status = QApplication::exec();
    quorix::qt::RememberWindowSize(settings, window);
    // What was asked could not be done, however the window was used.
    if (request.What == quorix::AppRequest::Kind::Error && status == 0)
        return 2;
    return status;
}

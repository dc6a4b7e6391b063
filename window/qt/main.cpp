// The application: one window, no command line.
#include "window/qt/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
    if (DisplayMissing()) {
        std::fputs("quorix: no display found; run it under a virtual display: xvfb-run -a quorix\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    quorix::qt::MainWindow window;
    window.show();
    return QApplication::exec();
}

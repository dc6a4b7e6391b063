#include "window/qt/qt_platform.h"

#include "window/qt/main_window.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace quorix::qt {

namespace {
// About one frame at 60 Hz: mirroring more often during a long run shows nothing more.
constexpr qint64 MirrorIntervalMs = 16;
} // namespace

QtPlatform::QtPlatform(MainWindow &window) : Window(window) {}

void QtPlatform::MessageBox(std::string_view text)
{
    if (OnMessageBox) {
        OnMessageBox(text);
        return;
    }
    Window.Mirror();
    QMessageBox box(QMessageBox::NoIcon, Window.windowTitle(),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, &Window);
    box.exec();
}

void QtPlatform::DoEvents()
{
    ++Yields;
    QCoreApplication::processEvents();
    if (OnDoEvents)
        OnDoEvents();
    if (!SinceMirror.isValid() || SinceMirror.elapsed() >= MirrorIntervalMs) {
        Window.Mirror();
        SinceMirror.restart();
    }
}

void QtPlatform::SendTab()
{
    // Deferred so that the focus moves after the key press has been handled, and only among
    // the widgets as the handler left them.
    QTimer::singleShot(0, &Window, [this] { Window.MoveFocusOn(); });
}

} // namespace quorix::qt

// The window at any size: the layout drawn at the scale that fits, the zoom keys, and the size
// kept between runs.
#include "view/main_window.h"
#include "view/window_settings.h"

#include <QResizeEvent>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace quorix::qt {

namespace {

// The zoom keys step the layout's scale by this much, between the smallest the window allows
// and as large as the screen holds. A scale this close to a step counts as on it: a window
// size in whole pixels gives a step's scale only to within a pixel.
constexpr double ZoomStep = 0.25;
constexpr double SmallestZoom = 0.5;
constexpr double OnStep = 0.02;

const QString WindowGeometryKey = QStringLiteral("windowGeometry");

} // namespace

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const LayoutScale fitting = LayoutScale::Fitting(size());
    if (fitting == Layout)
        return;
    Layout = fitting;
    if (News == nullptr)
        return; // the first mirror places the widgets
    // Every widget is placed and sized anew; what the store says is unchanged, so nothing is
    // announced.
    MirrorLook(true);
    update();
}

void MainWindow::ZoomIn()
{
    ZoomTo((std::floor(Layout.Factor() / ZoomStep + OnStep) + 1) * ZoomStep);
}

void MainWindow::ZoomOut()
{
    ZoomTo(std::max(SmallestZoom, (std::ceil(Layout.Factor() / ZoomStep - OnStep) - 1) * ZoomStep));
}

void MainWindow::ZoomToDefault()
{
    ZoomTo(1.0);
}

void MainWindow::ZoomTo(double factor)
{
    if (isMaximized() || isFullScreen())
        showNormal();
    QSize wanted(qRound(DesignSize.width() * factor), qRound(DesignSize.height() * factor));
    if (const QScreen *shownOn = screen()) {
        // The frame the window system draws round the window takes its share of the screen.
        const QSize room = shownOn->availableGeometry().size() - (frameGeometry().size() - size());
        const double fits = std::min(double(room.width()) / DesignSize.width(),
                                     double(room.height()) / DesignSize.height());
        if (fits > 0 && fits < factor)
            wanted = QSize(static_cast<int>(DesignSize.width() * fits),
                           static_cast<int>(DesignSize.height() * fits));
    }
    resize(wanted.expandedTo(minimumSize()));
}

void RestoreWindowSize(const QSettings &settings, QWidget &window)
{
    const QByteArray kept = settings.value(WindowGeometryKey).toByteArray();
    if (!kept.isEmpty())
        window.restoreGeometry(kept);
}

void RememberWindowSize(QSettings &settings, const QWidget &window)
{
    settings.setValue(WindowGeometryKey, window.saveGeometry());
}

} // namespace quorix::qt

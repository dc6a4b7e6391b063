#include "view/qt_platform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace quorix::qt {

namespace {
// The window system is asked for input at most this often. Asking costs a system call or
// two, which at every cycle of a long run would add a good share to it, while no user
// can tell a click handled a millisecond later.
constexpr qint64 PollIntervalNs = 1'000'000;
// About one frame at 60 Hz: mirroring more often during a long run shows nothing more.
constexpr qint64 MinFrameIntervalNs = 16'000'000;
// A frame that changed many widgets costs a few milliseconds to mirror and paint; frames
// are spaced so that drawing takes about this share of a run at most ...
constexpr qint64 FrameCostShare = 100;
// ... but never further apart than this, so that a long run still visibly moves on.
constexpr qint64 MaxFrameIntervalNs = 500'000'000;
} // namespace

QtPlatform::QtPlatform(PlatformWindow &window) : Window(window) {}

void QtPlatform::MessageBox(std::string_view text)
{
    if (OnMessageBox) {
        OnMessageBox(text);
        return;
    }
    Window.Mirror();
    QWidget &parent = Window.AsWidget();
    QMessageBox box(QMessageBox::NoIcon, parent.windowTitle(),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, &parent);
    box.exec();
}

const QtPlatform::YieldPlan &QtPlatform::PlanYield() const
{
    if (Next.Decided)
        return Next;
    if (!Clock.isValid())
        Clock.start();
    Next.Decided = true;
    Next.Start = Clock.nsecsElapsed();
    Next.Poll = Polls == 0 || Next.Start - LastPollNs >= PollIntervalNs;
    const qint64 spacing =
        std::clamp(FrameCostNs * FrameCostShare, MinFrameIntervalNs, MaxFrameIntervalNs);
    Next.Frame = Frames == 0 || Next.Start - LastFrameNs >= spacing;
    // Posted events (a repaint the latest mirror asked for, a click handed on) wait for the
    // next poll at most, unless a repaint is due or a hook may post them at every yield.
    Next.Touches =
        Next.Poll || Next.Frame || RepaintPending
        || (OnDoEvents && (!HookTouchesStateAtNextYield || HookTouchesStateAtNextYield()));
    return Next;
}

bool QtPlatform::YieldMayTouchState() const
{
    return PlanYield().Touches;
}

void QtPlatform::DoEvents()
{
    ++Yields;
    const YieldPlan plan = PlanYield();
    Next.Decided = false;
    if (!plan.Touches)
        return;
    // Timed from here: the loop may have worked between deciding and yielding.
    const qint64 start = Clock.nsecsElapsed();
    QCoreApplication::sendPostedEvents();
    if (plan.Poll) {
        QCoreApplication::processEvents();
        LastPollNs = start;
        ++Polls;
    }
    if (RepaintPending) {
        FrameCostNs += Clock.nsecsElapsed() - start;
        RepaintPending = false;
    }
    if (OnDoEvents)
        OnDoEvents();

    if (plan.Frame) {
        Window.Mirror();
        LastFrameNs = start;
        FrameCostNs = Clock.nsecsElapsed() - start;
        RepaintPending = true;
        ++Frames;
    }
    YieldNs += Clock.nsecsElapsed() - start;
}

void QtPlatform::SendTab()
{
    // Deferred so that the focus moves after the key press has been handled, and only among
    // the widgets as the handler left them.
    QTimer::singleShot(0, &Window.AsWidget(), [this] { Window.MoveFocusOn(); });
}

void QtPlatform::FocusSquare(int square)
{
    QTimer::singleShot(0, &Window.AsWidget(), [this, square] { Window.FocusSquareButton(square); });
}

int QtPlatform::FocusedSquare() const
{
    return Window.FocusedSquare();
}

} // namespace quorix::qt

// The platform calls of the window logic, carried out on the real Qt window.
#pragma once

#include "core/ground/platform.h"

#include <QElapsedTimer>

#include <functional>
#include <string_view>

class QWidget;

namespace quorix::qt {

// What the platform needs of the window it serves.
class PlatformWindow
{
public:
    // The window as a widget: the parent of the message box, the context of deferred calls.
    [[nodiscard]] virtual QWidget &AsWidget() = 0;
    // Brings the widgets in line with the store.
    virtual void Mirror() = 0;
    // The Tab keystroke: focus to the next visible, enabled control.
    virtual void MoveFocusOn() = 0;
    virtual void FocusSquareButton(int square) = 0;
    // The square whose button has the keyboard focus; -1 when the focus is elsewhere.
    [[nodiscard]] virtual int FocusedSquare() const = 0;

protected:
    ~PlatformWindow() = default;
};

class QtPlatform : public Platform
{
public:
    explicit QtPlatform(PlatformWindow &window);

    // A modal box with one OK button, parented to the window; when OnMessageBox is set it is
    // called instead (tools and tests that must not block on a dialog).
    void MessageBox(std::string_view text) override;
    // Asks the window system for new input at least every millisecond, runs every posted
    // event (deferred calls, repaints, clicks handed on by the window system or a test) to
    // completion then and whenever a repaint is due or the OnDoEvents hook is set, runs the
    // hook, and now and then shows the store on the widgets so that a long run shows its
    // progress: at most once a frame, and rarely enough that drawing takes no more than
    // about a hundredth of the run. Other yields do nothing.
    void DoEvents() override;
    // Whether the next yield does any of that (runs the hook only where
    // HookTouchesStateAtNextYield allows); decided here for DoEvents to follow.
    [[nodiscard]] bool YieldMayTouchState() const override;
    // Moves the focus on once the running handler has returned, as a Tab keystroke would.
    void SendTab() override;
    // Both once the running handler has returned, like SendTab.
    void FocusSquare(int square) override;
    [[nodiscard]] int FocusedSquare() const override;

    std::function<void()> OnDoEvents;
    // With OnDoEvents set, whether the next yield's hook may read or change the store (as
    // HeadlessPlatform's); unset, it may at every yield, which then runs the hook and every
    // posted event.
    std::function<bool()> HookTouchesStateAtNextYield;
    std::function<void(std::string_view)> OnMessageBox;
    long long Yields = 0;
    // Yields that asked the window system for input, and yields that mirrored the store.
    long long Polls = 0;
    long long Frames = 0;
    // Wall time spent inside DoEvents, hook included: what the window adds to a run.
    qint64 YieldNs = 0;

private:
    // What the next yield does, decided once for both YieldMayTouchState and DoEvents.
    struct YieldPlan
    {
        bool Decided = false;
        qint64 Start = 0;   // when it was decided
        bool Poll = false;  // ask the window system for input
        bool Frame = false; // mirror the store
        bool Touches = false;
    };
    const YieldPlan &PlanYield() const;

    PlatformWindow &Window;
    mutable QElapsedTimer Clock;
    mutable YieldPlan Next;
    qint64 LastPollNs = 0;
    qint64 LastFrameNs = 0;
    // What the latest frame cost: the mirror, then the repaint it caused (measured in the
    // yield after it).
    qint64 FrameCostNs = 0;
    bool RepaintPending = false;
};

} // namespace quorix::qt

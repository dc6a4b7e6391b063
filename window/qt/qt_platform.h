// The platform calls of the window logic, carried out on the real Qt window.
#pragma once

#include "window/platform.h"

#include <QElapsedTimer>

#include <functional>
#include <string_view>

namespace quorix::qt {

class MainWindow;

class QtPlatform : public Platform
{
public:
    explicit QtPlatform(MainWindow &window);

    // A modal box with one OK button, parented to the window; when OnMessageBox is set it is
    // called instead (tools and tests that must not block on a dialog).
    void MessageBox(std::string_view text) override;
    // Runs every posted event (deferred calls, repaints, clicks handed on by the window
    // system) to completion, asks the window system for new input at least every
    // millisecond, then runs the OnDoEvents hook, and now and then shows the store on the
    // widgets so that a long run shows its progress: at most once a frame, and rarely
    // enough that drawing takes no more than about a hundredth of the run.
    void DoEvents() override;
    // Moves the focus on once the running handler has returned, as a Tab keystroke would.
    void SendTab() override;
    // Both once the running handler has returned, like SendTab.
    void FocusSquare(int square) override;
    [[nodiscard]] int FocusedSquare() const override;

    std::function<void()> OnDoEvents;
    std::function<void(std::string_view)> OnMessageBox;
    long long Yields = 0;
    // Yields that asked the window system for input, and yields that mirrored the store.
    long long Polls = 0;
    long long Frames = 0;
    // Wall time spent inside DoEvents, hook included: what the window adds to a run.
    qint64 YieldNs = 0;

private:
    MainWindow &Window;
    QElapsedTimer Clock;
    qint64 LastPollNs = 0;
    qint64 LastFrameNs = 0;
    // What the latest frame cost: the mirror, then the repaint it caused (measured in the
    // yield after it).
    qint64 FrameCostNs = 0;
    bool RepaintPending = false;
};

} // namespace quorix::qt

// The few platform calls the logic makes besides reading and writing the control store.
#pragma once

#include "core/ground/controls.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

class Platform
{
public:
    virtual ~Platform() = default;
    // A modal box with one OK button; returns when the user has closed it.
    virtual void MessageBox(std::string_view text) = 0;
    // Lets every pending window event run to completion, nested in the caller.
    virtual void DoEvents() = 0;
    // Whether anything that DoEvents runs or draws next may read or change the window state;
    // false only where the platform knows that the next yield does nothing with it.
    [[nodiscard]] virtual bool YieldMayTouchState() const { return true; }
    // Moves the keyboard focus to the next visible, enabled control once the current handler
    // has returned.
    virtual void SendTab() = 0;
    // Moves the keyboard focus to square `square`'s button once the current handler has
    // returned.
    virtual void FocusSquare(int square) = 0;
    // The square whose button has the keyboard focus; -1 when the focus is elsewhere.
    [[nodiscard]] virtual int FocusedSquare() const = 0;
    // Called once by the window object with its control store, for platforms that need it.
    virtual void Attach(const ControlStore &) {}
};

// Platform for runs without a display: message boxes are recorded and answered at once, the
// yield runs an optional hook (how tests and the trace tool put events inside a running auto
// loop), and Tab keystrokes are counted. The focus is kept among the squares as the window
// would: it opens on square 0, and Tab moves it to the next visible, enabled square, or off the
// squares after the last.
class HeadlessPlatform : public Platform
{
public:
    std::vector<std::string> Messages;
    std::function<void(std::string_view)> OnMessageBox;
    std::function<void()> OnDoEvents;
    // With OnDoEvents set, whether the next yield's hook may read or change the window state;
    // unset, it may at every yield. Without OnDoEvents no yield does anything.
    std::function<bool()> HookTouchesStateAtNextYield;
    long long Yields = 0;
    int TabsSent = 0;

    void MessageBox(std::string_view text) override
    {
        Messages.emplace_back(text);
        if (OnMessageBox)
            OnMessageBox(text);
    }
    void DoEvents() override
    {
        ++Yields;
        if (OnDoEvents)
            OnDoEvents();
    }
    [[nodiscard]] bool YieldMayTouchState() const override
    {
        return OnDoEvents && (!HookTouchesStateAtNextYield || HookTouchesStateAtNextYield());
    }
    int Focus = 0;

    void SendTab() override
    {
        ++TabsSent;
        if (Focus >= 0 && Store != nullptr)
            Focus = NextFocusableSquare(*Store, Focus);
    }
    void FocusSquare(int square) override { Focus = square; }
    [[nodiscard]] int FocusedSquare() const override { return Focus; }
    void Attach(const ControlStore &store) override { Store = &store; }

private:
    const ControlStore *Store = nullptr;
};

} // namespace quorix

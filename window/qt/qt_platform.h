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
    // Runs every pending window event to completion, then the OnDoEvents hook, and shows the
    // store on the widgets at most once a frame so that a long run shows its progress.
    void DoEvents() override;
    // Moves the focus on once the running handler has returned, as a Tab keystroke would.
    void SendTab() override;

    std::function<void()> OnDoEvents;
    std::function<void(std::string_view)> OnMessageBox;
    long long Yields = 0;

private:
    MainWindow &Window;
    QElapsedTimer SinceMirror;
};

} // namespace quorix::qt

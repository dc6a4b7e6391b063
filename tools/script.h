// The trace script language: a headless driver of the window logic.
//
// A script is lines of commands (enter, click, square, key, number, strike, tick, at, show);
// after each command but `at` and `show` the runner prints `status [<text>]`. The same runner
// drives the real window in the screenshot tool, with `show` taking a picture instead.
#pragma once

#include "window/form1.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// The eleven-line state block printed by `show`.
std::string FormatState(const Form1 &form);

class ScriptRunner
{
public:
    ScriptRunner(Form1 &form, std::ostream &out);

    // Replaces what `show` does (default: print the state block).
    std::function<void()> OnShow;

    // Must be called from the platform's yield: runs the commands scheduled for this yield.
    void OnYield();
    // Must be called when the modal message box would open.
    void OnDialog(std::string_view text);

    // Runs one line. Returns false with a message in `error` for a line it cannot run.
    bool RunLine(std::string_view line, std::string &error);
    // Runs a whole script; returns 0, or 1 after printing the first error to `err`.
    int Run(std::istream &in, std::ostream &err);

private:
    bool RunCommand(std::string_view line, std::string &error, bool printStatus);

    Form1 &Form;
    std::ostream &Out;
    long long YieldsSeen = 0;
    std::multimap<long long, std::string> Scheduled;
};

} // namespace quorix

// The trace script language: a headless driver of the window logic.
//
// A script is lines of commands (enter, click, square, key, number, strike, tick, at, show, and
// for the additions paste, copy, undo, redo, focus, hint); after each command but `at`, `show`,
// `copy` and `focus` the runner prints `status [<text>]`. Every command runs as one step of
// the user's (Form1::AsUserStep). The same runner drives the real window in the screenshot
// tool, with `show` taking a picture instead.
#pragma once

#include "core/form/form1.h"
#include "tools/state_text.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace quorix {

// One command of a script, checked and parsed when its line is read.
struct ScriptCommand
{
    enum class Kind {
        Enter,
        Click,
        Square,
        Key,
        GridKey,
        Number,
        Strike,
        Tick,
        Show,
        At,
        Paste,
        Copy,
        CopyCandidates,
        Undo,
        Redo,
        Focus,
        Hint
    };
    Kind What = Kind::Tick;
    int Index = 0;       // the square, command button, digit button or candidate
    int Key = 0;         // the character a key press delivers, or the GridKey for GridKey
    long long Yield = 0; // for At: the yield, counted from when the line is read
    std::string Text;    // what `enter` types, what `paste` pastes
    std::shared_ptr<const ScriptCommand> Nested; // what At runs inside the yield
};

// Parses one command line (no comment, no blank line). Returns nullptr with a message in
// `error` when the line is no command of the language; bad input is quoted short and escaped.
std::shared_ptr<const ScriptCommand> ParseScriptCommand(std::string_view line, std::string &error);

class ScriptRunner
{
public:
    ScriptRunner(Form1 &form, std::ostream &out);

    // Replaces what `show` does (default: print the state block).
    std::function<void()> OnShow;

    // Must be called from the platform's yield: runs the commands scheduled for this yield.
    void OnYield();
    // Whether the next yield runs a command.
    [[nodiscard]] bool CommandsAtNextYield() const { return Scheduled.count(YieldsSeen + 1) != 0; }
    // Must be called when the modal message box would open.
    void OnDialog(std::string_view text);

    // Runs one line. Returns false with a message in `error` for a line it cannot run.
    bool RunLine(std::string_view line, std::string &error);
    // What Run returns.
    enum Outcome { Completed = 0, BadLine = 1, OutputFailed = 2, ReadFailed = 3 };
    // Runs a whole script, a UTF-8 byte-order mark at its start skipped, calling `afterLine`
    // (if set) after every line. Stops at the first line it cannot run, a line longer than
    // MaxPuzzleLineLength among them, printing the error to `err` as "line N: ..."; as soon as
    // the output can no longer be written; and when the script cannot be read on (a read
    // error, no line break within MaxUnbrokenLength characters), saying why on `err`.
    Outcome Run(std::istream &in, std::ostream &err, const std::function<void()> &afterLine = {});

private:
    void Execute(const ScriptCommand &command);
    // Hands a command that acts on the window to its handler.
    void Deliver(const ScriptCommand &command);

    Form1 &Form;
    std::ostream &Out;
    long long YieldsSeen = 0;
    std::multimap<long long, std::shared_ptr<const ScriptCommand>> Scheduled;
};

} // namespace quorix

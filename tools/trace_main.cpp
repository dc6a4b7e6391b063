// quorix-trace: runs a script on standard input against the window logic, without a display,
// and prints the trace on standard output. Exits 1 at the first line it cannot run, 2 when the
// input is no script (a directory, a read error, no line break within 1 MiB) or the trace
// cannot be written.
#include "tools/script.h"
#include "tools/tool_support.h"

#include <iostream>

int main()
{
    if (quorix::StandardInputIsDirectory()) {
        std::cerr << "quorix-trace: the standard input is a directory, not a script\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    quorix::HeadlessPlatform platform;
    quorix::Form1 form(platform);
    quorix::ScriptRunner runner(form, std::cout);
    platform.OnDoEvents = [&runner] { runner.OnYield(); };
    platform.HookTouchesStateAtNextYield = [&runner] { return runner.CommandsAtNextYield(); };
    platform.OnMessageBox = [&runner](std::string_view text) { runner.OnDialog(text); };
    form.Form_Load();
    // A trace cut short by an output error is never a success, whatever the script did.
    const auto outcome = runner.Run(std::cin, std::cerr);
    if (!quorix::FinishStandardOutput("quorix-trace")
        || outcome == quorix::ScriptRunner::ReadFailed)
        return 2;
    return outcome == quorix::ScriptRunner::Completed ? 0 : 1;
}

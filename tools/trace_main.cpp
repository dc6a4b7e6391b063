// quorix-trace: runs a script on standard input against the window logic, without a display,
// and prints the trace on standard output.
#include "tools/script.h"

#include <iostream>

int main()
{
    std::ios::sync_with_stdio(false);
    quorix::HeadlessPlatform platform;
    quorix::Form1 form(platform);
    quorix::ScriptRunner runner(form, std::cout);
    platform.OnDoEvents = [&runner] { runner.OnYield(); };
    platform.OnMessageBox = [&runner](std::string_view text) { runner.OnDialog(text); };
    form.Form_Load();
    const int rc = runner.Run(std::cin, std::cerr);
    std::cout.flush();
    return rc;
}

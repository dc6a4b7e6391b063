// quorix-shot [--digits] SCRIPT DIR: runs a trace script on the real window and writes
// DIR/001.png, DIR/002.png, ... of the whole window at every `show`; the trace goes to standard
// output. With --digits the candidates carry their digits.
// Exits 1 at the first line it cannot run, 2 when the script or the folder cannot be used (the
// script cannot be read to its end) or a picture or the trace cannot be written.
#include "tools/script.h"
#include "tools/tool_support.h"
#include "view/main_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

// Opens the script; false, after saying why, when it cannot be read.
bool OpenScript(const char *path, std::ifstream &script)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "quorix-shot: " << quorix::QuoteForMessage(path)
                  << " is a directory, not a script\n";
        return false;
    }
    script.open(path);
    if (!script) {
        std::cerr << "quorix-shot: cannot read " << quorix::QuoteForMessage(path) << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool digits = argc == 4 && std::string_view(argv[1]) == "--digits";
    if (argc != 3 && !digits) {
        std::cerr << "usage: quorix-shot [--digits] SCRIPT DIR\n";
        return 2;
    }
    const char *scriptPath = argv[argc - 2];
    const char *directoryPath = argv[argc - 1];
    std::ifstream script;
    if (!OpenScript(scriptPath, script))
        return 2;
    const QString directory = QString::fromLocal8Bit(directoryPath);
    if (!QDir().mkpath(directory)) {
        std::cerr << "quorix-shot: cannot create " << quorix::QuoteForMessage(directoryPath)
                  << '\n';
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    quorix::qt::MainWindow window;
    if (digits)
        window.SetCandidateDigits(true);
    quorix::ScriptRunner runner(window.Form(), std::cout);
    window.Host().OnDoEvents = [&runner] { runner.OnYield(); };
    window.Host().OnMessageBox = [&runner](std::string_view text) { runner.OnDialog(text); };

    int shots = 0;
    bool saved = true;
    runner.OnShow = [&] {
        window.Mirror();
        QApplication::processEvents();
        const QString name = QDir(directory).filePath(
            QStringLiteral("%1.png").arg(++shots, 3, 10, QLatin1Char('0')));
        if (!window.grab().toImage().save(name)) {
            std::cerr << "quorix-shot: cannot write " << name.toStdString() << '\n';
            saved = false;
        }
    };

    window.show();
    QApplication::processEvents();
    // Line by line, letting the window catch up after each, as it would between two inputs
    // of a user: focus moves sent by a key press happen before the next line runs.
    const auto outcome = runner.Run(script, std::cerr, [&window] {
        window.Mirror();
        QApplication::processEvents();
    });
    if (!quorix::FinishStandardOutput("quorix-shot") || !saved
        || outcome == quorix::ScriptRunner::ReadFailed)
        return 2;
    return outcome == quorix::ScriptRunner::Completed ? 0 : 1;
}

// quorix-shot SCRIPT DIR: runs a trace script on the real window and writes DIR/001.png,
// DIR/002.png, ... of the whole window at every `show`; the trace goes to standard output.
#include "tools/script.h"
#include "window/qt/main_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::cerr << "usage: quorix-shot SCRIPT DIR\n";
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "quorix-shot: cannot read " << argv[1] << '\n';
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(directory)) {
        std::cerr << "quorix-shot: cannot create " << argv[2] << '\n';
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    quorix::qt::MainWindow window;
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
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        std::string error;
        if (!runner.RunLine(line, error)) {
            std::cout.flush();
            std::cerr << "line " << number << ": " << error << '\n';
            return 1;
        }
        window.Mirror();
        QApplication::processEvents();
    }
    std::cout.flush();
    return saved ? 0 : 1;
}

// The window's files: a puzzle or a collection opened (Ctrl+O, a drop, the command line), the
// walk through a collection (Alt+Right and Alt+Left, Page Down and Page Up) with its place in
// the title bar, and the game saved to a file of the person's choosing (Ctrl+Shift+S), which
// Ctrl+O opens again.
#include "core/ground/status_texts.h"
#include "view/main_window.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QShortcut>

#include <fstream>

namespace quorix::qt {

namespace {


// Whether the file starts as a saved game does.
bool IsSavedGame(std::ifstream &file)
{
    char start[SavedGameMark.size()] = {};
    file.read(start, static_cast<std::streamsize>(sizeof start));
    const bool saved = file.gcount() == static_cast<std::streamsize>(sizeof start)
                       && std::string_view(start, sizeof start) == SavedGameMark;
    file.clear();
    file.seekg(0);
    return saved;
}

} // namespace

void MainWindow::MakeFileShortcuts()
{
    const auto bind = [this](QKeyCombination keys, auto action) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, action);
    };
    AskForFile = [this](bool saving) {
        const QString filter = QStringLiteral("Text files (*.txt);;All files (*)");
        return saving ? QFileDialog::getSaveFileName(this, QStringLiteral("Save the game"),
                                                     QStringLiteral("game.txt"), filter)
                      : QFileDialog::getOpenFileName(
                            this, QStringLiteral("Open a puzzle, a collection or a saved game"),
                            QString(), filter);
    };
    bind(Qt::CTRL | Qt::Key_O, [this] {
        if (const QString path = AskForFile(false); !path.isEmpty())
            OpenFile(path);
    });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_S, [this] {
        if (const QString path = AskForFile(true); !path.isEmpty())
            SaveGameTo(path);
    });
    bind(Qt::ALT | Qt::Key_Right, [this] { WalkCollection(1); });
    bind(Qt::Key_PageDown, [this] { WalkCollection(1); });
    bind(Qt::ALT | Qt::Key_Left, [this] { WalkCollection(-1); });
    bind(Qt::Key_PageUp, [this] { WalkCollection(-1); });
}

void MainWindow::OpenFile(const QString &path, int line)
{
    std::ifstream file(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (file && IsSavedGame(file)) {
        OpenSavedGame(path);
        return;
    }
    // The core reads the file within its bounds, and says why when it cannot be opened.
    Dispatch([&] { TheForm.OpenFile(file, QFileInfo(path).fileName().toStdString(), line); });
}

void MainWindow::OpenSavedGame(const QString &path)
{
    std::string reason;
    QFile file(path);
    if (TheForm.Dispatch().AutoDepth > 0)
        reason = "Auto is running";
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString().toStdString();
    else if (file.size() > static_cast<qint64>(MaxSavedGameSize))
        reason = "the file is too large";
    if (reason.empty()) {
        const QByteArray text = file.readAll();
        SavedGame game{TheForm.State(), {}, {}};
        if (ReadSavedGame(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                          game, reason))
            TheForm.Resume(std::move(game));
    }
    if (!reason.empty())
        TheForm.Tell(std::string(news::CannotOpenGame) + reason);
    Mirror();
    if (OnInput)
        OnInput();
}

bool MainWindow::SaveGameTo(const QString &path)
{
    const std::string text = TheForm.SaveGame();
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(text.data(), static_cast<qint64>(text.size()))
                                == static_cast<qint64>(text.size())
                         && file.commit();
    if (!written) {
        TheForm.Tell(std::string(news::CannotSaveGame) + file.errorString().toStdString());
        Mirror();
    }
    return written;
}

void MainWindow::WalkCollection(int step)
{
    const PuzzleCollection &collection = TheForm.Collection();
    if (collection.Empty()) {
        TheForm.Tell(news::NoCollection);
        Mirror();
        return;
    }
    const int index = collection.Position + step;
    if (index < 0 || index >= collection.Size()) {
        TheForm.Tell(step > 0 ? news::LastOfCollection : news::FirstOfCollection);
        Mirror();
        return;
    }
    Dispatch([&] { TheForm.ShowPuzzle(index); });
}

} // namespace quorix::qt

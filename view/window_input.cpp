// The window's input beyond the original controls: the grid keyboard, paste and copy through
// the clipboard and drag and drop, undo and redo.
#include "view/drawing.h"
#include "view/face_button.h"
#include "view/main_window.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

namespace quorix::qt {

namespace {

// A dropped file is read only this far: a puzzle, framed or with candidates, is far shorter.
constexpr qint64 MaxDroppedBytes = 64 * 1024;

// A dropped local file's text, or nothing when the drop holds none.
std::optional<QString> DroppedText(const QMimeData &data)
{
    if (data.hasUrls()) {
        for (const QUrl &url : data.urls()) {
            if (!url.isLocalFile())
                continue;
            QFile file(url.toLocalFile());
            if (!file.open(QIODevice::ReadOnly))
                return QString();
            return QString::fromUtf8(file.read(MaxDroppedBytes));
        }
    }
    if (data.hasText())
        return data.text();
    return std::nullopt;
}

} // namespace

void MainWindow::MakeShortcuts()
{
    const auto bind = [this](QKeyCombination keys, auto action) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, action);
    };
    bind(Qt::CTRL | Qt::Key_V, [this] { PasteFromClipboard(); });
    bind(Qt::SHIFT | Qt::Key_Insert, [this] { PasteFromClipboard(); });
    bind(Qt::CTRL | Qt::Key_C, [this] { CopyToClipboard(false); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_C, [this] { CopyToClipboard(true); });
    bind(Qt::CTRL | Qt::Key_Z, [this] { UndoStep(); });
    bind(Qt::CTRL | Qt::Key_Y, [this] { RedoStep(); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, [this] { RedoStep(); });
    bind(Qt::CTRL | Qt::Key_D, [this] {
        SetCandidateDigits(!DigitsShown);
        if (OnCandidateDigitsChanged)
            OnCandidateDigitsChanged(DigitsShown);
    });
}

bool MainWindow::HandleGridKey(int square, int key)
{
    GridKey gridKey;
    switch (key) {
    case Qt::Key_Up:
        gridKey = GridKey::Up;
        break;
    case Qt::Key_Down:
        gridKey = GridKey::Down;
        break;
    case Qt::Key_Left:
        gridKey = GridKey::Left;
        break;
    case Qt::Key_Right:
        gridKey = GridKey::Right;
        break;
    case Qt::Key_Delete:
        gridKey = GridKey::Delete;
        break;
    case Qt::Key_Backspace:
        gridKey = GridKey::BackSpace;
        break;
    default:
        return false;
    }
    Dispatch([&] { TheForm.cmdSquare_KeyDown(square, gridKey); });
    return true;
}

void MainWindow::PasteText(const QString &text)
{
    const std::string bytes = text.toStdString();
    Dispatch([&] { TheForm.Paste(bytes); });
}

void MainWindow::PasteFromClipboard()
{
    PasteText(QGuiApplication::clipboard()->text());
}

void MainWindow::CopyToClipboard(bool candidates)
{
    const std::string text = candidates ? TheForm.CopyCandidates() : TheForm.CopyLine();
    QGuiApplication::clipboard()->setText(ToQString(text));
}

void MainWindow::UndoStep()
{
    TheForm.Undo();
    Mirror();
}

void MainWindow::RedoStep()
{
    TheForm.Redo();
    Mirror();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (const auto text = DroppedText(*event->mimeData())) {
        PasteText(*text);
        event->acceptProposedAction();
    }
}

} // namespace quorix::qt

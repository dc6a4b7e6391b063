// The window's input beyond the original controls: the grid keyboard, paste and copy through
// the clipboard and drag and drop, undo and redo.
#include "view/drawing.h"
#include "view/face_button.h"
#include "view/main_window.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include <optional>

namespace quorix::qt {

namespace {

// Return and Enter on a focused button do what Space does there: press it, and click it when
// the key comes up.
class ReturnAsSpace : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        QKeyEvent space(key->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                        key->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &space);
        return true;
    }
};

// The first local file a drop holds, if any.
std::optional<QString> DroppedFile(const QMimeData &data)
{
    if (!data.hasUrls())
        return std::nullopt;
    for (const QUrl &url : data.urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return std::nullopt;
}

} // namespace

void MainWindow::ClickMode(int index)
{
    const auto &props = TheForm.Controls().Modes[index];
    if (!props.Visible || !props.Enabled)
        return;
    if ((index == ModeAuto || index == ModeCheckUnique) && TheForm.Dispatch().AutoDepth == 0
        && BeforeAuto)
        BeforeAuto();
    Dispatch([&] { TheForm.cmdMode_Click(index); });
}

void MainWindow::MakeShortcuts()
{
    const auto bind = [this](QKeyCombination keys, auto action) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, action);
    };
    // A command key held down gives its command once, as one click does.
    for (int index = 0; index < ModeButtonCount; ++index) {
        if (Modes[index] == nullptr)
            continue;
        auto *shortcut = new QShortcut(ModeShortcut(index), this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [this, index] { ClickMode(index); });
    }
    auto *returnAsSpace = new ReturnAsSpace(this);
    for (QWidget *button : Modes) {
        if (button != nullptr)
            button->installEventFilter(returnAsSpace);
    }
    for (QWidget *button : Numbers)
        button->installEventFilter(returnAsSpace);
    for (QWidget *button : Candidates)
        button->installEventFilter(returnAsSpace);
    bind(Qt::CTRL | Qt::Key_V, [this] { PasteFromClipboard(); });
    bind(Qt::SHIFT | Qt::Key_Insert, [this] { PasteFromClipboard(); });
    bind(Qt::CTRL | Qt::Key_C, [this] { CopyToClipboard(false); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_C, [this] { CopyToClipboard(true); });
    bind(Qt::CTRL | Qt::Key_Z, [this] { UndoStep(); });
    bind(Qt::CTRL | Qt::Key_H, [this] { HintStep(); });
    bind(Qt::CTRL | Qt::Key_Y, [this] { RedoStep(); });
    bind(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, [this] { RedoStep(); });
    bind(Qt::CTRL | Qt::Key_D, [this] {
        SetCandidateDigits(!DigitsShown);
        if (OnCandidateDigitsChanged)
            OnCandidateDigitsChanged(DigitsShown);
    });
    // Plus is shifted on many keyboards, so the unshifted key beside it zooms in too.
    bind(Qt::CTRL | Qt::Key_Plus, [this] { ZoomIn(); });
    bind(Qt::CTRL | Qt::Key_Equal, [this] { ZoomIn(); });
    bind(Qt::CTRL | Qt::Key_Minus, [this] { ZoomOut(); });
    bind(Qt::CTRL | Qt::Key_0, [this] { ZoomToDefault(); });
}

void MainWindow::HintStep()
{
    Dispatch([this] { TheForm.Hint(); });
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

void MainWindow::TellCannotOpen(const QString &reason)
{
    // Deferred, so that the box stands over the window once it is shown.
    QTimer::singleShot(0, this, [this, reason] {
        HostPlatform.MessageBox(
            (QStringLiteral("The puzzle given cannot be opened:\n") + reason).toStdString());
    });
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
    FocusChangedSquare(TheForm.Undo());
}

void MainWindow::RedoStep()
{
    FocusChangedSquare(TheForm.Redo());
}

void MainWindow::FocusChangedSquare(int square)
{
    Mirror();
    if (OnInput)
        OnInput();
    // Where the button is hidden (an empty square in solving form) the focus stays put.
    if (square >= 0 && FocusableSquare(TheForm.Controls(), square))
        FocusSquareButton(square);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QMimeData &data = *event->mimeData();
    if (const auto path = DroppedFile(data)) {
        OpenFile(*path);
    } else if (data.hasText()) {
        PasteText(data.text());
    } else {
        return;
    }
    event->acceptProposedAction();
}

} // namespace quorix::qt

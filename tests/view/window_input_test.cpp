// The real window's input beyond the original controls: shortcuts, the clipboard, drag and
// drop, the keyboard on the grid, and the tooltips.
#include "core/operations/text/puzzle_text.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

namespace quorix::qt::testing {
namespace {

class WindowInputTest : public WindowTest
{
protected:
    [[nodiscard]] std::string Grid() { return GridText(Form().Board().Grid); }
    [[nodiscard]] int Focused() const { return Window->FocusedSquare(); }
    static void SetClipboard(std::string_view text)
    {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), text.size()));
    }
    static std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }

    // Drags `data` onto the window and drops it; returns whether the drop was taken.
    bool Drop(QMimeData &data)
    {
        const QPointF at(50, 50);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Window.get(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
};

TEST_F(WindowInputTest, PasteShortcutsReadTheClipboard)
{
    SetClipboard(Puzzle);
    Press(10, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid(), Puzzle);
    EXPECT_EQ(Status(), SetupText);
    EXPECT_EQ(Focused(), 0) << "ready to type over the first square";

    Click(Mode(ModeReset));
    SetClipboard("1234");
    Press(0, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Status(), "Cannot paste: 4 squares found where 81 are needed");
    EXPECT_EQ(Grid(), std::string(81, '.'));
}

TEST_F(WindowInputTest, CopyShortcutsFillTheClipboardAndPasteReadsThemBack)
{
    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    Click(Window->CandidateButton(2 * 9 + 0)); // square 3 keeps 2 and 4
    Press(0, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), Puzzle);
    Press(0, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const std::string grid = Clipboard();
    EXPECT_EQ(grid, Form().CopyCandidates());
    const auto candidates = Form().Controls().CandidateBits;

    Click(Mode(ModeReset));
    Press(0, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid(), Puzzle);
    EXPECT_EQ(Form().Controls().CandidateBits, candidates);
    EXPECT_TRUE(Window->CandidateButton(2 * 9 + 1)->isVisible());
    EXPECT_FALSE(Window->CandidateButton(2 * 9 + 0)->isVisible());
}

TEST_F(WindowInputTest, UndoAndRedoShortcuts)
{
    Type(4, '7');
    ASSERT_EQ(Form().Board().Grid[4], 6);
    Press(5, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form().Board().Grid[4], Empty);
    EXPECT_TRUE(Square(4)->text().isEmpty());
    Press(5, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Square(4)->text(), QStringLiteral("7"));
    Press(5, Qt::Key_Z, Qt::ControlModifier);
    Press(5, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Square(4)->text(), QStringLiteral("7"));
    Press(5, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Nothing to redo");
}

TEST_F(WindowInputTest, DroppedTextAndDroppedFilesArePasted)
{
    QMimeData text;
    text.setText(QString::fromUtf8(Puzzle.data(), Puzzle.size()));
    ASSERT_TRUE(Drop(text));
    EXPECT_EQ(Grid(), Puzzle);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("puzzle.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "# one puzzle\n"
        "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..\n");
    file.close();
    QMimeData url;
    url.setUrls({QUrl::fromLocalFile(file.fileName())});
    ASSERT_TRUE(Drop(url));
    EXPECT_EQ(Grid(), HardPuzzle);

    QMimeData nothing;
    nothing.setData(QStringLiteral("application/octet-stream"), "x");
    EXPECT_FALSE(Drop(nothing));
}

// A dropped file is read whole within its bounds, never cut short without a word.
TEST_F(WindowInputTest, ADroppedFileIsReadWholeOrRefusedWithTheReason)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto drop = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QMimeData url;
        url.setUrls({QUrl::fromLocalFile(file.fileName())});
        EXPECT_TRUE(Drop(url));
    };
    drop(QStringLiteral("late.txt"), "# after more than 64 KiB\n" + QByteArray(70000, '#') + "\n"
                                         + QByteArray(Puzzle.data(), Puzzle.size()) + "\n");
    EXPECT_EQ(Grid(), Puzzle);
    EXPECT_EQ(Status(), SetupText);

    drop(QStringLiteral("big.txt"), QByteArray(9 << 20, '\n'));
    EXPECT_EQ(Form().Controls().News(), "Cannot paste: the file is larger than 8 MiB");
    drop(QStringLiteral("long.txt"), "\n" + QByteArray(5000, '.') + "\n");
    EXPECT_EQ(Form().Controls().News(), "Cannot paste: line 2 is too long: 5000 characters");
    EXPECT_EQ(Grid(), Puzzle) << "a refused file changes nothing";

    QMimeData folderUrl;
    folderUrl.setUrls({QUrl::fromLocalFile(folder.path())});
    ASSERT_TRUE(Drop(folderUrl));
    EXPECT_EQ(Form().Controls().News(), "Cannot paste: the file cannot be read");
    // A device that never ends is read no further than a line may run.
    QMimeData device;
    device.setUrls({QUrl::fromLocalFile(QStringLiteral("/dev/zero"))});
    ASSERT_TRUE(Drop(device));
    EXPECT_EQ(Form().Controls().News(), "Cannot paste: line 1 has no line break within 1 MiB");
    EXPECT_EQ(Grid(), Puzzle);
}

TEST_F(WindowInputTest, ArrowsDeleteAndBackSpaceOnTheGrid)
{
    TypePuzzle(Puzzle);
    Press(40, Qt::Key_Up);
    EXPECT_EQ(Focused(), 31);
    Press(40, Qt::Key_Right);
    EXPECT_EQ(Focused(), 41);
    Press(8, Qt::Key_Right);
    EXPECT_EQ(Focused(), 8) << "the edge stops it";
    Press(13, Qt::Key_Delete);
    EXPECT_EQ(Form().Board().Grid[13], Empty);
    EXPECT_EQ(Focused(), 13);
    Press(14, Qt::Key_Backspace);
    EXPECT_EQ(Form().Board().Grid[14], Empty);
    EXPECT_EQ(Focused(), 13);

    Click(Mode(ModeStart));
    Press(31, Qt::Key_Up);
    EXPECT_EQ(Focused(), 4) << "hidden squares are passed over";
    Press(4, Qt::Key_Tab);
    EXPECT_EQ(Focused(), 9) << "Tab keeps its order over the visible squares";
}

TEST_F(WindowInputTest, ResetAndRestartPutTheFocusOnTheFirstSquare)
{
    TypePuzzle(Puzzle);
    ASSERT_EQ(Focused(), 80);
    Click(Mode(ModeReset));
    QCoreApplication::processEvents();
    EXPECT_EQ(Window->focusWidget(), Square(0));
    Type(0, '5');
    EXPECT_EQ(Form().Board().Grid[0], 4) << "the next puzzle can be typed at once";
    Click(Mode(ModeStart));
    Click(Mode(ModeRestart));
    QCoreApplication::processEvents();
    EXPECT_EQ(Window->focusWidget(), Square(0));
}

TEST_F(WindowInputTest, APuzzleThatCannotBeOpenedIsToldInAMessageBoxOverTheWindow)
{
    Window->TellCannotOpen(QStringLiteral("no such file: 'x.txt'"));
    EXPECT_TRUE(Dialogs.empty()) << "not before the window is up";
    QCoreApplication::processEvents();
    EXPECT_EQ(Dialogs, std::vector<std::string>{
                           "The puzzle given cannot be opened:\nno such file: 'x.txt'"});
    EXPECT_EQ(Grid(), std::string(81, '.'));
    EXPECT_EQ(Status(), SetupText);
}

TEST_F(WindowInputTest, ToolTipsSayWhatAClickDoes)
{
    EXPECT_EQ(Square(22)->toolTip(), QStringLiteral("Square 23: row 3, column 5"));
    EXPECT_EQ(Window->CandidateButton(22 * 9 + 6)->toolTip(),
              QStringLiteral("Strike candidate 7 from square 23"));
    EXPECT_EQ(Window->NumberButton(3)->toolTip(),
              QStringLiteral("Carry out the next deduction about 4"));
    for (const int index : {ModeStart, ModeCheck, ModeReset, ModeAuto, ModeRestart, ModeNext,
                            ModeCheckUnique, ModeSave, ModeRestore}) {
        EXPECT_FALSE(Mode(index)->toolTip().isEmpty()) << index;
        EXPECT_GT(Mode(index)->toolTipDuration(), 0) << "tooltips do not stay up for good";
    }
}

} // namespace
} // namespace quorix::qt::testing

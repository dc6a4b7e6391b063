// The window's files: collections walked with their keys and shown in the title bar, the game
// saved to a file and opened again, and the place in a collection kept across runs.
#include "view/state_keeper.h"
#include "window_fixture.h"

#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <bit>

namespace quorix::qt::testing {
namespace {

class WindowFilesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(Folder.isValid());
        Set = Folder.filePath(QStringLiteral("set.txt"));
        QFile file(Set);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("# three puzzles\n") + Puzzle.data() + "\n" + HardPuzzle.data()
                   + "\n\n" + HardestPuzzle.data() + "\n");
    }

    [[nodiscard]] std::string Grid() { return Form().CopyLine(); }
    // Answers the next question for a file with `path` (a cancelled dialog when empty), and
    // keeps whether it asked where to save.
    void AnswerFileDialog(const QString &path, bool &saving)
    {
        Window->AskForFile = [path, &saving](bool save) {
            saving = save;
            return path;
        };
    }
    [[nodiscard]] std::string Title() const { return Window->windowTitle().toStdString(); }

    QTemporaryDir Folder;
    QString Set;
};

TEST_F(WindowFilesTest, ADroppedCollectionIsWalkedWithItsKeysAndNamedInTheTitle)
{
    QMimeData url;
    url.setUrls({QUrl::fromLocalFile(Set)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &url, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Window.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &url, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Window.get(), &drop);
    EXPECT_EQ(Grid(), Puzzle);
    EXPECT_EQ(Title(), "set.txt: 1 of 3 - Kelb's Quorix Solver");

    Press(40, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Grid(), HardPuzzle);
    EXPECT_EQ(Title(), "set.txt: 2 of 3 - Kelb's Quorix Solver");
    Press(40, Qt::Key_PageDown);
    EXPECT_EQ(Grid(), HardestPuzzle);
    Press(40, Qt::Key_PageDown);
    EXPECT_EQ(Grid(), HardestPuzzle);
    EXPECT_EQ(Status(), "This is the last puzzle of the collection");
    Press(0, Qt::Key_PageUp);
    EXPECT_EQ(Title(), "set.txt: 2 of 3 - Kelb's Quorix Solver");
    Press(0, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Grid(), Puzzle);
    Press(0, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Status(), "This is the first puzzle of the collection");
    EXPECT_EQ(Grid(), Puzzle) << "the keys never reach a square";
    Press(0, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Grid(), HardPuzzle);
    EXPECT_EQ(Title(), "set.txt: 2 of 3 - Kelb's Quorix Solver") << "undo goes back a puzzle";
}

TEST_F(WindowFilesTest, WithoutACollectionTheKeysSaySoAndTheTitleIsTheWindows)
{
    Press(3, Qt::Key_PageDown);
    EXPECT_EQ(Status(), "No collection open: Ctrl+O opens a file of puzzles");
    EXPECT_EQ(Title(), "Kelb's Quorix Solver");
    Window->OpenFile(Set, 4); // a line with no puzzle: the first
    EXPECT_EQ(Grid(), Puzzle);
    Window->OpenFile(Set, 5);
    EXPECT_EQ(Title(), "set.txt: 3 of 3 - Kelb's Quorix Solver");
}

TEST_F(WindowFilesTest, ASavedGameFileOpensAsItWasSaved)
{
    Window->OpenFile(Set, 3);
    Click(Mode(ModeStart));
    Click(Window->CandidateButton(0 * 9 + 0));
    Click(Mode(ModeSave));
    const std::string candidates = Form().CopyCandidates();
    const QString path = Folder.filePath(QStringLiteral("game.txt"));
    ASSERT_TRUE(Window->SaveGameTo(path));
    EXPECT_FALSE(Window->SaveGameTo(Folder.filePath(QStringLiteral("none/game.txt"))));
    EXPECT_EQ(Status().rfind("Cannot save the game: ", 0), 0U);

    MainWindow other;
    other.OpenFile(path);
    EXPECT_EQ(other.Form().CopyCandidates(), candidates);
    EXPECT_EQ(other.windowTitle().toStdString(), "set.txt: 2 of 3 - Kelb's Quorix Solver");
    QFile cut(path);
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    other.OpenFile(path);
    EXPECT_EQ(other.NewsLabel()->text().toStdString().rfind("Cannot open the game: line ", 0), 0U);
    EXPECT_EQ(other.Form().CopyCandidates(), candidates) << "a damaged file changes nothing";
}

// The keys' file dialogs: Ctrl+O opens a collection, Ctrl+Shift+S saves the game where the
// dialog says, and Ctrl+O opens that again; a dialog cancelled changes nothing.
TEST_F(WindowFilesTest, TheFileDialogsOpenACollectionAndSaveAndReopenTheGame)
{
    bool saving = true;
    AnswerFileDialog(Set, saving);
    Press(2, Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(saving);
    EXPECT_EQ(Title(), "set.txt: 1 of 3 - Kelb's Quorix Solver");
    EXPECT_EQ(Grid(), Puzzle);

    Press(0, Qt::Key_PageDown);
    Click(Mode(ModeStart));
    // The lowest candidate of square 0, which the puzzle leaves empty.
    const int digit = std::countr_zero(Form().Controls().CandidateBits[0]);
    ASSERT_LT(digit, DigitCount);
    Click(Window->CandidateButton(0 * 9 + digit));
    const std::string candidates = Form().CopyCandidates();
    const QString game = Folder.filePath(QStringLiteral("my game.txt"));
    AnswerFileDialog(game, saving);
    Press(2, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(saving);
    QFile saved(game);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readLine().startsWith("quorix-state 1"));

    AnswerFileDialog(Set, saving);
    Press(2, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Grid(), Puzzle);
    AnswerFileDialog(QString(), saving);
    Press(2, Qt::Key_O, Qt::ControlModifier);
    Press(2, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Grid(), Puzzle) << "cancelled";
    AnswerFileDialog(game, saving);
    Press(2, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Form().CopyCandidates(), candidates);
    EXPECT_EQ(Title(), "set.txt: 2 of 3 - Kelb's Quorix Solver");
}

TEST_F(WindowFilesTest, TheSamePuzzleOfTheCollectionIsBackAfterARestart)
{
    QTemporaryDir state;
    auto keeper = std::make_unique<StateKeeper>(*Window, state.path());
    ASSERT_EQ(keeper->Resume(), StateKeeper::Opening::Fresh);
    Window->OpenFile(Set);
    Press(0, Qt::Key_PageDown);
    Window->close();
    keeper.reset();

    MainWindow next;
    StateKeeper again(next, state.path());
    ASSERT_EQ(again.Resume(), StateKeeper::Opening::Resumed);
    EXPECT_EQ(next.windowTitle().toStdString(), "set.txt: 2 of 3 - Kelb's Quorix Solver");
    EXPECT_EQ(next.Form().CopyLine(), HardPuzzle);
    next.WalkCollection(1);
    EXPECT_EQ(next.Form().CopyLine(), HardestPuzzle);
}

} // namespace
} // namespace quorix::qt::testing

// The person's work kept across runs: a window closed and a new one opened over the same
// folder (a temporary one: the person's own is never touched) show the same, and a file
// that cannot be read, a second window and Auto running at the close lose nothing.
#include "view/state_keeper.h"
#include "window_fixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace quorix::qt::testing {
namespace {

class WindowStateTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(Folder.isValid());
        Keeper = std::make_unique<StateKeeper>(*Window, Folder.path());
    }
    void TearDown() override
    {
        Keeper.reset();
        Window.reset();
    }

    // Closes the window as its close button does, and opens a new one over the same folder.
    StateKeeper::Opening Reopen()
    {
        Window->close();
        QCoreApplication::processEvents();
        Keeper.reset();
        Window = std::make_unique<MainWindow>();
        Window->Host().OnMessageBox = [this](std::string_view text) { Dialogs.emplace_back(text); };
        Window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        Keeper = std::make_unique<StateKeeper>(*Window, Folder.path());
        return Keeper->Resume();
    }

    // What a person can see and get back: the two copies, the status line, the history.
    std::string Seen()
    {
        return Form().CopyLine() + "\n" + Form().CopyCandidates() + "\n" + Status() + "\n"
               + std::to_string(Form().History().UndoSteps()) + " "
               + std::to_string(Form().History().RedoSteps());
    }

    QByteArray FileText() const
    {
        QFile file(Keeper->FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void PasteAndStart(std::string_view puzzle)
    {
        Window->PasteText(QString::fromUtf8(puzzle.data(), static_cast<int>(puzzle.size())));
        Click(Mode(ModeStart));
    }

    QTemporaryDir Folder;
    std::unique_ptr<StateKeeper> Keeper;
};

TEST_F(WindowStateTest, AClosedWindowComesBackAsItWasLeft)
{
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::Fresh);
    EXPECT_EQ(Status(), SetupText) << "the first start is the window's own start";
    PasteAndStart(Puzzle);
    Click(Window->CandidateButton(2 * 9 + 0));
    Click(Window->CandidateButton(2 * 9 + 3));
    Click(Mode(ModeSave));
    Click(Window->CandidateButton(3 * 9 + 1));
    Click(Mode(ModeNext));
    Press(0, Qt::Key_Z, Qt::ControlModifier);
    const std::string seen = Seen();

    ASSERT_EQ(Reopen(), StateKeeper::Opening::Resumed);
    EXPECT_EQ(Seen(), seen);
    EXPECT_TRUE(Window->CandidateButton(3 * 9 + 1)->isVisible()) << "the widgets follow";
    EXPECT_FALSE(Window->CandidateButton(2 * 9 + 0)->isVisible());
    Press(0, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(Window->CandidateButton(3 * 9 + 1)->isVisible()) << "the redo step came back";
    Click(Mode(ModeRestore));
    EXPECT_TRUE(Window->CandidateButton(3 * 9 + 1)->isVisible()) << "the board kept by Save";
    EXPECT_FALSE(Window->CandidateButton(2 * 9 + 3)->isVisible());
}

TEST_F(WindowStateTest, EveryChangeIsWrittenWithinASecondWithoutClosing)
{
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::Fresh);
    Type(4, '7');
    EXPECT_TRUE(FileText().isEmpty()) << "not at every key";
    QTest::qWait(StateKeeper::QuietMs + 300);
    EXPECT_TRUE(FileText().contains("\nsq 4 7 ")) << "written once the input is quiet";
    const std::string seen = Seen();
    // As if the program were killed: nothing more is written, and the new window reads it.
    Keeper->Abandon();
    ASSERT_EQ(Reopen(), StateKeeper::Opening::Resumed);
    EXPECT_EQ(Seen(), seen);
}

TEST_F(WindowStateTest, AnUnreadableFileIsSetAsideAndTheStartIsFresh)
{
    QDir().mkpath(Folder.path());
    const QByteArray bad = "quorix-state 1\npresent\nsq 0 - x\n";
    {
        QFile file(Keeper->FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bad);
    }
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::SetAside);
    EXPECT_EQ(Status().rfind("A fresh start: the saved game could not be read: line 3", 0), 0U)
        << Status();
    EXPECT_EQ(Form().CopyLine(), std::string(81, '.'));
    ASSERT_FALSE(Keeper->SetAsidePath().isEmpty());
    QFile kept(Keeper->SetAsidePath());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), bad) << "kept as it was";
    EXPECT_FALSE(QFile::exists(Keeper->FilePath()));
}

TEST_F(WindowStateTest, ASecondWindowNeitherResumesNorWritesOverTheFirst)
{
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::Fresh);
    PasteAndStart(Puzzle);
    Keeper->Flush();
    const QByteArray first = FileText();
    ASSERT_FALSE(first.isEmpty());

    MainWindow second;
    StateKeeper other(second, Folder.path());
    EXPECT_EQ(other.Resume(), StateKeeper::Opening::Locked);
    EXPECT_FALSE(other.Owns());
    EXPECT_EQ(second.NewsLabel()->text().toStdString(),
              "Another window keeps the saved game; this one saves nothing");
    EXPECT_EQ(second.Form().CopyLine(), std::string(81, '.'));
    second.PasteText(QString::fromUtf8(Puzzle.data(), static_cast<int>(Puzzle.size())));
    other.RepeatLockNotice();
    EXPECT_EQ(second.NewsLabel()->text().toStdString(),
              "Another window keeps the saved game; this one saves nothing")
        << "said again after a puzzle given on the command line";
    const std::string status = Status();
    Keeper->RepeatLockNotice();
    EXPECT_EQ(Status(), status) << "the window that keeps the game has nothing to say";
    other.Flush();
    second.close();
    EXPECT_EQ(FileText(), first);
}

TEST_F(WindowStateTest, APuzzleGivenInsteadKeepsTheGameAsOneBackup)
{
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::Fresh);
    PasteAndStart(Puzzle);
    Keeper->Flush();
    const QByteArray game = FileText();
    Window->close();
    Keeper.reset();

    for (int run = 0; run < 2; ++run) {
        MainWindow next;
        StateKeeper keeper(next, Folder.path());
        EXPECT_EQ(keeper.KeepAsBackup(),
                  run == 0 ? StateKeeper::Opening::BackedUp : StateKeeper::Opening::Fresh);
        QFile backup(keeper.BackupPath());
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), game) << "run " << run;
        EXPECT_FALSE(QFile::exists(keeper.FilePath()));
    }
}

TEST_F(WindowStateTest, ClosedDuringAutoItKeepsTheBoardAsAutoWasClicked)
{
    ASSERT_EQ(Keeper->Resume(), StateKeeper::Opening::Fresh);
    PasteAndStart(HardestPuzzle);
    Click(Window->CandidateButton(1 * 9 + 1));
    const std::string before = Seen();
    bool closed = false;
    AtYield(Window->Host().Yields + 5, [&] {
        Window->close();
        closed = true;
    });
    Click(Mode(ModeAuto));
    ASSERT_TRUE(closed);
    Window->Host().OnDoEvents = nullptr;
    QTest::qWait(StateKeeper::QuietMs + 200);
    ASSERT_EQ(Reopen(), StateKeeper::Opening::Resumed);
    EXPECT_EQ(Seen(), before);
}

} // namespace
} // namespace quorix::qt::testing

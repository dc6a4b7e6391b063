// Beyond the original window: pasting a puzzle, undo and redo, and the keyboard on the grid.
#include "test_support.h"
#include "tools/script.h"

#include <sstream>

namespace quorix::testing {
namespace {

class UserSteps : public FormTest
{
protected:
    // One input of the user's, as the window and the trace tool deliver it.
    template <typename Action> void Step(Action action) { Form.AsUserStep(action); }
    void ClickStep(ModeIndex index)
    {
        Step([&] { Form.cmdMode_Click(index); });
    }
    // What `show` prints, and the status line.
    std::string Seen() const { return FormatState(Form) + "status [" + News() + "]\n"; }
};

TEST_F(UserSteps, PasteLaysThePuzzleOutAsIfResetAndTyped)
{
    EnterAndStart(SolvedGrid);
    Click(ModeSave);
    Step([&] { Form.Paste(EasyPuzzle); });
    EXPECT_EQ(GridText(), EasyPuzzle);
    EXPECT_EQ(quorix::GridText(Form.Board().Givens), EasyPuzzle);
    EXPECT_EQ(News(), SetupText);
    for (int s = 0; s < 81; ++s)
        ASSERT_TRUE(SquareShown(s)) << "setup form, square " << s;
    EXPECT_EQ(Form.Controls().CandidateBits, decltype(Form.Controls().CandidateBits){});
    EXPECT_EQ(Platform.Focus, 0);
    EXPECT_EQ(quorix::GridText(Form.Snapshots().SaveSlot.Grid), SolvedGrid)
        << "the saved board stays";

    // Typed by hand, the same puzzle gives the same board.
    HeadlessPlatform other;
    Form1 typed(other);
    typed.Form_Load();
    typed.cmdMode_Click(ModeReset);
    TypePuzzle(typed, EasyPuzzle);
    EXPECT_EQ(FormatState(typed), FormatState(Form));
}

TEST_F(UserSteps, ACandidateGridIsStartedWithItsCandidates)
{
    // Every empty square listed with all nine candidates but square 2, with 2 and 4.
    std::string grid;
    for (int s = 0; s < 81; ++s) {
        const char c = EasyPuzzle[s];
        grid += c != '.' ? std::string(1, c) : s == 2 ? "24" : "123456789";
        grid += s % 9 == 8 ? "\n" : s % 3 == 2 ? " | " : " ";
    }
    Step([&] { Form.Paste(grid); });
    const auto pasted = Copy();
    EXPECT_EQ(News(), "") << "as Start leaves it";
    EXPECT_EQ(Candidates(2), "24");

    // As if typed, started, and the candidates the grid leaves out struck by hand.
    Click(ModeReset);
    EnterAndStart(EasyPuzzle);
    Form.cmdEle_Click(2 * 9 + 0);
    EXPECT_EQ(Copy(), pasted);
}

TEST_F(UserSteps, RefusedPasteChangesNothingButTheStatusLine)
{
    EnterAndStart(EasyPuzzle);
    Step([&] { Form.cmdEle_Click(2 * 9 + 0); });
    Click(ModeSave);
    const auto board = Copy();
    const auto givens = Form.Board().Givens;
    const auto steps = Form.History().UndoSteps();
    Step([&] { Form.Paste(std::string(EasyPuzzle).substr(0, 79)); });
    EXPECT_EQ(News(), "Cannot paste: 79 squares found where 81 are needed");
    EXPECT_EQ(Copy(), board);
    EXPECT_EQ(Form.Board().Givens, givens);
    EXPECT_EQ(Form.History().UndoSteps(), steps);
    Step([&] { Form.Paste(""); });
    EXPECT_EQ(News(), "Cannot paste: there is no text");
}

// The board of a candidate grid whose square 2 keeps only a 3 while square 1 is a 3: Start
// strikes it, and the square is left with none.
TEST_F(UserSteps, ASquareWithNoCandidateIsPastedAndNamed)
{
    std::string grid = "3 33";
    for (int s = 2; s < 81; ++s)
        grid += " 12";
    Step([&] { Form.Paste(grid); });
    EXPECT_EQ(News(), "Impossible.  No possibilities left for square 2");
    EXPECT_EQ(Candidates(1), "");
    const auto pasted = Copy();
    const std::string copied = Form.CopyCandidates();
    EXPECT_NE(copied.find("| 3  {} 12 |"), std::string::npos) << copied;

    Click(ModeReset);
    Step([&] { Form.Paste(copied); });
    EXPECT_EQ(Copy(), pasted);
    EXPECT_EQ(News(), "Impossible.  No possibilities left for square 2");
    EXPECT_EQ(Form.CopyCandidates(), copied);
    Step([&] { Form.Undo(); });
    EXPECT_EQ(GridText(), std::string(81, '.')) << "undo goes back to before the paste";

    // Every candidate of a square struck by hand: the same way back.
    Click(ModeReset);
    EnterAndStart(EasyPuzzle);
    for (const int digit : {0, 1, 3}) // square 3 keeps 1, 2 and 4
        Step([&] { Form.cmdEle_Click(2 * 9 + digit); });
    ASSERT_EQ(Candidates(2), "");
    const auto struck = Copy();
    const std::string text = Form.CopyCandidates();
    Click(ModeReset);
    Step([&] { Form.Paste(text); });
    EXPECT_EQ(Copy(), struck);
    EXPECT_EQ(News(), "Impossible.  No possibilities left for square 3");
}

// A file is read whole within bounds; one that cannot be a puzzle changes nothing and adds no
// step, like any refused paste.
TEST_F(UserSteps, AFileIsPastedWholeOrRefusedWithTheReason)
{
    const std::string comments(70000, '#');
    std::istringstream file("# a puzzle after more than 64 KiB\n" + comments + "\n  # indented\n"
                            + std::string(EasyPuzzle) + "\r\n");
    Step([&] { Form.PasteFile(file); });
    EXPECT_EQ(GridText(), EasyPuzzle);
    EXPECT_EQ(News(), SetupText);

    Click(ModeStart);
    const auto board = Copy();
    const auto steps = Form.History().UndoSteps();
    const std::pair<std::string, std::string> refused[] = {
        {"53\n" + std::string(5000, '.') + "\n", "line 2 is too long: 5000 characters"},
        {std::string(MaxPuzzleFileSize + 1, '\n'), "the file is larger than 8 MiB"},
        {std::string(MaxUnbrokenLength + 1, '\0'), "line 1 has no line break within 1 MiB"},
        {"53..7\n", "5 squares found where 81 are needed"},
    };
    for (const auto &[bytes, reason] : refused) {
        SCOPED_TRACE(reason);
        std::istringstream in(bytes);
        Step([&] { Form.PasteFile(in); });
        EXPECT_EQ(News(), "Cannot paste: " + reason);
        EXPECT_EQ(Copy(), board);
        EXPECT_EQ(Form.History().UndoSteps(), steps);
    }
}

TEST_F(UserSteps, UndoAndRedoPutBackWhatWasSeenBeforeAndAfterEachStep)
{
    std::vector<std::string> seen{Seen()};
    Step([&] { Form.Paste(EasyPuzzle); });
    seen.push_back(Seen());
    ClickStep(ModeStart);
    seen.push_back(Seen());
    Step([&] { Form.cmdEle_Click(2 * 9 + 0); });
    ClickStep(ModeNext); // explains only: no step of its own
    ClickStep(ModeCheck);
    seen.push_back(Seen()); // what stands before the next step: the explanation, the check
    ClickStep(ModeNext);    // carries the step out
    seen.push_back(Seen());
    ClickStep(ModeAuto);
    seen.push_back(Seen());
    ASSERT_EQ(Form.History().UndoSteps(), 5U);
    ASSERT_EQ(seen.size(), 6U);

    for (int k = 4; k >= 0; --k) {
        Form.Undo();
        ASSERT_EQ(Seen(), seen[k]) << "after undoing back to " << k;
    }
    Form.Undo();
    EXPECT_EQ(News(), "Nothing to undo");
    for (int k = 1; k <= 5; ++k) {
        Form.Redo();
        ASSERT_EQ(Seen(), seen[k]) << "after redoing up to " << k;
    }
    Form.Redo();
    EXPECT_EQ(News(), "Nothing to redo");
}

TEST_F(UserSteps, ANewStepDropsWhatCouldBeRedoneAndSavesStayPut)
{
    Step([&] { Form.Paste(EasyPuzzle); });
    ClickStep(ModeStart);
    ClickStep(ModeSave); // not a step: the board is unchanged
    EXPECT_EQ(Form.History().UndoSteps(), 2U);
    const Snapshot saved = Form.Snapshots().SaveSlot;
    Form.Undo();
    EXPECT_EQ(Form.History().RedoSteps(), 1U);
    Step([&] { Form.cmdSquare_Click(2); });
    EXPECT_EQ(Form.History().RedoSteps(), 0U);
    Form.Redo();
    EXPECT_EQ(News(), "Nothing to redo");
    EXPECT_EQ(Form.Snapshots().SaveSlot.Grid, saved.Grid);
    EXPECT_EQ(Form.Snapshots().SaveSlot.Candidates, saved.Candidates);
    ClickStep(ModeRestore);
    EXPECT_EQ(Form.History().UndoSteps(), 3U) << "Restore is a step";
}

TEST_F(UserSteps, InputDuringAutoBelongsToTheRunAndUndoWaits)
{
    EnterAndStart(PuzzleFromFile("hardest-11.txt", 2));
    const std::string before = Seen();
    std::string inside;
    AtYield(2, [&] {
        Step([&] { Form.cmdEle_Click(0 * 9 + 0); });
        Form.Undo();
        Form.Redo();
        inside = News();
    });
    ClickStep(ModeAuto);
    EXPECT_EQ(inside.substr(0, 8), "Thinking") << "undo and redo did nothing inside the run";
    EXPECT_EQ(Form.History().UndoSteps(), 1U) << "the whole run is one step";
    Form.Undo();
    EXPECT_EQ(Seen(), before);
}

TEST_F(UserSteps, UndoAndRedoNameTheOneSquareTheStepChanged)
{
    Step([&] { Form.cmdSquare_KeyPress(4, '7'); });
    Step([&] { Form.cmdSquare_KeyPress(4, '0'); }); // emptied again: still square 4
    EXPECT_EQ(Form.Undo(), 4);
    EXPECT_EQ(Form.Undo(), 4);
    EXPECT_EQ(Form.Redo(), 4);
    EXPECT_EQ(Form.Undo(), 4);
    EXPECT_EQ(Form.Undo(), -1) << "nothing to undo";

    Step([&] { Form.Paste(EasyPuzzle); });
    EXPECT_EQ(Form.Undo(), -1) << "a paste changes many squares";
    EXPECT_EQ(Form.Redo(), -1);
    ClickStep(ModeStart);
    EXPECT_EQ(Form.Undo(), -1) << "Start shows candidates but changes no value";
    Form.Redo();
    Step([&] { Form.cmdEle_Click(2 * 9 + 0); });
    EXPECT_EQ(Form.Undo(), -1) << "a strike changes no value";
    ClickStep(ModeNext); // explains
    ClickStep(ModeNext); // carries out: one square placed, its peers' candidates struck
    const int placed = Form.Undo();
    ASSERT_GE(placed, 0);
    EXPECT_EQ(Form.Board().Grid[placed], Empty);
    EXPECT_EQ(Form.Redo(), placed);
    EXPECT_GE(Form.Board().Grid[placed], 0);
}

TEST_F(UserSteps, TheHistoryIsBounded)
{
    Step([&] { Form.Paste(EasyPuzzle); });
    for (int k = 0; k < 1200; ++k)
        Step([&] { Form.cmdSquare_Click(2); });
    EXPECT_EQ(Form.History().UndoSteps(), UndoHistory::MaxSteps);
    while (Form.History().UndoSteps() > 0)
        Form.Undo();
    EXPECT_EQ(Form.History().RedoSteps(), UndoHistory::MaxSteps);
}

TEST_F(UserSteps, ArrowsFollowTheGridSkippingHiddenSquares)
{
    EnterAndStart(EasyPuzzle); // in solving form only the set squares show
    const auto press = [&](int square, GridKey key) {
        Platform.Focus = square;
        Form.cmdSquare_KeyDown(square, key);
        return Platform.Focus;
    };
    EXPECT_EQ(press(40, GridKey::Up), 31);
    EXPECT_EQ(press(31, GridKey::Up), 13) << "the hidden square 22 is passed over";
    EXPECT_EQ(press(49, GridKey::Down), 67) << "the hidden square 58 is passed over";
    EXPECT_EQ(press(40, GridKey::Left), 39);
    EXPECT_EQ(press(40, GridKey::Right), 41);
    EXPECT_EQ(press(4, GridKey::Up), 4) << "the edge stops it";
    EXPECT_EQ(press(80, GridKey::Right), 80);
    EXPECT_EQ(press(0, GridKey::Down), 9);
    EXPECT_EQ(GridText(), EasyPuzzle) << "moving changes nothing";
}

TEST_F(UserSteps, DeleteAndBackSpaceEmptyTheSquareLikeZero)
{
    Enter(EasyPuzzle);
    Platform.Focus = 1;
    Form.cmdSquare_KeyDown(1, GridKey::Delete);
    EXPECT_EQ(Form.Board().Grid[1], Empty);
    EXPECT_EQ(Form.Board().Givens[1], Empty);
    EXPECT_EQ(Platform.Focus, 1) << "Delete stays";
    const int tabs = Platform.TabsSent;
    Form.cmdSquare_KeyDown(4, GridKey::BackSpace);
    EXPECT_EQ(Form.Board().Grid[4], Empty);
    EXPECT_EQ(Platform.Focus, 3) << "BackSpace goes back one square";
    Form.cmdSquare_KeyDown(0, GridKey::BackSpace);
    EXPECT_EQ(Platform.Focus, 3) << "nothing before the first square";
    EXPECT_EQ(Platform.TabsSent, tabs);
    EXPECT_TRUE(SquareShown(4));
}

TEST_F(UserSteps, ResetAndRestartPutTheFocusOnTheFirstSquare)
{
    Enter(EasyPuzzle);
    EXPECT_EQ(Platform.Focus, 80) << "typing ends on the last square";
    Click(ModeStart);
    Click(ModeRestart);
    EXPECT_EQ(Platform.Focus, 0);
    Platform.Focus = 40;
    Click(ModeReset);
    EXPECT_EQ(Platform.Focus, 0);
}

} // namespace
} // namespace quorix::testing

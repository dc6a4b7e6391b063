// The window's Hint command: its ladder on the real board, what it leaves unchanged, what resets
// it, the mistakes and slips it mends, and whole puzzles solved by pressing it.
#include "test_support.h"
#include "tools/script.h"

#include <gtest/gtest.h>

namespace quorix::testing {
namespace {

// Diabolical puzzle 8: Next says "Tricky..." after 15 clicks, where the hint engine finds a
// two-string kite.
constexpr int TrickyLine = 8;
constexpr int NextsToTricky = 15;

// The one solution of a unique puzzle, square by square with the independent counter.
std::string SolutionOf(const std::string &puzzle)
{
    std::string grid = puzzle;
    for (char &square : grid)
        for (char digit = '1'; square == '.' && digit <= '9'; ++digit) {
            square = digit;
            if (CountSolutions(grid, 1) == 0)
                square = '.';
        }
    return grid;
}

class HintCommandTest : public FormTest
{
protected:
    template <typename Action> void Step(Action action) { Form.AsUserStep(action); }
    void Press() { Form.Hint(); }
    // Everything a user can see, as the trace prints it, with the status line and the marks.
    std::string Seen() const
    {
        const SquareSet marks = Form.Controls().HintMarks;
        return FormatState(Form) + "status [" + News() + "]\nmarks " + std::to_string(marks.Low)
               + " " + std::to_string(marks.High) + "\n";
    }
    std::string FormState() const { return FormatState(Form); }
    void StartAtTricky()
    {
        Step([&] { EnterAndStart(PuzzleFromFile("bank-diabolical-500.txt", TrickyLine)); });
        for (int i = 0; i < NextsToTricky; ++i)
            Step([&] { Click(ModeNext); });
        ASSERT_EQ(News(), "Tricky... save this, then have a guess and carry on");
    }
};

TEST_F(HintCommandTest, ClimbsTheLadderOfTheEngineStepWhereNextIsStuck)
{
    StartAtTricky();
    const std::size_t steps = Form.History().UndoSteps();
    const std::string board = FormState();
    const BoardCopy before = Copy();
    const auto givens = Form.Board().Givens;
    const std::vector<std::string> texts = {
        "Hint: look for a digit with two places in a row and two in a column, joined in one "
        "group (Two-string kite, hard)",
        "Hint: look at the 3s in row 9, column 1 and group 7",
        "In row 9 the 3 can go only in row 9, column 2 or row 9, column 6, and in column 1 only "
        "in row 5, column 1 or row 8, column 1; as row 9, column 2 and row 8, column 1 share "
        "group 7, at most one of them is 3, so row 9, column 6 or row 5, column 1 is 3, and a "
        "square that sees both cannot be 3: row 5, column 6."};
    for (int rung = 1; rung <= 3; ++rung) {
        SCOPED_TRACE(rung);
        Press();
        EXPECT_EQ(News(), texts[rung - 1]);
        EXPECT_EQ(Copy(), before);
        EXPECT_EQ(Form.Board().Givens, givens);
        EXPECT_EQ(Form.History().UndoSteps(), steps) << "rungs 1 to 3 add no undo step";
    }
    // Rung 1 draws nothing; the frames of the rungs show on the store.
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Frame0().Geometry, layout::FrameGeometry(4 * 9 + 5, 1, 1)) << "row 5, column 6";
    EXPECT_TRUE(Form.Controls().Timer.Enabled);
    const std::string beforeDo = FormState();
    Press();
    EXPECT_EQ(News(), "Hint: struck 3 from row 5, column 6");
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Candidates(4 * 9 + 5).find('3'), std::string::npos);
    EXPECT_EQ(Form.History().UndoSteps(), steps + 1) << "rung 4 is one undo step";
    Form.Undo();
    EXPECT_EQ(Copy(), before) << "undo takes the strike back";
    // Only the frames and the status line differ from the board before the four presses.
    const auto boardLines = [](const std::string &state) {
        return state.substr(0, state.find("step "));
    };
    EXPECT_EQ(boardLines(FormState()), boardLines(board));
    EXPECT_EQ(boardLines(beforeDo), boardLines(board));
}

TEST_F(HintCommandTest, RungsOneToThreeChangeNothingButWhatTheyShow)
{
    StartAtTricky();
    const auto withoutShown = [](std::string state) {
        // The frames, the timer and the status line are what a rung shows.
        return state.substr(0, state.find("frame0"));
    };
    const std::string before = withoutShown(FormState());
    const BoardState board = Form.Board();
    for (int rung = 1; rung <= 3; ++rung) {
        Press();
        EXPECT_EQ(withoutShown(FormState()), before) << "rung " << rung;
        EXPECT_EQ(Form.Board().Explanation, board.Explanation);
        EXPECT_EQ(Form.Board().StepKind, board.StepKind);
    }
}

TEST_F(HintCommandTest, ThePatternsSquaresAreMarkedAndAnotherCommandClearsThem)
{
    StartAtTricky();
    for (int rung = 1; rung <= 4; ++rung)
        Press();
    Step([&] { Click(ModeNext); });
    Press();
    ASSERT_EQ(News(), "Hint: look for a chain of places of one digit, each the only other place in "
                      "a unit (Simple colouring, hard)");
    EXPECT_TRUE(Form.Controls().HintMarks.IsEmpty()) << "rung 1 draws nothing";
    Press();
    EXPECT_EQ(News(), "Hint: look at the 7s in the marked squares");
    EXPECT_FALSE(Form.Controls().HintMarks.IsEmpty());
    Press();
    const SquareSet marks = Form.Controls().HintMarks;
    EXPECT_FALSE(marks.IsEmpty());
    for (int s = 0; s < 81 && Frame0().Visible; ++s) {
        SquareSet one;
        one.Add(s);
        if (Frame0().Geometry == layout::FrameGeometry(s, 1, 1)) {
            EXPECT_TRUE((marks & one).IsEmpty()) << "the framed square is not marked again";
        }
    }
    Step([&] { Click(ModeCheck); });
    EXPECT_TRUE(Form.Controls().HintMarks.IsEmpty());
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_FALSE(Frame1().Visible);
}

TEST_F(HintCommandTest, AnyChangeCommandOrUndoStartsTheLadderAgain)
{
    StartAtTricky();
    const auto atRungTwo = [&] {
        Step([&] { Click(ModeCheck); });
        Press();
        Press();
        ASSERT_EQ(News(), "Hint: look at the 3s in row 9, column 1 and group 7");
    };
    const auto atRungOne = [&] { return News().rfind("Hint: look for a", 0) == 0; };
    atRungTwo();
    Form.Timer1_Timer(); // a blink is no change
    Press();
    EXPECT_EQ(News().rfind("In row 9 the 3 can go only", 0), 0U) << "a blink keeps the ladder";

    atRungTwo();
    Step([&] { Click(ModeCheck); });
    Press();
    EXPECT_TRUE(atRungOne()) << "after another command: " << News();

    atRungTwo();
    Form.Undo();
    Form.Redo();
    Press();
    EXPECT_TRUE(atRungOne()) << "after undo and redo: " << News();

    atRungTwo();
    // A candidate no solution needs, struck: the board changed.
    const std::string solution = SolutionOf(Form.State().Hint.Puzzle);
    int strike = -1;
    for (int c = 0; c < 729 && strike < 0; ++c)
        if (Form.Controls().CandidateVisible(c) && solution[c / 9] - '1' != c % 9)
            strike = c;
    Step([&] { Form.cmdEle_Click(strike); });
    Press();
    EXPECT_TRUE(atRungOne()) << "after a strike: " << News();
}

class HintMistakes : public HintCommandTest
{
protected:
    std::string Puzzle, Solution;
    void SetUp() override
    {
        HintCommandTest::SetUp();
        Puzzle = PuzzleFromFile("bank-hard-500.txt", 3);
        Solution = SolutionOf(Puzzle);
        Step([&] { EnterAndStart(Puzzle); });
    }
    int EmptySquare(int from) const
    {
        for (int s = from; s < 81; ++s)
            if (Puzzle[s] == '.')
                return s;
        return -1;
    }
    // A sound strike elsewhere: a digit that is not the solution's, still a candidate.
    int SoundStrike(int avoid) const
    {
        for (int s = 80; s >= 0; --s)
            for (int d = 0; s != avoid && Puzzle[s] == '.' && d < 9; ++d)
                if (d != Solution[s] - '1' && Form.Controls().CandidateVisible(s * 9 + d))
                    return s * 9 + d;
        return -1;
    }
    static std::string Where(int square)
    {
        return "row " + std::to_string(square / 9 + 1) + ", column "
               + std::to_string(square % 9 + 1);
    }
};

TEST_F(HintMistakes, AWrongDigitIsNamedAndEmptiedKeepingTheRest)
{
    const int square = EmptySquare(10);
    const int wrong = (Solution[square] - '1' + 1) % 9;
    Step([&] { Form.cmdSquare_KeyPress(square, '1' + wrong); });
    const int strike = SoundStrike(square);
    Step([&] { Form.cmdEle_Click(strike); });
    Press();
    EXPECT_EQ(News(), "Hint: something on the board does not fit the solution (1 thing)");
    Press();
    Press();
    EXPECT_EQ(News(),
              "Hint: " + Where(square) + ": " + std::to_string(wrong + 1) + " is not right here");
    EXPECT_EQ(Frame0().Geometry, layout::FrameGeometry(square, 1, 1));
    const std::size_t steps = Form.History().UndoSteps();
    Press();
    EXPECT_EQ(Form.Board().Grid[square], Empty);
    EXPECT_FALSE(SquareShown(square)) << "the emptied square shows its candidates";
    EXPECT_NE(Candidates(square).find(Solution[square]), std::string::npos);
    EXPECT_FALSE(Form.Controls().CandidateVisible(strike)) << "the person's strike stays";
    EXPECT_EQ(Form.History().UndoSteps(), steps + 1);
    Press();
    EXPECT_EQ(News().find("does not fit"), std::string::npos) << News();
}

TEST_F(HintMistakes, AStruckTrueCandidateIsNamedAndGivenBack)
{
    const int square = EmptySquare(40);
    const int truth = Solution[square] - '1';
    Step([&] { Form.cmdEle_Click(square * 9 + truth); });
    const int strike = SoundStrike(square);
    Step([&] { Form.cmdEle_Click(strike); });
    for (int rung = 1; rung <= 3; ++rung)
        Press();
    EXPECT_EQ(News(), "Hint: the " + std::to_string(truth + 1) + " struck from row "
                          + std::to_string(square / 9 + 1) + ", column "
                          + std::to_string(square % 9 + 1) + " belongs there");
    Press();
    EXPECT_TRUE(Form.Controls().CandidateVisible(square * 9 + truth));
    EXPECT_FALSE(Form.Controls().CandidateVisible(strike));
}

TEST_F(HintCommandTest, AOneGivenSlipIsFoundAndMendedInSetupAndWhileSolving)
{
    const std::string unique = PuzzleFromFile("bank-diabolical-500.txt", 1);
    std::string slipped = unique;
    slipped[1] = '6'; // the 8 of row 1, column 2 copied as a 6
    ASSERT_EQ(CountSolutions(slipped, 2), 0);
    for (const bool started : {false, true}) {
        SCOPED_TRACE(started ? "solving" : "setup");
        Step([&] { Form.Paste(slipped); });
        if (started)
            Step([&] { Click(ModeStart); });
        Press();
        EXPECT_EQ(News(), "Hint: this puzzle has no solution");
        Press();
        EXPECT_EQ(News(), "Hint: look at the givens in row 1");
        EXPECT_TRUE(Frame1().Visible);
        Press();
        EXPECT_EQ(News().rfind("Hint: changing the 6 in row 1, column 2 to an 8 gives exactly one "
                               "solution",
                               0),
                  0U)
            << News();
        Press();
        EXPECT_EQ(News(), "Hint: changed the 6 in row 1, column 2 to an 8");
        EXPECT_EQ(quorix::GridText(Form.Board().Givens), unique);
        Press();
        if (!started) {
            EXPECT_EQ(News(), "Hint: this puzzle has one solution; press Start");
            continue;
        }
        // The 6 the slip had struck from its peers is back: no mistake is left behind.
        EXPECT_EQ(News(), "Hint: look for a digit with only one place in a unit (Hidden single, "
                          "easy)");
        EXPECT_EQ(Form.State().Hint.Puzzle, unique);
    }
}

TEST_F(HintCommandTest, UndoAcrossAPastePutsBackThePuzzleHintWorksFrom)
{
    const std::string first = PuzzleFromFile("bank-hard-500.txt", 1);
    Step([&] { EnterAndStart(first); });
    Step([&] { Form.Paste(PuzzleFromFile("bank-hard-500.txt", 2)); });
    Step([&] { Click(ModeStart); });
    Form.Undo();
    Form.Undo();
    ASSERT_EQ(quorix::GridText(Form.Board().Givens), first);
    Press();
    EXPECT_EQ(News().find("does not fit"), std::string::npos) << News();
    EXPECT_EQ(News().find("solution"), std::string::npos) << News();
}

TEST_F(HintCommandTest, SaysWhatTheSetupFormLacks)
{
    Press();
    EXPECT_EQ(News(), "Hint: nothing entered yet");
    Enter(PuzzleFromFile("edge-invalid-17.txt", 3));
    Press();
    EXPECT_EQ(News(),
              "Hint: a puzzle needs at least 17 givens to have one solution; this one has 16");
}

TEST_F(HintCommandTest, DoesNothingWhileAutoRuns)
{
    EnterAndStart(PuzzleFromFile("bank-diabolical-500.txt", 2));
    std::string during;
    std::uint64_t revision = 0, after = 0;
    AtYield(3, [&] {
        during = News();
        revision = Form.Controls().NewsChanges();
        Press();
        after = Form.Controls().NewsChanges();
        EXPECT_EQ(News(), during);
    });
    Step([&] { Click(ModeAuto); });
    EXPECT_EQ(after, revision) << "the press wrote nothing";
    EXPECT_EQ(Form.State().Hint.Shown, 0);
}

// The person presses Hint four times at a time and nothing else.
TEST(HintSolves, PuzzlesByPressesAloneWithNoGuessOrMistake)
{
    for (const auto &[file, line] :
         {std::pair{"bank-hard-500.txt", 17}, std::pair{"bank-diabolical-500.txt", 8},
          std::pair{"bank-diabolical-500.txt", 433}}) {
        SCOPED_TRACE(std::string(file) + " line " + std::to_string(line));
        HeadlessPlatform platform;
        Form1 form(platform);
        form.Form_Load();
        const std::string puzzle = PuzzleFromFile(file, line);
        form.AsUserStep([&] {
            TypePuzzle(form, puzzle);
            form.cmdMode_Click(ModeStart);
        });
        int presses = 0;
        for (; presses < 4 * 200 && form.Controls().News() != "Hint: the puzzle is solved";
             ++presses) {
            form.Hint();
            ASSERT_EQ(form.Controls().News().find("does not fit"), std::string::npos);
            ASSERT_EQ(form.Controls().News().find("no step of logic"), std::string::npos);
        }
        EXPECT_EQ(form.Controls().News(), "Hint: the puzzle is solved");
        EXPECT_TRUE(SolvesPuzzle(quorix::GridText(form.Board().Grid), puzzle));
        EXPECT_FALSE(form.Board().Guessed);
    }
}

} // namespace
} // namespace quorix::testing

// A puzzle as text: what Paste reads, what it refuses and why, and what Copy writes.
#include "test_support.h"

#include <random>

namespace quorix::testing {
namespace {

std::string ValuesText(const PastedPuzzle &puzzle)
{
    std::array<std::int16_t, 82> grid{};
    std::copy(puzzle.Values.begin(), puzzle.Values.end(), grid.begin());
    return GridText(grid);
}

// Parses `text`, which must be accepted; returns its squares as an 81-character line.
std::string Read(std::string_view text)
{
    PastedPuzzle puzzle;
    std::string error;
    EXPECT_TRUE(ParsePuzzleText(text, puzzle, error)) << error;
    EXPECT_FALSE(puzzle.HasCandidates);
    return ValuesText(puzzle);
}

std::string Refusal(std::string_view text)
{
    PastedPuzzle puzzle;
    std::string error;
    EXPECT_FALSE(ParsePuzzleText(text, puzzle, error));
    return error;
}

TEST(PuzzleText, ReadsTheLineAndTheUsualGridsAlike)
{
    const std::string line = std::string(EasyPuzzle);
    EXPECT_EQ(Read(line), line);
    std::string zeros = line;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    EXPECT_EQ(Read(zeros + "\r\n"), line);
    // Every empty mark, spaces and separators between squares.
    EXPECT_EQ(Read("5 3 _ * 7 x X . 0" + line.substr(9)), line);
    const std::string framed = "# a framed grid\n"
                               "*-----------*\n"
                               "|53.|.7.|...|\n"
                               "|6..|195|...|\n"
                               "|.98|...|.6.|\n"
                               "|---+---+---|\n"
                               "|8..|.6.|..3|\n"
                               "|4..|8.3|..1|\n"
                               "|7..|.2.|..6|\n"
                               ":------+------:\n"
                               "|.6.|...|28.|\n"
                               "|...|419|..5|\n"
                               "|...|.8.|.79|\n"
                               "*===========*\n";
    EXPECT_EQ(Read(framed), line);
    const std::string spaced = ".------.------.------.\n"
                               "| 5 3 . | . 7 . | . . . |\n"
                               "| 6 . . | 1 9 5 | . . . |\n"
                               "| . 9 8 | . . . | . 6 . |\n"
                               "------+-------+------\n"
                               "8 . . . 6 . . . 3\n4 . . 8 . 3 . . 1\n7 . . . 2 . . . 6\n"
                               ". 6 . . . . 2 8 .\n. . . 4 1 9 . . 5\n. . . . 8 . . 7 9\n";
    EXPECT_EQ(Read(spaced), line);
}

TEST(PuzzleText, RefusesWithTheCountOrTheCharacterAndWhereItIs)
{
    const std::string line = std::string(EasyPuzzle);
    EXPECT_EQ(Refusal(line.substr(0, 79)), "79 squares found where 81 are needed");
    EXPECT_EQ(Refusal(line + "1"), "82 squares found where 81 are needed");
    EXPECT_EQ(Refusal("5"), "1 square found where 81 are needed");
    EXPECT_EQ(Refusal(line.substr(0, 40) + "a" + line.substr(41)),
              "unknown character 'a' at position 41");
    EXPECT_EQ(Refusal(line.substr(0, 9) + "\n" + line.substr(9, 3) + "\x01"),
              "unknown character byte 0x01 at line 2, position 4");
    EXPECT_EQ(Refusal(""), "there is no text");
    EXPECT_EQ(Refusal(" \n\t\r\n"), "there is no text");
    EXPECT_EQ(Refusal("# only a comment\n*-----*\n"), "0 squares found where 81 are needed");
}

TEST(PuzzleText, ACandidateGridListsEveryEmptySquaresCandidates)
{
    std::string grid;
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column)
            grid += row == 0 && column == 0 ? "5 " : row == 0 && column == 1 ? "19 " : "123456789 ";
        grid += '\n';
    }
    PastedPuzzle puzzle;
    std::string error;
    ASSERT_TRUE(ParsePuzzleText(grid, puzzle, error)) << error;
    EXPECT_TRUE(puzzle.HasCandidates);
    EXPECT_EQ(puzzle.Values[0], 4);
    EXPECT_EQ(puzzle.Values[1], Empty);
    EXPECT_EQ(puzzle.Candidates[1], 0b100000001);
    EXPECT_EQ(puzzle.Candidates[2], AllCandidates);

    EXPECT_EQ(Refusal(grid.substr(0, grid.rfind(' ', grid.size() - 3))),
              "80 squares found where 81 are needed");
    std::string dot = grid;
    dot.replace(dot.find("19"), 2, ". ");
    EXPECT_EQ(Refusal(dot), "square 2 lists no candidates (write {} for none)");
    std::string bad = grid;
    bad.replace(bad.find("19"), 2, "1a");
    EXPECT_EQ(Refusal(bad), "unknown character 'a' in square 2");
}

// A square with no candidate left is written {}, and read back so, whatever else the grid holds.
TEST(PuzzleText, TheEmptySetIsASquareWithNoCandidate)
{
    std::string grid = "5 {} 123456789";
    for (int s = 3; s < 81; ++s)
        grid += " 123456789";
    PastedPuzzle puzzle;
    std::string error;
    ASSERT_TRUE(ParsePuzzleText(grid, puzzle, error)) << error;
    EXPECT_TRUE(puzzle.HasCandidates);
    EXPECT_EQ(puzzle.Values[1], Empty);
    EXPECT_EQ(puzzle.Candidates[1], 0);
    EXPECT_EQ(puzzle.Candidates[2], AllCandidates);

    // With no square of several candidates, the mark alone makes the text a candidate grid.
    std::string full;
    for (int s = 0; s < 81; ++s)
        full += (s == 40 ? "{}" : std::string(1, SolvedGrid[s])) + (s % 9 == 8 ? "\n" : " ");
    ASSERT_TRUE(ParsePuzzleText(full, puzzle, error)) << error;
    EXPECT_TRUE(puzzle.HasCandidates);
    EXPECT_EQ(puzzle.Values[40], Empty);
    EXPECT_EQ(puzzle.Values[41], SolvedGrid[41] - '1');
    EXPECT_EQ(Refusal(std::string(SolvedGrid).replace(40, 1, "{}")),
              "unknown character '{' at position 41")
        << "written without spaces around it, the mark is no token";
    EXPECT_EQ(Refusal("5 {1} " + grid.substr(5)), "unknown character '{' in square 2");
}

// Only a token of two to nine digits lists candidates; a longer run of digits is squares, and
// the refusal counts them.
TEST(PuzzleText, ARunOfDigitsCountsAsSquares)
{
    for (const int digits : {162, 200, 4096}) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(Refusal(std::string(static_cast<std::size_t>(digits), '1')),
                  std::to_string(digits) + " squares found where 81 are needed");
    }
    const std::string solved(SolvedGrid);
    EXPECT_EQ(Refusal(solved + " " + solved), "162 squares found where 81 are needed");
    EXPECT_EQ(Refusal(solved + "\n" + solved + "\n" + solved),
              "243 squares found where 81 are needed");
    EXPECT_EQ(Refusal("1234567891 12"), "12 squares found where 81 are needed");
    std::string pairs;
    for (int s = 0; s < 80; ++s)
        pairs += "12 ";
    EXPECT_EQ(Refusal(pairs), "80 squares found where 81 are needed")
        << "nearer 81 as a candidate grid";
}

class CopyTest : public FormTest
{
};

TEST_F(CopyTest, TheLineAndTheCandidateGridReadBackTheSame)
{
    EnterAndStart(EasyPuzzle);
    Click(ModeNext);
    Click(ModeNext); // one step carried out
    EXPECT_EQ(Form.CopyLine(), GridText());
    const std::string grid = Form.CopyCandidates();
    EXPECT_EQ(grid.substr(0, grid.find('\n')),
              ".-----------------.--------------.-----------------.");
    EXPECT_EQ(grid.substr(grid.rfind('\n', grid.size() - 2) + 1),
              "'-----------------'--------------'-----------------'\n");
    PastedPuzzle puzzle;
    std::string error;
    ASSERT_TRUE(ParsePuzzleText(grid, puzzle, error)) << error;
    ASSERT_EQ(Candidates(40), "5") << "a square with a single candidate is written twice";
    EXPECT_NE(grid.find(" 55 "), std::string::npos);
    for (int s = 0; s < 81; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(puzzle.Values[s], Form.Board().Grid[s]);
        EXPECT_EQ(puzzle.Candidates[s],
                  Form.Board().Grid[s] < 0 ? Form.Controls().CandidateBits[s] : 0);
    }
}

TEST_F(CopyTest, EmptySquaresInSetupFormAreWrittenWithEveryCandidate)
{
    Enter(EasyPuzzle);
    const std::string grid = Form.CopyCandidates();
    EXPECT_NE(grid.find("| 5         3         123456789 |"), std::string::npos) << grid;
}

// The same puzzle written in other ways.
std::string Framed(const std::string &line)
{
    std::string text = "# framed\n+-------+-------+-------+\n";
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column)
            text += std::string(column % 3 == 0 ? "| " : "") + line[row * 9 + column] + ' ';
        text += "|\r\n";
        if (row % 3 == 2)
            text += "+-------+-------+-------+\n";
    }
    return text;
}

TEST(PuzzleTextProperty, PasteThenCopyGivesTheNormalisedLine)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    int checked = 0;
    for (const char *file : {"hard-95.txt", "multi-solution-1000.txt", "edge-invalid-17.txt"}) {
        for (const std::string &line : ReadPuzzleSample(PuzzleSetPath(file), 3, 30)) {
            std::string zeros = line;
            std::replace(zeros.begin(), zeros.end(), '.', checked % 2 == 0 ? '0' : 'x');
            for (const std::string &text : {line, zeros, Framed(line), Framed(zeros)}) {
                form.Paste(text);
                ASSERT_EQ(form.CopyLine(), line) << text;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

// Boards part way through a solve, with strikes by hand: their candidate grid pastes back to
// the same values and candidates.
TEST(PuzzleTextProperty, TheCandidateGridPastesBackToTheSameBoard)
{
    std::mt19937 random(99);
    HeadlessPlatform platform;
    Form1 form(platform), copy(platform);
    form.Form_Load();
    copy.Form_Load();
    int checked = 0, deadBoards = 0;
    for (const std::string &puzzle : ReadPuzzleSample(PuzzleSetPath("hardest-375.txt"), 7, 40)) {
        form.Paste(puzzle);
        form.cmdMode_Click(ModeStart);
        for (int step = 0; step < 60; ++step) {
            if (random() % 3 == 0) {
                const int square = static_cast<int>(random() % 81);
                const std::uint16_t bits = form.Controls().CandidateBits[square];
                if (std::popcount(bits) > 1)
                    form.cmdEle_Click(square * 9 + std::countr_zero(bits));
            } else {
                form.cmdMode_Click(ModeNext);
            }
            copy.Paste(form.CopyCandidates());
            int dead = -1;
            for (int s = 0; s < 81 && dead < 0; ++s)
                if (form.Board().Grid[s] < 0 && form.Controls().CandidateBits[s] == 0)
                    dead = s;
            ASSERT_EQ(GridText(copy.Board().Grid), GridText(form.Board().Grid))
                << copy.Controls().News();
            ASSERT_EQ(copy.Controls().CandidateBits, form.Controls().CandidateBits);
            ++checked;
            // A square with no candidate left comes back as it was, and the status line says so.
            if (dead >= 0) {
                EXPECT_EQ(copy.Controls().News(), "Impossible.  No possibilities left for square "
                                                      + std::to_string(dead + 1));
                ++deadBoards;
                break;
            }
        }
    }
    EXPECT_GT(checked, 1000);
    EXPECT_GE(deadBoards, 5);
}

} // namespace
} // namespace quorix::testing

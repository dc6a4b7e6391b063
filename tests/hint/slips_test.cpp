// Slips in the givens: the givens that, changed or removed, leave exactly one solution, found
// with the independent counter and checked against a search through every such change.
#include "hint/slips.h"
#include "hint_press_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <set>

namespace quorix::hint {
namespace {

using testing::Count;
using testing::SquareOf;

constexpr const char *Unique =
    ".83.2..9....8..1...293....8....987...7.....6...674....3....698...2..5....1..3.54.";

// Every slip of `puzzle` in the order FindSlips keeps, by counting every change and removal of
// every given.
std::vector<Slip> EverySlip(const std::string &puzzle)
{
    std::vector<Slip> slips;
    const int givens = GivensOf(puzzle);
    for (int square = 0; square < 81; ++square) {
        if (puzzle[square] == '.')
            continue;
        const int from = puzzle[square] - '1';
        for (int to = 0; to <= 9; ++to) {
            const Slip slip{square, from, to == 9 ? -1 : to};
            if (to == from || (to == 9 && givens - 1 < FewestGivens))
                continue;
            if (CountSolutions(WithSlipMended(puzzle, slip), 2) == 1)
                slips.push_back(slip);
        }
    }
    return slips;
}

// The puzzle with the given at `square` changed to the first digit that leaves no solution or
// several; empty where every digit leaves one.
std::string Broken(const std::string &puzzle, int square)
{
    for (int digit = 0; digit < 9; ++digit) {
        std::string line = puzzle;
        line[square] = static_cast<char>('1' + digit);
        if (line != puzzle && CountSolutions(line, 2) != 1)
            return line;
    }
    return {};
}

// The `n`-th given of `puzzle` in reading order, from 0, going round.
int NthGiven(const std::string &puzzle, int n)
{
    std::vector<int> givens;
    for (int square = 0; square < 81; ++square)
        if (puzzle[square] != '.')
            givens.push_back(square);
    return givens[static_cast<std::size_t>(n) % givens.size()];
}

TEST(Slips, FindTheOneGivenChangedFromAUniquePuzzle)
{
    const std::string broken = Broken(Unique, SquareOf("r1c2"));
    ASSERT_FALSE(broken.empty());
    const int solutions = CountSolutions(broken, MostSolutionsCounted + 1);
    const std::vector<Slip> slips = FindSlips(broken, solutions, Count);
    const Slip back{SquareOf("r1c2"), broken[1] - '1', 7};
    EXPECT_NE(std::find(slips.begin(), slips.end(), back), slips.end());
    EXPECT_NE(
        SlipRung(broken, solutions, slips, 3)
            .View.Text.find("changing the " + DigitName(back.From) + " in row 1, column 2 to an 8"),
        std::string::npos);
}

// Over puzzles of the sets with one given changed: exactly the first slips a full search finds,
// so no change that leaves no solution or two is ever named, and none that qualifies is missed.
TEST(Slips, AgreeWithASearchThroughEveryChange)
{
    int checked = 0, tried = 0;
    for (const std::string &puzzle :
         ReadPuzzleSample(PuzzleSetPath("bank-medium-500.txt"), 41, 12)) {
        // A different given of each puzzle: the tenth, eleventh, ... in reading order.
        const std::string broken = Broken(puzzle, NthGiven(puzzle, 10 + tried++));
        if (broken.empty())
            continue;
        SCOPED_TRACE(broken);
        std::vector<Slip> expected = EverySlip(broken);
        if (expected.size() > MostSlips)
            expected.resize(MostSlips);
        EXPECT_EQ(FindSlips(broken, CountSolutions(broken, 2), Count), expected);
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

TEST(Slips, CountOnlyChangesThatCanHelp)
{
    // With two solutions, a removal can only add more: the search never counts one, nor a
    // change that repeats the digit of a peer given.
    const std::string several = ReadPuzzle(PuzzleSetPath("edge-invalid-17.txt"), 12);
    ASSERT_EQ(CountSolutions(several, 4), 3);
    std::set<std::string> counted;
    const SolutionCounter recording = [&](std::string_view puzzle, int limit) {
        counted.emplace(puzzle);
        return CountSolutions(puzzle, limit);
    };
    (void)FindSlips(several, 3, recording);
    ASSERT_FALSE(counted.empty());
    for (const std::string &puzzle : counted) {
        EXPECT_EQ(GivensOf(puzzle), GivensOf(several)) << puzzle;
        for (int square = 0; square < 81; ++square)
            for (int peer : PeerBits[square])
                EXPECT_TRUE(puzzle[square] == '.' || puzzle[square] != puzzle[peer]) << puzzle;
    }

    // Fewer givens than any puzzle with one solution has: nothing to count.
    counted.clear();
    EXPECT_TRUE(
        FindSlips(std::string(40, '.') + "1" + std::string(40, '.'), 101, recording).empty());
    EXPECT_TRUE(counted.empty());
}

TEST(Slips, AGivenTwiceInAUnitIsMendedThroughThatPair)
{
    // Two 5s in group 5 (rows 4-6, columns 4-6): row 5, column 4 and row 4, column 6.
    const std::string twice = ReadPuzzle(PuzzleSetPath("edge-invalid-17.txt"), 4);
    const std::vector<Slip> slips = FindSlips(twice, 0, Count);
    ASSERT_FALSE(slips.empty());
    for (const Slip &slip : slips)
        EXPECT_TRUE(slip.Square == SquareOf("r5c4") || slip.Square == SquareOf("r4c6"));
    EXPECT_EQ(SlipRung(twice, 0, slips, 2).View,
              (testing::View("Hint: look at the givens in group 5", -1, GroupUnit(4))));
    EXPECT_EQ(SlipRung(twice, 0, slips, 3).View.Text,
              "Hint: changing the 5 in row 5, column 4 to a 4 gives exactly one solution; so "
              "does removing the 5 in row 5, column 4");
}

TEST(Slips, WordsForEveryCount)
{
    EXPECT_EQ(SolutionsText(0), "Hint: this puzzle has no solution");
    EXPECT_EQ(SolutionsText(2), "Hint: this puzzle has 2 solutions");
    EXPECT_EQ(SolutionsText(MostSolutionsCounted + 1),
              "Hint: this puzzle has more than 100 solutions");

    EXPECT_EQ(SlipRungs({}), 2);
    EXPECT_EQ(SlipRung(Unique, 3, {}, 2).View.Text,
              "Hint: no one given, changed or removed, gives exactly one solution; a given may "
              "be missing");
    EXPECT_EQ(SlipRung(Unique, 0, {}, 2).View.Text,
              "Hint: no one given, changed or removed, gives exactly one solution; check the "
              "givens against where the puzzle came from");

    const std::vector<Slip> three{{1, 7, 5}, {30, 2, -1}, {80, 0, 7}};
    const Rung named = SlipRung(Unique, 0, three, 3);
    EXPECT_EQ(named.View.Text, "Hint: changing the 8 in row 1, column 2 to a 6 gives exactly one "
                               "solution; so do removing the 3 in row 4, column 4 and changing "
                               "the 1 in row 9, column 9 to an 8");
    EXPECT_EQ(named.View.Square, 1);
    EXPECT_EQ(named.View.Marks, SquareBits::Of(30) | SquareBits::Of(80));
    const Rung made = SlipRung(Unique, 0, three, 4);
    EXPECT_EQ(made.View.Text, "Hint: changed the 8 in row 1, column 2 to a 6");
    EXPECT_EQ(made.Actions, (std::vector<BoardAction>{{ActionKind::Set, 1, 5}}));
    EXPECT_EQ(SlipRung(Unique, 0, {{30, 2, -1}}, 4).Actions,
              (std::vector<BoardAction>{{ActionKind::Empty, 30, -1}}));
}

} // namespace
} // namespace quorix::hint

// The deduction rules one by one on boards built to isolate each, FindStep's order and digit
// filter, and the digit buttons.
#include "core/form/form1.h"
#include "core/operations/deduce/rules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace quorix {
namespace {

// Candidate mask of the digits (1..9, as the user sees them).
std::uint16_t Digits(std::initializer_list<int> digits)
{
    std::uint16_t mask = 0;
    for (const int digit : digits)
        mask = static_cast<std::uint16_t>(mask | (1U << (digit - 1)));
    return mask;
}

// Every square empty with all nine candidates alive: no rule finds anything there, so each
// test carves only the pattern it is about.
class Deduce : public ::testing::Test
{
protected:
    BoardState Board;
    ControlStore Controls;

    void SetUp() override
    {
        HeadlessPlatform platform;
        Form1 form(platform);
        form.Form_Load();
        Board = form.Board();
        Controls = form.Controls();
        Controls.CandidateBits.fill(AllCandidates);
    }

    std::uint16_t &Bits(int square) { return Controls.CandidateBits[square]; }
    void Only(int square, std::initializer_list<int> digits) { Bits(square) = Digits(digits); }
    void Strike(int square, int digit)
    {
        Controls.SetCandidateVisible(square * 9 + digit - 1, false);
    }
    // Strikes the digit from every square of the unit except the ones kept.
    void StrikeInUnit(int type, int unit, int digit, std::initializer_list<int> keep)
    {
        for (int p = 0; p < 9; ++p) {
            const int s = UnitSquare(unit, p, type);
            if (std::find(keep.begin(), keep.end(), s) == keep.end())
                Strike(s, digit);
        }
    }

    void ExpectPlace(int square, int digit, int unit, int unitType, const std::string &text)
    {
        const BoardState &b = Board;
        EXPECT_EQ(b.StepKind, StepPlace);
        EXPECT_EQ(b.StepTarget, square);
        EXPECT_EQ(b.StepDigit, digit - 1);
        EXPECT_EQ(b.HighlightSquare, square);
        EXPECT_EQ(b.HighlightUnit, unit);
        EXPECT_EQ(b.HighlightUnitType, unitType);
        EXPECT_EQ(b.Explanation, text);
    }
    void ExpectStrike(int square, int digit, int unit, int unitType, const std::string &text)
    {
        const BoardState &b = Board;
        EXPECT_EQ(b.StepKind, StepStrike);
        EXPECT_EQ(b.StepTarget, square * 9 + digit - 1);
        EXPECT_EQ(b.StepDigit, -1);
        EXPECT_EQ(b.HighlightSquare, square);
        EXPECT_EQ(b.HighlightUnit, unit);
        EXPECT_EQ(b.HighlightUnitType, unitType);
        EXPECT_EQ(b.Explanation, text);
    }
    // Carries out the pending strike, as ApplyStep would without the re-strike.
    void CarryOut() { Controls.SetCandidateVisible(Board.StepTarget, false); }
};

TEST_F(Deduce, SingleCandidateLowestDigitThenLowestSquare)
{
    Only(5, {4});
    Only(70, {2});
    Only(60, {2});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectPlace(60, 2, -1, -1, "Square 61 can only be a 2");

    Only(22, {7});
    ASSERT_TRUE(FindStep(Board, Controls, 6));
    ExpectPlace(22, 7, -1, -1, "Square 23 can only be a 7");
}

TEST_F(Deduce, SingleCandidateBeforeOnlyPlaceWithItsOwnWording)
{
    // Square 30 is the only place for 9 in its row and has 9 as its only candidate; a row has
    // only one place for 1 elsewhere, which rule 1 still outranks.
    StrikeInUnit(UnitRow, 3, 9, {30});
    Only(30, {9});
    StrikeInUnit(UnitRow, 0, 1, {4});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectPlace(30, 9, -1, -1, "Square 31 can only be a 9");
}

TEST_F(Deduce, SinglesPassBySquaresThatAreSetOrHaveNoCandidate)
{
    Bits(10) = 0;       // empty with no candidate
    Board.Grid[11] = 2; // set, yet showing one candidate
    Only(11, {3});
    StrikeInUnit(UnitRow, 2, 6, {20}); // lone place for 6 in row 2, in a set square
    Board.Grid[20] = 5;
    StrikeInUnit(UnitColumn, 4, 6, {40}); // and in column 4, in an empty one
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectPlace(40, 6, 4, UnitColumn, "Column 5 has only one possible 6");
}

TEST_F(Deduce, OnlyPlaceRowsBeforeColumnsBeforeGroupsPerDigit)
{
    StrikeInUnit(UnitColumn, 0, 1, {72});
    StrikeInUnit(UnitRow, 5, 1, {49});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectPlace(49, 1, 5, UnitRow, "Row 6 has only one possible 1");

    // A lower digit in a group beats a higher one in a row.
    SetUp();
    StrikeInUnit(UnitRow, 0, 3, {8});
    StrikeInUnit(UnitGroup, 8, 2, {80});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectPlace(80, 2, 8, UnitGroup, "Group 9 has only one possible 2");
    ASSERT_TRUE(FindStep(Board, Controls, 2));
    ExpectPlace(8, 3, 0, UnitRow, "Row 1 has only one possible 3");
}

TEST_F(Deduce, GroupToLineStrikesFurthestDownTheColumnFirst)
{
    StrikeInUnit(UnitGroup, 2, 5, {7, 16});
    StrikeInUnit(UnitColumn, 7, 5, {7, 16, 43, 70});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(70, 5, 2, UnitGroup,
                 "Only 5s in group 3 in same column, so square 71 can't be a 5");
    CarryOut();
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(43, 5, 2, UnitGroup,
                 "Only 5s in group 3 in same column, so square 44 can't be a 5");
    CarryOut();
    EXPECT_FALSE(
        FindStep(Board, Controls, -1)); // nothing left in the column: the group yields nothing
}

TEST_F(Deduce, GroupToLineAlongARowAndNotForThreePlaces)
{
    // 4 in three squares of one row of group 0: nothing; 7 in two squares of a row of group 4.
    StrikeInUnit(UnitGroup, 0, 4, {0, 1, 2});
    StrikeInUnit(UnitGroup, 4, 7, {39, 41});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(44, 7, 4, UnitGroup, "Only 7s in group 5 in same row, so square 45 can't be a 7");
}

TEST_F(Deduce, LineToGroupRowsBeforeColumnsWhateverTheDigit)
{
    // 1 in two squares of column 4 in group 4; 9 in two squares of row 2 in group 0; 8 in two
    // squares of row 6 in different groups.
    StrikeInUnit(UnitColumn, 4, 1, {40, 49});
    StrikeInUnit(UnitRow, 2, 9, {18, 20});
    StrikeInUnit(UnitRow, 6, 8, {54, 60});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    // Square 19 lost its 9 with the row, so the highest square of group 0 still holding one is 11.
    ExpectStrike(11, 9, 2, UnitRow, "Only 9s in row 3 in same group, so square 12 can't be a 9");
    ASSERT_TRUE(FindStep(Board, Controls, 0));
    ExpectStrike(50, 1, 4, UnitColumn,
                 "Only 1s in column 5 in same group, so square 51 can't be a 1");
    EXPECT_FALSE(FindStep(Board, Controls, 7));
}

TEST_F(Deduce, NakedPairStrikesTheHigherDigitFirst)
{
    Only(9, {3, 7});
    Only(10, {3, 7});
    Bits(11) = AllCandidates & ~Digits({3, 7});
    Only(12, {3, 5, 7});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(12, 7, 1, UnitRow,
                 "Cell 13 can't be a 7 since it must be in either cell  10 or 11");
    CarryOut();
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(12, 3, 1, UnitRow,
                 "Cell 13 can't be a 3 since it must be in either cell  10 or 11");
}

TEST_F(Deduce, NoNakedPairForThreeSquaresWithTheSameTwoDigits)
{
    for (const int s : {0, 1, 2})
        Only(s, {1, 2});
    // Keep every digit alive at least twice in every unit so nothing else applies.
    EXPECT_FALSE(FindStep(Board, Controls, -1));
}

TEST_F(Deduce, HiddenPairTheSecondMembersExtraWins)
{
    for (int s = 0; s < 9; ++s)
        Bits(s) = AllCandidates & ~Digits({2, 5});
    Only(2, {2, 5, 6});
    Only(5, {2, 5, 8, 9});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(5, 8, 0, UnitRow, "Cell 6 can't be a 8 since cells 3 and 6 must be 2 and 5");
    CarryOut();
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(5, 9, 0, UnitRow, "Cell 6 can't be a 9 since cells 3 and 6 must be 2 and 5");
    CarryOut();
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(2, 6, 0, UnitRow, "Cell 3 can't be a 6 since cells 3 and 6 must be 2 and 5");
    CarryOut();
    EXPECT_FALSE(
        FindStep(Board, Controls, -1)); // only the pair's digits left: a naked pair, nothing to do
}

TEST_F(Deduce, NoHiddenPairWhenOneSquareHoldsOnlyOneOfTheDigits)
{
    for (int s = 0; s < 9; ++s)
        Bits(s) = AllCandidates & ~Digits({2, 5});
    Only(2, {2, 5, 6});
    Only(5, {2, 8, 9});
    Only(6, {5, 8, 9});
    EXPECT_FALSE(FindStep(Board, Controls, -1));
}

TEST_F(Deduce, PairsUnitsInOrderThenMasksAscending)
{
    // Row 1 holds a naked pair {1,2}; row 0 a hidden pair {8,9} whose second square has no
    // extra: row 0 wins, and its first square loses its extra.
    Only(9, {1, 2});
    Only(13, {1, 2});
    for (int s = 0; s < 9; ++s)
        Bits(s) = AllCandidates & ~Digits({8, 9});
    Only(3, {4, 8, 9});
    Only(7, {8, 9});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(3, 4, 0, UnitRow, "Cell 4 can't be a 4 since cells 4 and 8 must be 8 and 9");

    // In one row: a hidden {1,3} (mask 5) goes before a naked {2,4} (mask 10) ...
    SetUp();
    for (int s = 18; s < 27; ++s)
        Bits(s) = AllCandidates & ~Digits({1, 3});
    Only(18, {1, 3, 4});
    Only(22, {1, 3, 4});
    Only(24, {2, 4});
    Only(25, {2, 4});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(22, 4, 2, UnitRow, "Cell 23 can't be a 4 since cells 19 and 23 must be 1 and 3");

    // ... and a naked {1,2} (mask 3) before a hidden {3,4} (mask 12).
    SetUp();
    for (int s = 18; s < 27; ++s)
        Bits(s) = AllCandidates & ~Digits({3, 4});
    Only(18, {3, 4, 8});
    Only(22, {3, 4, 8});
    Only(24, {1, 2});
    Only(25, {1, 2});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(19, 2, 2, UnitRow,
                 "Cell 20 can't be a 2 since it must be in either cell  25 or 26");
}

TEST_F(Deduce, NakedTripleOnlyForThreeIdenticalMasks)
{
    for (const int s : {0, 1, 9})
        Only(s, {1, 4, 6});
    for (const int s : {2, 10, 11, 18})
        Bits(s) = AllCandidates & ~Digits({1, 4, 6});
    Only(19, {4, 6, 9});
    ASSERT_TRUE(FindStep(Board, Controls, -1));
    ExpectStrike(19, 6, 0, UnitGroup,
                 "Cell 20 can't be a 6 since it must be in either cell  1, 2 or 10");

    SetUp();
    Only(0, {1, 2});
    Only(1, {2, 3});
    Only(2, {1, 3});
    EXPECT_FALSE(FindStep(Board, Controls, -1));
}

TEST_F(Deduce, DigitFilterNarrowsOnlyTheDigitRules)
{
    Only(40, {3});   // a single 3
    Only(0, {1, 2}); // and a naked pair in row 0
    Only(1, {1, 2});
    ASSERT_TRUE(FindStep(Board, Controls, 4)); // nothing for the digit 5: the pair strikes a 2
    ExpectStrike(2, 2, 0, UnitRow, "Cell 3 can't be a 2 since it must be in either cell  1 or 2");
    ASSERT_TRUE(FindStep(Board, Controls, 2));
    ExpectPlace(40, 3, -1, -1, "Square 41 can only be a 3");
}

TEST_F(Deduce, NothingFoundLeavesEveryFieldAsItWas)
{
    BoardState &b = Board;
    b.StepKind = StepRestrike;
    b.StepTarget = 77;
    b.StepDigit = 5;
    b.HighlightSquare = 12;
    b.HighlightUnit = 3;
    b.HighlightUnitType = 1;
    b.Explanation = "earlier";
    const BoardState before = b;
    EXPECT_FALSE(FindStep(Board, Controls, -1));
    for (int s = 0; s < 9; ++s)
        Bits(s) = AllCandidates & ~Digits({1, 2});
    Only(0, {1, 2}); // a pair with nothing to strike
    Only(3, {1, 2});
    for (std::int16_t filter = -1; filter < 9; ++filter)
        EXPECT_FALSE(FindStep(Board, Controls, filter)) << filter;
    EXPECT_EQ(b.StepKind, before.StepKind);
    EXPECT_EQ(b.StepTarget, before.StepTarget);
    EXPECT_EQ(b.StepDigit, before.StepDigit);
    EXPECT_EQ(b.HighlightSquare, before.HighlightSquare);
    EXPECT_EQ(b.HighlightUnit, before.HighlightUnit);
    EXPECT_EQ(b.HighlightUnitType, before.HighlightUnitType);
    EXPECT_EQ(b.Explanation, before.Explanation);
}

} // namespace
} // namespace quorix

// XY-Wing, XYZ-Wing and W-Wing on boards that hold nothing but the pattern.
#include "hint/finders.h"
#include "hint_support.h"
#include "pattern_board.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::Keeping;
using testing::PositionOfGrid;
using testing::SquareAt;
using testing::StrikeInUnit;
using testing::Summary;

TEST(HintXYWing, StrikesTheSharedDigitWhereBothPincersAreSeen)
{
    const Position position = Keeping({{"r5c5", "12"}, {"r5c1", "13"}, {"r2c5", "23"}});
    Step step;
    ASSERT_TRUE(FindXYWing(position, step));
    EXPECT_EQ(Summary(step), "XY-Wing |  | r2c1-3");
    EXPECT_EQ(step.Pattern.Count(), 3);
    EXPECT_EQ(step.Digit, 2);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(4), ColumnUnit(4)}));
    EXPECT_EQ(step.Sentence,
              "Row 5, column 5 can only be 1 or 2: if 1, row 5, column 1 (1 or 3) is 3, and if 2, "
              "row 2, column 5 (2 or 3) is 3, so the 3 is struck from every square that sees "
              "both: row 2, column 1.");
    EXPECT_EQ(FirstStep(position), "XY-Wing |  | r2c1-3");
}

TEST(HintXYWing, APincerInThePivotsGroupReachesAlongTheOthersLine)
{
    const Position position = Keeping({{"r1c1", "12"}, {"r1c5", "13"}, {"r2c2", "23"}});
    EXPECT_EQ(FirstStep(position), "XY-Wing |  | r1c2-3 r1c3-3 r2c4-3 r2c5-3 r2c6-3");
}

TEST(HintXYWing, NeedsPincersThatShareTheirOtherDigitAndSeeThePivot)
{
    Step step;
    // The pincers' other digits differ.
    EXPECT_FALSE(FindXYWing(Keeping({{"r5c5", "12"}, {"r5c1", "13"}, {"r2c5", "24"}}), step));
    // The second pincer does not see the pivot.
    EXPECT_FALSE(FindXYWing(Keeping({{"r5c5", "12"}, {"r5c1", "13"}, {"r2c6", "23"}}), step));
    // A peer with the pivot's own two digits is no pincer.
    EXPECT_FALSE(FindXYWing(Keeping({{"r5c5", "12"}, {"r5c1", "12"}, {"r2c5", "23"}}), step));
    // A pincer with a third candidate is no pincer.
    EXPECT_FALSE(FindXYWing(Keeping({{"r5c5", "12"}, {"r5c1", "134"}, {"r2c5", "23"}}), step));
    // A pivot that holds the shared digit too is an XYZ-Wing's, not an XY-Wing's.
    EXPECT_FALSE(FindXYWing(Keeping({{"r5c5", "123"}, {"r5c1", "13"}, {"r2c5", "23"}}), step));
    // Nothing that sees both pincers holds the 3 any more.
    Position struck = Keeping({{"r5c5", "12"}, {"r5c1", "13"}, {"r2c5", "23"}});
    struck.Strike(SquareAt("r2c1"), 2);
    EXPECT_FALSE(FindXYWing(struck, step));
}

TEST(HintXYZWing, StrikesOnlyWhereAllThreeSquaresAreSeen)
{
    const Position position = Keeping({{"r5c5", "123"}, {"r5c2", "13"}, {"r4c6", "23"}});
    Step step;
    EXPECT_FALSE(FindXYWing(position, step));
    ASSERT_TRUE(FindXYZWing(position, step));
    EXPECT_EQ(Summary(step), "XYZ-Wing |  | r5c4-3 r5c6-3");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(4), GroupUnit(4)}));
    EXPECT_EQ(step.Sentence,
              "Row 5, column 5 can only be 1, 2 or 3: if 1, row 5, column 2 (1 or 3) is 3, and "
              "if 2, row 4, column 6 (2 or 3) is 3, so one of the three is 3 and the 3 is struck "
              "from every square that sees all three: row 5, columns 4 and 6.");
    EXPECT_EQ(FirstStep(position), "XYZ-Wing |  | r5c4-3 r5c6-3");
}

TEST(HintXYZWing, LeavesSquaresThatSeeOnlyThePincers)
{
    // Row 4, column 2 sees both pincers but not the pivot, which may be the 3 itself.
    Position position = Keeping({{"r5c5", "123"}, {"r5c2", "13"}, {"r4c6", "23"}});
    position.Strike(SquareAt("r5c4"), 2);
    position.Strike(SquareAt("r5c6"), 2);
    EXPECT_TRUE(position.HasCandidate(SquareAt("r4c2"), 2));
    EXPECT_EQ(FirstStep(position), "none");
    Step step;
    // Pincers with the same two digits, or a pivot of four, make no wing.
    EXPECT_FALSE(FindXYZWing(Keeping({{"r5c5", "123"}, {"r5c2", "13"}, {"r4c6", "13"}}), step));
    EXPECT_FALSE(FindXYZWing(Keeping({{"r5c5", "1234"}, {"r5c2", "13"}, {"r4c6", "23"}}), step));
}

// Row 1, column 1 and row 5, column 9 hold 1 and 2; the 1 of column 5 only in rows `ends`.
Position WWingBoard(std::string_view ends)
{
    Position position = Keeping({{"r1c1", "12"}, {"r5c9", "12"}});
    for (int row = 0; row < 9; ++row)
        if (ends.find(static_cast<char>('1' + row)) == std::string_view::npos)
            position.Strike(row * 9 + 4, 0);
    return position;
}

TEST(HintWWing, ALinkBetweenTheTwoSquaresStrikesTheirOtherDigit)
{
    const Position position = WWingBoard("15");
    Step step;
    ASSERT_TRUE(FindWWing(position, step));
    EXPECT_EQ(Summary(step), "W-Wing |  | r1c9-2 r5c1-2");
    EXPECT_EQ(step.Digit, 1);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(4), RowUnit(0), RowUnit(4)}));
    EXPECT_EQ(step.Sentence,
              "Row 1, column 1 and row 5, column 9 can both only be 1 or 2, and in column 5 the 1 "
              "can only go in row 1, column 5, which sees the first, or row 5, column 5, which "
              "sees the second: were both squares 1, column 5 would have no place left for the "
              "1, so one of them is 2 and the 2 is struck from every square that sees both: row "
              "1, column 9; row 5, column 1.");
    EXPECT_EQ(FirstStep(position), "W-Wing |  | r1c9-2 r5c1-2");
}

TEST(HintWWing, NeedsEachEndOfTheLinkToSeeOneSquare)
{
    Step step;
    // Row 9, column 5 sees neither square.
    EXPECT_FALSE(FindWWing(WWingBoard("19"), step));
    // Three places for the 1 in column 5 make no link.
    EXPECT_FALSE(FindWWing(WWingBoard("159"), step));
    // Both ends, rows 2 and 3 of column 2, see the first square only.
    Position position = Keeping({{"r1c1", "12"}, {"r5c9", "12"}});
    StrikeInUnit(position, ColumnUnit(1), "1", {"r2c2", "r3c2"});
    EXPECT_FALSE(FindWWing(position, step));
}

TEST(HintWWing, NeedsTwoSquaresThatDoNotSeeEachOther)
{
    // The two squares share row 1; the 1 of row 2 lies only in their groups, one end each.
    Position position = Keeping({{"r1c1", "12"}, {"r1c9", "12"}});
    StrikeInUnit(position, RowUnit(1), "1", {"r2c2", "r2c8"});
    Step step;
    EXPECT_FALSE(FindWWing(position, step));
}

// Positions from the puzzle sets where a wing is the engine's step.

// bank-hard-500, line 13.
constexpr std::string_view XYWingGrid = "18 6 28 7 5 4 129 3 29\n"
                                        "15 4 25 3 9 6 12 8 7\n"
                                        "3 9 7 28 1 28 4 5 6\n"
                                        "58 3 9 4 7 1 25 6 28\n"
                                        "6 1 4 58 2 358 7 9 38\n"
                                        "7 2 58 9 6 38 35 4 1\n"
                                        "4 7 36 25 8 25 369 1 39\n"
                                        "9 8 36 1 4 7 36 2 5\n"
                                        "2 5 1 6 3 9 8 7 4\n";

// bank-hard-500, line 22.
constexpr std::string_view XYZWingGrid = "67 2 4 57 1 9 56 3 8\n"
                                         "38 1 358 6 23 235 9 7 4\n"
                                         "679 69 35 457 8 3457 156 2 156\n"
                                         "689 569 1 789 4 78 3 56 2\n"
                                         "2 46 7 3 5 1 8 46 9\n"
                                         "389 45 38 289 6 28 7 145 15\n"
                                         "1 7 2 458 9 3458 456 58 356\n"
                                         "5 3 9 248 27 6 14 18 17\n"
                                         "4 8 6 1 37 35 2 9 357\n";

// bank-hard-500, line 18.
constexpr std::string_view WWingGrid = "2 89 36 69 1 5 38 4 7\n"
                                       "4 1 36 2 89 7 38 5 69\n"
                                       "89 5 7 4 389 36 1 2 69\n"
                                       "79 69 5 3 2 1 4 67 8\n"
                                       "78 68 1 5 4 9 2 67 3\n"
                                       "3 4 2 7 6 8 5 9 1\n"
                                       "1 7 9 8 5 4 6 3 2\n"
                                       "5 2 8 69 379 36 79 1 4\n"
                                       "6 3 4 1 79 2 79 8 5\n";

// The engine's step on `grid`, then whether `find` finds the same step again once it is taken.
void ExpectStepOnce(std::string_view grid, bool (*find)(const Position &, Step &),
                    const std::string &expected)
{
    Position position = PositionOfGrid(grid);
    EXPECT_EQ(FirstStep(position), expected);
    Step step;
    ASSERT_TRUE(find(position, step));
    ApplyStep(position, step);
    EXPECT_FALSE(find(position, step) && Summary(step) == expected) << "a spent pattern fires";
}

TEST(HintWings, EachIsTheStepOnAPositionFromThePuzzleSets)
{
    ExpectStepOnce(XYWingGrid, FindXYWing, "XY-Wing |  | r4c1-5");
    ExpectStepOnce(XYZWingGrid, FindXYZWing, "XYZ-Wing |  | r3c6-3");
    ExpectStepOnce(WWingGrid, FindWWing, "W-Wing |  | r1c4-9");
}

} // namespace
} // namespace quorix::hint

// Unique rectangles and the bivalue grave: the rules that hold only on a puzzle with a single
// solution, each with a board where it must fire and near misses where it must not.
#include "hint/finders.h"
#include "hint_support.h"
#include "pattern_board.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::Keeping;
using testing::PositionOfGrid;
using testing::StrikeInUnit;
using testing::Summary;

// Rows 1 and 2 meet columns 1 and 5 in groups 1 and 2. The pair in row 1 has already cleared
// its digits from the rest of its row, as a naked pair would.
Position RectangleBoard(std::string_view secondRow)
{
    Position position =
        Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r2c1", secondRow}, {"r2c5", secondRow}});
    StrikeInUnit(position, RowUnit(0), "12", {"r1c1", "r1c5"});
    return position;
}

TEST(HintUniqueRectangle, Type1StrikesThePairFromTheOnlyCornerWithMore)
{
    Position position = Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r2c1", "12"}});
    StrikeInUnit(position, RowUnit(0), "12", {"r1c1", "r1c5"});
    StrikeInUnit(position, ColumnUnit(0), "12", {"r1c1", "r2c1"});
    StrikeInUnit(position, GroupUnit(0), "12", {"r1c1", "r2c1"});
    Step step;
    ASSERT_TRUE(FindUniqueRectangle(position, step));
    EXPECT_EQ(Summary(step), "Unique rectangle type 1 |  | r2c5-1 r2c5-2");
    EXPECT_EQ(step.Kind, Technique::UniqueRectangle);
    EXPECT_EQ(step.Pattern.Count(), 4);
    EXPECT_EQ(step.Units.front(), RowUnit(1));
    EXPECT_EQ(step.Sentence,
              "The squares where rows 1 and 2 meet columns 1 and 5 lie in two groups and can all "
              "be 1 or 2, three of them nothing else: were row 2, column 5 also 1 or 2, the four "
              "could swap their 1s and 2s and the puzzle would have two solutions, so, as it has "
              "a single solution, 1 and 2 are struck from row 2, column 5.");
    EXPECT_EQ(FirstStep(position, true), "Unique rectangle type 1 |  | r2c5-1 r2c5-2");
    EXPECT_EQ(FirstStep(position, false), "none") << "only on a puzzle with a single solution";
}

TEST(HintUniqueRectangle, NeedsTwoGroupsAndBothDigitsInEveryCorner)
{
    Step step;
    // Rows 1 and 5, columns 1 and 5: four groups, so the digits could not swap.
    EXPECT_FALSE(FindUniqueRectangle(
        Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r5c1", "12"}, {"r5c5", "123"}}), step));
    // The fourth corner cannot be 2 at all.
    EXPECT_FALSE(FindUniqueRectangle(
        Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r2c1", "12"}, {"r2c5", "134"}}), step));
    // A corner already set is no corner.
    Position set = Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r2c1", "12"}});
    set.Place(testing::SquareAt("r2c5"), 2);
    EXPECT_FALSE(FindUniqueRectangle(set, step));
}

TEST(HintUniqueRectangle, Type2StrikesTheSharedExtraDigitWhereBothAreSeen)
{
    const Position position = RectangleBoard("123");
    EXPECT_EQ(FirstStep(position, true), "Unique rectangle type 2 |  | r2c2-3 r2c3-3 r2c4-3 "
                                         "r2c6-3 r2c7-3 r2c8-3 r2c9-3");
    Step step;
    ASSERT_TRUE(FindUniqueRectangle(position, step));
    EXPECT_EQ(step.Digit, 2);
    EXPECT_EQ(step.Units.front(), RowUnit(1));
    EXPECT_EQ(step.Sentence,
              "The squares where rows 1 and 2 meet columns 1 and 5 lie in two groups and can all "
              "be 1 or 2, two of them nothing else and the other two, row 2, columns 1 and 5, only "
              "3 besides: "
              "were neither of these 3, the four could swap their 1s and 2s and the puzzle would "
              "have two solutions, so, as it has a single solution, one of them is 3 and the 3 "
              "is struck from every square that sees both: row 2, columns 2, 3, 4, 6, 7, 8 and "
              "9.");
}

TEST(HintUniqueRectangle, Type2ReachesThroughAGroupTheExtrasShare)
{
    // Rows 1 and 5 meet columns 1 and 2 in groups 1 and 4; the extras share row 5 and group 4.
    Position position = Keeping({{"r1c1", "12"}, {"r1c2", "12"}, {"r5c1", "123"}, {"r5c2", "123"}});
    StrikeInUnit(position, RowUnit(0), "12", {"r1c1", "r1c2"});
    StrikeInUnit(position, GroupUnit(0), "12", {"r1c1", "r1c2"});
    EXPECT_EQ(FirstStep(position, true),
              "Unique rectangle type 2 |  | r4c1-3 r4c2-3 r4c3-3 r5c3-3 r5c4-3 r5c5-3 r5c6-3 "
              "r5c7-3 r5c8-3 r5c9-3 r6c1-3 r6c2-3 r6c3-3");
}

TEST(HintUniqueRectangle, Type2NeedsOneAndTheSameExtraDigit)
{
    Step step;
    // The extras differ: 3 in one corner, 4 in the other.
    Position other = Keeping({{"r1c1", "12"}, {"r1c5", "12"}, {"r2c1", "123"}, {"r2c5", "124"}});
    StrikeInUnit(other, RowUnit(0), "12", {"r1c1", "r1c5"});
    EXPECT_FALSE(FindUniqueRectangle(other, step));
    // Two extra digits in each.
    EXPECT_FALSE(FindUniqueRectangle(RectangleBoard("1234"), step));
}

// The pair in row 1 as above; in row 2 the 1 has only the rectangle's two corners, and the
// columns have no other 1 left either (an X-Wing's work done).
Position Type4Board()
{
    Position position = RectangleBoard("123456789");
    StrikeInUnit(position, RowUnit(1), "1", {"r2c1", "r2c5"});
    StrikeInUnit(position, ColumnUnit(0), "1", {"r1c1", "r2c1"});
    StrikeInUnit(position, ColumnUnit(4), "1", {"r1c5", "r2c5"});
    StrikeInUnit(position, GroupUnit(0), "1", {"r1c1", "r2c1"});
    StrikeInUnit(position, GroupUnit(1), "1", {"r1c5", "r2c5"});
    return position;
}

TEST(HintUniqueRectangle, Type4StrikesTheOtherDigitWhereOneIsConfinedToTheExtras)
{
    const Position position = Type4Board();
    EXPECT_EQ(FirstStep(position, true), "Unique rectangle type 4 |  | r2c1-2 r2c5-2");
    Step step;
    ASSERT_TRUE(FindUniqueRectangle(position, step));
    EXPECT_EQ(step.Units.front(), RowUnit(1));
    EXPECT_EQ(step.Sentence,
              "The squares where rows 1 and 2 meet columns 1 and 5 lie in two groups and can all "
              "be 1 or 2, two of them nothing else; in row 2 the 1 can only go in row 2, columns "
              "1 and 5, so one of them is 1, and were the other 2, the four could swap their 1s "
              "and 2s and the puzzle would have two solutions, so, as it has a single solution, "
              "the 2 is struck from both.");
}

TEST(HintUniqueRectangle, Type4FindsTheLinkInAGroupTheExtrasShare)
{
    // The 1 of group 4 lies only in the extras, row 5, columns 1 and 2; row 5 has more.
    Position position = Keeping({{"r1c1", "12"}, {"r1c2", "12"}});
    StrikeInUnit(position, GroupUnit(3), "1", {"r5c1", "r5c2"});
    Step step;
    ASSERT_TRUE(FindUniqueRectangle(position, step));
    EXPECT_EQ(Summary(step), "Unique rectangle type 4 |  | r5c1-2 r5c2-2");
    EXPECT_EQ(step.Units.front(), GroupUnit(3));
}

TEST(HintUniqueRectangle, Type4NeedsTheDigitConfinedToTheExtras)
{
    // A third place for the 1 in row 2.
    Position loose = RectangleBoard("123456789");
    StrikeInUnit(loose, RowUnit(1), "1", {"r2c1", "r2c5", "r2c9"});
    Step step;
    EXPECT_FALSE(FindUniqueRectangle(loose, step));
    // The digit confined to the extras is neither of the pair's.
    Position extra = RectangleBoard("123456789");
    StrikeInUnit(extra, RowUnit(1), "3", {"r2c1", "r2c5"});
    EXPECT_FALSE(FindUniqueRectangle(extra, step));
}

// Positions from the puzzle sets where a uniqueness rule is the engine's step.

// bank-hard-500, line 183.
constexpr std::string_view Type1Grid = "15 2 18 4 3 9 7 6 58\n"
                                       "46 489 68 2 5 7 1 489 3\n"
                                       "3 459 7 8 1 6 24 49 2459\n"
                                       "8 7 4 5 26 3 9 1 26\n"
                                       "1256 15 126 79 79 8 24 3 246\n"
                                       "26 3 9 1 26 4 8 5 7\n"
                                       "127 18 128 3 4 5 6 789 189\n"
                                       "9 148 3 6 78 2 5 478 14\n"
                                       "47 6 5 79 789 1 3 2 48\n";

// bank-diabolical-500, line 10.
constexpr std::string_view Type2Grid = "4 3 1 2 58 6 58 7 9\n"
                                       "579 57 79 13 4 38 28 6 12\n"
                                       "26 26 8 19 59 7 3 15 4\n"
                                       "1 8 4 369 7 359 56 2 35\n"
                                       "256 256 236 4 18 18 569 359 7\n"
                                       "567 9 367 36 2 35 1 4 8\n"
                                       "2679 1267 5 8 3 12 4 19 126\n"
                                       "8 4 29 7 6 129 259 1359 35\n"
                                       "3 126 269 5 19 4 7 8 126\n";

// bank-diabolical-500, line 36.
constexpr std::string_view Type4Grid = "9 7 8 23 4 5 6 13 12\n"
                                       "6 34 1 238 28 7 5 9 24\n"
                                       "5 34 2 6 1 9 78 347 48\n"
                                       "3 58 46 78 5678 1 278 247 9\n"
                                       "7 1 9 4 68 2 3 5 68\n"
                                       "2 58 46 9 5678 3 178 147 1468\n"
                                       "4 9 7 12 3 8 12 6 5\n"
                                       "8 6 5 17 27 4 9 12 3\n"
                                       "1 2 3 5 9 6 4 8 7\n";

// bank-diabolical-500, line 483.
constexpr std::string_view GraveGrid = "4 8 5 36 69 39 7 2 1\n"
                                       "1 6 3 7 8 2 9 5 4\n"
                                       "9 7 2 4 5 1 3 8 6\n"
                                       "7 5 9 8 3 6 1 4 2\n"
                                       "2 4 8 9 1 5 6 7 3\n"
                                       "3 1 6 2 4 7 8 9 5\n"
                                       "58 39 7 16 269 4 25 13 89\n"
                                       "6 39 14 5 29 8 24 13 7\n"
                                       "58 2 14 13 7 39 45 6 89\n";

TEST(HintUniqueRectangle, EachTypeIsTheStepOnAPositionFromThePuzzleSets)
{
    struct Case
    {
        std::string_view Grid;
        const char *Expected;
    };
    for (const Case &c : {Case{Type1Grid, "Unique rectangle type 1 |  | r9c5-7 r9c5-9"},
                          Case{Type2Grid, "Unique rectangle type 2 |  | r5c7-5 r5c8-5 r6c1-5"},
                          Case{Type4Grid, "Unique rectangle type 4 |  | r4c5-8 r6c5-8"}}) {
        SCOPED_TRACE(c.Expected);
        const Position position = PositionOfGrid(c.Grid);
        EXPECT_EQ(FirstStep(position, true), c.Expected);
        // Without a single solution known, no uniqueness rule runs.
        Step step;
        HintOptions options;
        EXPECT_FALSE(FindHint(position, options, step) && step.Kind == Technique::UniqueRectangle);
    }
}

TEST(HintBivalueGrave, SetsTheSquareThatWouldOtherwiseLeaveABoardOfPairs)
{
    const Position position = PositionOfGrid(GraveGrid);
    EXPECT_EQ(FirstStep(position, true), "Bivalue grave | r7c5=9 | ");
    Step step;
    ASSERT_TRUE(FindBivalueGrave(position, step));
    EXPECT_EQ(step.Digit, 8);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(6), ColumnUnit(4), GroupUnit(7)}));
    EXPECT_EQ(step.Sentence,
              "Every empty square but row 7, column 5 can only be one of two digits, and every "
              "digit has exactly two places in each row, column and group where it is still "
              "open, except the 9, which has three in the row, column and group of row 7, column "
              "5: were that square anything but 9, the board would have no solution or more than "
              "one, so, as the puzzle has a single solution, row 7, column 5 is 9.");
    // Without a single solution known the grave does not run; a chain of pairs takes a step
    // that holds in every solution instead.
    EXPECT_EQ(FirstStep(position, false), "XY-chain |  | r9c3-1");
}

// Rows 1 to 3 meet columns 1, 4 and 7 in nine empty squares, one to a group, whose values 1, 4
// and 7 could each turn to the next: a grave of pairs, with a 7 added to row 1, column 1.
constexpr std::string_view LatinGraveGrid = "147 2 3 47 5 6 17 8 9\n"
                                            "47 5 6 17 8 9 14 2 3\n"
                                            "17 8 9 14 2 3 47 5 6\n"
                                            "2 3 4 5 6 7 8 9 1\n"
                                            "5 6 7 8 9 1 2 3 4\n"
                                            "8 9 1 2 3 4 5 6 7\n"
                                            "3 4 5 6 7 8 9 1 2\n"
                                            "6 7 8 9 1 2 3 4 5\n"
                                            "9 1 2 3 4 5 6 7 8\n";

TEST(HintBivalueGrave, NeedsOneSquareOfThreeAndEveryOtherCountTwo)
{
    // No puzzle with a single solution leads here (a wing strikes that 7), so the finder alone.
    Step step;
    ASSERT_TRUE(FindBivalueGrave(PositionOfGrid(LatinGraveGrid), step));
    EXPECT_EQ(Summary(step), "Bivalue grave | r1c1=7 | ");
    Position pairs = PositionOfGrid(LatinGraveGrid);
    pairs.Strike(0, 6);
    EXPECT_FALSE(FindBivalueGrave(pairs, step)) << "a grave of pairs alone sets nothing";
    // Row 2 with the candidates of its first and fourth squares swapped: every row still holds
    // each digit twice, but columns 1 and 4 do not.
    std::string swapped(LatinGraveGrid);
    swapped.replace(swapped.find("\n47 5 6 17"), 10, "\n17 5 6 47");
    EXPECT_FALSE(FindBivalueGrave(PositionOfGrid(swapped), step));
    // Row 7, column 3 opened to 1 or 7: the 1 now has three places in its column and group,
    // which do not hold the square of three, and the 7 one place in row 7.
    std::string opened(GraveGrid);
    opened.replace(opened.find("58 39 7 16"), 10, "58 39 17 16");
    EXPECT_FALSE(FindBivalueGrave(PositionOfGrid(opened), step));
}

} // namespace
} // namespace quorix::hint

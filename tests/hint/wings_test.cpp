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
using testing::SquareAt;
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
    // Both ends see the same square only.
    Position position = Keeping({{"r1c1", "12"}, {"r5c9", "12"}});
    for (int column = 0; column < 9; ++column)
        if (column != 3 && column != 5)
            position.Strike(SquareAt("r1c1") + column, 0);
    EXPECT_FALSE(FindWWing(position, step));
}

TEST(HintWWing, NeedsTwoSquaresThatDoNotSeeEachOther)
{
    // The two squares share row 1; the link's ends, rows 1 and 5 of column 5, are each seen.
    Position position = Keeping({{"r1c1", "12"}, {"r1c9", "12"}});
    for (int row = 0; row < 9; ++row)
        if (row != 0 && row != 4)
            position.Strike(row * 9 + 4, 0);
    Step step;
    EXPECT_FALSE(FindWWing(position, step));
}

} // namespace
} // namespace quorix::hint

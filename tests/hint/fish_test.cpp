#include "digit_picture.h"
#include "hint/finders.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::DigitPicture;
using testing::FirstStep;
using testing::Summary;

TEST(HintFish, TwoRowsSharingTwoColumnsAreAnXWing)
{
    const Position position = DigitPicture(4, "xxxxxxxxx"
                                              "..x...x.."
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "..x...x.."
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    ASSERT_TRUE(FindXWing(position, step));
    const std::string expected = "X-Wing |  | r1c3-4 r1c7-4 r3c3-4 r3c7-4 r4c3-4 r4c7-4 r5c3-4 "
                                 "r5c7-4 r7c3-4 r7c7-4 r8c3-4 r8c7-4 r9c3-4 r9c7-4";
    EXPECT_EQ(Summary(step), expected);
    EXPECT_EQ(FirstStep(position), expected);
    EXPECT_EQ(step.Digit, 3);
    EXPECT_EQ(step.Units,
              (std::vector<std::uint8_t>{RowUnit(1), RowUnit(5), ColumnUnit(2), ColumnUnit(6)}));
    EXPECT_EQ(step.Pattern.Count(), 4);
    EXPECT_EQ(step.Sentence,
              "In rows 2 and 6 the 4 can go only in columns 3 and 7, so these two rows hold the 4 "
              "of both columns, and their other places cannot be 4: rows 1, 3, 4, 5, 7, 8 and 9, "
              "column 3; rows 1, 3, 4, 5, 7, 8 and 9, column 7.");
}

TEST(HintFish, ThreeRowsSpreadOverFourColumnsAreNoFish)
{
    const Position position = DigitPicture(9, ".x.x....."
                                              "xxxxxxxxx"
                                              "...x.x..."
                                              "xxxxxxxxx"
                                              ".....x.x."
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    EXPECT_FALSE(FindXWing(position, step));
    EXPECT_FALSE(FindSwordfish(position, step));
    EXPECT_FALSE(FindJellyfish(position, step));
}

TEST(HintFish, AChainOfThreeColumnsThroughThreeRowsIsASwordfish)
{
    // Columns 1, 5 and 8 have two places each, chained through rows 2, 4 and 9: no two of
    // them make an X-Wing, and no row has few enough places to be a base line.
    const Position position = DigitPicture(7, ".xxx.xx.x"
                                              "xxxx.xxxx"
                                              ".xxx.xx.x"
                                              "xxxxxxx.x"
                                              ".xxx.xx.x"
                                              ".xxx.xx.x"
                                              ".xxx.xx.x"
                                              ".xxx.xx.x"
                                              ".xxxxxxxx");
    Step step;
    EXPECT_FALSE(FindXWing(position, step));
    ASSERT_TRUE(FindSwordfish(position, step));
    const std::string expected = "Swordfish |  | r2c2-7 r2c3-7 r2c4-7 r2c6-7 r2c7-7 r2c9-7 r4c2-7 "
                                 "r4c3-7 r4c4-7 r4c6-7 r4c7-7 r4c9-7 r9c2-7 r9c3-7 r9c4-7 r9c6-7 "
                                 "r9c7-7 r9c9-7";
    EXPECT_EQ(Summary(step), expected);
    EXPECT_EQ(FirstStep(position), expected);
    EXPECT_EQ(step.Units.front(), ColumnUnit(0));
}

TEST(HintFish, AFishWhoseCoverLinesHoldNothingElseStrikesNothing)
{
    const Position position = DigitPicture(4, "xx.xxx.xx"
                                              "..x...x.."
                                              "xx.xxx.xx"
                                              "xx.xxx.xx"
                                              "xx.xxx.xx"
                                              "..x...x.."
                                              "xx.xxx.xx"
                                              "xx.xxx.xx"
                                              "xx.xxx.xx");
    Step step;
    EXPECT_FALSE(FindXWing(position, step));
    EXPECT_FALSE(FindSwordfish(position, step));
    EXPECT_FALSE(FindJellyfish(position, step));
}

} // namespace
} // namespace quorix::hint

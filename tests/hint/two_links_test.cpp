#include "digit_picture.h"
#include "hint/finders.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::DigitPicture;
using testing::FirstStep;
using testing::Summary;

TEST(HintTwoLinks, TwoRowsJoinedInAColumnAreASkyscraper)
{
    const Position position = DigitPicture(1, ".x....x.."
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              ".x......x"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    ASSERT_TRUE(FindSkyscraper(position, step));
    const std::string expected = "Skyscraper |  | r2c9-1 r3c9-1 r4c7-1 r5c7-1";
    EXPECT_EQ(Summary(step), expected);
    EXPECT_EQ(FirstStep(position), expected);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(0), RowUnit(5), ColumnUnit(1)}));
    EXPECT_EQ(step.Sentence,
              "In row 1 the 1 can go only in row 1, column 2 or row 1, column 7, and in row 6 only "
              "in row 6, column 2 or row 6, column 9; as row 1, column 2 and row 6, column 2 "
              "share column 2, at most one of them is 1, so row 1, column 7 or row 6, column 9 is "
              "1, and a square that sees both cannot be 1: row 2, column 9; row 3, column 9; row "
              "4, column 7; row 5, column 7.");
}

TEST(HintTwoLinks, ARowAndAColumnJoinedInAGroupAreATwoStringKiteAndNothingLess)
{
    const Position position = DigitPicture(5, ".x...x..."
                                              "xx.xxxxxx"
                                              "xxxxxxxxx"
                                              "xx.xxxxxx"
                                              "xx.xxxxxx"
                                              "xx.xxxxxx"
                                              "xx.xxxxxx"
                                              "xxxxxxxxx"
                                              "xx.xxxxxx");
    Step step;
    EXPECT_FALSE(FindSkyscraper(position, step));
    EXPECT_FALSE(FindTurbotFish(position, step)) << "a kite is never reported as a turbot fish";
    ASSERT_TRUE(FindTwoStringKite(position, step));
    EXPECT_EQ(Summary(step), "Two-string kite |  | r8c6-5");
    EXPECT_EQ(FirstStep(position), "Two-string kite |  | r8c6-5");
    EXPECT_EQ(step.Units.back(), GroupUnit(0));
}

TEST(HintTwoLinks, TwoRowsJoinedInsideAGroupAreATurbotFishNotASkyscraper)
{
    // (The engine finds these strikes first by pointing in group 2, as it always can where
    // two rows of a band make such a pair.)
    const Position position = DigitPicture(8, ".x....x.."
                                              "xxxxxxxxx"
                                              "..x.....x"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    EXPECT_FALSE(FindSkyscraper(position, step));
    ASSERT_TRUE(FindTurbotFish(position, step));
    EXPECT_EQ(Summary(step), "Turbot fish |  | r2c7-8 r2c8-8 r2c9-8");
}

TEST(HintTwoLinks, LinksWhoseEndsShareNoUnitGiveNothing)
{
    const Position position = DigitPicture(1, ".x....x.."
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "..x.....x"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    EXPECT_FALSE(FindSkyscraper(position, step));
    EXPECT_FALSE(FindTwoStringKite(position, step));
    EXPECT_FALSE(FindTurbotFish(position, step));
}

} // namespace
} // namespace quorix::hint

#include "digit_picture.h"
#include "hint/finders.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::DigitPicture;
using testing::FirstStep;
using testing::Summary;

TEST(HintSimpleColouring, TwoSquaresOfOneColourInAGroupStrikeTheWholeColour)
{
    // Rows 1 and 4 and columns 2 and 4 chain row 1, column 1 to row 2, column 2 in four links,
    // so both get the same colour, inside group 1.
    const Position position = DigitPicture(2, "x..x....."
                                              "xxx.xxxxx"
                                              "x.x.xxxxx"
                                              ".x.x....."
                                              "x.x.xxxxx"
                                              "x.x.xxxxx"
                                              "x.x.xxxxx"
                                              "x.x.xxxxx"
                                              "x.x.xxxxx");
    Step step;
    ASSERT_TRUE(FindSimpleColouring(position, step));
    EXPECT_EQ(Summary(step), "Simple colouring (colour wrap) |  | r1c1-2 r2c2-2 r4c4-2");
    EXPECT_EQ(step.Kind, Technique::SimpleColouring);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{GroupUnit(0), RowUnit(0), ColumnUnit(3),
                                                     RowUnit(3), ColumnUnit(1)}));
    EXPECT_EQ(step.Pattern.Count(), 5);
    EXPECT_EQ(step.Sentence,
              "Following the 2 through the units where it has only two places, either it is in "
              "row 1, column 1, in row 2, column 2 and in row 4, column 4, or it is in row 1, "
              "column 4 and in row 4, column 2; the first cannot be, as row 1, column 1 and row "
              "2, column 2 share group 1, so none of those squares can be 2: row 1, column 1; "
              "row 2, column 2; row 4, column 4.");
}

// Five links chain row 1, column 1 to row 8, column 2, the two ends of different colours.
constexpr const char *FiveLinks = "x..x....."
                                  "xxx.xx.xx"
                                  "xxx.xx.xx"
                                  "xxx.xx.xx"
                                  "...x..x.."
                                  "xxx.xx.xx"
                                  "xxx.xx.xx"
                                  ".x....x.."
                                  "xxx.xx.xx";

TEST(HintSimpleColouring, PlacesSeeingBothColoursOfAChainLoseTheDigit)
{
    const Position position = DigitPicture(6, FiveLinks);
    const std::string expected = "Simple colouring (colour trap) |  | r2c2-6 r3c2-6 r7c1-6 r9c1-6";
    Step step;
    ASSERT_TRUE(FindSimpleColouring(position, step));
    EXPECT_EQ(Summary(step), expected);
    EXPECT_EQ(FirstStep(position), expected) << "no two links alone reach these squares";
    EXPECT_EQ(step.Units.size(), 5u);
}

TEST(HintSimpleColouring, AChainWithNoPlaceSeeingBothColoursGivesNothing)
{
    Position position = DigitPicture(6, FiveLinks);
    testing::StrikeAll(position, {"r2c2-6", "r3c2-6", "r7c1-6", "r9c1-6"});
    Step step;
    EXPECT_FALSE(FindSimpleColouring(position, step));
}

} // namespace
} // namespace quorix::hint

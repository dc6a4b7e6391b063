#include "digit_picture.h"
#include "hint/finders.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::DigitPicture;
using testing::FirstStep;
using testing::Summary;

// Group 5 has its 6 only on the cross of row 5 and column 5.
constexpr const char *CrossAndColumnLink = "xxxxxxx.x"
                                           "xxxxxxx.x"
                                           "xxxxxxx.x"
                                           "xxx.x.x.x"
                                           "xxxx.xxxx"
                                           "xxx.x.x.x"
                                           "xxxxxxx.x"
                                           "xxxxxxx.x"
                                           "xxxxxxxxx";

TEST(HintEmptyRectangle, ACrossInAGroupAndAColumnLinkStrikeWhereTheLinesMeet)
{
    const Position position = DigitPicture(6, CrossAndColumnLink);
    Step step;
    ASSERT_TRUE(FindEmptyRectangle(position, step));
    EXPECT_EQ(Summary(step), "Empty rectangle |  | r9c5-6");
    EXPECT_EQ(FirstStep(position), "Empty rectangle |  | r9c5-6");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{GroupUnit(4), ColumnUnit(7)}));
    EXPECT_EQ(step.Pattern.Count(), 6);
    EXPECT_EQ(step.Sentence,
              "In group 5 the 6 can go only in row 5 or column 5, and in column 8 only in row 5, "
              "column 8 or row 9, column 8; if row 9, column 5 were 6, column 5 would have its 6 "
              "outside group 5, so group 5 would have its 6 in row 5, row 5, column 8 would not "
              "be 6 and row 9, column 8 would, in the same row as row 9, column 5; so row 9, "
              "column 5 cannot be 6.");
}

TEST(HintEmptyRectangle, ARowLinkMeetingTheCrossColumnStrikesInTheCrossRow)
{
    const Position position = DigitPicture(6, "xxxxxxxxx"
                                              "....x...x"
                                              "xxxxxxxxx"
                                              "xxx.x.xxx"
                                              "xxxx.xxxx"
                                              "xxx.x.xxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx"
                                              "xxxxxxxxx");
    Step step;
    ASSERT_TRUE(FindEmptyRectangle(position, step));
    EXPECT_EQ(Summary(step), "Empty rectangle |  | r5c9-6");
}

TEST(HintEmptyRectangle, NothingWhenTheLinkEndsInTheGroupsBandOrTheGroupIsNoCross)
{
    const Position farEndInBand = DigitPicture(6, "xxxxxxx.x"
                                                  "xxxxxxx.x"
                                                  "xxxxxxx.x"
                                                  "xxx.x.x.x"
                                                  "xxxx.xxxx"
                                                  "xxx.x.xxx"
                                                  "xxxxxxx.x"
                                                  "xxxxxxx.x"
                                                  "xxxxxxx.x");
    Step step;
    EXPECT_FALSE(FindEmptyRectangle(farEndInBand, step));

    const Position diagonal = DigitPicture(6, "xxxxxxx.x"
                                              "xxxxxxx.x"
                                              "xxxxxxx.x"
                                              "xxxx..x.x"
                                              "xxx.x.xxx"
                                              "xxx..xx.x"
                                              "xxxxxxx.x"
                                              "xxxxxxx.x"
                                              "xxxxxxxxx");
    EXPECT_FALSE(FindEmptyRectangle(diagonal, step));
}

} // namespace
} // namespace quorix::hint

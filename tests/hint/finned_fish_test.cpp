#include "hint/finders.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOfGrid;
using testing::StrikeAll;
using testing::Summary;

// Rows 1 and 5 hold the 1 in columns 1 and 5 only, and row 1 also in `extra` (the fin); every
// other square keeps every candidate.
Position OnesInRowsOneAndFive(std::initializer_list<std::string_view> extra)
{
    Position position;
    for (const char *strike :
         {"r1c2-1", "r1c3-1", "r1c4-1", "r1c6-1", "r1c7-1", "r1c8-1", "r1c9-1", "r5c2-1", "r5c3-1",
          "r5c4-1", "r5c6-1", "r5c7-1", "r5c8-1", "r5c9-1"})
        if (std::find(extra.begin(), extra.end(), std::string_view(strike).substr(0, 4))
            == extra.end())
            StrikeAll(position, {strike});
    return position;
}

TEST(HintFinnedFish, AFinInsideOneGroupStrikesOnlyTheCoverSquaresOfThatGroup)
{
    // Row 1's extra 1 at column 6 lies in group 2: only column 5's squares in group 2 go, not
    // the rest of columns 1 and 5 as a plain X-Wing would take.
    const Position position = OnesInRowsOneAndFive({"r1c6"});
    Step step;
    ASSERT_TRUE(FindFinnedFish(position, step));
    EXPECT_EQ(Summary(step), "Finned X-Wing |  | r2c5-1 r3c5-1");
    EXPECT_EQ(step.Digit, 0);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(0), RowUnit(4), ColumnUnit(0),
                                                     ColumnUnit(4), GroupUnit(1)}));
    EXPECT_EQ(step.Pattern.Count(), 5);
    EXPECT_EQ(step.Sentence,
              "Rows 1 and 5 hold the 1 only in columns 1 and 5, apart from the fin at row 1, "
              "column 6. If the fin holds no 1, the two rows' 1s fill columns 1 and 5, which then "
              "hold no other; if it holds one, group 2 holds no other. Either way, strike 1 from "
              "rows 2 and 3, column 5, in those columns and in group 2.");
    EXPECT_EQ(FirstStep(position), "Finned X-Wing |  | r2c5-1 r3c5-1");
}

TEST(HintFinnedFish, ExtraPlacesInTwoGroupsMakeNoFin)
{
    // With 1s at row 1, columns 6 and 7 no single group holds the extra places, and no square
    // sees them all.
    Step step;
    EXPECT_FALSE(FindFinnedFish(OnesInRowsOneAndFive({"r1c6", "r1c7"}), step));
    // Nor is there a fish where the fin's group has nothing in the cover lines to strike.
    Position position = OnesInRowsOneAndFive({"r1c6"});
    StrikeAll(position, {"r2c5-1", "r3c5-1"});
    EXPECT_FALSE(FindFinnedFish(position, step));
}

TEST(HintFinnedFish, ASashimiXWingOnColumnsFromThePuzzleSets)
{
    // Column 7 has no 8 left in row 5 or 7 apart from its fin in group 6: without the fin the
    // fish body would be broken, which is what makes it sashimi.
    const Position position = PositionOfGrid("7 2 1 4 3 8 9 5 6\n"
                                             "58 9 4 6 15 2 7 3 18\n"
                                             "6 3 58 57 9 157 4 128 128\n"
                                             "128 6 278 257 1578 9 128 4 3\n"
                                             "1289 178 3 27 4 17 6 1289 5\n"
                                             "4 5 289 3 18 6 128 1289 7\n"
                                             "1238 18 258 9 6 35 128 7 4\n"
                                             "2389 4 6 1 27 37 5 28 289\n"
                                             "1259 17 2579 8 25 4 3 6 129\n");
    Step step;
    ASSERT_TRUE(FindFinnedFish(position, step));
    EXPECT_EQ(Summary(step), "Sashimi X-Wing |  | r5c8-8");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(1), ColumnUnit(6), RowUnit(4),
                                                     RowUnit(6), GroupUnit(5)}));
    EXPECT_EQ(step.Sentence,
              "Columns 2 and 7 hold the 8 only in rows 5 and 7, apart from the fin at rows 4 and "
              "6, column 7. If the fin holds no 8, the two columns' 8s fill rows 5 and 7, which "
              "then hold no other; if it holds one, group 6 holds no other. Either way, strike 8 "
              "from row 5, column 8, in those rows and in group 6.");
    EXPECT_EQ(FirstStep(position), "Sashimi X-Wing |  | r5c8-8");
}

TEST(HintFinnedFish, SwordfishAndJellyfishFromThePuzzleSets)
{
    const Position finned = PositionOfGrid("245 7 3458 59 6 39 2458 1 3458\n"
                                           "25 2389 3589 7 4 1 6 258 358\n"
                                           "6 134 1345 2 35 8 45 7 9\n"
                                           "8 6 457 45 235 237 25 9 1\n"
                                           "3 49 459 1 2589 6 2458 2458 7\n"
                                           "1457 149 2 459 589 79 3 6 458\n"
                                           "124 12348 1348 6 7 29 19 458 458\n"
                                           "127 5 17 8 29 4 19 3 6\n"
                                           "9 48 6 3 1 5 7 48 2\n");
    EXPECT_EQ(FirstStep(finned), "Finned Swordfish |  | r5c5-2");
    const Position sashimi = PositionOfGrid("127 5 8 129 3 129 6 247 247\n"
                                            "3 4 27 8 5 6 9 27 1\n"
                                            "12 9 6 7 12 4 3 8 5\n"
                                            "4 8 3 159 17 179 2 1567 67\n"
                                            "6 12 9 1235 4 1237 15 157 8\n"
                                            "27 127 5 6 8 12 4 9 3\n"
                                            "9 2367 27 123 167 5 8 1246 246\n"
                                            "5 26 1 4 26 8 7 3 9\n"
                                            "8 2367 4 123 9 1237 15 1256 26\n");
    EXPECT_EQ(FirstStep(sashimi), "Sashimi Swordfish |  | r7c3-7");
    const Position jellyfish = PositionOfGrid("5 78 1 27 9 4 67 378 2368\n"
                                              "3478 2 3478 6 18 5 9 478 148\n"
                                              "46789 4789 46789 127 128 3 17 4578 12458\n"
                                              "689 589 5689 3 56 2 4 1 7\n"
                                              "17 3 57 159 4 178 2 6 89\n"
                                              "12467 147 2467 19 67 1678 5 389 389\n"
                                              "134789 145789 34789 145 567 167 167 2 14569\n"
                                              "12479 14579 24579 1245 3 167 8 4579 14569\n"
                                              "1247 6 2457 8 12 9 3 457 145\n");
    EXPECT_EQ(FirstStep(jellyfish), "Finned Jellyfish |  | r7c1-7 r7c3-7");
}

} // namespace
} // namespace quorix::hint

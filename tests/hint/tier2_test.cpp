// Pointing, claiming and the subsets, each on a position taken from the puzzle sets where it is
// the engine's step, and on the same position changed just enough that it must not fire.
#include "hint/finders.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOfGrid;
using testing::Summary;

// bank-hard-500, line 1, after its singles.
constexpr std::string_view PointingGrid = "3 8 69 2 5 1 4 69 7\n"
                                          "5 7 46 9 468 48 1 2368 236\n"
                                          "1469 1469 2 3 468 7 5 689 69\n"
                                          "8 2 1 46 9 34 36 7 5\n"
                                          "469 3469 469 7 1 5 23689 23689 2369\n"
                                          "7 369 5 68 2 38 3689 4 1\n"
                                          "1249 1459 8 145 34 6 7 239 2349\n"
                                          "469 4569 3 45 7 2 69 1 8\n"
                                          "1246 146 7 148 348 9 236 5 2346\n";

TEST(HintIntersections, AGroupsPlacesInOneLinePointAlongIt)
{
    const Position position = PositionOfGrid(PointingGrid);
    EXPECT_EQ(FirstStep(position), "Pointing |  | r5c8-8");
    Step step;
    ASSERT_TRUE(FindPointing(position, step));
    EXPECT_EQ(step.Sentence, "In group 3, every place for an 8 is in column 8, so the 8 of "
                             "column 8 is one of them: strike 8 from row 5, column 8.");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{GroupUnit(2), ColumnUnit(7)}));
    // Without the 8 in row 5, column 8 the pattern stands but strikes nothing: no step.
    std::string spent(PointingGrid);
    spent.replace(spent.find("23689 23689"), 11, "23689 2369");
    EXPECT_FALSE(FindPointing(PositionOfGrid(spent), step)
                 && Summary(step) == "Pointing |  | r5c8-8");
}

TEST(HintIntersections, ALinesPlacesInOneGroupClaimIt)
{
    // The same puzzle further on.
    const Position position = PositionOfGrid("3 8 69 2 5 1 4 69 7\n"
                                             "5 7 46 9 468 48 1 2368 236\n"
                                             "1469 1469 2 3 468 7 5 689 69\n"
                                             "8 2 1 46 9 34 36 7 5\n"
                                             "469 3469 469 7 1 5 8 2369 2369\n"
                                             "7 369 5 68 2 38 369 4 1\n"
                                             "2 1459 8 145 34 6 7 39 349\n"
                                             "469 4569 3 45 7 2 69 1 8\n"
                                             "146 146 7 148 348 9 2 5 346\n");
    EXPECT_EQ(FirstStep(position), "Claiming |  | r5c8-3 r5c9-3");
    Step step;
    ASSERT_TRUE(FindClaiming(position, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(6), GroupUnit(5)}));
}

TEST(HintSubsets, NakedSubsetsStrikeTheirDigitsFromEveryUnitTheyShare)
{
    // A pair in group 3 (bank-hard-500).
    const Position pair = PositionOfGrid("3 8 69 2 5 1 4 69 7\n"
                                         "5 7 46 9 468 48 1 2368 236\n"
                                         "1469 1469 2 3 468 7 5 689 69\n"
                                         "8 2 1 46 9 34 36 7 5\n"
                                         "469 3 469 7 1 5 8 269 269\n"
                                         "7 69 5 68 2 38 369 4 1\n"
                                         "2 1459 8 145 34 6 7 39 349\n"
                                         "469 4569 3 45 7 2 69 1 8\n"
                                         "146 146 7 148 348 9 2 5 346\n");
    EXPECT_EQ(FirstStep(pair), "Naked pair |  | r2c8-6 r2c9-6 r3c8-6 r3c8-9");
    // A quad in group 6 (hard-1465).
    const Position quad = PositionOfGrid("1 2 34678 34567 3578 3568 57 68 9\n"
                                         "4678 5 4678 1467 9 68 2 168 3\n"
                                         "3678 6789 36789 123567 13578 23568 57 168 4\n"
                                         "245678 3 456789 1567 157 569 148 249 12578\n"
                                         "24567 4679 1 8 357 3569 34 2349 257\n"
                                         "578 789 5789 1357 2 4 6 39 1578\n"
                                         "348 148 348 239 6 7 13489 5 128\n"
                                         "35 68 2 359 4 1 39 7 68\n"
                                         "9 1467 34567 235 358 2358 134 234 126\n");
    EXPECT_EQ(FirstStep(quad), "Naked quad |  | r4c7-4 r4c9-2 r5c9-2");
    Step step;
    ASSERT_TRUE(FindNakedSubset(quad, 4, step));
    EXPECT_EQ(step.Sentence,
              "The four squares row 4, column 8; row 5, columns 7 and 8; row 6, column 8 hold "
              "only 2, 3, 4 and 9 between them, so these digits go there and nowhere else in "
              "group 6: strike them from row 4, columns 7 and 9; row 5, column 9; row 6, column "
              "9.");
}

TEST(HintSubsets, ATripleInARowAndGroupStrikesFromBoth)
{
    // Three squares of row 5 in group 5 holding 3, 5 and 8: the first unit searched is the
    // group, and the row is struck too.
    Position position;
    for (int square : {39, 41, 42})
        for (int digit = 0; digit < 9; ++digit)
            if (digit != 2 && digit != 4 && digit != 7)
                position.Strike(square, digit);
    // Squares 39 and 41 lie in group 5; 42 does not, so the three share row 5 only.
    Step step;
    ASSERT_TRUE(FindNakedSubset(position, 3, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(4)}));
    position = Position{};
    for (int square : {39, 40, 41})
        for (int digit = 0; digit < 9; ++digit)
            if (digit != 2 && digit != 4 && digit != 7)
                position.Strike(square, digit);
    ASSERT_TRUE(FindNakedSubset(position, 3, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{GroupUnit(4), RowUnit(4)}));
    EXPECT_EQ(step.Strikes.size(), 2u * 3u * 6u) << "six other squares in each unit, three digits";
    // Four digits over the three squares: no triple.
    Position loose;
    for (int square : {39, 40, 41})
        for (int digit = 0; digit < 9; ++digit)
            if (digit != 2 && digit != 4 && digit != 7 && !(square == 41 && digit == 0))
                loose.Strike(square, digit);
    EXPECT_FALSE(FindNakedSubset(loose, 3, step));
}

TEST(HintSubsets, HiddenSubsetsStripTheirSquaresOfOtherDigits)
{
    // bank-hard-500: 1 and 5 only in row 7, columns 2 and 4.
    const std::string grid = "3 8 69 2 5 1 4 69 7\n"
                             "5 7 46 9 468 48 1 23 23\n"
                             "1469 1469 2 3 46 7 5 8 69\n"
                             "8 2 1 46 9 34 36 7 5\n"
                             "469 3 469 7 1 5 8 269 269\n"
                             "7 69 5 68 2 38 369 4 1\n"
                             "2 1459 8 145 34 6 7 39 349\n"
                             "469 4569 3 45 7 2 69 1 8\n"
                             "146 146 7 148 348 9 2 5 346\n";
    EXPECT_EQ(FirstStep(PositionOfGrid(grid)), "Hidden pair |  | r7c2-4 r7c2-9 r7c4-4");
    Step step;
    ASSERT_TRUE(FindHiddenSubset(PositionOfGrid(grid), 2, step));
    EXPECT_EQ(step.Sentence, "In row 7, 1 and 5 can only go in row 7, columns 2 and 4, so those "
                             "two squares hold them and nothing else: strike their other "
                             "candidates.");
    // The same two squares already holding nothing else: the pair strikes nothing.
    std::string spent = grid;
    spent.replace(spent.find("2 1459 8 145"), 12, "2 15 8 15");
    EXPECT_FALSE(FindHiddenSubset(PositionOfGrid(spent), 2, step)
                 && Summary(step) == "Hidden pair |  | r7c2-4 r7c2-9 r7c4-4");
}

TEST(HintSubsets, AHiddenTripleOfTheSetsIsTheEnginesStep)
{
    // bank-hard-500.
    const Position position = PositionOfGrid("67 2 4 57 1 9 56 3 8\n"
                                             "38 1 358 6 23 235 9 7 4\n"
                                             "679 69 35 457 8 3457 156 2 156\n"
                                             "3689 569 1 2789 4 278 356 56 2356\n"
                                             "2 46 7 3 5 1 8 46 9\n"
                                             "389 459 38 289 6 28 7 145 1235\n"
                                             "1 7 2 458 9 3458 3456 568 356\n"
                                             "5 3 9 248 27 6 14 18 17\n"
                                             "4 8 6 1 37 35 2 9 357\n");
    EXPECT_EQ(FirstStep(position), "Hidden triple |  | r6c2-9 r6c9-2 r6c9-3");
}

TEST(HintSubsets, FourDigitsConfinedToFourSquaresAreAHiddenQuad)
{
    // On an empty board, 1 to 4 struck from row 1, columns 5 to 9.
    Position position;
    for (int square = 4; square < 9; ++square)
        for (int digit = 0; digit < 4; ++digit)
            position.Strike(square, digit);
    std::string strikes;
    for (int square = 0; square < 4; ++square)
        for (int digit = 4; digit < 9; ++digit)
            strikes += (strikes.empty() ? "" : " ") + SquareCode(square) + "-" + DigitName(digit);
    EXPECT_EQ(FirstStep(position), "Hidden quad |  | " + strikes);
    // With a 4 left in row 1, column 5, the four digits span five squares.
    Position loose;
    for (int square = 4; square < 9; ++square)
        for (int digit = 0; digit < 4; ++digit)
            if (square != 4 || digit != 3)
                loose.Strike(square, digit);
    Step step;
    EXPECT_FALSE(FindHiddenSubset(loose, 4, step));
}

} // namespace
} // namespace quorix::hint

// Following one assumption: which rules each level of inference takes, what it records as the
// basis of each fact, and how it notices a contradiction.
#include "hint/propagation.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::PositionOfGrid;
using testing::StrikeAll;

constexpr int Square(int row, int column)
{
    return (row - 1) * 9 + column - 1;
}

SquareBits Squares(std::initializer_list<int> squares)
{
    SquareBits set;
    for (int square : squares)
        set.Add(square);
    return set;
}

// r1c1 {1,2,3}, r1c2 and r2c2 {1,2}, everything else open: setting r1c2 to 1 makes r2c2 a 2
// (two candidates), which leaves r1c1 only its 3 (but it had three candidates).
Position ThreeCandidatesLeftWithOne(std::string_view r1c1Strikes)
{
    Position position;
    StrikeAll(position, {"r1c2-3", "r1c2-4", "r1c2-5", "r1c2-6", "r1c2-7", "r1c2-8", "r1c2-9"});
    StrikeAll(position, {"r2c2-3", "r2c2-4", "r2c2-5", "r2c2-6", "r2c2-7", "r2c2-8", "r2c2-9"});
    for (char digit : r1c1Strikes)
        position.Strike(Square(1, 1), digit - '1');
    return position;
}

TEST(HintPropagation, AChainTakesOnlySquaresThatHadTwoCandidatesANetTakesEverySingle)
{
    const Position position = ThreeCandidatesLeftWithOne("456789");
    Propagation propagation(position);

    ASSERT_FALSE(propagation.Follow(Square(1, 2), 0, Inference::Chain));
    EXPECT_EQ(propagation.SetTo(1), Squares({Square(2, 2)}));
    EXPECT_EQ(propagation.SetTo(2), SquareBits{}) << "r1c1 had three candidates";
    EXPECT_TRUE(propagation.Struck(1).Has(Square(1, 1)));
    EXPECT_EQ(propagation.BasisOfStrike(Square(1, 1), 1), Squares({Square(2, 2)}));

    ASSERT_FALSE(propagation.Follow(Square(1, 2), 0, Inference::Singles));
    EXPECT_EQ(propagation.SetTo(2), Squares({Square(1, 1)}));
    EXPECT_EQ(propagation.BasisOfSet(Square(1, 1)), Squares({Square(1, 1), Square(2, 2)}));
    EXPECT_EQ(propagation.SizesOfSets()[Square(1, 1)], 2);
    EXPECT_LT(propagation.SetOrder(Square(2, 2)), propagation.SetOrder(Square(1, 1)));
    EXPECT_EQ(propagation.SetOrder(Square(1, 2)), 0) << "the assumption comes first";
    EXPECT_EQ(propagation.BasisOfSet(Square(1, 2)), SquareBits{}) << "and is not counted";
    // The 3 goes from r1c1's peers on the basis of both squares set.
    EXPECT_EQ(propagation.SizesOfStrikes()[Square(1, 9)][2], 2);

    // A bound of one square keeps r2c2 (basis: itself) and refuses r1c1 (basis: two squares).
    ASSERT_FALSE(propagation.Follow(Square(1, 2), 0, Inference::Singles, 1));
    EXPECT_EQ(propagation.SetTo(1), Squares({Square(2, 2)}));
    EXPECT_EQ(propagation.SetTo(2), SquareBits{});
}

TEST(HintPropagation, ASquareLeftWithoutCandidatesFailsOnTheStrikesThatEmptiedIt)
{
    // r1c1, r1c2 and r2c2 all {1,2}: r1c2 = 1 leaves the other two a 2 each; r1c1 (first)
    // takes it and r2c2 has nothing left.
    const Position position = ThreeCandidatesLeftWithOne("3456789");
    Propagation propagation(position);
    ASSERT_TRUE(propagation.Follow(Square(1, 2), 0, Inference::Chain));
    EXPECT_EQ(propagation.Failure().Square, Square(2, 2));
    EXPECT_EQ(propagation.Failure().Unit, -1);
    EXPECT_EQ(propagation.Failure().Basis, Squares({Square(1, 1)}));
    ASSERT_TRUE(propagation.Follow(Square(1, 2), 1, Inference::Chain));
    EXPECT_EQ(propagation.Failure().Square, Square(2, 2));
    // Each call starts afresh from the position: far from group 1 a chain finds nothing wrong,
    // while subsets find the three squares with two digits once a strike reaches them.
    EXPECT_FALSE(propagation.Follow(Square(5, 5), 4, Inference::Chain));
    EXPECT_EQ(propagation.SetTo(4), Squares({Square(5, 5)}));
    EXPECT_TRUE(propagation.Follow(Square(5, 5), 4, Inference::Subsets));
}

TEST(HintPropagation, IntersectionsAndSubsetsAreTakenOnlyAtTheirLevel)
{
    // hard-1465, line 2: r3c3 = 3 fails only once pointing and claiming are followed.
    const Position intersections = PositionOfGrid("7 126 8 459 4569 4569 3 1456 125\n"
                                                  "49 36 3469 2 3456 1 467 4578 578\n"
                                                  "5 1236 12346 78 346 78 269 146 129\n"
                                                  "189 4 1579 3579 59 3579 178 2 6\n"
                                                  "3 1267 1269 479 8 2469 147 1457 157\n"
                                                  "268 578 2567 1 2456 2467 478 9 3\n"
                                                  "128 9 1357 6 125 2358 127 1378 4\n"
                                                  "12468 12368 12346 3489 7 23489 5 1368 1289\n"
                                                  "12468 3578 1234567 34589 1249 234589 2679 "
                                                  "13678 12789\n");
    EXPECT_EQ(testing::FirstStep(intersections), "Forcing net |  | r3c3-3");
    Propagation byIntersections(intersections);
    EXPECT_FALSE(byIntersections.Follow(Square(3, 3), 2, Inference::Singles));
    ASSERT_TRUE(byIntersections.Follow(Square(3, 3), 2, Inference::Intersections));
    EXPECT_EQ(byIntersections.Failure().Unit, GroupUnit(5));
    EXPECT_EQ(byIntersections.Failure().Basis.Count(), 3);

    // hard-rated11plus-sample, line 4: r3c8 = 1 fails only once subsets are followed.
    const Position subsets = PositionOfGrid("9 8 13 7 6 24 5 1234 1234\n"
                                            "1257 1567 4 258 1258 3 128 9 126\n"
                                            "1235 156 1356 2589 12458 24589 12348 123468 7\n"
                                            "8 1467 167 236 9 267 1234 123467 5\n"
                                            "157 3 15679 4 258 25678 1289 12678 1269\n"
                                            "457 45679 2 1 358 5678 3489 34678 3469\n"
                                            "6 149 1389 2389 7 2489 12349 5 12349\n"
                                            "1345 2 13589 35689 3458 45689 7 134 1349\n"
                                            "3457 4579 3579 2359 2345 1 6 234 8\n");
    Propagation bySubsets(subsets);
    EXPECT_FALSE(bySubsets.Follow(Square(3, 8), 0, Inference::Intersections));
    ASSERT_TRUE(bySubsets.Follow(Square(3, 8), 0, Inference::Subsets));
    EXPECT_EQ(bySubsets.Failure().Unit, RowUnit(6));
    EXPECT_EQ(bySubsets.Failure().Digit, 3);
    EXPECT_EQ(bySubsets.Failure().Basis.Count(), 6);
}

} // namespace
} // namespace quorix::hint

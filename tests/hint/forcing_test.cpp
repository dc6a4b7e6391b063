// Forcing chains and nets on positions taken from the puzzle sets where each form is the
// engine's step, the sentences that explain them, and their soundness where the engine would
// not even have reached them.
#include "hint/finders.h"
#include "hint/forcing.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"
#include "tools/solution_count.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOfGrid;
using testing::Summary;

constexpr int Square(int row, int column)
{
    return (row - 1) * 9 + column - 1;
}

// bank-diabolical-500, line 1, where no rule below the forcing chains applies (the X-Wing,
// wings and the like included).
constexpr std::string_view ContradictionGrid = "16 8 3 5 2 14 46 9 7\n"
                                               "4567 456 457 8 67 9 1 2 3\n"
                                               "167 2 9 3 167 147 46 5 8\n"
                                               "2 345 145 6 9 8 7 13 45\n"
                                               "489 7 148 12 5 3 28 6 49\n"
                                               "589 359 6 7 4 12 28 13 59\n"
                                               "3 45 457 14 17 6 9 8 2\n"
                                               "469 469 2 49 8 5 3 7 1\n"
                                               "789 1 78 29 3 27 5 4 6\n";

TEST(HintForcingChain, ACandidateThatLeadsToAContradictionIsStruck)
{
    const Position position = PositionOfGrid(ContradictionGrid);
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r9c3-7");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Size, 3);
    EXPECT_EQ(step.Digit, 6);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(3)}));
    EXPECT_EQ(SquareList(step.Pattern), "row 5, columns 3 and 7; row 9, columns 3 and 6");
    EXPECT_EQ(step.Sentence,
              "If row 9, column 3 were 7, then, following squares with two candidates and digits "
              "with two places in a unit, row 9, column 6 would be 2, then row 5, column 3 would "
              "be 8, then row 5, column 7 would be 2, and the 2 would have no place left in column "
              "4; so row 9, column 3 cannot be 7, and the chain sets 3 squares on its way.");

    // The same failure, seen in the propagation.
    Propagation propagation(position);
    ASSERT_TRUE(propagation.Follow(Square(9, 3), 6, Inference::Chain));
    EXPECT_EQ(propagation.Failure().Unit, ColumnUnit(3));
    EXPECT_EQ(propagation.Failure().Digit, 1);
    EXPECT_EQ(SquareList(propagation.Failure().Basis), "row 5, columns 3 and 7; row 9, column 6");
    EXPECT_LT(propagation.SetOrder(Square(9, 6)), propagation.SetOrder(Square(5, 3)));
    EXPECT_LT(propagation.SetOrder(Square(5, 3)), propagation.SetOrder(Square(5, 7)));
    EXPECT_FALSE(propagation.Follow(Square(9, 3), 7, Inference::Subsets)) << "its solution, 8";
}

TEST(HintForcingChain, EveryPlaceOfADigitInAUnitLeadingToOneResult)
{
    // bank-diabolical-500, line 24.
    const Position position = PositionOfGrid("589 2 4 6 1 59 39 389 7\n"
                                             "58 15 6 359 7 359 4 189 2\n"
                                             "79 17 3 8 2 4 5 6 19\n"
                                             "46 579 57 2 49 379 8 13 1356\n"
                                             "3 789 1 579 6 5789 79 2 4\n"
                                             "46 5789 2 3479 489 1 379 359 3569\n"
                                             "57 6 9 47 458 2 1 357 358\n"
                                             "2 4 578 1 3 789 6 579 589\n"
                                             "1 3 578 79 589 6 2 4 589\n");
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r5c4-7");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(5)}));
    EXPECT_EQ(step.Digit, 6);
    EXPECT_EQ(
        step.Sentence,
        "Wherever the 7 goes in column 6 (row 4, row 5 or row 8), row 5, column 4 loses its 7 "
        "following squares with two candidates and digits with two places in a unit (at row "
        "4: no square set; at row 5: no square set; at row 8: row 5, column 6 is 8, then row "
        "5, column 4 is 5); so row 5, column 4 cannot be 7, and the chain sets 2 squares on "
        "its way.");
}

TEST(HintForcingChain, EveryCandidateOfASquareLeadingToOneResult)
{
    // bank-diabolical-500, line 11.
    const Position position = PositionOfGrid("1 248 48 6 347 5 237 237 9\n"
                                             "29 69 46 34 347 8 25 15 137\n"
                                             "7 5 3 2 1 9 8 4 6\n"
                                             "48 367 468 9 5 1 237 23 3478\n"
                                             "458 37 1 347 6 2 57 9 3478\n"
                                             "59 379 2 347 8 34 6 15 1347\n"
                                             "6 248 7 1 234 34 9 38 5\n"
                                             "3 1 5 8 9 7 4 6 2\n"
                                             "248 248 9 5 234 6 1 378 37\n");
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r6c2-3");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Size, 3);
    EXPECT_EQ(step.Digit, -1);
    EXPECT_EQ(SquareList(step.Pattern), "row 5, columns 2 and 7; row 6, columns 1 and 2");
    EXPECT_EQ(step.Sentence.substr(0, 70),
              "Whether row 5, column 2 is 3 or 7, row 6, column 2 loses its 3 followi");
}

TEST(HintForcingNet, ANetIsUsedWhereNoChainReachesAndSaysWhichRulesItFollows)
{
    // bank-diabolical-500, line 51: r5c1 becomes a 6 only once two of its candidates go.
    const Position singles = PositionOfGrid("9 1367 236 48 3478 37 248 147 5\n"
                                            "358 57 4 1 2 9 6 37 78\n"
                                            "1238 137 23 6 3478 5 24789 13479 149\n"
                                            "135 4 1359 59 6 13 78 2 78\n"
                                            "2356 3569 23569 7 349 8 459 1459 149\n"
                                            "7 8 159 2459 149 12 459 6 3\n"
                                            "1456 169 7 289 189 126 3 45 246\n"
                                            "156 2 1569 3 179 4 579 8 69\n"
                                            "346 369 8 29 5 267 1 479 2469\n");
    Step step;
    EXPECT_FALSE(FindForcingChain(singles, step));
    EXPECT_EQ(FirstStep(singles), "Forcing net |  | r8c3-6");
    ASSERT_TRUE(FindForcingNet(singles, step));
    EXPECT_EQ(step.Sentence,
              "If row 8, column 3 were 6, then, by singles, row 5, column 1 would be 6, then row "
              "5, column 3 would be 2, then row 1, column 3 would be 3, and row 3, column 3 would "
              "have no candidate left; so row 8, column 3 cannot be 6, and the net sets 3 squares "
              "on its way.");

    // hardest-375, line 322: a net that needs the subsets.
    const char *subsetsGrid = "16789 12679 12379 4 1259 123569 1579 3578 1379\n"
                              "1479 5 13479 139 8 139 2 347 6\n"
                              "14689 12469 12349 123569 1259 7 1459 3458 1349\n"
                              "2 16789 179 156789 4 15689 5679 3567 379\n"
                              "3 46789 479 256789 2579 25689 45679 1 479\n"
                              "14679 14679 5 1679 3 169 8 467 2\n"
                              "5 12479 12479 1279 6 1249 3 247 8\n"
                              "147 12347 6 12378 127 12348 147 9 5\n"
                              "1479 123479 8 123579 12579 123459 1467 2467 147\n";
    const Position subsets = PositionOfGrid(subsetsGrid);
    ForcingFind found;
    EXPECT_FALSE(FindForcing(subsets, Inference::Intersections, forcing::MaxNetSize, found));
    EXPECT_EQ(FirstStep(subsets), "Forcing net |  | r1c6-3");
    ASSERT_TRUE(FindForcingNet(subsets, step));
    EXPECT_EQ(
        step.Sentence,
        "If row 1, column 6 were 3, then, by singles, pointing, claiming and naked and hidden "
        "subsets, row 3, column 4 would be 6, then row 9, column 1 would be 9, then row 5, "
        "column 5 would be 9, and row 3, column 8 would have no candidate left; so row 1, "
        "column 6 cannot be 3, and the net sets 3 squares on its way.");

    // Two steps on (r1c6 has lost its 3, r3c8 its 4), a net too large to spell out.
    std::string later(subsetsGrid);
    later.replace(later.find("123569"), 6, "12569");
    later.replace(later.find("3458"), 4, "358");
    ASSERT_TRUE(FindForcingNet(PositionOfGrid(later), step));
    EXPECT_EQ(Summary(step), "Forcing net |  | r2c3-3");
    EXPECT_EQ(step.Size, 7);
    EXPECT_EQ(step.Sentence,
              "Wherever the 3 goes in group 2 (row 2, columns 4 and 6; row 3, column 4), row 2, "
              "column 3 loses its 3 by singles, pointing, claiming and naked and hidden subsets; "
              "so row 2, column 3 cannot be 3, and the net sets 7 squares on its way.");
}

TEST(HintForcing, ACommonPlacementIsSetAndEveryBranchShowsItsWay)
{
    // r1c1 {1,2}, r1c2 {2,5}, r2c1 {1,5}; the 5 of row 5 has two places (r5c1, r5c5) and so has
    // the 5 of column 5 (r1c5, r5c5). Either candidate of r1c1 ends with r5c5 a 5.
    Position position;
    testing::StrikeAll(position,
                       {"r1c1-3", "r1c1-4", "r1c1-5", "r1c1-6", "r1c1-7", "r1c1-8", "r1c1-9",
                        "r1c2-1", "r1c2-3", "r1c2-4", "r1c2-6", "r1c2-7", "r1c2-8", "r1c2-9",
                        "r2c1-2", "r2c1-3", "r2c1-4", "r2c1-6", "r2c1-7", "r2c1-8", "r2c1-9",
                        "r5c2-5", "r5c3-5", "r5c4-5", "r5c6-5", "r5c7-5", "r5c8-5", "r5c9-5",
                        "r2c5-5", "r3c5-5", "r4c5-5", "r6c5-5", "r7c5-5", "r8c5-5", "r9c5-5"});
    ForcingFind found;
    found.Form = ForcingForm::Square;
    found.Square = Square(1, 1);
    found.Places = true;
    found.Result = {static_cast<std::int8_t>(Square(5, 5)), 4};
    found.Size = 4;
    found.Bounds.fill(81);
    Step step;
    DescribeForcing(position, found, step);
    EXPECT_EQ(Summary(step), "Forcing chain | r5c5=5 | ");
    EXPECT_EQ(step.Sentence,
              "Whether row 1, column 1 is 1 or 2, row 5, column 5 ends up 5 following squares with "
              "two candidates and digits with two places in a unit (with 1: row 2, column 1 is 5, "
              "then row 5, column 5 is 5; with 2: row 1, column 2 is 5, then row 5, column 5 is "
              "5); so row 5, column 5 is 5, and the chain sets 4 squares on its way.");
    // The search itself prefers the smaller step the same squares give: the three of group 1
    // hold 1, 2 and 5, so r1c3 cannot be 1.
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(Summary(step), "Forcing chain |  | r1c3-1");
    EXPECT_EQ(step.Size, 2);
}

TEST(HintForcing, NothingIsForcedOnAnOpenBoard)
{
    Step step;
    EXPECT_FALSE(FindForcingChain(Position{}, step));
    EXPECT_FALSE(FindForcingNet(Position{}, step));
}

// Run directly, the finders meet positions the engine would have settled by simpler rules, and
// positions of puzzles with no or several solutions: what they find must still keep every
// solution, and they must not fail on anything.
TEST(HintForcing, EveryStepKeepsEverySolutionWhereverTheFindersAreAsked)
{
    struct Sample
    {
        const char *File;
        int Stride;
    };
    for (Sample sample : {Sample{"multi-solution-1000.txt", 250}, Sample{"hard-95.txt", 24},
                          Sample{"edge-invalid-17.txt", 1}})
        for (const std::string &puzzle :
             ReadPuzzleSample(PuzzleSetPath(sample.File), sample.Stride, 17)) {
            SCOPED_TRACE(std::string(sample.File) + ": " + puzzle);
            Position position = *Position::FromLine(puzzle);
            Step step;
            for (int moves = 0; moves < 40; ++moves) {
                for (auto finder : {FindForcingChain, FindForcingNet}) {
                    if (!finder(position, step))
                        continue;
                    for (Candidate strike : step.Strikes) {
                        std::string with = puzzle;
                        with[strike.Square] = static_cast<char>('1' + strike.Digit);
                        ASSERT_EQ(CountSolutions(with, 1), 0) << step.Sentence;
                    }
                }
                if (!FindHint(position, {}, step))
                    break;
                ApplyStep(position, step);
            }
        }
}

} // namespace
} // namespace quorix::hint

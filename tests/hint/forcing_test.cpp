// Forcing chains and nets on positions taken from the puzzle sets where each form is the
// engine's step, the sentences that explain them, and their soundness where the engine would
// not even have reached them.
#include "core/operations/verify/solution_count.h"
#include "hint/finders.h"
#include "hint/forcing.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

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

// bank-diabolical-500, line 4, where no rule below the forcing chains applies.
constexpr std::string_view ContradictionGrid = "58 7 6 38 4 9 2 1 35\n"
                                               "9 58 1 38 26 26 57 357 4\n"
                                               "2 4 3 17 17 5 8 9 6\n"
                                               "78 3 78 5 9 1 46 46 2\n"
                                               "1 569 2 67 8 4 3 57 59\n"
                                               "4 569 59 2 67 3 579 8 1\n"
                                               "3 2589 89 16 1256 26 4569 456 7\n"
                                               "56 25 4 9 235 7 1 356 8\n"
                                               "567 1 579 4 356 8 569 2 359\n";

TEST(HintForcingChain, ACandidateThatLeadsToAContradictionIsStruck)
{
    const Position position = PositionOfGrid(ContradictionGrid);
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r5c2-5");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Size, 2);
    EXPECT_EQ(step.Digit, 4);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(8)}));
    EXPECT_EQ(SquareList(step.Pattern), "row 1, column 1; row 5, column 2; row 9, column 3");
    EXPECT_EQ(step.Sentence,
              "If row 5, column 2 were 5, then, following squares with two candidates and digits "
              "with two places in a unit, row 1, column 1 would be 5, then row 9, column 3 would "
              "be 5, and the 5 would have no place left in column 9; so row 5, column 2 cannot be "
              "5, and the chain sets 2 squares on its way.");

    // The same failure, seen in the propagation.
    Propagation propagation(position);
    ASSERT_TRUE(propagation.Follow(Square(5, 2), 4, Inference::Chain));
    EXPECT_EQ(propagation.Failure().Unit, ColumnUnit(8));
    EXPECT_EQ(propagation.Failure().Digit, 4);
    EXPECT_EQ(SquareList(propagation.Failure().Basis), "row 1, column 1; row 9, column 3");
    EXPECT_LT(propagation.SetOrder(Square(1, 1)), propagation.SetOrder(Square(9, 3)));
    EXPECT_FALSE(propagation.Follow(Square(5, 2), 5, Inference::Subsets)) << "its solution, 6";
}

TEST(HintForcingChain, EveryPlaceOfADigitInAUnitLeadingToOneResult)
{
    // bank-diabolical-500, line 48.
    const Position position = PositionOfGrid("26 8 9 1 2456 7 3 245 24\n"
                                             "7 1256 4 256 3 256 9 125 8\n"
                                             "12 3 25 89 89 245 27 6 1247\n"
                                             "1269 7 8 269 2469 1246 5 3 1246\n"
                                             "1269 1256 256 3 24569 8 27 147 12467\n"
                                             "4 1256 3 7 256 1256 68 128 9\n"
                                             "5 26 7 4 1 9 68 28 3\n"
                                             "8 4 26 26 7 3 1 9 5\n"
                                             "3 9 1 2568 2568 256 4 27 267\n");
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r5c2-2");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(0)}));
    EXPECT_EQ(step.Digit, 1);
    EXPECT_EQ(step.Sentence,
              "Wherever the 2 goes in column 1 (row 1, row 3, row 4 or row 5), row 5, column 2 "
              "loses its 2 following squares with two candidates and digits with two places in a "
              "unit (at row 1: row 2, column 2 is 6, then row 7, column 2 is 2; at row 3: row 5, "
              "column 7 is 2; at row 4: no square set; at row 5: no square set); so row 5, column "
              "2 cannot be 2, and the chain sets 3 squares on its way.");
}

TEST(HintForcingChain, EveryCandidateOfASquareLeadingToOneResult)
{
    // bank-diabolical-500, line 71.
    const Position position = PositionOfGrid("8 39 5 67 26 1 237 4 239\n"
                                             "279 49 6 57 24 3 578 789 1\n"
                                             "1237 14 1247 8 9 45 6 237 35\n"
                                             "3679 3469 347 69 1 8 2347 5 239\n"
                                             "13569 134568 1348 2 46 7 348 1389 3689\n"
                                             "1679 2 1478 3 5 49 478 16789 678\n"
                                             "15 158 9 4 3 6 25 27 578\n"
                                             "4 568 238 1 7 25 9 368 3568\n"
                                             "2356 7 23 59 8 259 1 36 4\n");
    EXPECT_EQ(FirstStep(position), "Forcing chain |  | r3c3-2");
    Step step;
    ASSERT_TRUE(FindForcingChain(position, step));
    EXPECT_EQ(step.Size, 4);
    EXPECT_EQ(step.Digit, -1);
    EXPECT_EQ(SquareList(step.Pattern), "row 3, columns 3 and 8; row 7, columns 8 and 9; row 8, "
                                        "column 3; row 9, column 3");
    EXPECT_EQ(step.Sentence,
              "Whether row 8, column 3 is 2, 3 or 8, row 3, column 3 loses its 2 following squares "
              "with two candidates and digits with two places in a unit (with 2: no square set; "
              "with 3: row 9, column 3 is 2; with 8: row 7, column 9 is 8, then row 7, column 8 is "
              "7, then row 3, column 8 is 2); so row 3, column 3 cannot be 2, and the chain sets 4 "
              "squares on its way.");
}

TEST(HintForcingNet, ANetIsUsedWhereNoChainReachesAndSaysWhichRulesItFollows)
{
    // bank-diabolical-500, line 89: r8c4 becomes a 1 only once two of its candidates go.
    const Position singles = PositionOfGrid("2368 1 246 5 34689 3689 7 239 2349\n"
                                            "238 9 5 134 7 138 14 123 6\n"
                                            "36 7 46 13469 3469 2 8 5 1349\n"
                                            "1 2345 26 2346 2348 3568 9 368 7\n"
                                            "56 345 7 369 1 35689 2 368 348\n"
                                            "9 234 8 23467 2346 367 14 136 5\n"
                                            "4 6 3 8 29 179 5 1279 129\n"
                                            "7 28 9 123 5 13 6 4 128\n"
                                            "25 258 1 2679 69 4 3 2789 289\n");
    Step step;
    EXPECT_FALSE(FindForcingChain(singles, step));
    EXPECT_EQ(FirstStep(singles), "Forcing net |  | r3c4-3");
    ASSERT_TRUE(FindForcingNet(singles, step));
    EXPECT_EQ(step.Sentence,
              "If row 3, column 4 were 3, then, by singles, row 3, column 9 would be 1, then row "
              "8, column 6 would be 3, then row 2, column 7 would be 4, then row 8, column 4 would "
              "be 1, and row 2, column 4 would have no candidate left; so row 3, column 4 cannot "
              "be 3, and the net sets 4 squares on its way.");

    // hardest-375, line 322: a net that needs the subsets, too large to spell out.
    const Position subsets = PositionOfGrid("16789 12679 12379 4 1259 12569 1579 3578 1379\n"
                                            "1479 5 13479 139 8 139 2 347 6\n"
                                            "14689 12469 12349 123569 1259 7 1459 358 1349\n"
                                            "2 16789 179 156789 4 15689 5679 3567 379\n"
                                            "3 46789 479 256789 2579 25689 45679 1 479\n"
                                            "14679 14679 5 1679 3 169 8 467 2\n"
                                            "5 12479 12479 1279 6 1249 3 247 8\n"
                                            "147 12347 6 12378 127 12348 147 9 5\n"
                                            "1479 123479 8 123579 12579 123459 1467 2467 147\n");
    ForcingFind found;
    EXPECT_FALSE(FindForcing(subsets, Inference::Intersections, forcing::MaxNetSize, found));
    EXPECT_EQ(FirstStep(subsets), "Forcing net |  | r2c3-3");
    ASSERT_TRUE(FindForcingNet(subsets, step));
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

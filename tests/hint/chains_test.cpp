#include "hint/chain_graph.h"
#include "hint/finders.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOfGrid;
using testing::StrikeAll;
using testing::Summary;

// Strikes `digit` from every square of `row` but `keep` (columns counted from 1).
void OnlyInRow(Position &position, int digit, int row, std::initializer_list<int> keep)
{
    for (int column = 1; column <= 9; ++column)
        if (std::find(keep.begin(), keep.end(), column) == keep.end())
            position.Strike((row - 1) * 9 + column - 1, digit - 1);
}

// The 1 only twice in rows 1, 5 and 9, in columns 1 and 5, 5 and 9, 2 and 9: one chain of
// five links from row 1, column 1 to row 9, column 2.
Position OnesInThreeRows()
{
    Position position;
    OnlyInRow(position, 1, 1, {1, 5});
    OnlyInRow(position, 1, 5, {5, 9});
    OnlyInRow(position, 1, 9, {2, 9});
    return position;
}

TEST(HintXChain, SquaresSeeingBothEndsLoseTheDigit)
{
    Step step;
    ASSERT_TRUE(FindXChain(OnesInThreeRows(), step));
    EXPECT_EQ(Summary(step), "X-chain |  | r2c2-1 r3c2-1 r7c1-1 r8c1-1");
    EXPECT_EQ(step.Digit, 0);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(0), ColumnUnit(4), RowUnit(4),
                                                     ColumnUnit(8), RowUnit(8)}));
    EXPECT_EQ(step.Pattern.Count(), 6);
    EXPECT_EQ(step.Sentence,
              "If row 1, column 1 is not 1, then row 1, column 5 is 1, so row 5, column 5 is not "
              "1, so row 5, column 9 is 1, so row 9, column 9 is not 1, so row 9, column 2 is 1. "
              "So one of the two ends holds the 1: strike 1 from row 2, column 2; row 3, column "
              "2; row 7, column 1; row 8, column 1, which see both.");
}

TEST(HintXChain, NothingWhenNoSquareSeesBothEndsOrTheChainIsAKite)
{
    Position position = OnesInThreeRows();
    StrikeAll(position, {"r2c2-1", "r3c2-1", "r7c1-1", "r8c1-1"});
    Step step;
    EXPECT_FALSE(FindXChain(position, step));
    // Two strong links make a chain of three links: a skyscraper, left to the earlier rules by
    // both chain searches.
    Position kite;
    OnlyInRow(kite, 1, 1, {1, 5});
    OnlyInRow(kite, 1, 4, {2, 5});
    EXPECT_FALSE(FindXChain(kite, step));
    EXPECT_FALSE(FindAlternatingChain(kite, step));
}

TEST(HintXChain, FromThePuzzleSetsWithItsLoop)
{
    const Position chain = PositionOfGrid("3 57 47 1 4569 269 257 26 8\n"
                                          "467 9 2 45 456 8 3 1 567\n"
                                          "8 56 1 7 3 26 25 9 4\n"
                                          "79 1 78 489 4789 3 6 5 2\n"
                                          "569 2 5678 589 156789 17 89 4 3\n"
                                          "569 4 3 2 5689 69 89 7 1\n"
                                          "2 8 56 39 79 4 1 36 567\n"
                                          "457 3 9 6 127 17 2457 8 57\n"
                                          "1 67 467 38 278 5 247 236 9\n");
    EXPECT_EQ(FirstStep(chain), "X-chain |  | r9c5-7");
    // Row 2, column 7 and row 2, column 5 share row 2: the chain closes, and every weak link
    // strikes what sees both its ends.
    const Position loop = PositionOfGrid("5 26 79 8 3 79 24 46 1\n"
                                         "3 26 1 5 79 4 278 678 69\n"
                                         "78 789 4 6 1 2 3 57 59\n"
                                         "479 3 5 479 479 1 6 2 8\n"
                                         "479 1 2 479 8 6 5 37 347\n"
                                         "6 47 8 2 5 3 1 9 47\n"
                                         "478 478 6 1 2 5 9 3478 37\n"
                                         "2 458 79 3 46 79 48 1 56\n"
                                         "1 4579 3 479 469 8 47 56 2\n");
    EXPECT_EQ(FirstStep(loop), "X-loop |  | r2c8-7 r9c2-7");
    Step step;
    ASSERT_TRUE(FindXChain(loop, step));
    EXPECT_NE(step.Sentence.find("The two ends cannot both hold, so the chain closes into a loop "
                                 "in which every link holds both ways: strike 7 from row 2, "
                                 "column 8; row 9, column 2."),
              std::string::npos)
        << step.Sentence;
}

// Squares of two candidates: row 1, column 1 {1,2}; row 1, column 5 {2,3}; row 5, column 5
// {3,4}; row 5, column 9 {4,`last`}. Every other square keeps every candidate.
Position FourPairs(int last)
{
    Position position;
    const std::pair<int, DigitMask> pairs[] = {
        {0, DigitBit(0) | DigitBit(1)},
        {4, DigitBit(1) | DigitBit(2)},
        {40, DigitBit(2) | DigitBit(3)},
        {44, static_cast<DigitMask>(DigitBit(3) | DigitBit(last - 1))}};
    for (auto [square, keep] : pairs)
        for (int digit = 0; digit < 9; ++digit)
            if (!(keep & DigitBit(digit)))
                position.Strike(square, digit);
    return position;
}

TEST(HintXYChain, SquaresSeeingBothEndsLoseTheDigitThatStartsAndEndsIt)
{
    Step step;
    ASSERT_TRUE(FindXYChain(FourPairs(1), step));
    EXPECT_EQ(Summary(step), "XY-chain |  | r1c9-1 r5c1-1");
    EXPECT_EQ(step.Digit, -1);
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(0), ColumnUnit(4), RowUnit(4)}));
    EXPECT_EQ(step.Sentence,
              "If row 1, column 1 is not 1, then row 1, column 1 is 2, so row 1, column 5 is not "
              "2, so row 1, column 5 is 3, so row 5, column 5 is not 3, so row 5, column 5 is 4, "
              "so row 5, column 9 is not 4, so row 5, column 9 is 1. So one of the two ends holds "
              "the 1: strike 1 from row 1, column 9; row 5, column 1, which see both.");
    // Ending on a 5 instead, the chain's ends are different digits: no XY-chain.
    EXPECT_FALSE(FindXYChain(FourPairs(5), step));
}

TEST(HintXYChain, FromThePuzzleSetsLongChainsAreToldByTheirEnds)
{
    const Position position = PositionOfGrid("16 8 3 5 2 14 46 9 7\n"
                                             "4567 456 457 8 67 9 1 2 3\n"
                                             "167 2 9 3 167 147 46 5 8\n"
                                             "2 345 145 6 9 8 7 13 45\n"
                                             "489 7 148 12 5 3 28 6 49\n"
                                             "589 359 6 7 4 12 28 13 59\n"
                                             "3 45 457 14 17 6 9 8 2\n"
                                             "469 469 2 49 8 5 3 7 1\n"
                                             "789 1 78 29 3 27 5 4 6\n");
    Step step;
    ASSERT_TRUE(FindXYChain(position, step));
    EXPECT_EQ(Summary(step), "XY-chain |  | r5c3-8");
    EXPECT_EQ(step.Pattern.Count(), 5);
    EXPECT_EQ(step.Sentence,
              "If row 5, column 7 is not 8, then row 5, column 7 is 2, and following the chain on "
              "through 8 more links (the marked squares), row 9, column 3 is 8. So one of the two "
              "ends holds the 8: strike 8 from row 5, column 3, which sees both.");
    EXPECT_EQ(FirstStep(position), "XY-chain |  | r5c3-8");
    const Position loop = PositionOfGrid("78 9 38 36 5 4 1 2 67\n"
                                         "1 6 47 79 2 8 49 3 5\n"
                                         "57 25 234 1 79 36 8 49 67\n"
                                         "3 7 1 5 8 69 2 69 4\n"
                                         "2 8 9 34 46 367 5 67 1\n"
                                         "6 4 5 79 1 2 79 8 3\n"
                                         "578 25 28 46 69 1 3 47 29\n"
                                         "9 3 6 2 47 5 47 1 8\n"
                                         "4 1 27 8 3 79 6 5 29\n");
    EXPECT_EQ(FirstStep(loop), "XY-loop |  | r5c6-6");
}

TEST(HintAlternatingChain, MixesDigitsSquaresAndGroupedPlaces)
{
    // Ends on the 1 at row 4, column 3 and the 1 in row 6, columns 8 and 9 (a grouped node).
    const Position grouped = PositionOfGrid("489 3489 5 1239 1349 129 239 7 6\n"
                                            "1 6 34 7 3459 259 239 8 239\n"
                                            "7 39 2 8 39 6 1 5 4\n"
                                            "2589 289 18 6 1589 7 4 3 1259\n"
                                            "4589 348 1348 159 2 159 589 6 7\n"
                                            "2589 7 6 4 1589 3 2589 12 1259\n"
                                            "3 24 9 125 6 8 7 124 125\n"
                                            "6 1 7 235 35 4 235 9 8\n"
                                            "248 5 48 1239 7 129 6 124 123\n");
    Step step;
    ASSERT_TRUE(FindAlternatingChain(grouped, step));
    EXPECT_EQ(Summary(step), "Alternating chain |  | r4c9-1");
    EXPECT_EQ(step.Sentence,
              "If row 4, column 3 is not 1, then row 4, column 3 is 8, so row 4, column 5 is not "
              "8, so row 6, column 5 is 8, so row 6, column 5 is not 1, so the 1 is in row 6, "
              "columns 8 and 9. So one of the two ends holds the 1: strike 1 from row 4, column "
              "9, which sees both.");
    EXPECT_EQ(FirstStep(grouped), "Alternating chain |  | r4c9-1");
    // Ends of different digits: row 9, column 4 is 1 or row 7, column 6 is 7, and row 7,
    // column 6 sees row 9, column 4, so it cannot be 1.
    const Position mixed = PositionOfGrid("7 4 5 2 8 19 169 3 169\n"
                                          "238 1 238 349 5 6 249 24 7\n"
                                          "6 23 9 134 7 14 125 245 8\n"
                                          "13 3568 4 56 9 2 13567 5678 156\n"
                                          "9 23568 7 56 1 38 2356 2568 4\n"
                                          "123 23568 1236 7 4 38 123569 2568 12569\n"
                                          "5 69 16 149 2 1479 8 467 3\n"
                                          "4 239 23 8 6 79 257 1 25\n"
                                          "128 7 1268 14 3 5 246 9 26\n");
    ASSERT_TRUE(FindAlternatingChain(mixed, step));
    EXPECT_EQ(Summary(step), "Alternating chain |  | r7c6-1");
    EXPECT_NE(step.Sentence.find("So row 9, column 4 is 1 or row 7, column 6 is 7: strike 1 "
                                 "from row 7, column 6."),
              std::string::npos)
        << step.Sentence;
    EXPECT_EQ(FirstStep(mixed), "Alternating chain |  | r7c6-1");
}

TEST(HintAlternatingChain, GroupedChainsOfOneDigitAndLoops)
{
    const Position grouped = PositionOfGrid("4 268 2678 9 38 3678 5 367 1\n"
                                            "168 3 1678 4 5 678 2678 9 267\n"
                                            "5 9 678 3678 2 1 678 3467 3467\n"
                                            "16 126 3 1267 149 467 1679 8 5\n"
                                            "168 5 9 1367 138 3678 4 2 67\n"
                                            "7 4 1268 268 189 5 3 16 69\n"
                                            "39 168 1468 5 7 348 1269 1346 23469\n"
                                            "39 7 148 138 6 2 19 5 349\n"
                                            "2 16 5 13 134 9 167 13467 8\n");
    EXPECT_EQ(FirstStep(grouped), "Grouped X-chain |  | r6c4-8");
    const Position loop = PositionOfGrid("7 156 23 4 268 28 15 356 9\n"
                                         "36 45 8 17 9 17 2 45 36\n"
                                         "126 9 24 26 5 3 78 4678 168\n"
                                         "4 8 1 9 3 5 6 27 27\n"
                                         "9 7 5 126 26 12 4 38 38\n"
                                         "23 23 6 8 7 4 9 1 5\n"
                                         "8 46 247 3 1 9 57 2567 267\n"
                                         "16 26 9 5 4 278 3 2678 128\n"
                                         "5 123 237 27 28 6 18 9 4\n");
    EXPECT_EQ(FirstStep(loop), "Alternating loop |  | r1c2-5");
    // A loop of twelve links strikes along each of its weak links, several digits at once.
    const Position wide = PositionOfGrid("468 268 9 256 7 18 3 1245 1245\n"
                                         "78 3 5 29 4 18 6 1279 1279\n"
                                         "467 267 1 256 2369 356 49 8 24579\n"
                                         "678 678 267 1 5 9 48 3 2478\n"
                                         "5 4 238 267 236 367 18 1269 1289\n"
                                         "19 19 237 8 236 4 5 267 27\n"
                                         "3 5 48 49 189 2 7 149 6\n"
                                         "2 1679 467 3 169 567 1489 1459 14589\n"
                                         "19 16789 4678 4567 168 567 2 1459 3\n");
    Step step;
    ASSERT_TRUE(FindAlternatingChain(wide, step));
    EXPECT_EQ(Summary(step), "Alternating loop |  | r3c9-9 r4c9-8 r7c8-4 r8c7-4 r9c3-8");
    EXPECT_NE(step.Sentence.find(": strike 4 from row 7, column 8; row 8, column 7. Strike 8 "
                                 "from row 4, column 9; row 9, column 3. Strike 9 from row 3, "
                                 "column 9."),
              std::string::npos)
        << step.Sentence;
    EXPECT_EQ(FirstStep(wide), Summary(step));
}

TEST(HintChainGraph, GroupedNodesAreAllThePlacesWhereALineCrossesAGroup)
{
    // Group 5 holds the 1 at row 4, column 4 and row 5, columns 4 to 6. Row 4's place against
    // the rest (all of row 5's places there) is a strong link; column 4's two places against
    // row 5, columns 5 and 6 are not, as those are only part of row 5's places in the group.
    Position position;
    StrikeAll(position, {"r4c5-1", "r4c6-1", "r6c4-1", "r6c5-1", "r6c6-1"});
    const ChainGraph graph(position, {.UnitStrong = true, .Groups = true});
    SquareBits rowFive, partOfRowFive;
    for (int square : {39, 40, 41})
        rowFive.Add(square);
    for (int square : {40, 41})
        partOfRowFive.Add(square);
    bool linked = false;
    for (int node = 0; node < graph.NodeCount(); ++node) {
        EXPECT_FALSE(graph.Node(node).Digit == 0 && graph.Node(node).Squares == partOfRowFive);
        if (graph.Node(node).Digit != 0 || graph.Node(node).Squares != SquareBits::Of(30))
            continue;
        for (std::uint16_t other : graph.Strong(node))
            linked = linked || graph.Node(other).Squares == rowFive;
    }
    EXPECT_TRUE(linked);
}

} // namespace
} // namespace quorix::hint

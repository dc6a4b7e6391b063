// Almost locked sets: the catalogue and its links against a plain enumeration, and ALS-XZ and
// the ALS-XY-Wing on positions from the puzzle sets where they are the engine's step, and on
// hand-made positions changed just enough that they must not fire.
#include "hint/als.h"
#include "hint/finders.h"
#include "hint_support.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <tuple>

namespace quorix::hint {
namespace {

using testing::FirstStep;
using testing::PositionOfGrid;
using testing::Summary;

// Every subset of up to MaxAlsSize empty squares of a unit whose candidates are one digit more
// than its squares, with those candidates, each once.
std::vector<std::pair<SquareBits, unsigned>> PlainSets(const Position &position)
{
    std::vector<std::pair<SquareBits, unsigned>> sets;
    for (int unit = 0; unit < UnitCount; ++unit) {
        std::vector<int> squares;
        for (int square : position.EmptySquares() & UnitBits[unit])
            squares.push_back(square);
        for (unsigned subset = 1; subset < (1u << squares.size()); ++subset) {
            std::pair<SquareBits, unsigned> set;
            for (std::size_t i = 0; i < squares.size(); ++i)
                if (subset & (1u << i)) {
                    set.first.Add(squares[i]);
                    set.second |= position.Candidates(squares[i]);
                }
            const int size = std::popcount(subset);
            if (size <= MaxAlsSize && std::popcount(set.second) == size + 1
                && std::find(sets.begin(), sets.end(), set) == sets.end())
                sets.push_back(set);
        }
    }
    return sets;
}

// The restricted commons of two sets by their definition: the shared digits whose every place
// in one is a peer of every place in the other.
DigitMask PlainLink(const Position &position, const Als &a, const Als &b)
{
    DigitMask linked = 0;
    for (int digit = 0; digit < 9 && (a.Squares & b.Squares).Empty(); ++digit) {
        bool restricted = (a.Digits & b.Digits & DigitBit(digit)) != 0;
        for (int p : position.Places(digit) & a.Squares)
            for (int q : position.Places(digit) & b.Squares)
                restricted = restricted && PeerBits[p].Has(q);
        linked |= restricted ? DigitBit(digit) : 0;
    }
    return linked;
}

TEST(HintAlmostLockedSets, TheCatalogueHoldsEverySetOnceAndLinksExactlyTheRestrictedPairs)
{
    int positions = 0;
    for (const std::string &puzzle :
         ReadPuzzleSample(PuzzleSetPath("bank-diabolical-500.txt"), 50, 10)) {
        Position position = *Position::FromLine(puzzle);
        Step step;
        for (int steps = 0; FindHint(position, {}, step); ++steps, ApplyStep(position, step)) {
            if (steps % 5 != 0)
                continue;
            SCOPED_TRACE(puzzle + " after " + std::to_string(steps) + " steps");
            ++positions;
            const AlsCatalogue catalogue = CatalogueAlmostLockedSets(position);
            auto expected = PlainSets(position);
            std::vector<std::tuple<int, int, DigitMask>> links, plainLinks;
            for (std::size_t i = 0; i < catalogue.Sets.size(); ++i) {
                const Als &set = catalogue.Sets[i];
                const auto found = std::find(expected.begin(), expected.end(),
                                             std::make_pair(set.Squares, unsigned{set.Digits}));
                ASSERT_NE(found, expected.end()) << SquareList(set.Squares);
                expected.erase(found);
                EXPECT_EQ(set.Size, set.Squares.Count());
                for (std::size_t j = i + 1; j < catalogue.Sets.size(); ++j)
                    if (const DigitMask linked = PlainLink(position, set, catalogue.Sets[j]))
                        plainLinks.emplace_back(i, j, linked);
            }
            EXPECT_TRUE(expected.empty()) << expected.size() << " sets missing";
            for (const AlsLink &link : catalogue.Links)
                links.emplace_back(link.First, link.Second, link.Digits);
            EXPECT_EQ(links, plainLinks);
        }
    }
    EXPECT_GT(positions, 20);
}

// Keeps only `digits` ("13") in the square written "r2c5".
void Keep(Position &position, std::string_view square, std::string_view digits)
{
    const int at = (square[1] - '1') * 9 + (square[3] - '1');
    for (int digit = 0; digit < 9; ++digit)
        if (digits.find(static_cast<char>('1' + digit)) == std::string_view::npos)
            position.Strike(at, digit);
}

// bank-diabolical-500, line 26, where the engine needs ALS-XZ.
constexpr std::string_view XZGrid =
    "246 5 3 269 1 67 8 479 29 | 9 12 48 238 5 37 27 147 6 | 7 126 68 2689 4 69 5 19 3 | "
    "2368 236 5 1 26 4 367 79 89 | 248 7 146 369 236 369 16 5 148 | 346 9 146 5 7 8 136 2 14 | "
    "36 4 9 7 36 5 12 8 12 | 1 36 7 4 8 2 9 36 5 | 5 8 2 36 9 1 4 36 7";

TEST(HintAlsXZ, TwoSetsJoinedByARestrictedCommonStrikeTheirOtherSharedDigit)
{
    const Position position = PositionOfGrid(XZGrid);
    Step step;
    ASSERT_TRUE(FindAlsXZ(position, step));
    EXPECT_EQ(Summary(step), "ALS-XZ |  | r4c1-6");
    EXPECT_EQ(step.Sentence,
              "Row 6, columns 1, 3 and 9 (candidates 1, 3, 4 and 6) and row 7, column 1 "
              "(candidates 3 and 6) each have one candidate more than squares. Every 3 of the "
              "first sees every 3 of the second, so one of them holds no 3 and must hold each of "
              "its other candidates: either way a 6 lies in one of the two. Row 4, column 1 sees "
              "every 6 of both sets and cannot be 6.");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{RowUnit(5)}));
    EXPECT_EQ(step.Pattern,
              SquareBits::Of(45) | SquareBits::Of(47) | SquareBits::Of(53) | SquareBits::Of(54));
    EXPECT_EQ(step.Digit, 5);
}

// An empty board but for four squares: `square` holds 1 and 2; column 5 holds 1 and 3 in row 2
// and 2 and 3 in row 3, a set of two squares and three digits.
Position SmallPairOfSets(std::string_view square)
{
    Position position;
    Keep(position, square, "12");
    Keep(position, "r2c5", "13");
    Keep(position, "r3c5", "23");
    return position;
}

TEST(HintAlsXZ, TheLinkMustBeSeenByEveryPlaceOfItsDigit)
{
    Step step;
    ASSERT_TRUE(FindAlsXZ(SmallPairOfSets("r2c1"), step));
    // The 1 of row 2, column 1 sees the only 1 of column 5's set: one of them holds the 2.
    EXPECT_EQ(Summary(step), "ALS-XZ |  | r2c4-2 r2c6-2 r3c1-2 r3c2-2 r3c3-2");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(4)}));
    // In row 4 the square sees neither set's places: no link, no step.
    EXPECT_FALSE(FindAlsXZ(SmallPairOfSets("r4c1"), step));
    EXPECT_FALSE(FindAlsXYWing(SmallPairOfSets("r4c1"), step));
}

TEST(HintAlsXZ, TwoLinksLockBothSets)
{
    // bank-diabolical-500, line 39: row 4, column 7 and three squares of row 6 share 1 and 8,
    // each seen across.
    const Position position = PositionOfGrid(
        "7 2 1 4 3 8 9 5 6 | 58 9 4 6 15 2 7 3 18 | 6 3 58 57 9 157 4 128 128 | "
        "12 6 27 257 1578 9 18 4 3 | 1289 178 3 27 4 17 6 129 5 | 4 5 29 3 18 6 128 129 7 | "
        "1238 18 258 9 6 35 12 7 4 | 239 4 6 1 27 37 5 28 289 | 1259 17 579 8 25 4 3 6 129");
    Step step;
    ASSERT_TRUE(FindAlsXZ(position, step));
    EXPECT_NE(step.Sentence.find("and the same holds for the 8, so each set lacks one of 1 and 8"),
              std::string::npos)
        << step.Sentence;
    // Row 1, column 1 holds 1 and 2, row 1, columns 5 and 6 hold 1, 2 and 3: both links lie
    // in row 1, so 1 and 2 leave the row, and the 3 of the second set leaves its group too.
    Position small;
    Keep(small, "r1c1", "12");
    Keep(small, "r1c5", "123");
    Keep(small, "r1c6", "123");
    ASSERT_TRUE(FindAlsXZ(small, step));
    EXPECT_EQ(step.Name, "Doubly linked ALS-XZ");
    DigitSquares struck{};
    for (Candidate strike : step.Strikes)
        struck[strike.Digit].Add(strike.Square);
    const SquareBits rowRest =
        UnitBits[RowUnit(0)] - SquareBits::Of(0) - SquareBits::Of(4) - SquareBits::Of(5);
    EXPECT_EQ(struck[0], rowRest);
    EXPECT_EQ(struck[1], rowRest);
    EXPECT_EQ(struck[2],
              (rowRest | UnitBits[GroupUnit(1)]) - SquareBits::Of(4) - SquareBits::Of(5));
    EXPECT_EQ(step.Digit, -1);
    EXPECT_NE(step.Sentence.find("Row 1, columns 2, 3, 4, 7, 8 and 9 see every 1 and 2 of both "
                                 "sets and can be none of them."),
              std::string::npos)
        << step.Sentence;
}

// bank-diabolical-500, line 96, where the engine needs an ALS-XY-Wing.
constexpr std::string_view WingGrid =
    "4 1 25 67 356 357 8 23 9 | 3 7 8 1 9 2 5 6 4 | 6 25 9 4 8 35 7 23 1 | "
    "7 38 25 28 4 138 9 15 6 | 1 38 6 378 35 9 4 57 2 | 9 25 4 267 156 157 3 157 8 | "
    "8 6 1 5 7 4 2 9 3 | 5 4 3 9 2 6 1 8 7 | 2 9 7 38 13 138 6 4 5";

TEST(HintAlsXYWing, TwoSetsLinkedThroughAThirdStrikeTheirSharedDigit)
{
    const Position position = PositionOfGrid(WingGrid);
    Step step;
    EXPECT_FALSE(FindAlsXZ(position, step));
    ASSERT_TRUE(FindAlsXYWing(position, step));
    EXPECT_EQ(Summary(step), "ALS-XY-Wing |  | r4c8-5");
    EXPECT_EQ(step.Sentence,
              "Three sets each have one candidate more than squares: row 4, column 3 (candidates 2 "
              "and 5), rows 4, 5 and 9, column 4 (candidates 2, 3, 7 and 8) and row 5, column 8 "
              "(candidates 5 and 7). Every 2 of the first sees every 2 of the second, and every 7 "
              "of the second sees every 7 of the third. The second set lacks at most one of its "
              "candidates, so it holds a 2 or a 7: then the first set holds no 2 or the third no "
              "7, and that set must hold each of its other candidates, so a 5 lies in the first "
              "or the third. Row 4, column 8 sees every 5 of the first and third sets and cannot "
              "be 5.");
    EXPECT_EQ(step.Units, (std::vector<std::uint8_t>{ColumnUnit(3)}));
    EXPECT_EQ(step.Digit, 4);
}

// Three squares with two candidates each on an empty board: row 1, column 5 (1 and 3), row 1,
// column 1 (1 and 2) and `third` (2 and 3).
Position SmallWing(std::string_view third)
{
    Position position;
    Keep(position, "r1c5", "13");
    Keep(position, "r1c1", "12");
    Keep(position, third, "23");
    return position;
}

TEST(HintAlsXYWing, TheMiddleSetMustSeeBothEnds)
{
    Step step;
    // Row 5, column 1 sees row 1, column 1 down the column: row 5, column 5 sees both 3s.
    ASSERT_TRUE(FindAlsXYWing(SmallWing("r5c1"), step));
    EXPECT_EQ(Summary(step), "ALS-XY-Wing |  | r5c5-3");
    // Two of the squares in one column make a set of their own, so ALS-XZ finds it first.
    ASSERT_TRUE(FindAlsXZThenXYWing(SmallWing("r5c1"), step));
    EXPECT_EQ(Summary(step), "ALS-XZ |  | r5c5-3");
    // Row 5, column 2 sees neither: nothing links the ends.
    EXPECT_FALSE(FindAlsXYWing(SmallWing("r5c2"), step));
    EXPECT_FALSE(FindAlsXZThenXYWing(SmallWing("r5c2"), step));
}

// Positions from the sets where the engine, with every simpler deduction tried first, gives
// these steps.
TEST(HintAlsSets, EachIsTheEnginesStepWhereNothingSimplerApplies)
{
    // bank-diabolical-500.
    EXPECT_EQ(FirstStep(PositionOfGrid(
                  "58 7 6 38 4 9 2 1 35 | 9 58 1 38 26 26 57 357 4 | 2 4 3 17 17 5 8 9 6 | "
                  "678 3 78 5 9 1 46 468 2 | 1 569 2 67 8 4 3 57 59 | "
                  "4 5689 59 2 67 3 5679 78 1 | 3 25689 89 16 1256 26 14569 456 7 | "
                  "56 25 4 9 1235 7 15 356 8 | 567 1 579 4 356 8 569 2 359")),
              "ALS-XZ |  | r6c7-6");
    EXPECT_EQ(FirstStep(PositionOfGrid("157 4 8 17 6 2 1579 359 13579 | 9 17 3 4 8 57 157 2 6 | "
                                       "157 2 6 3 19 579 4 8 157 | 3 6 19 129 1259 4 8 7 25 | "
                                       "8 19 7 129 1259 3 6 45 245 | 4 5 2 8 7 6 19 39 139 | "
                                       "27 8 5 279 249 1 3 6 479 | 127 3 149 6 249 79 579 459 8 | "
                                       "6 79 49 5 3 8 2 1 479")),
              "ALS-XY-Wing |  | r8c7-9 r8c8-9");
    EXPECT_EQ(FirstStep(PositionOfGrid(
                  "24 245 1 69 8 3 24569 7 456 | 6 257 78 279 1 4 3 29 58 | "
                  "3 9 478 267 26 5 248 246 1 | 9 8 246 246 5 7 46 1 3 | "
                  "7 3 456 1 69 8 4569 4569 2 | 124 124 2456 246 3 269 4569 8 7 | "
                  "5 1247 2479 8 2469 1269 267 3 46 | 1248 127 3 5 246 126 2678 246 9 | "
                  "248 6 249 3 7 29 1 25 458")),
              "Doubly linked ALS-XZ |  | r4c4-6 r6c3-2 r6c3-4 r6c7-4");
}

} // namespace
} // namespace quorix::hint

// 3D colouring: every rule on a position from bank-diabolical-500 where it fires (each position
// comes after the simpler steps of its puzzle), and near misses where one candidate less or more
// undoes it.
#include "hint/finders.h"
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

using testing::PositionOfGrid;
using testing::StrikeAll;
using testing::Summary;

struct RuleCase
{
    int Line; // of the puzzle in bank-diabolical-500
    std::string_view Grid;
    std::string_view Strikes;
    std::string_view Rule; // the part of the sentence that names the rule
};

constexpr RuleCase Rules[] = {
    {25,
     "6 5 8 27 49 27 3 49 1 | 7 3 1 489 5 469 689 469 2 | 9 4 2 38 13 16 68 5 7 | "
     "2 9 7 6 13 8 5 13 4 | 1 6 5 349 2 49 7 39 8 | 3 8 4 59 7 159 19 2 6 | "
     "5 2 69 479 8 479 146 16 3 | 8 1 3 25 46 25 46 7 9 | 4 7 69 1 69 3 2 8 5",
     "r2c6-6 r2c7-8 r2c7-9 r2c8-6 r3c4-8 r3c5-3 r3c6-1 r3c7-6 r4c5-1 r4c8-3 r5c4-3 r5c8-9 "
     "r6c7-1 r7c8-1",
     "Colour B holds both 8 and 9 in row 2, column 7, but a square takes one digit. So colour B "
     "is false, and all its candidates go."},
    {111,
     "45 368 368 7 3459 2 1 589 58 | 1 38 7 39 6 359 4 589 2 | 45 9 2 8 1 45 7 3 6 | "
     "679 1 369 346 3458 3456 69 2 78 | 8 5 69 1 2 7 69 4 3 | 2 367 4 369 389 369 5 18 17 | "
     "3 4 5 2 7 1 8 6 9 | 69 2 169 5 49 8 3 7 14 | 79 78 189 346 349 3469 2 15 145",
     "r1c3-8 r1c9-8 r4c5-8 r4c9-7 r6c2-7 r6c8-8 r6c9-1 r9c1-7 r9c2-8 r9c8-1 r9c9-5",
     "Colour A holds the 8 twice in row 1 (row 1, columns 3 and 9), but a unit takes each digit "
     "once."},
    {184,
     "34 5 9 46 2 3467 18 37 18 | 2347 127 1237 479 8 3479 5 6 34 | 6 8 37 5 347 1 2 379 49 | "
     "789 279 25 3 17 24579 178 49 6 | 3789 4 357 179 6 579 1789 2 18 | "
     "1 2679 267 29 47 8 379 34 5 | 29 1269 4 8 13 26 39 5 7 | 5 3 8 47 9 47 6 1 2 | "
     "279 1679 167 126 5 23 4 8 39",
     "r3c5-7",
     "Row 3, column 5 holds a candidate of each colour, so it is one of those two whichever "
     "colour is true, and the other candidates there go."},
    {12,
     "789 48 4789 5 3 1 2469 26 247 | 5 6 2 7 4 9 1 8 3 | 179 14 3 8 6 2 49 79 5 | "
     "267 5 67 9 1 4 3 26 8 | 4 3 1 6 2 8 5 79 79 | 268 9 68 3 5 7 26 4 1 | "
     "3 248 48 24 9 5 7 1 6 | 69 7 469 1 8 3 249 5 249 | 19 124 5 24 7 6 8 3 49",
     "r1c9-4 r8c7-4 r8c7-9",
     "Row 1, column 9; row 8, column 7 see a 4 of each colour, so whichever colour is true, they "
     "cannot be 4. Row 8, column 7 sees a 9 of each colour, so whichever colour is true, it "
     "cannot be 9."},
    {71,
     "8 39 5 67 26 1 237 4 239 | 279 49 6 57 24 3 578 789 1 | 1237 134 12347 8 9 45 6 237 235 | "
     "3679 3469 347 69 1 8 2347 5 23679 | 13569 1345689 1348 2 46 7 348 13689 3689 | "
     "1679 2 1478 3 5 49 478 16789 678 | 125 158 9 4 3 6 2578 278 2578 | "
     "4 3568 238 1 7 25 9 2368 23568 | 2356 7 23 59 8 259 1 236 4",
     "r7c7-7",
     "Row 7, column 7 holds a candidate of colour B and sees a 7 of colour A, so whichever "
     "colour is true, it cannot be 7."},
};

TEST(HintThreeDColouring, EveryRuleStrikesWhatItProves)
{
    for (const RuleCase &rule : Rules) {
        SCOPED_TRACE(rule.Line);
        Step step;
        ASSERT_TRUE(FindThreeDColouring(PositionOfGrid(rule.Grid), step));
        EXPECT_EQ(Summary(step), "3D colouring |  | " + std::string(rule.Strikes));
        EXPECT_NE(step.Sentence.find(rule.Rule), std::string::npos) << step.Sentence;
    }
}

TEST(HintThreeDColouring, AColourThatWouldEmptyASquareIsFalse)
{
    // Line 29.
    const Position position = PositionOfGrid(
        "3 245 1 59 259 46 7 26 8 | 7 245 9 3 8 46 45 26 1 | 24 6 8 7 25 1 45 9 3 | "
        "24 9 2347 1 6 37 8 5 247 | 1 247 23467 8 57 357 9 347 2467 | 5 8 367 2 4 9 1 37 67 | "
        "8 3 57 4 1579 2 6 17 79 | 9 147 47 6 3 8 2 147 5 | 6 1247 2457 59 1579 57 3 8 479");
    Step step;
    ASSERT_TRUE(FindThreeDColouring(position, step));
    EXPECT_EQ(Summary(step), "3D colouring |  | r1c2-4 r1c6-6 r1c8-2 r2c2-2 r2c6-4 r2c8-6");
    EXPECT_EQ(step.Sentence,
              "Colour the candidates joined by strong links (the only two candidates of a square, "
              "the only two places of a digit in a unit) in turn, so that one colour is all true "
              "and the other all false. Colour A: 2 (row 1, column 8; row 2, column 2), 4 (row 1, "
              "column 2; row 2, column 6) and 6 (row 1, column 6; row 2, column 8). Colour B: 2 "
              "(row 2, column 8), 4 (row 1, column 6) and 6 (row 1, column 8; row 2, column 6). "
              "If colour A were true, row 3, column 1 would have no candidate left, since each of "
              "its candidates (2 and 4) sees one of colour A, but every square takes a digit. So "
              "colour A is false, and all its candidates go.");
    EXPECT_EQ(step.Pattern.Count(), 6);
    // Without the 4 in row 1, column 2 the cluster grows through that square instead, and no
    // colour empties a square.
    Position spent = position;
    StrikeAll(spent, {"r1c2-4"});
    ASSERT_TRUE(FindThreeDColouring(spent, step));
    EXPECT_EQ(Summary(step), "3D colouring |  | r2c2-2");
}

TEST(HintThreeDColouring, OneCandidateLessOrMoreUndoesTheRule)
{
    Step step;
    // Line 111 without the 8 in row 9, column 3: the colours no longer meet twice anywhere.
    Position twice = PositionOfGrid(Rules[1].Grid);
    StrikeAll(twice, {"r9c3-8"});
    EXPECT_FALSE(FindThreeDColouring(twice, step)) << step.Sentence;
    // Line 184 with a 3 in row 7, column 6: the link through that square breaks.
    std::string both(Rules[2].Grid);
    both.replace(both.find("13 26 39"), 8, "13 236 39");
    EXPECT_FALSE(FindThreeDColouring(PositionOfGrid(both), step)) << step.Sentence;
    // Line 71 without the 7 in row 1, column 7: colour A has no 7 in column 7 to be seen.
    std::string seen(Rules[4].Grid);
    seen.replace(seen.find("237 4 239"), 3, "23");
    EXPECT_FALSE(FindThreeDColouring(PositionOfGrid(seen), step)) << step.Sentence;
}

} // namespace
} // namespace quorix::hint

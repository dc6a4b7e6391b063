// The one-digit patterns on puzzles of the sets: each case is the engine's first step past
// the singles and the tier-2 rules, so it also shows that nothing simpler was there.
#include "hint_support.h"

#include <gtest/gtest.h>

namespace quorix::hint {
namespace {

// The engine's first step of tier 3 or more on `puzzle`, after every simpler one.
std::string FirstHardStep(std::string_view puzzle)
{
    Position position = testing::PositionOf(puzzle);
    Step step;
    while (FindHint(position, {}, step)) {
        if (step.Tier() >= 3)
            return testing::Summary(step);
        ApplyStep(position, step);
    }
    return "none";
}

TEST(HintOneDigitPatterns, EachIsTheFirstHardStepOfAPuzzleFromTheSets)
{
    struct Case
    {
        const char *Puzzle;
        const char *Step;
    };
    const Case cases[] = {
        {"1.85..4.6....7.9..53...4..7..1.6...8.9.4.8.7.8...5.6..7..1...69..6.8....9.4..62.5",
         "X-Wing |  | r3c8-1 r5c9-1"},
        {".3.....8....791.....5...7....4.8.5....12.43..2..3.5..8..25.86...........5.3.1.8.9",
         "Swordfish |  | r3c6-2 r3c8-2 r8c6-2 r8c8-2"},
        {"..45..7...2.8...6..6..714..........6..64172..3..........713..9..8...6.5...3..41..",
         "Jellyfish |  | r2c9-9 r4c4-9 r8c1-9"},
        {"21.95...4.9..6..37...7...........3.892.....158.5...........2...68..1..4.1...47.96",
         "Skyscraper |  | r3c2-5 r7c1-5"},
        {".24...65.1.......7..8.1.9...........26..9..83.8.5.1.7.6..9.3..8..28547......7....",
         "Two-string kite |  | r9c3-5"},
        {"..8...5...2.8.5.9....1.6...7.5...2.3.6..7..8....9.3...51.3.7.28..2.5.3...3.....1.",
         "Turbot fish |  | r5c3-4"},
        {".9......6..689....2.37.6.9.1...2.....549.832.....7...4.2.6.78.9....356..3......5.",
         "Empty rectangle |  | r1c3-1"},
        {"1...3.8.....9...2....2.5.6...63....5.8..9......7...1....5......6298.......8.6.4..",
         "Simple colouring (colour trap) |  | r6c2-5"},
        {"................12..3.45..............6...4...7.1........7.......82..3.5.2.91....",
         "Simple colouring (colour wrap) |  | r1c4-8 r2c1-8 r3c9-8 r4c5-8 r5c2-8 r6c9-8 r9c7-8 "
         "r9c8-8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Puzzle);
        EXPECT_EQ(FirstHardStep(c.Puzzle), c.Step);
    }
}

} // namespace
} // namespace quorix::hint

#include "hint/engine.h"

#include "hint/finders.h"

#include <array>

namespace quorix::hint {

namespace {

using Finder = bool (*)(const Position &, Step &);

struct Entry
{
    Finder Find;
    // The uniqueness rules hold only on a puzzle with exactly one solution.
    bool NeedsUniqueSolution = false;
};

// The search order: the first finder that finds a step gives it.
constexpr std::array Finders{
    Entry{FindFullHouse},
    Entry{FindHiddenSingle},
    Entry{FindNakedSingle},
    Entry{FindPointing},
    Entry{FindClaiming},
    Entry{[](const Position &p, Step &s) { return FindNakedSubset(p, 2, s); }},
    Entry{[](const Position &p, Step &s) { return FindHiddenSubset(p, 2, s); }},
    Entry{[](const Position &p, Step &s) { return FindNakedSubset(p, 3, s); }},
    Entry{[](const Position &p, Step &s) { return FindHiddenSubset(p, 3, s); }},
    Entry{[](const Position &p, Step &s) { return FindNakedSubset(p, 4, s); }},
    Entry{[](const Position &p, Step &s) { return FindHiddenSubset(p, 4, s); }},
    // Tier 3.
    Entry{FindXWing},
    Entry{FindSwordfish},
    Entry{FindJellyfish},
    Entry{FindSkyscraper},
    Entry{FindTwoStringKite},
    Entry{FindTurbotFish},
    Entry{FindEmptyRectangle},
    Entry{FindXYWing},
    Entry{FindXYZWing},
    Entry{FindWWing},
    Entry{FindSimpleColouring},
    Entry{FindUniqueRectangle, true},
    Entry{FindBivalueGrave, true},
    // Tier 4.
    Entry{FindFinnedFish},
    Entry{FindXChain},
    Entry{FindXYChain},
    Entry{FindAlternatingChain},
    Entry{FindAlsXZThenXYWing}, // ALS-XZ, then ALS-XY-Wing
    Entry{FindThreeDColouring},
    // Tier 5.
    Entry{FindForcingChain},
    Entry{FindForcingNet},
};

} // namespace

bool FindHint(const Position &position, const HintOptions &options, Step &step)
{
    if (position.Solved() || position.Broken())
        return false;
    for (const Entry &entry : Finders) {
        if (entry.NeedsUniqueSolution && !options.UniqueSolution)
            continue;
        if (entry.Find(position, step))
            return true;
    }
    return false;
}

void ApplyStep(Position &position, const Step &step)
{
    for (Candidate set : step.Sets)
        if (position.IsEmpty(set.Square))
            position.Place(set.Square, set.Digit);
    for (Candidate strike : step.Strikes)
        position.Strike(strike.Square, strike.Digit);
}

LogicSolve SolveByLogic(const Position &start, const HintOptions &options,
                        const std::function<void(const Step &)> &onStep)
{
    LogicSolve solve;
    solve.End = start;
    Step step;
    int hardest = -1;
    while (FindHint(solve.End, options, step)) {
        if (onStep)
            onStep(step);
        ++solve.Steps;
        if (static_cast<int>(step.Kind) > hardest) {
            hardest = static_cast<int>(step.Kind);
            solve.HardestTier = step.Tier();
            solve.HardestName = step.Name;
        }
        ApplyStep(solve.End, step);
    }
    solve.Solved = solve.End.Solved();
    return solve;
}

} // namespace quorix::hint

#include "hint/engine.h"

#include "hint/finders.h"

#include <array>

namespace quorix::hint {

namespace {

using Finder = bool (*)(const Position &, Step &);

struct Entry
{
    // The deduction the finder looks for (ALS-XZ stands for both kinds of sets it finds).
    Technique Kind;
    Finder Find;
    // The uniqueness rules hold only on a puzzle with exactly one solution.
    bool NeedsUniqueSolution = false;
};

// The search order: the first finder that finds a step gives it.
constexpr std::array Finders{
    Entry{Technique::FullHouse, FindFullHouse},
    Entry{Technique::HiddenSingle, FindHiddenSingle},
    Entry{Technique::NakedSingle, FindNakedSingle},
    Entry{Technique::Pointing, FindPointing},
    Entry{Technique::Claiming, FindClaiming},
    Entry{Technique::NakedPair,
          [](const Position &p, Step &s) { return FindNakedSubset(p, 2, s); }},
    Entry{Technique::HiddenPair,
          [](const Position &p, Step &s) { return FindHiddenSubset(p, 2, s); }},
    Entry{Technique::NakedTriple,
          [](const Position &p, Step &s) { return FindNakedSubset(p, 3, s); }},
    Entry{Technique::HiddenTriple,
          [](const Position &p, Step &s) { return FindHiddenSubset(p, 3, s); }},
    Entry{Technique::NakedQuad,
          [](const Position &p, Step &s) { return FindNakedSubset(p, 4, s); }},
    Entry{Technique::HiddenQuad,
          [](const Position &p, Step &s) { return FindHiddenSubset(p, 4, s); }},
    // Tier 3.
    Entry{Technique::XWing, FindXWing},
    Entry{Technique::Swordfish, FindSwordfish},
    Entry{Technique::Jellyfish, FindJellyfish},
    Entry{Technique::Skyscraper, FindSkyscraper},
    Entry{Technique::TwoStringKite, FindTwoStringKite},
    Entry{Technique::TurbotFish, FindTurbotFish},
    Entry{Technique::EmptyRectangle, FindEmptyRectangle},
    Entry{Technique::XYWing, FindXYWing},
    Entry{Technique::XYZWing, FindXYZWing},
    Entry{Technique::WWing, FindWWing},
    Entry{Technique::SimpleColouring, FindSimpleColouring},
    Entry{Technique::UniqueRectangle, FindUniqueRectangle, true},
    Entry{Technique::BivalueGrave, FindBivalueGrave, true},
    // Tier 4.
    Entry{Technique::FinnedFish, FindFinnedFish},
    Entry{Technique::XChain, FindXChain},
    Entry{Technique::XYChain, FindXYChain},
    Entry{Technique::AlternatingChain, FindAlternatingChain},
    Entry{Technique::AlsXZ, FindAlsXZThenXYWing}, // ALS-XZ, then ALS-XY-Wing
    Entry{Technique::ThreeDColouring, FindThreeDColouring},
    // Tier 5.
    Entry{Technique::ForcingChain, FindForcingChain},
    Entry{Technique::ForcingNet, FindForcingNet},
};

constexpr bool FollowsTheTechniques()
{
    for (std::size_t i = 1; i < Finders.size(); ++i)
        if (Finders[i].Kind <= Finders[i - 1].Kind)
            return false;
    return true;
}
static_assert(FollowsTheTechniques(), "finders are searched in the order of the techniques, "
                                      "so a simpler step is always found first");

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

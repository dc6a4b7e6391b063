// The hint engine: the simplest step a person can take on a position, and a whole solve by
// such steps alone, never guessing.
//
// Everything here is a pure function of its arguments: no state is kept between calls, so the
// engine runs on many threads at once and the same position always gives the same step.
#pragma once

#include "hint/position.h"
#include "hint/step.h"

#include <functional>
#include <string>

namespace quorix::hint {

struct HintOptions
{
    // Whether the position's puzzle is known to have exactly one solution (counted by the
    // caller). Only then may the uniqueness rules be used.
    bool UniqueSolution = false;
};

// The simplest sound step on `position`, searched tier by tier; false when there is none, or
// when the position is solved or plainly broken (Position::Broken).
[[nodiscard]] bool FindHint(const Position &position, const HintOptions &options, Step &step);

// Carries out `step`: its placements and its strikes.
void ApplyStep(Position &position, const Step &step);

struct LogicSolve
{
    Position End;
    bool Solved = false;
    int Steps = 0;
    // The hardest step taken: its tier (0 when there was no step) and its name.
    int HardestTier = 0;
    std::string HardestName;
};

// Applies FindHint's steps one after another until the position is solved or no step is
// found, calling `onStep` with each step before it is applied.
[[nodiscard]] LogicSolve SolveByLogic(const Position &start, const HintOptions &options,
                                      const std::function<void(const Step &)> &onStep = {});

} // namespace quorix::hint

// The deductions, one finder each (or one per size). A finder searches the position in a fixed
// order and fills `step` with the first instance that sets a square or strikes a candidate;
// it returns false, leaving `step` as it was, when there is none. Finders assume a position
// that is not Broken().
#pragma once

#include "hint/position.h"
#include "hint/step.h"

namespace quorix::hint {

// Tier 1 (singles.cpp).
bool FindFullHouse(const Position &position, Step &step);
bool FindHiddenSingle(const Position &position, Step &step);
bool FindNakedSingle(const Position &position, Step &step);

// Tier 2 (intersections.cpp, subsets.cpp); `size` is 2, 3 or 4.
bool FindPointing(const Position &position, Step &step);
bool FindClaiming(const Position &position, Step &step);
bool FindNakedSubset(const Position &position, int size, Step &step);
bool FindHiddenSubset(const Position &position, int size, Step &step);

// Tier 4: finned and sashimi fish (finned_fish.cpp).
bool FindFinnedFish(const Position &position, Step &step);
// Chains of one digit, of squares with two candidates, and of both mixed (chains.cpp).
bool FindXChain(const Position &position, Step &step);
bool FindXYChain(const Position &position, Step &step);
bool FindAlternatingChain(const Position &position, Step &step);

} // namespace quorix::hint

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

// Tier 3: basic fish of one digit (fish.cpp).
bool FindXWing(const Position &position, Step &step);
bool FindSwordfish(const Position &position, Step &step);
bool FindJellyfish(const Position &position, Step &step);
// Two strong links of one digit joined end to end (two_links.cpp).
bool FindSkyscraper(const Position &position, Step &step);
bool FindTwoStringKite(const Position &position, Step &step);
bool FindTurbotFish(const Position &position, Step &step);
// A group's cross of places and a strong link (empty_rectangle.cpp).
bool FindEmptyRectangle(const Position &position, Step &step);
// One digit's strong links in two colours (simple_colouring.cpp).
bool FindSimpleColouring(const Position &position, Step &step);
// Tier 3, wings (xy_wing.cpp, xyz_wing.cpp, w_wing.cpp).
bool FindXYWing(const Position &position, Step &step);
bool FindXYZWing(const Position &position, Step &step);
bool FindWWing(const Position &position, Step &step);

// Tier 3, uniqueness (unique_rectangle.cpp, bivalue_grave.cpp): sound only on a puzzle known to
// have a single solution, and only on a position that keeps its givens.
bool FindUniqueRectangle(const Position &position, Step &step);
bool FindBivalueGrave(const Position &position, Step &step);

// Tier 4: finned and sashimi fish (finned_fish.cpp).
bool FindFinnedFish(const Position &position, Step &step);
// Chains of one digit, of squares with two candidates, and of both mixed (chains.cpp).
bool FindXChain(const Position &position, Step &step);
bool FindXYChain(const Position &position, Step &step);
bool FindAlternatingChain(const Position &position, Step &step);
// Tier 4: almost locked sets (als_xz.cpp, als_xy_wing.cpp). The engine searches both through
// FindAlsXZThenXYWing, which gathers the sets once for the two. Colouring across digits
// (three_d_colouring.cpp).
bool FindAlsXZ(const Position &position, Step &step);
bool FindAlsXYWing(const Position &position, Step &step);
bool FindAlsXZThenXYWing(const Position &position, Step &step);
bool FindThreeDColouring(const Position &position, Step &step);

// Tier 5 (forcing.cpp).
bool FindForcingChain(const Position &position, Step &step);
bool FindForcingNet(const Position &position, Step &step);

} // namespace quorix::hint

// Forcing chains and nets, the last resort: what every choice of a square or of a digit's place
// in a unit leads to, or what a single choice cannot be.
//
// Each candidate of the position is followed once (hint/propagation.h); the conclusions are read
// off the outcomes, and the one that needs the fewest squares set on the way is reported.
#pragma once

#include "hint/propagation.h"
#include "hint/step.h"

namespace quorix::hint {

// The limits that keep a step explainable and quick. A conclusion's size is the number of
// squares set on the way to it, added up over its branches.
namespace forcing {
// A square with more candidates, or a digit with more places in a unit, is not a start.
constexpr int MaxBranches = 4;
// The largest chain and the largest net reported.
constexpr int MaxChainSize = 20;
constexpr int MaxNetSize = 40;
// Where the engine gets to forcing, no step sets fewer squares: one that sets none is a single
// or an intersection under another name, and those come first. A search stops once it could
// only find such a step.
constexpr int SmallestSize = 1;
// A step that sets at most this many squares names them in its sentence.
constexpr int MaxNamedSquares = 6;
} // namespace forcing

// How a forcing step starts: one candidate that fails, every candidate of a square, or every
// place of a digit in a unit. In this order a smaller form wins a tie of sizes.
enum class ForcingForm : std::uint8_t { Contradiction, Square, Unit };

// A forcing step found, before it is put into words.
struct ForcingFind
{
    Inference Rules = Inference::Chain;
    ForcingForm Form = ForcingForm::Contradiction;
    // The square (Contradiction, Square) or unit (Unit) it starts from, and the digit
    // (Contradiction, Unit).
    int Square = -1;
    int Unit = -1;
    int Digit = -1;
    // The conclusion: the candidate the Contradiction strikes, or the common result.
    bool Places = false;
    Candidate Result;
    int Size = 0;
    // The bound on the squares each branch (in the order of candidates or places) was followed
    // with: following them again with it repeats what was found.
    std::array<std::uint8_t, 9> Bounds{};
};

// The smallest forcing step with `rules` whose size is at most `maxSize`; false when none.
[[nodiscard]] bool FindForcing(const Position &position, Inference rules, int maxSize,
                               ForcingFind &found);

// Fills `step` for `found`: its result, the squares it sets on the way and its sentence.
void DescribeForcing(const Position &position, const ForcingFind &found, Step &step);

} // namespace quorix::hint

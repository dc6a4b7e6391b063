// The person's mistakes against the puzzle's solution, and how to mend them.
//
// A mistake is a value set in a square that differs from the solution's digit there (a given
// the person typed over included), or the solution's digit struck from an empty square. A
// struck solution digit that a peer's wrong value rules out is no mistake of its own: it goes
// with that value, and mending the value gives it back.
#pragma once

#include "hint/ladder.h"
#include "hint/position.h"

#include <string_view>
#include <vector>

namespace quorix::hint {

enum class MistakeKind : std::uint8_t { WrongValue, StruckTrue };

struct Mistake
{
    MistakeKind Kind = MistakeKind::WrongValue;
    int Square = 0;
    // The wrong value, or the solution's digit that was struck.
    int Digit = 0;
    friend bool operator==(Mistake, Mistake) = default;
};

// The mistakes of `position` in reading order of their squares. `solution`: the puzzle's one
// solution, 81 characters '1'..'9'.
[[nodiscard]] std::vector<Mistake> FindMistakes(std::string_view solution,
                                                const Position &position);

// What mends `mistake` and nothing else. A wrong value in a square that held a given of
// `puzzle` (81 characters as at the start) gets the given back; any other wrong value is
// emptied, and its digit goes back to the empty peers whose solution digit it is and that no
// other set peer rules it out of. A struck solution digit is given back.
[[nodiscard]] std::vector<BoardAction> MendActions(std::string_view puzzle,
                                                   std::string_view solution,
                                                   const Position &position,
                                                   const Mistake &mistake);

// Rung `number` (1..4) of the ladder for the first of `mistakes` (not empty): 1 that there
// are mistakes and how many, 2 the first one's row, 3 its square and what is wrong, 4 mends it.
[[nodiscard]] Rung MistakeRung(std::string_view puzzle, std::string_view solution,
                               const Position &position, const std::vector<Mistake> &mistakes,
                               int number);

} // namespace quorix::hint

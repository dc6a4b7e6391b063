// The board model's own fields: values, the puzzle as entered, colours, the latest finding
// and the pending step. Candidates are not here: they are the candidate buttons' visibility
// in the control store.
#pragma once

#include "window/controls.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorix {

// Board statuses returned by CheckBoard.
enum BoardStatus : std::int32_t {
    StatusImpossible = 3,
    StatusSolved = 4,
    StatusConsistent = 5,
    StatusNotStarted = 6,
    StatusNothingEntered = 7,
    StatusTooFew = 8,
};

// Kinds of the pending step.
enum StepKinds : std::int32_t {
    StepNone = 0,
    StepPlace = 1,
    StepStrike = 2,
    StepRestrike = 3,
    StepNothingFound = 7,
};

constexpr std::int16_t Empty = -1;

struct BoardState
{
    // Digit codes: -1 empty, 0..8 the digits 1..9. Slot 81 is spare.
    std::array<std::int16_t, 82> Grid{};
    std::array<std::int16_t, 82> Givens{};
    std::array<Colour, 10> DigitColours{};

    std::string Explanation;
    std::int16_t HighlightSquare = 0;
    std::int16_t HighlightUnit = 0;
    std::int16_t HighlightUnitType = 0;

    std::int32_t StepKind = StepNone;
    std::int16_t StepTarget = 0;
    std::int16_t StepDigit = 0;
    bool Guessed = false;
};

} // namespace quorix

// The board model's own fields: values, the puzzle as entered, colours, the latest finding
// and the pending step. Candidates are not here: they are the candidate buttons' visibility
// in the control store.
#pragma once

#include "core/ground/controls.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorix {

// What CheckBoard finds. The values are part of the program's record of a board (codes 0 to 2
// are not used).
enum BoardStatus : std::int32_t {
    StatusImpossible = 3,     // a digit twice in a unit, or an empty square with no candidate
    StatusSolved = 4,         // every square set and shown, no conflict
    StatusConsistent = 5,     // no conflict, squares still open
    StatusNotStarted = 6,     // an empty square in setup form, or nothing struck yet
    StatusNothingEntered = 7, // every candidate shows
    StatusTooFew = 8,         // fewer than MinimumGivens squares set
};

// The fewest set squares CheckBoard takes for a puzzle.
inline constexpr int MinimumGivens = 10;

// What the pending step asks ApplyStep to do.
enum PendingStepKind : std::int32_t {
    StepNone = 0,
    StepPlace = 1,        // put StepDigit in square StepTarget
    StepStrike = 2,       // strike candidate StepTarget
    StepRestrike = 3,     // only strike the set digits from their units again
    StepNothingFound = 7, // the last search found nothing; nothing to carry out
};

constexpr std::int16_t Empty = -1;

struct BoardState
{
    // Digit codes: -1 empty, 0..8 the digits 1..9. Slot 81 is spare.
    std::array<std::int16_t, 82> Grid{};
    std::array<std::int16_t, 82> Givens{};
    std::array<Colour, 10> DigitColours{};

    // The latest finding of CheckBoard or FindStep, and where it is (negative: nowhere).
    std::string Explanation;
    int HighlightSquare = 0;
    int HighlightUnit = 0;
    int HighlightUnitType = 0;

    PendingStepKind StepKind = StepNone;
    int StepTarget = 0; // a square for StepPlace, a candidate number for StepStrike
    int StepDigit = 0;
    // A guess has been made by Auto, or advised by Next, since the board was last laid out.
    bool Guessed = false;

    // Forgets the pending step: nothing is left to carry out.
    void ForgetStep()
    {
        StepTarget = -1;
        StepKind = StepNone;
    }
};

} // namespace quorix

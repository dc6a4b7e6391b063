// The Hint command's ladder: what each press shows, as plain values a window only draws.
//
// Every ladder has up to four rungs: 1 what kind of thing to look for, 2 where, 3 the whole
// finding, 4 carrying it out. Rungs 1 to 3 change nothing; rung 4 lists the board actions to
// carry out as one undo step, each exactly what a person could do by hand.
#pragma once

#include "hint/position.h"
#include "hint/square_bits.h"
#include "hint/step.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorix::hint {

// What one rung shows. -1 (or an empty set) means "nothing of that kind".
struct HintView
{
    // The status line.
    std::string Text;
    // The square that changes or is at fault: the blinking square frame.
    int Square = -1;
    // The unit to look at (0..26): the steady unit frame.
    int Unit = -1;
    // Further squares to mark (never Square itself).
    SquareBits Marks;
    // The digit the rung is about.
    int Digit = -1;
    friend bool operator==(const HintView &, const HintView &) = default;
};

// One change a person could make by hand.
enum class ActionKind : std::uint8_t {
    Set,      // type Digit into Square
    Strike,   // strike the candidate Digit of Square
    Empty,    // empty Square: it shows every candidate its peers allow
    GiveBack, // show the struck candidate Digit of Square again
};

struct BoardAction
{
    ActionKind Kind = ActionKind::Set;
    std::int8_t Square = 0;
    std::int8_t Digit = -1; // unused for Empty
    friend bool operator==(BoardAction, BoardAction) = default;
};

struct Rung
{
    HintView View;
    // Only on a rung that acts: the actions, in order, as one undo step; View.Text then
    // reports what was done.
    std::vector<BoardAction> Actions;
};

// Rung `number` (1..4) of the ladder for an engine step. Rung 3's text is the step's own
// sentence; rung 4 places and strikes what the step does.
[[nodiscard]] Rung StepRung(const Step &step, int number);

// Carries out `actions` on `position` as the window carries them out on the board: a set digit
// strikes its peers, an emptied square gets every candidate that no set peer rules out, and a
// candidate given back returns unless a set peer holds its digit.
void ApplyActions(Position &position, const std::vector<BoardAction> &actions);

// What placing `sets` and striking `strikes` did, digit by digit: "placed 7 in row 3, column 5",
// "struck 7 from row 4, columns 5 and 6; struck 3 from row 1, column 2".
[[nodiscard]] std::string DoneText(const std::vector<Candidate> &sets,
                                   const std::vector<Candidate> &strikes);

} // namespace quorix::hint

// The answer of the Auto command on a puzzle with exactly one solution. However many Auto clicks
// nest inside one another, the outermost run must not call such a puzzle unsolvable, and a board
// it calls solved must be that solution. This is asked only while the user has done nothing but
// click Auto since typing the puzzle in: anything else may change the board under the search.
// The solutions are counted by the independent counter, never by the program under test.
#pragma once

#include "core/control/control_state.h"
#include "fuzz/event_codec.h"
#include "fuzz/window_invariants.h"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace quorix::fuzz {

// Whether only Auto clicks (outermost or inside yields) and timer ticks have reached the window
// since the puzzle was typed in.
class AutoOnlyWatch
{
public:
    // Takes in an event the window has just received (each key of an Enter, not the Enter).
    // A digit key or a paste the window takes outside every auto run is typing: it starts the
    // watch again when it leaves the board laid out as typed. Events that only schedule others
    // leave the watch as it is.
    void Saw(const Event &event, const FormState &form);
    [[nodiscard]] bool Holds() const { return Holding; }
    // A run stopped before it answered (the seventeenth nested Auto click stops them all, as
    // any click does) leaves its guesses on the board, and later runs start from them: their
    // answers are no longer about the puzzle alone.
    void Forget() { Holding = false; }

private:
    bool Holding = false;
};

// Every square holds its given (or nothing) and shows it on its button, and no step is left
// pending: the board as typing leaves it in setup form, from which Auto starts on the puzzle
// alone.
[[nodiscard]] bool LaidOutAsTyped(const FormState &form);

// The puzzle as typed: '1'..'9' for a given, '.' for an empty square.
[[nodiscard]] std::string GivensText(const FormState &form);

// Solution counts (0, 1, or 2 for two or more) by puzzle text. The harness asks about the same
// few puzzles millions of times, so one instance lives as long as the process.
class SolutionCounts
{
public:
    [[nodiscard]] int Of(const std::string &puzzle);
    [[nodiscard]] std::size_t Size() const { return Known.size(); }

private:
    std::unordered_map<std::string, int> Known;
};

// Checks what the outermost auto run has just left, on a puzzle with exactly one solution: the
// status line gives no verdict that there is none (impossible, too few squares, nothing to do),
// and a run that ended solved left that solution on the board. Other puzzles pass unchecked.
void CheckAutoAnswer(const FormState &form, SolutionCounts &counts, const Failure &fail);

} // namespace quorix::fuzz

// Solving control's own fields (the save slot, the guess stack with its depth slots, the stop
// request, what the uniqueness check keeps), and the whole state of the window as one value.
#pragma once

#include "core/control/hint_state.h"
#include "core/ground/board_state.h"
#include "core/ground/controls.h"
#include "core/operations/text/collection.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quorix {

// A whole board: every square's digit code and every candidate's visibility (nine bits per
// square, bit d = digit code d).
struct Snapshot
{
    std::array<std::int16_t, 82> Grid{};
    std::array<std::uint16_t, 82> Candidates{};
};

constexpr int DepthSlotCount = 82;

// The single save slot of Save and Restore.
struct SnapshotStore
{
    Snapshot SaveSlot;
    bool SaveSlotUsed = false; // nothing is restored from a slot never saved since start-up
    // Saves into depth slots so far: each save stamps its slot with the next number, so that
    // what the auto loop knows about a slot's content can be checked to still be about it.
    std::uint64_t Saves = 0;
};

// The search of one auto run: a stack of guesses, and per depth the slot holding the board
// from just before that depth's guess.
struct GuessStack
{
    // Calls of GuessOrBacktrack since the auto run started; 0 starts a fresh stack. Wide so it
    // never wraps back to 0 in a long run.
    std::int64_t GuessCount = 0;
    int GuessDepth = -1; // top of the stack; -1 when empty
    std::array<std::int16_t, DepthSlotCount> GuessSquare{};
    std::array<std::int16_t, 82> GuessDigit{}; // the digit code tried, indexed by square
    // Per depth, the candidates the square had when it was first guessed (bit d: digit code d).
    std::array<std::uint16_t, DepthSlotCount> GuessOptions{};
    std::array<Snapshot, DepthSlotCount> DepthSlots{};
    // Per depth slot, the stamp of the save that last wrote it (0: none yet).
    std::array<std::uint64_t, DepthSlotCount> DepthStamps{};

    // The candidate a new guess tries first: the lowest in the normal order, the highest in
    // the reversed one; digit code 0 when there is none.
    [[nodiscard]] static int FirstOption(std::uint16_t options, bool reverse)
    {
        if (options == 0)
            return 0;
        return reverse ? 15 - std::countl_zero(options) : std::countr_zero(options);
    }
    // The recorded candidate the top guess tries after `current`, in the order in force; -1
    // when every one has been tried.
    [[nodiscard]] int NextOption(int current, bool reverse) const
    {
        const unsigned options = GuessOptions[GuessDepth];
        if (!reverse) {
            const unsigned above = options & ~((2U << current) - 1);
            return current < 8 && above != 0 ? std::countr_zero(above) : -1;
        }
        const unsigned below = options & ((1U << current) - 1);
        return current > 0 && below != 0 ? 31 - std::countl_zero(below) : -1;
    }
};

// Auto runs that may be in progress at once, each nested in the yield of the one before.
constexpr int MaxAutoRuns = 16;

struct DispatchState
{
    bool StopAuto = false;
    bool Closing = false;         // the window is going away: every auto run ends at its next cycle
    int AutoDepth = 0;            // auto runs in progress, nested ones included
    BoardStatus LastAutoStatus{}; // the status the latest auto run finished with
    // Whether the auto loop may stop a burst bound to fail and work out its rest only when it
    // could show (it leaves everything as running it to the end does; tests compare both).
    bool StopFailingBursts = true;
};

// What Check Unique said last.
enum class UniqueVerdict { None, Unique, AnotherSolution };

struct UniqueState
{
    std::array<std::int16_t, 82> FirstSolution{};
    // False: guesses try candidates from the lowest digit up; true: from the highest down.
    // Check Unique turns it over, Reset clears it.
    bool ReverseGuessOrder = false;
    UniqueVerdict LastVerdict = UniqueVerdict::None;
};

// Counters of the latest auto run, for benchmarks.
struct AutoStats
{
    long long Cycles = 0;
    long long Guesses = 0;
    // Bursts stopped at their first dead square, and those whose rest was worked out after all.
    long long StoppedBursts = 0;
    long long StoppedBurstsFinished = 0;
};

// Everything the window holds, one owner per subsystem: what Form1 keeps to itself, and what
// the control layer works on. The Qt view, the tools and the tests read it through Form1.
struct FormState
{
    ControlStore Controls;
    BoardState Board;
    SnapshotStore Snapshots;
    GuessStack Guesses;
    DispatchState Dispatch;
    UniqueState Unique;
    AutoStats Stats;
    // The file of many puzzles being walked, if any (no undo step takes it back).
    PuzzleCollection Collection;
    HintState Hint;
};

} // namespace quorix

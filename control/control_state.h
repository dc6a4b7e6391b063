// Solving control's own fields: the snapshot slots, the guess stack, the stop request and the
// copy of the first solution kept by the uniqueness check.
#pragma once

#include <array>
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

struct SnapshotStore
{
    Snapshot SaveSlot;
    bool SaveSlotUsed = false; // nothing is restored from a slot never saved since start-up
    std::array<Snapshot, DepthSlotCount> DepthSlots{};
    // Per depth slot, the number of the save that last wrote it (0: none yet), so that what the
    // auto loop knows about a slot's content can be checked to still be about that content.
    std::array<std::uint64_t, DepthSlotCount> DepthStamps{};
    std::uint64_t Saves = 0;
};

struct GuessStack
{
    // Calls of GuessOrBacktrack since the auto run started; 0 starts a fresh stack. Wide so it
    // never wraps back to 0 in a long run.
    std::int64_t GuessCount = 0;
    std::int16_t GuessDepth = -1;
    std::array<std::int16_t, DepthSlotCount> GuessSquare{};
    std::array<std::int16_t, 82> GuessDigit{}; // indexed by square
    std::array<std::uint16_t, DepthSlotCount> GuessOptions{}; // bit d: digit code d was a candidate
    bool ReverseGuessOrder = false;
};

struct DispatchState
{
    bool StopAuto = false;
    bool Closing = false; // the window is going away: every auto run ends at its next cycle
    int AutoDepth = 0;    // auto runs in progress, nested ones included
    std::int32_t LastAutoStatus = 0; // the status the latest auto run finished with
};

struct UniqueState
{
    std::array<std::int16_t, 82> FirstSolution{};
};

// Counters of the latest auto run, for benchmarks.
struct AutoStats
{
    long long Cycles = 0;
    long long Guesses = 0;
};

} // namespace quorix

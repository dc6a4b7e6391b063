// The user's steps, kept as copies of what they saw before each, for Undo and Redo.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace quorix {

// Everything a user can see and that the next click reads: the control store (values,
// candidates, frames, timer, status line) and the board model (givens, pending step, marks,
// Explanation, Guessed), and the puzzle the Hint command works from, so that a step taken back
// across a Start or a paste puts back the puzzle of the board it puts back. The save slot and
// the guess search are not part of it.
struct HistoryEntry
{
    ControlStore Controls;
    BoardState Board;
    std::string HintPuzzle;
    // The puzzle of the collection shown, so that a step to another one is taken back whole.
    int CollectionPosition = 0;

    // Whether the board differs: the values, the givens, which squares and candidates show.
    [[nodiscard]] bool SameBoard(const ControlStore &controls, const BoardState &board) const;
};

class UndoHistory
{
public:
    // Steps kept at the most; older ones are forgotten. An entry is about 4.5 KB, so the whole
    // history stays under 5 MB.
    static constexpr std::size_t MaxSteps = 1000;

    // A new step, `before` being what stood before it: what could have been redone is dropped.
    void Push(HistoryEntry before);
    // Takes the latest step back: returns what stood before it, keeping `now` for Redo;
    // nothing when there is no step to take back.
    [[nodiscard]] std::optional<HistoryEntry> Undo(HistoryEntry now);
    // Does the step taken back last again: returns what stood after it, keeping `now` for Undo.
    [[nodiscard]] std::optional<HistoryEntry> Redo(HistoryEntry now);

    [[nodiscard]] std::size_t UndoSteps() const { return Past.size(); }
    [[nodiscard]] std::size_t RedoSteps() const { return Future.size(); }
    // What Undo takes back, the latest last; what Redo does again, the next one last.
    [[nodiscard]] const std::deque<HistoryEntry> &PastSteps() const { return Past; }
    [[nodiscard]] const std::deque<HistoryEntry> &FutureSteps() const { return Future; }
    // Puts a whole history in place (a saved game's), the oldest steps beyond MaxSteps
    // forgotten.
    void Replace(std::deque<HistoryEntry> past, std::deque<HistoryEntry> future);

private:
    std::deque<HistoryEntry> Past;
    std::deque<HistoryEntry> Future;
};

} // namespace quorix

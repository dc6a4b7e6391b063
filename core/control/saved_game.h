// The saved game: everything a person can see or get back, as one versioned text, so that the
// window can come back exactly as it was left.
//
//   quorix-state 1
//   present                        the board as it stands: a whole picture (saved_picture.h)
//   save USED VALUES MASKS         the board kept by Save
//   depth0 VALUES MASKS            the board the latest Auto started from (Check Unique's)
//   unique REVERSE VERDICT VALUES  what Check Unique keeps
//   lastauto STATUS                what the latest Auto run ended with
//   collection N POSITION NAME     the file of puzzles walked (N = 0: none), then N lines
//     p LINE PUZZLE                  each puzzle (a text token) and its line in the file
//   undo N                         then N steps, the latest first, and
//   redo M                         M steps, the next first, each as
//     entry                          `entry` and the lines of its picture that differ from
//                                    the picture before it in the file
//   end
//
// VALUES are 81 characters ('.' empty, '1'..'9'), MASKS 81 candidate masks as three hex
// digits each. The reader trusts nothing: a line that is not exactly where and what it should
// be, a number out of bounds, a missing `end` or anything after it refuses the whole file.
#pragma once

#include "core/control/control_state.h"
#include "core/control/undo_history.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace quorix {

inline constexpr int SavedGameVersion = 1;
// How a saved game's first line starts, whatever its version.
inline constexpr std::string_view SavedGameMark = "quorix-state ";
// Undo and redo steps kept in the file, each way: all that the window keeps.
inline constexpr std::size_t SavedStepLimit = UndoHistory::MaxSteps;
// A longer line, or a larger file, is no saved game.
inline constexpr std::size_t MaxSavedLineLength = 1 << 16;
inline constexpr std::size_t MaxSavedGameSize = std::size_t{64} << 20;

struct SavedGame
{
    // Read over the state it is given: fields the file does not hold keep their values.
    FormState State;
    std::deque<HistoryEntry> Past;   // as UndoHistory::PastSteps
    std::deque<HistoryEntry> Future; // as UndoHistory::FutureSteps
};

[[nodiscard]] std::string WriteSavedGame(const FormState &state, const UndoHistory &history);

// Reads `text` into `game`; false with the reason, and `game` in no defined state, when it is
// not a saved game of this version read whole.
[[nodiscard]] bool ReadSavedGame(std::string_view text, SavedGame &game, std::string &reason);

} // namespace quorix

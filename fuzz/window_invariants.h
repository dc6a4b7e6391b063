// What must hold of the window between any two events, whatever came before: values and
// candidates in range and shown as they are, the command buttons present, the pending step and
// the marks on the board, and CheckBoard agreeing with the board.
#pragma once

#include "core/control/control_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quorix::fuzz {

// Reports a broken invariant; never returns.
using Failure = std::function<void(const std::string &what)>;

// The parts of the window that a Save followed at once by a Restore must leave as they were,
// and that CheckBoard must not touch.
struct BoardImage
{
    std::array<std::int16_t, 82> Grid{};
    std::array<std::int16_t, 82> Givens{};
    std::array<std::uint16_t, SquareCount> Candidates{};
    std::array<ControlStore::SquareButton, SquareCount> Squares{};
};

[[nodiscard]] BoardImage TakeImage(const FormState &form);

// Whether two square buttons look and behave alike; geometry and font aside.
[[nodiscard]] bool SameButton(const ControlStore::SquareButton &a,
                              const ControlStore::SquareButton &b);

// Every square: value and given in range, the given as `expectedGivens` has it, and the button
// showing the value, or the candidates only in solving form.
void CheckSquares(const FormState &form,
                  const std::array<std::int16_t, SquareCount> &expectedGivens, const Failure &fail);

// The command buttons that must be shown, the pending step, the highlight marks, the guess
// stack depth and the number of auto runs in progress.
void CheckButtonsAndMarks(const FormState &form, const Failure &fail);

// Runs CheckBoard on a copy of the board and the store: fails when it changes the board.
[[nodiscard]] BoardStatus ProbeCheckBoard(const FormState &form, const Failure &fail);

// Fails unless every row, column and group of the grid holds each digit once.
void CheckSolvedGrid(const FormState &form, const Failure &fail);

} // namespace quorix::fuzz

#include "core/operations/board/placing.h"

#include "core/ground/units.h"

#include <array>

namespace quorix {

void SetSquare(BoardState &board, ControlStore &controls, int square, int code, bool showCandidates)
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    if (code > -1) {
        SetSquareDigit(board, controls, square, code);
        return;
    }
    auto &button = controls.Squares[square];
    board.Grid[square] = Empty;
    if (showCandidates) {
        button.Visible = false;
        controls.CandidateBits[square] = AllCandidates;
    }
    button.Caption = 0;
    button.Background = SystemButtonFace;
}

namespace {

// The digits set in each unit (rows 0..8, columns 9..17, groups 18..26).
std::array<std::uint16_t, 27> SetDigitsOfUnits(const std::array<std::int16_t, 82> &grid)
{
    std::array<std::uint16_t, 27> unitDigits{};
    for (int s = 0; s < SquareCount; ++s) {
        const int d = grid[s];
        if (d < 0)
            continue;
        const auto bit = static_cast<std::uint16_t>(1U << d);
        const SquareUnits units = UnitsOfSquare[s];
        unitDigits[units.Row] |= bit;
        unitDigits[units.Column] |= bit;
        unitDigits[units.Group] |= bit;
    }
    return unitDigits;
}

} // namespace

// Equivalent to walking every unit and hiding each set digit's candidate at every position,
// done with one digit mask per unit.
void StrikeSetDigits(const BoardState &board, ControlStore &controls)
{
    const std::array<std::uint16_t, 27> unitDigits = SetDigitsOfUnits(board.Grid);
    for (int s = 0; s < SquareCount; ++s) {
        const SquareUnits units = UnitsOfSquare[s];
        const auto set = unitDigits[units.Row] | unitDigits[units.Column] | unitDigits[units.Group];
        controls.CandidateBits[s] &= static_cast<std::uint16_t>(~set);
    }
}

bool SetDigitsStruck(const BoardState &board, const ControlStore &controls)
{
    const std::array<std::uint16_t, 27> unitDigits = SetDigitsOfUnits(board.Grid);
    for (int s = 0; s < SquareCount; ++s) {
        const SquareUnits units = UnitsOfSquare[s];
        const auto set = unitDigits[units.Row] | unitDigits[units.Column] | unitDigits[units.Group];
        if ((controls.CandidateBits[s] & set) != 0)
            return false;
    }
    return true;
}

void ApplyStep(BoardState &board, ControlStore &controls)
{
    switch (board.StepKind) {
    case StepPlace:
        SetSquare(board, controls, board.StepTarget, board.StepDigit, true);
        StrikeSetDigits(board, controls);
        break;
    case StepStrike:
        controls.SetCandidateVisible(board.StepTarget, false);
        StrikeSetDigits(board, controls);
        break;
    case StepRestrike:
        StrikeSetDigits(board, controls);
        break;
    default:
        break;
    }
}

void StrikeCandidate(const BoardState &board, ControlStore &controls, int candidate)
{
    controls.SetCandidateVisible(candidate, false);
    StrikeSetDigits(board, controls);
}

void EnterSquare(BoardState &board, ControlStore &controls, int square, int code)
{
    SetSquare(board, controls, square, code, false);
    board.Givens[square] = static_cast<std::int16_t>(code);
}

} // namespace quorix

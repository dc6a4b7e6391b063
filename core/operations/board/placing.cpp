// Placing values and striking candidates: the operations through which the board changes.
#include "core/form/form1.h"

namespace quorix {

void Form1::SetSquare(int square, int code, bool showCandidates)
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    if (code > -1) {
        SetSquareDigit(square, code);
        return;
    }
    auto &button = Controls.Squares[square];
    Board.Grid[square] = Empty;
    if (showCandidates) {
        button.Visible = false;
        Controls.CandidateBits[square] = AllCandidates;
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

// Hides, in every unit, the candidates of the digits set in that unit. Equivalent to walking
// every unit and hiding each set digit's candidate at every position, done with one digit mask
// per unit.
void Form1::StrikeSetDigits()
{
    const std::array<std::uint16_t, 27> unitDigits = SetDigitsOfUnits(Board.Grid);
    for (int s = 0; s < SquareCount; ++s) {
        const SquareUnits units = UnitsOfSquare[s];
        const auto set = unitDigits[units.Row] | unitDigits[units.Column] | unitDigits[units.Group];
        Controls.CandidateBits[s] &= static_cast<std::uint16_t>(~set);
    }
}

bool Form1::SetDigitsStruck() const
{
    const std::array<std::uint16_t, 27> unitDigits = SetDigitsOfUnits(Board.Grid);
    for (int s = 0; s < SquareCount; ++s) {
        const SquareUnits units = UnitsOfSquare[s];
        const auto set = unitDigits[units.Row] | unitDigits[units.Column] | unitDigits[units.Group];
        if ((Controls.CandidateBits[s] & set) != 0)
            return false;
    }
    return true;
}

void Form1::ApplyStep()
{
    switch (Board.StepKind) {
    case StepPlace:
        SetSquare(Board.StepTarget, Board.StepDigit, true);
        StrikeSetDigits();
        break;
    case StepStrike:
        Controls.SetCandidateVisible(Board.StepTarget, false);
        StrikeSetDigits();
        break;
    case StepRestrike:
        StrikeSetDigits();
        break;
    default:
        break;
    }
}

void Form1::cmdEle_Click(int index)
{
    Controls.SetCandidateVisible(index, false);
    StrikeSetDigits();
}

} // namespace quorix

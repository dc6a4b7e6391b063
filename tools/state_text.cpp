#include "tools/state_text.h"

#include "core/operations/text/puzzle_text.h"

#include <cstdint>

namespace quorix {

std::string FormatState(const Form1 &form)
{
    const auto &board = form.Board();
    const auto &controls = form.Controls();
    std::string out = "grid " + GridText(board.Grid) + "\ngivens " + GridText(board.Givens);
    out += "\nsquares ";
    for (int s = 0; s < SquareCount; ++s)
        out += controls.Squares[s].Visible ? 'V' : 'H';
    out += "\ncands";
    for (int s = 0; s < SquareCount; ++s) {
        out += ' ';
        const std::uint16_t bits = controls.CandidateBits[s];
        if (bits == 0)
            out += '-';
        for (int d = 0; d < DigitCount; ++d)
            if ((bits >> d) & 1U)
                out += char('1' + d);
    }
    out += "\nstep " + std::to_string(board.StepKind) + ' ' + std::to_string(board.StepTarget) + ' '
           + std::to_string(board.StepDigit);
    out += "\nmarks " + std::to_string(board.HighlightSquare) + ' '
           + std::to_string(board.HighlightUnit) + ' ' + std::to_string(board.HighlightUnitType)
           + '\n';
    for (int frame = 0; frame < 2; ++frame) {
        const Frame &shown = controls.Highlights[frame];
        out += "frame" + std::to_string(frame) + (shown.Visible ? " 1 " : " 0 ")
               + std::to_string(shown.Geometry.X) + ' ' + std::to_string(shown.Geometry.Y) + ' '
               + std::to_string(shown.Geometry.Width) + ' ' + std::to_string(shown.Geometry.Height)
               + '\n';
    }
    out += "timer " + std::string(controls.Timer.Enabled ? "1 " : "0 ")
           + std::to_string(controls.Timer.PeriodMs);
    out += "\nunique " + std::string(controls.Modes[ModeCheckUnique].Visible ? "1" : "0");
    out += "\nguessed " + std::string(board.Guessed ? "1" : "0") + '\n';
    return out;
}

} // namespace quorix

// The nine digit buttons: a shortcut that finds a step about one digit and carries it out.
#include "window/form1.h"

namespace quorix {

void Form1::cmdNumber_Click(std::int16_t index)
{
    assert(index >= 0 && index < DigitCount && "digit button out of range");
    // A click that finds nothing does nothing: the pending step may be one an earlier "Next"
    // explained for a board the user has changed since, and must not be carried out here.
    if (!FindStep(index))
        return;
    // No status line, highlight or check: the board changes by one step and nothing else.
    switch (Board.StepKind) {
    case StepPlace:
        SetSquare(Board.StepTarget, Board.StepDigit, true);
        StrikeSetDigits();
        break;
    case StepStrike:
        Controls.SetCandidateVisible(Board.StepTarget, false);
        StrikeSetDigits();
        break;
    default:
        break;
    }
}

} // namespace quorix

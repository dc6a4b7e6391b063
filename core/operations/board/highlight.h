// The highlight frames: a blinking red frame round a square, a steady blue one round a unit.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

namespace quorix {

// Frames what the highlight marks name: the square (frame 0, brought to the front, its blink
// timer started) and the unit (frame 1); a negative mark frames nothing and leaves its frame
// as it is.
void ShowHighlight(const BoardState &board, ControlStore &controls);
// The blinking red frame round square `square`, brought to the front, its timer started.
void ShowSquareFrame(ControlStore &controls, int square);
// The blue frame round unit `unit` of type `unitType`, as ShowHighlight draws it.
void ShowUnitFrame(ControlStore &controls, int unit, int unitType);
// Where that frame stands.
[[nodiscard]] Rect UnitFrameGeometry(int unit, int unitType);

// Both frames hidden, and the Hint command's marks with them.
inline void HideHighlights(ControlStore &controls)
{
    controls.Highlights[0].Visible = false;
    controls.Highlights[1].Visible = false;
    controls.HintMarks = {};
}

// A tick of the blink timer: the square frame shows when it was hidden, and hides when shown.
inline void BlinkSquareFrame(ControlStore &controls)
{
    controls.Highlights[0].Visible = !controls.Highlights[0].Visible;
}

} // namespace quorix

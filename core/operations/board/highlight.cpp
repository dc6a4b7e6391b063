#include "core/operations/board/highlight.h"

#include "core/ground/units.h"

namespace quorix {

void ShowHighlight(const BoardState &board, ControlStore &controls)
{
    if (board.HighlightSquare >= 0)
        ShowSquareFrame(controls, board.HighlightSquare);
    if (board.HighlightUnit >= 0)
        ShowUnitFrame(controls, board.HighlightUnit, board.HighlightUnitType);
}

void ShowSquareFrame(ControlStore &controls, int square)
{
    auto &frame = controls.Highlights[0];
    frame.Visible = true;
    frame.Geometry = layout::FrameGeometry(square, 1, 1);
    controls.BringFrameToFront(0);
    controls.Timer.Enabled = true;
}

Rect UnitFrameGeometry(int unit, int unitType)
{
    switch (unitType) {
    case UnitRow:
        return layout::FrameGeometry(unit * 9, 9, 1);
    case UnitColumn:
        return layout::FrameGeometry(unit, 1, 9);
    default:
        return layout::FrameGeometry(UnitSquare(unit, 0, UnitGroup), 3, 3);
    }
}

void ShowUnitFrame(ControlStore &controls, int unit, int unitType)
{
    auto &frame = controls.Highlights[1];
    frame.Visible = true;
    frame.Geometry = UnitFrameGeometry(unit, unitType);
}

} // namespace quorix

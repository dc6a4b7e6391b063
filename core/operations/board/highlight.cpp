// The highlight frames: a blinking red frame round a square, a steady blue one round a unit.
#include "core/form/form1.h"

namespace quorix {

void Form1::ShowHighlight()
{
    if (Board.HighlightSquare >= 0) {
        auto &frame = Controls.Highlights[0];
        frame.Visible = true;
        frame.Geometry = layout::FrameGeometry(Board.HighlightSquare, 1, 1);
        Controls.BringFrameToFront(0);
        Controls.Timer.Enabled = true;
        Disown(TailSquareFrame);
    }
    if (Board.HighlightUnit >= 0)
        ShowUnitFrame(Board.HighlightUnit, Board.HighlightUnitType);
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

void Form1::ShowUnitFrame(int unit, int unitType)
{
    auto &frame = Controls.Highlights[1];
    frame.Visible = true;
    frame.Geometry = UnitFrameGeometry(unit, unitType);
    Disown(TailUnitFrame);
}

void Form1::Timer1_Timer()
{
    Controls.Highlights[0].Visible = !Controls.Highlights[0].Visible;
}

} // namespace quorix

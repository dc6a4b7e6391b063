// The highlight frames: a blinking red frame round a square, a steady blue one round a unit.
#include "window/form1.h"

namespace quorix {

void Form1::ShowHighlight()
{
    if (Board.HighlightSquare >= 0) {
        auto &frame = Controls.Highlights[0];
        frame.Visible = true;
        frame.Geometry = layout::FrameGeometry(Board.HighlightSquare, 1, 1);
        Controls.BringFrameToFront(0);
        Controls.Timer.Enabled = true;
    }
    if (Board.HighlightUnit >= 0)
        ShowUnitFrame(Board.HighlightUnit, Board.HighlightUnitType);
}

void Form1::ShowUnitFrame(int unit, int unitType)
{
    auto &frame = Controls.Highlights[1];
    frame.Visible = true;
    switch (unitType) {
    case UnitRow:
        frame.Geometry = layout::FrameGeometry(unit * 9, 9, 1);
        break;
    case UnitColumn:
        frame.Geometry = layout::FrameGeometry(unit, 1, 9);
        break;
    default:
        frame.Geometry = layout::FrameGeometry(UnitSquare(unit, 0, UnitGroup), 3, 3);
        break;
    }
}

void Form1::Timer1_Timer()
{
    Controls.Highlights[0].Visible = !Controls.Highlights[0].Visible;
}

} // namespace quorix

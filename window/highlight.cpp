// The highlight frames: a blinking red frame round a square, a steady blue one round a unit.
#include "window/form1.h"

namespace quorix {

void Form1::ShowHighlight()
{
    const int square = Board.HighlightSquare;
    if (square >= 0) {
        auto &frame = Controls.Highlights[0];
        frame.Visible = true;
        frame.Geometry = {720 * (square % 9) + 420, 720 * (square / 9) + 420, 615, 615};
        Controls.BringFrameToFront(0);
        Controls.Timer.Enabled = true;
    }
    const int unit = Board.HighlightUnit;
    if (unit >= 0) {
        auto &frame = Controls.Highlights[1];
        frame.Visible = true;
        switch (Board.HighlightUnitType) {
        case UnitRow:
            frame.Geometry = {420, 720 * unit + 420, 6375, 615};
            break;
        case UnitColumn:
            frame.Geometry = {720 * unit + 420, 420, 615, 6375};
            break;
        default:
            frame.Geometry = {2160 * (unit % 3) + 420, 2160 * (unit / 3) + 420, 2055, 2055};
            break;
        }
    }
}

void Form1::Timer1_Timer()
{
    Controls.Highlights[0].Visible = !Controls.Highlights[0].Visible;
}

} // namespace quorix

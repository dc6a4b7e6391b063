// The keyboard on the grid beyond the digits: the arrows, Delete and BackSpace.
#include "core/form/form1.h"

namespace quorix {

namespace {

// The nearest square from `square` by steps of (rowStep, columnStep) that can take the focus;
// -1 when the edge comes first.
int NearestFocusable(const ControlStore &controls, int square, int rowStep, int columnStep)
{
    int row = square / 9 + rowStep;
    int column = square % 9 + columnStep;
    for (; row >= 0 && row < 9 && column >= 0 && column < 9; row += rowStep, column += columnStep)
        if (FocusableSquare(controls, row * 9 + column))
            return row * 9 + column;
    return -1;
}

} // namespace

void Form1::cmdSquare_KeyDown(int index, GridKey key)
{
    assert(index >= 0 && index < SquareCount && "square out of range");
    int target = -1;
    switch (key) {
    case GridKey::Up:
        target = NearestFocusable(Controls, index, -1, 0);
        break;
    case GridKey::Down:
        target = NearestFocusable(Controls, index, 1, 0);
        break;
    case GridKey::Left:
        target = NearestFocusable(Controls, index, 0, -1);
        break;
    case GridKey::Right:
        target = NearestFocusable(Controls, index, 0, 1);
        break;
    case GridKey::Delete:
    case GridKey::BackSpace:
        // As the 0 key empties a square, without moving on.
        EnterSquare(index, Empty);
        if (key == GridKey::BackSpace)
            target = PreviousFocusableSquare(Controls, index);
        break;
    }
    if (target >= 0)
        PlatformRef.FocusSquare(target);
}

} // namespace quorix

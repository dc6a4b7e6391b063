#include "core/control/grid_keys.h"

#include "core/operations/board/placing.h"

#include <cassert>

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

void PressGridKey(BoardState &board, ControlStore &controls, Platform &host, int square,
                  GridKey key)
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    int target = -1;
    switch (key) {
    case GridKey::Up:
        target = NearestFocusable(controls, square, -1, 0);
        break;
    case GridKey::Down:
        target = NearestFocusable(controls, square, 1, 0);
        break;
    case GridKey::Left:
        target = NearestFocusable(controls, square, 0, -1);
        break;
    case GridKey::Right:
        target = NearestFocusable(controls, square, 0, 1);
        break;
    case GridKey::Delete:
    case GridKey::BackSpace:
        // As the 0 key empties a square, without moving on.
        EnterSquare(board, controls, square, Empty);
        if (key == GridKey::BackSpace)
            target = PreviousFocusableSquare(controls, square);
        break;
    }
    if (target >= 0)
        host.FocusSquare(target);
}

} // namespace quorix

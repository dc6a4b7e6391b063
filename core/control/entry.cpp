#include "core/control/entry.h"

#include "core/operations/board/placing.h"
#include "core/operations/deduce/find_step.h"

#include <cassert>

namespace quorix {

void ClickSquare(BoardState &board, ControlStore &controls, int square)
{
    // The caption, not Grid, tells a blank square from a set one.
    int value = board.Grid[square];
    if (controls.Squares[square].Caption == 0) {
        value = 0;
    } else {
        value = value + 1;
        if (value > 8)
            value = Empty;
    }
    EnterSquare(board, controls, square, value);
}

void PressKeyOnSquare(BoardState &board, ControlStore &controls, Platform &host, int square,
                      int key)
{
    int code;
    if (key >= '1' && key <= '9')
        code = key - '1';
    else if (key == '0')
        code = Empty;
    else
        return;
    EnterSquare(board, controls, square, code);
    if (square < 80)
        host.SendTab();
}

void ClickDigitButton(BoardState &board, ControlStore &controls, int digitCode)
{
    assert(digitCode >= 0 && digitCode < DigitCount && "digit button out of range");
    // A click that finds nothing does nothing: the pending step may be one an earlier "Next"
    // explained for a board the user has changed since, and must not be carried out here.
    if (FindStep(board, controls, digitCode))
        ApplyStep(board, controls);
}

} // namespace quorix

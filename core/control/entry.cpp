// Entering the puzzle on the square buttons, by mouse and keyboard.
#include "core/form/form1.h"

namespace quorix {

void Form1::cmdSquare_Click(int index)
{
    // The caption, not Grid, tells a blank square from a set one.
    auto &value = Board.Grid[index];
    if (Controls.Squares[index].Caption == 0) {
        value = 0;
    } else {
        value = static_cast<std::int16_t>(value + 1);
        if (value > 8)
            value = Empty;
    }
    EnterSquare(index, value);
}

void Form1::cmdSquare_KeyPress(int index, int key)
{
    int code;
    if (key >= '1' && key <= '9')
        code = key - '1';
    else if (key == '0')
        code = Empty;
    else
        return;
    EnterSquare(index, code);
    if (index < 80)
        PlatformRef.SendTab();
}

void Form1::EnterSquare(int square, int code)
{
    SetSquare(square, code, false);
    Board.Givens[square] = static_cast<std::int16_t>(code);
}

} // namespace quorix

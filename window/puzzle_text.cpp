#include "window/puzzle_text.h"

#include "window/form1.h"

namespace quorix {

void TypePuzzle(Form1 &form, std::string_view puzzle)
{
    for (int s = 0; s < SquareCount && s < static_cast<int>(puzzle.size()); ++s) {
        const char c = puzzle[s] == '.' ? '0' : puzzle[s];
        form.cmdSquare_KeyPress(s, static_cast<unsigned char>(c));
    }
}

std::string GridText(const std::array<std::int16_t, 82> &grid)
{
    std::string text(SquareCount, '.');
    for (int s = 0; s < SquareCount; ++s)
        if (grid[s] >= 0 && grid[s] < DigitCount)
            text[s] = static_cast<char>('1' + grid[s]);
    return text;
}

} // namespace quorix

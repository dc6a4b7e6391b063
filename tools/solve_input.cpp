#include "tools/solve_input.h"

namespace quorix {

bool PuzzleSource::Next(SourceLine &line)
{
    PuzzleLine read;
    if (!Reader.Next(read))
        return false;
    line.Number = read.Number;
    line.Text = std::move(read.Text);
    line.Cut = read.TooLong() ? read.Length : 0;
    return true;
}

} // namespace quorix

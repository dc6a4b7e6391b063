// The Hint command's benchmarks in quorix-hint-bench: slips in the givens, mistakes on the board
// and whole solves by pressing Hint, per puzzle file.
#pragma once

#include <string>
#include <vector>

namespace quorix {

enum class PressMode {
    // --slips: the slip search on every puzzle with no solution or several, and on puzzles made
    // from the unique ones by changing one given.
    Slips,
    // --mistakes: boards with one mistake, built from the unique puzzles, named and mended.
    Mistakes,
    // --presses: every puzzle solved by pressing Hint four times at a time and nothing else.
    Presses,
};

// Runs `mode` over `files` and prints a line per file; the exit code is 1 where a mistake
// board was not mended exactly or a press solve went wrong, else 0.
int RunPressBench(PressMode mode, const std::vector<std::string> &files);

} // namespace quorix

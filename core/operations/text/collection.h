// A file of many puzzles, one a line, as the window walks it: the puzzles, where each stands in
// the file, and which one is shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

struct PuzzleCollection
{
    std::string Name;                 // the file's name, as the title bar shows it
    std::vector<std::string> Puzzles; // each puzzle's line, as the file has it
    std::vector<int> LineNumbers;     // and its number in the file, from 1
    int Position = 0;                 // the puzzle shown, an index into Puzzles

    [[nodiscard]] bool Empty() const { return Puzzles.empty(); }
    [[nodiscard]] int Size() const { return static_cast<int>(Puzzles.size()); }
    // The index of the puzzle on file line `line`; 0 when no puzzle stands there.
    [[nodiscard]] int IndexOfLine(int line) const;
};

// The most puzzles a collection holds: more than a file the window reads (8 MiB) can.
inline constexpr int MaxCollectionSize = 200'000;

// Whether `text` (a file, as ReadPuzzleFileText reads it) is a collection: two or more of its
// lines, blank and comment lines aside, each a whole puzzle on its own. Lines that are no
// puzzle are left out. A nine-line grid or a candidate grid, whose lines are no puzzles on
// their own, is none.
[[nodiscard]] bool SplitCollection(std::string_view text, PuzzleCollection &collection);

} // namespace quorix

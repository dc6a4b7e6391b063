#include "core/operations/text/collection.h"

#include "core/operations/text/puzzle_text.h"

#include <algorithm>

namespace quorix {

int PuzzleCollection::IndexOfLine(int line) const
{
    const auto found = std::find(LineNumbers.begin(), LineNumbers.end(), line);
    return found == LineNumbers.end() ? 0 : static_cast<int>(found - LineNumbers.begin());
}

bool SplitCollection(std::string_view text, PuzzleCollection &collection)
{
    collection.Puzzles.clear();
    collection.LineNumbers.clear();
    collection.Position = 0;
    int number = 0;
    PastedPuzzle puzzle;
    std::string error;
    for (std::size_t start = 0; start < text.size() && collection.Size() < MaxCollectionSize;) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        // A grid's lines hold a few squares each: only a line of a whole puzzle counts.
        if (ParsePuzzleText(line, puzzle, error) && !puzzle.HasCandidates) {
            collection.Puzzles.emplace_back(line);
            collection.LineNumbers.push_back(number);
        }
    }
    return collection.Size() >= 2;
}

} // namespace quorix

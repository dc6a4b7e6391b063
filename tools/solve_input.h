// The lines quorix-solve reads: from a file or a stream, through PuzzleLineReader, which holds
// only the start of a long line, so that input without line breaks (a binary file, a device)
// takes no more memory than a puzzle line may have.
#pragma once

#include "tools/puzzle_file.h"

#include <cstdint>
#include <istream>
#include <string>

namespace quorix {

struct SourceLine
{
    int Number = 0;        // from 1, counting every line
    std::string Text;      // the line, or its start when it was cut
    std::uint64_t Cut = 0; // the full length of a cut line; 0 when Text is the whole line
};

// One input of puzzle lines: blank lines and comment lines (whose first character other than
// whitespace is '#') are skipped; every other line is handed on, a line too long for a puzzle
// included, so that it gets its row.
class PuzzleSource
{
public:
    // Throws PuzzleFileError when `path` is missing, a directory, or unreadable.
    explicit PuzzleSource(const std::string &path) : Reader(path) {}
    // Reads `in`, calling it `name` in messages.
    PuzzleSource(std::istream &in, std::string name) : Reader(in, std::move(name)) {}

    // The next puzzle line; false at the end. Throws PuzzleFileError when reading fails, and
    // when a line has no line break within MaxUnbrokenLength characters.
    bool Next(SourceLine &line);

private:
    PuzzleLineReader Reader;
};

} // namespace quorix

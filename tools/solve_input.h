// The lines quorix-solve reads: from a file or a stream, through PuzzleLineReader, with every
// line cut short before it is held, so that input without line breaks (a binary file, a
// device) takes no more memory than a puzzle line may have.
#pragma once

#include "tools/puzzle_file.h"

#include <array>
#include <cstdint>
#include <deque>
#include <fstream>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <utility>

namespace quorix {

// Passes a stream through, keeping at most `cap` + 1 characters of each line (one more than
// `cap`, so that a cut line reads as too long) and the line breaks; remembers the full length of
// every line it cut, by line number (from 1).
class LineCapBuffer : public std::streambuf
{
public:
    LineCapBuffer(std::streambuf &source, std::size_t cap);

    // The full length (without the line end) of line `number` when it was cut; 0 when it was
    // not. Lines must be asked about in increasing order: what comes before is forgotten.
    [[nodiscard]] std::uint64_t CutLength(int number);

protected:
    int_type underflow() override;

private:
    void EndLine();

    std::streambuf &Source;
    std::size_t Cap;
    int Line = 1;
    std::uint64_t Length = 0; // of the line read so far
    bool EndsInReturn = false;
    std::deque<std::pair<int, std::uint64_t>> Cuts;
    std::array<char, 1 << 16> Buffer;
};

struct SourceLine
{
    int Number = 0;        // from 1, counting every line
    std::string Text;      // the line, or its start when it was cut
    std::uint64_t Cut = 0; // the full length of a cut line; 0 when Text is the whole line
};

// One input of puzzle lines: blank lines and comment lines (whose first character other than
// whitespace is '#') are skipped.
class PuzzleSource
{
public:
    // Throws PuzzleFileError when `path` is missing, a directory, or unreadable.
    explicit PuzzleSource(const std::string &path);
    // Reads `in`, calling it `name` in messages.
    PuzzleSource(std::istream &in, std::string name);

    // The next puzzle line; false at the end. Throws PuzzleFileError when reading fails.
    bool Next(SourceLine &line);

private:
    std::unique_ptr<std::ifstream> File;
    LineCapBuffer Cutter;
    std::istream Stream;
    PuzzleLineReader Reader;
};

} // namespace quorix

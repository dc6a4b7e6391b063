// Reading puzzle files: one puzzle a line, 81 characters in reading order, '1'-'9' a given and
// '.' (or '0') an empty square; blank lines and lines starting with '#' skipped. Every tool, test
// and benchmark reads puzzles through here, so that a file that cannot be read fails loudly, naming
// the file and the line.
#pragma once

#include "core/operations/text/puzzle_lines.h"

#include <cstdint>
#include <fstream>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// What a reader throws: the message names the file, and the line where there is one.
class PuzzleFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Opens `path` for reading puzzles; throws PuzzleFileError when it is missing, a directory, or
// unreadable.
[[nodiscard]] std::unique_ptr<std::ifstream> OpenPuzzleFile(const std::string &path);

// Reads a file line by line through a BoundedLineReader, skipping blank lines and comment lines;
// a UTF-8 byte-order mark at the start of the file and a carriage return at the end of a line
// are not part of the text. A line longer than MaxPuzzleLineLength is handed on cut short (see
// PuzzleLine::TooLong), so that it is reported rather than held whole.
class PuzzleLineReader
{
public:
    // Opens `path`; throws PuzzleFileError when it is missing, a directory, or unreadable.
    explicit PuzzleLineReader(const std::string &path);
    // Reads from `in` (standard input, say), calling it `name` in messages.
    PuzzleLineReader(std::istream &in, std::string name);

    // The next line that is neither blank nor a comment; false at the end. Throws
    // PuzzleFileError, naming the file and the line, when reading fails part-way or a line has
    // no line break within MaxUnbrokenLength characters.
    bool Next(PuzzleLine &line);
    [[nodiscard]] const std::string &Name() const { return FileName; }

private:
    std::unique_ptr<std::ifstream> Owned;
    std::string FileName;
    BoundedLineReader Reader;
};

// Every line of `path` that is neither blank nor a comment.
[[nodiscard]] std::vector<PuzzleLine> ReadPuzzleLines(const std::string &path);

// Line `number` (from 1) of `path`, which must hold a puzzle; throws PuzzleFileError naming the
// file and line when there is no such line or it is no puzzle.
[[nodiscard]] std::string ReadPuzzle(const std::string &path, int number);

// Up to `limit` puzzles of `path`: every `stride`-th line from the first. Throws when the file
// cannot be read or a chosen line is no puzzle.
[[nodiscard]] std::vector<std::string> ReadPuzzleSample(const std::string &path, int stride,
                                                        std::size_t limit);

// Whether `text` is exactly 81 characters of digits and dots.
[[nodiscard]] bool IsPuzzleText(std::string_view text);

// The puzzle sets that come with the sources (the tests and benchmarks read them): the path of
// `name` in that folder.
[[nodiscard]] std::string PuzzleSetPath(std::string_view name);

} // namespace quorix

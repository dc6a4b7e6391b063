#include "tools/puzzle_file.h"

#include "tools/tool_support.h"

#include <algorithm>
#include <filesystem>

namespace quorix {

std::unique_ptr<std::ifstream> OpenPuzzleFile(const std::string &path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw PuzzleFileError(path + ": is a directory, not a puzzle file");
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file)
        throw PuzzleFileError(path + ": cannot be read");
    return file;
}

PuzzleLineReader::PuzzleLineReader(const std::string &path)
    : Owned(OpenPuzzleFile(path)), FileName(path), Reader(*Owned)
{
}

PuzzleLineReader::PuzzleLineReader(std::istream &in, std::string name)
    : FileName(std::move(name)), Reader(in)
{
}

bool PuzzleLineReader::Next(PuzzleLine &line)
{
    if (Reader.Next(line))
        return true;
    if (Reader.Stopped() != BoundedLineReader::Stop::End)
        throw PuzzleFileError(FileName + ": " + Reader.StopReason());
    return false;
}

std::vector<PuzzleLine> ReadPuzzleLines(const std::string &path)
{
    PuzzleLineReader reader(path);
    std::vector<PuzzleLine> lines;
    for (PuzzleLine line; reader.Next(line);)
        lines.push_back(std::move(line));
    return lines;
}

std::string ReadPuzzle(const std::string &path, int number)
{
    PuzzleLineReader reader(path);
    for (PuzzleLine line; reader.Next(line);) {
        if (line.Number < number)
            continue;
        if (line.Number > number)
            break;
        if (!IsPuzzleText(line.Text))
            throw PuzzleFileError(path + ":" + std::to_string(number)
                                  + ": not a puzzle: " + QuoteForMessage(line.Text));
        return line.Text;
    }
    throw PuzzleFileError(path + ":" + std::to_string(number) + ": no puzzle on that line");
}

std::vector<std::string> ReadPuzzleSample(const std::string &path, int stride, std::size_t limit)
{
    PuzzleLineReader reader(path);
    std::vector<std::string> puzzles;
    for (PuzzleLine line; puzzles.size() < limit && reader.Next(line);) {
        if ((line.Number - 1) % stride != 0)
            continue;
        if (!IsPuzzleText(line.Text))
            throw PuzzleFileError(path + ":" + std::to_string(line.Number)
                                  + ": not a puzzle: " + QuoteForMessage(line.Text));
        puzzles.push_back(std::move(line.Text));
    }
    if (puzzles.empty())
        throw PuzzleFileError(path + ": holds no puzzle");
    return puzzles;
}

bool IsPuzzleText(std::string_view text)
{
    return text.size() == 81 && std::all_of(text.begin(), text.end(), [](char c) {
               return c == '.' || (c >= '0' && c <= '9');
           });
}

std::string PuzzleSetPath(std::string_view name)
{
    return std::string(QUORIX_PUZZLE_DIR) + "/" + std::string(name);
}

} // namespace quorix

#include "core/operations/text/puzzle_lines.h"

#include <ios>
#include <ostream>
#include <string_view>

namespace quorix {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string Size(std::uint64_t bytes)
{
    constexpr std::uint64_t Mebibyte = std::uint64_t{1} << 20;
    if (bytes % Mebibyte == 0)
        return std::to_string(bytes / Mebibyte) + " MiB";
    return std::to_string(bytes) + " bytes";
}

} // namespace

BoundedLineReader::BoundedLineReader(std::istream &in, std::uint64_t sizeLimit)
    : In(in), SizeLimit(sizeLimit)
{
}

bool BoundedLineReader::NextLine(PuzzleLine &line)
{
    if (Stopping != Stop::None)
        return false;
    // As a formatted read would: what was written to the tied stream (the trace before the
    // script's next line, a prompt) is out before the wait for input.
    if (std::ostream *tied = In.tie())
        tied->flush();
    try {
        return ReadLine(line);
    } catch (const std::ios_base::failure &) {
        // The file buffer throws on a read error (EIO, a directory); the stream is not told.
        In.setstate(std::ios::badbit);
        Stopping = Stop::Failed;
        return false;
    }
}

bool BoundedLineReader::ReadLine(PuzzleLine &line)
{
    std::streambuf &source = *In.rdbuf();
    line.Number = Lines + 1;
    line.Text.clear();
    line.Length = 0;
    bool marked = false; // a character other than whitespace seen, `first`
    char first = 0;
    char last = 0; // the last character of the line
    bool anyByte = false;
    bool markChecked = Lines > 0;
    for (;;) {
        const auto got = source.sbumpc();
        if (std::char_traits<char>::eq_int_type(got, std::char_traits<char>::eof())) {
            if (!anyByte) {
                Stopping = Stop::End;
                return false;
            }
            break;
        }
        anyByte = true;
        if (SizeLimit != 0 && ++Consumed > SizeLimit) {
            Stopping = Stop::TooLarge;
            return false;
        }
        const char c = std::char_traits<char>::to_char_type(got);
        if (c == '\n')
            break;
        if (line.Length == MaxUnbrokenLength) {
            Stopping = Stop::Unbroken;
            return false;
        }
        ++line.Length;
        last = c;
        if (line.Text.size() <= MaxPuzzleLineLength)
            line.Text.push_back(c);
        if (!marked && !IsBlank(c)) {
            marked = true;
            first = c;
        }
        // The mark is dropped as soon as it is whole: the text held so far is the mark alone.
        if (!markChecked && line.Length == ByteOrderMark.size()) {
            markChecked = true;
            if (line.Text == ByteOrderMark) {
                line.Text.clear();
                line.Length = 0;
                marked = false;
            }
        }
    }
    if (line.Length > 0 && last == '\r') {
        --line.Length;
        if (line.Text.size() > line.Length)
            line.Text.pop_back();
    }
    ++Lines;
    LastSkipped = !marked || first == '#';
    return true;
}

bool BoundedLineReader::Next(PuzzleLine &line)
{
    while (NextLine(line))
        if (!LastSkipped)
            return true;
    return false;
}

std::string BoundedLineReader::StopReason() const
{
    switch (Stopping) {
    case Stop::Unbroken:
        return "line " + std::to_string(Lines + 1) + " has no line break within "
               + Size(MaxUnbrokenLength);
    case Stop::TooLarge:
        return "the file is larger than " + Size(SizeLimit);
    case Stop::Failed:
        return "reading failed after line " + std::to_string(Lines);
    case Stop::None:
    case Stop::End:
        break;
    }
    return {};
}

bool ReadPuzzleFileText(std::istream &in, std::string &text, std::string &reason)
{
    text.clear();
    if (!in) {
        reason = "the file cannot be read";
        return false;
    }
    BoundedLineReader reader(in, MaxPuzzleFileSize);
    int written = 0; // lines of `text`
    for (PuzzleLine line; reader.Next(line);) {
        if (line.TooLong()) {
            reason = "line " + std::to_string(line.Number)
                     + " is too long: " + std::to_string(line.Length) + " characters";
            return false;
        }
        text.append(static_cast<std::size_t>(line.Number - 1 - written), '\n');
        text += line.Text;
        text += '\n';
        written = line.Number;
    }
    // A folder opens like a file and fails at its first read.
    reason = reader.Stopped() == BoundedLineReader::Stop::Failed ? "the file cannot be read"
                                                                 : reader.StopReason();
    return reason.empty();
}

} // namespace quorix

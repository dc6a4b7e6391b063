#include "tools/solve_input.h"

#include "tools/solve_verdict.h"

#include <algorithm>

namespace quorix {

namespace {

bool IsSkipped(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r\f\v");
    return first == std::string::npos || text[first] == '#';
}

} // namespace

LineCapBuffer::LineCapBuffer(std::streambuf &source, std::size_t cap) : Source(source), Cap(cap) {}

std::uint64_t LineCapBuffer::CutLength(int number)
{
    while (!Cuts.empty() && Cuts.front().first < number)
        Cuts.pop_front();
    if (Cuts.empty() || Cuts.front().first != number)
        return 0;
    return Cuts.front().second;
}

void LineCapBuffer::EndLine()
{
    if (Length > Cap)
        Cuts.emplace_back(Line, Length - (EndsInReturn ? 1 : 0));
    ++Line;
    Length = 0;
    EndsInReturn = false;
}

LineCapBuffer::int_type LineCapBuffer::underflow()
{
    // Filters in place: what is kept of a read moves to the front of the buffer.
    for (;;) {
        if (traits_type::eq_int_type(Source.sgetc(), traits_type::eof())) {
            if (Length > 0)
                EndLine();
            return traits_type::eof();
        }
        // Only what the source has at hand, so that a line typed at a terminal or written to a
        // pipe is passed on before more arrives.
        const std::streamsize ready = std::clamp<std::streamsize>(
            Source.in_avail(), 1, static_cast<std::streamsize>(Buffer.size()));
        const std::streamsize read = Source.sgetn(Buffer.data(), ready);
        std::size_t kept = 0;
        for (std::streamsize i = 0; i < read; ++i) {
            const char c = Buffer[i];
            if (c == '\n') {
                EndLine();
                Buffer[kept++] = c;
                continue;
            }
            ++Length;
            EndsInReturn = c == '\r';
            if (Length <= Cap + 1)
                Buffer[kept++] = c;
        }
        if (kept > 0) {
            setg(Buffer.data(), Buffer.data(), Buffer.data() + kept);
            return traits_type::to_int_type(Buffer[0]);
        }
    }
}

PuzzleSource::PuzzleSource(const std::string &path)
    : File(OpenPuzzleFile(path)), Cutter(*File->rdbuf(), MaxPuzzleLineLength), Stream(&Cutter),
      Reader(Stream, path)
{
}

PuzzleSource::PuzzleSource(std::istream &in, std::string name)
    : Cutter(*in.rdbuf(), MaxPuzzleLineLength), Stream(&Cutter), Reader(Stream, std::move(name))
{
}

bool PuzzleSource::Next(SourceLine &line)
{
    PuzzleLine read;
    while (Reader.Next(read)) {
        if (IsSkipped(read.Text))
            continue;
        line.Number = read.Number;
        line.Text = std::move(read.Text);
        line.Cut = Cutter.CutLength(read.Number);
        return true;
    }
    return false;
}

} // namespace quorix

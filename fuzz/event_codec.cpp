#include "fuzz/event_codec.h"

#include "core/ground/controls.h"

#include <cstdlib>

namespace quorix::fuzz {

const std::vector<std::string_view> BuiltInPuzzles = {
    // Solved by singles; the same with one square left; already complete.
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..",
    "2564891733746159829817234565932748617128.6549468591327635147298127958634849362715",
    "974236158638591742125487936316754289742918563589362417867125394253649871491873625",
    // Unique, both solved by logic without a guess.
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
    ".8.2..4..57....1....23.....82..9...5...715...7...2..41.....67....3....18..7..9.5.",
    // Several solutions; exactly two; sixteen givens and many solutions.
    "8.........95.......76.........426798...571243...893165......916....3.487....1.532",
    ".39...12....9.7...8..4.1..6.42...79...........91...54.5..1.9..3...8.5....14...87.",
    "...........5....9...4....1.2....3.5....7.....438...2......9.....1.4...6..........",
    // No solution: a given twice in a group, twice in a row; a square with no candidate; a
    // digit with no place in a row.
    "..9.7...5..21..9..1...28....7...5..1..851.....5....3.......3..68........21.....87",
    ".4.1..35.............2.5......4.89..26.....12.5.3....7..4...16.6....7....1..8..2.",
    "..9.287..8.6..4..5..3.....46.........2.71345.........23.....5..9..4..8.7..125.3..",
    "9..1....4.14.3.8....3....9....7.8..18....3..........3..21....7...9.4.5..5...16..3",
    // Too few squares set: nine givens; a single given.
    "..3.2.6..9..3.5..1..18...........................................................",
    "........................................1........................................",
    // Unique, and Auto needs guesses; its first guess is wrong, so a run nested in the second
    // yield starts on a board without a solution.
    "21.95...4.9..6..37...7...........3.892.....158.5...........2...68..1..4.1...47.96",
};

EventWriter &EventWriter::Put(Op op, std::initializer_list<int> args)
{
    Data.push_back(static_cast<std::uint8_t>(op));
    for (const int arg : args)
        Data.push_back(static_cast<std::uint8_t>(arg));
    return *this;
}

EventWriter &EventWriter::Key(int square, char key)
{
    return Put(Op::Key, {square, static_cast<unsigned char>(key)});
}
EventWriter &EventWriter::Square(int square)
{
    return Put(Op::Square, {square});
}
EventWriter &EventWriter::Candidate(int candidate)
{
    return Put(Op::Candidate, {candidate >> 8, candidate & 0xFF});
}
EventWriter &EventWriter::CandidateOf(int square, int n)
{
    return Put(Op::CandidateOf, {square, n});
}
EventWriter &EventWriter::Number(int digitCode)
{
    return Put(Op::Number, {digitCode});
}
EventWriter &EventWriter::Command(int index)
{
    for (std::size_t i = 0; i < CommandIndexes.size(); ++i)
        if (CommandIndexes[i] == index)
            return Put(Op::Command, {static_cast<int>(i)});
    std::abort(); // no such command button
}
EventWriter &EventWriter::Tick()
{
    return Put(Op::Tick, {});
}
EventWriter &EventWriter::At(int k)
{
    return Put(Op::At, {k - 1});
}
EventWriter &EventWriter::Enter(int puzzle)
{
    return Put(Op::Enter, {puzzle});
}
EventWriter &EventWriter::AutoEach(int n)
{
    return Put(Op::AutoEach, {n - 1});
}
EventWriter &EventWriter::Paste(std::string_view text)
{
    const auto size = static_cast<int>(std::min<std::size_t>(text.size(), 0xFFFF));
    Put(Op::Paste, {size >> 8, size & 0xFF});
    Data.insert(Data.end(), text.begin(), text.begin() + size);
    return *this;
}
EventWriter &EventWriter::PasteCopy(bool candidates)
{
    return Put(Op::PasteCopy, {candidates ? 1 : 0});
}
EventWriter &EventWriter::Type(std::string_view puzzle)
{
    for (int s = 0; s < SquareCount && s < static_cast<int>(puzzle.size()); ++s)
        Key(s, puzzle[s] == '.' ? '0' : puzzle[s]);
    return *this;
}

namespace {

// A pasted text on one line: line breaks as \n, other control bytes and non-ASCII bytes as \xNN.
std::string Escaped(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (byte < 0x20 || byte >= 0x7F)
            out += std::string("\\x") + Hex[byte >> 4] + Hex[byte & 15];
        else
            out += c;
    }
    return out;
}

// The delay, then the event to run after it.
bool DecodeAt(Reader &in, Event &event, int nesting)
{
    int a = 0;
    if (!in.Next(a))
        return false;
    event.A = 1 + a % 64;
    // Deep chains of At only delay an event; they add nothing but stack.
    if (nesting > 8)
        return false;
    auto child = std::make_shared<Event>();
    if (!Decode(in, *child, nesting + 1))
        return false;
    event.Child = std::move(child);
    return true;
}

} // namespace

bool Decode(Reader &in, Event &event, int nesting)
{
    int op = 0, a = 0, b = 0;
    if (!in.Next(op))
        return false;
    event = {};
    event.Kind = static_cast<Op>(op % static_cast<int>(Op::OpCount));
    switch (event.Kind) {
    case Op::Key:
    case Op::CandidateOf:
        if (!in.Next(a) || !in.Next(b))
            return false;
        event.A = a % SquareCount;
        event.B = b;
        return true;
    case Op::Square:
        if (!in.Next(a))
            return false;
        event.A = a % SquareCount;
        return true;
    case Op::Candidate:
        if (!in.Next(a) || !in.Next(b))
            return false;
        event.A = (a * 256 + b) % CandidateCount;
        return true;
    case Op::Number:
        if (!in.Next(a))
            return false;
        event.A = a % DigitCount;
        return true;
    case Op::Command:
        if (!in.Next(a))
            return false;
        event.A = CommandIndexes[a % CommandIndexes.size()];
        return true;
    case Op::Tick:
        return true;
    case Op::At:
        return DecodeAt(in, event, nesting);
    case Op::Enter:
        if (!in.Next(a))
            return false;
        event.A = a % static_cast<int>(BuiltInPuzzles.size());
        return true;
    case Op::AutoEach:
        if (!in.Next(a))
            return false;
        event.A = 1 + a % 24;
        return true;
    case Op::Paste:
        if (!in.Next(a) || !in.Next(b))
            return false;
        event.Text = in.Take(static_cast<std::size_t>(a * 256 + b));
        return true;
    case Op::PasteCopy:
        if (!in.Next(a))
            return false;
        event.A = a % 2;
        return true;
    case Op::OpCount:
        break;
    }
    return false;
}

std::string Describe(const Event &event)
{
    switch (event.Kind) {
    case Op::Key:
        return "key " + std::to_string(event.A) + " code " + std::to_string(event.B);
    case Op::Square:
        return "square " + std::to_string(event.A);
    case Op::Candidate:
        return "strike " + std::to_string(event.A);
    case Op::CandidateOf:
        return "strike visible #" + std::to_string(event.B) + " of square "
               + std::to_string(event.A);
    case Op::Number:
        return "number " + std::to_string(event.A);
    case Op::Command:
        return "click " + std::string(CommandNames[event.A]);
    case Op::Tick:
        return "tick";
    case Op::At:
        return "at +" + std::to_string(event.A) + " " + Describe(*event.Child);
    case Op::Enter:
        return "enter " + std::string(BuiltInPuzzles[event.A]);
    case Op::AutoEach:
        return event.A == 1
                   ? "click Auto in the next yield"
                   : "click Auto in each of the next " + std::to_string(event.A) + " yields";
    case Op::Paste:
        return "paste [" + Escaped(event.Text) + "]";
    case Op::PasteCopy:
        return event.A == 1 ? "paste the copy of the candidate grid" : "paste the copy of the line";
    case Op::OpCount:
        break;
    }
    return "?";
}

} // namespace quorix::fuzz

// The byte encoding of event sequences: the decoder turns any bytes into events for the harness,
// and EventWriter writes exactly what the decoder reads, for the seed corpus.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::fuzz {

// One byte opens every event; its value modulo OpCount picks the kind, the bytes after it are
// the arguments. A sequence cut short at its end is simply dropped. New kinds go at the end, as
// do new built-in puzzles: the corpus holds each kind's own byte and puzzle numbers below the
// list's length, so it goes on decoding as it did.
enum class Op : std::uint8_t {
    Key = 0,     // square, character: a key press on a square button (any byte)
    Square,      // square: a click on a square button
    Candidate,   // two bytes, big-endian, modulo 729: a click on a candidate button
    CandidateOf, // square, n: a click on the n-th visible candidate of that square
    Number,      // digit code modulo 9: a click on a digit button
    Command,     // modulo 9 over the command indexes 0, 1, 3..9
    Tick,        // one tick of the blink timer
    At,          // k (1 + byte modulo 64), then one event: run it inside the k-th yield to come
    Enter,       // puzzle modulo the built-in list: type it in, square by square
    AutoEach,    // n (1 + byte modulo 24): an Auto click inside each of the next n yields
    Paste,       // two bytes, big-endian, n: a paste of the next n bytes (or all that is left)
    PasteCopy,   // byte modulo 2: a paste of the board's own copy, its line (0) or grid (1)
    OpCount
};

// Real puzzles (and a few broken ones) that Enter types in; the decoder's argument picks one.
extern const std::vector<std::string_view> BuiltInPuzzles;
// The entries of BuiltInPuzzles by name, in its order.
enum BuiltIn : int {
    Easy,
    OneLeft,
    Complete,
    Hard,
    LogicHard,
    Several,
    TwoSolutions,
    Sixteen,
    Duplicate,
    DuplicateRow,
    DeadSquare,
    NoPlace,
    NineGivens,
    SingleGiven,
    NeedsGuesses
};

// The command buttons in the order Command's argument picks them; there is no index 2.
inline constexpr std::array<std::int16_t, 9> CommandIndexes = {0, 1, 3, 4, 5, 6, 7, 8, 9};
// Names by command index, for logs and messages.
inline constexpr std::array<std::string_view, 10> CommandNames = {
    "Start", "Check", "?", "Reset", "Auto", "Restart", "Next", "CheckUnique", "Save", "Restore"};

// Encodes events in the decoder's format.
class EventWriter
{
public:
    EventWriter &Key(int square, char key);
    EventWriter &Square(int square);
    EventWriter &Candidate(int candidate);
    EventWriter &CandidateOf(int square, int n);
    EventWriter &Number(int digitCode);
    EventWriter &Command(int index); // a cmdMode index: 0, 1, 3..9
    EventWriter &Tick();
    // The next event written runs inside the k-th yield (1..64) from the moment this one runs.
    EventWriter &At(int k);
    EventWriter &Enter(int puzzle);
    // An Auto click inside each of the next n yields (1..24): each lands in the first yield of
    // the run the one before started, so n clicks nest runs n + 1 deep where the limit allows.
    EventWriter &AutoEach(int n);
    // Types all 81 characters, '.' standing for '0'.
    EventWriter &Type(std::string_view puzzle);
    EventWriter &Paste(std::string_view text);
    EventWriter &PasteCopy(bool candidates);

    [[nodiscard]] const std::vector<std::uint8_t> &Bytes() const { return Data; }

private:
    EventWriter &Put(Op op, std::initializer_list<int> args);
    std::vector<std::uint8_t> Data;
};

// A decoded event, its arguments already brought into range: A is the square, candidate, digit
// code, command index, yield distance, puzzle, number of Auto clicks, or for PasteCopy 1 for the
// candidate grid; B the key's character code or, for CandidateOf, the raw n.
struct Event
{
    Op Kind = Op::Tick;
    int A = 0;
    int B = 0;
    std::shared_ptr<const Event> Child; // for At: the event to run inside the yield
    std::string Text;                   // for Paste: the text
};

class Reader
{
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}
    bool Next(int &value)
    {
        if (Position >= Bytes.size())
            return false;
        value = Bytes[Position++];
        return true;
    }
    [[nodiscard]] std::size_t Offset() const { return Position; }
    // Up to `count` bytes, fewer at the end of the input.
    std::string Take(std::size_t count)
    {
        count = std::min(count, Bytes.size() - Position);
        std::string taken(reinterpret_cast<const char *>(Bytes.data() + Position), count);
        Position += count;
        return taken;
    }

private:
    std::span<const std::uint8_t> Bytes;
    std::size_t Position = 0;
};

// Reads the next whole event; false at the end of the input, and for an event cut short or an
// At chain nested too deeply (which ends the input as well). Never yields Op::OpCount.
bool Decode(Reader &in, Event &event, int nesting = 0);

// One line for a log: what the event does, in the user's terms.
[[nodiscard]] std::string Describe(const Event &event);

} // namespace quorix::fuzz

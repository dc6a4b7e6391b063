// Drives a headless Form1 with an event sequence decoded from bytes and checks, after every
// event, the invariants that no sequence of clicks, key presses and timer ticks may break.
//
// Shared by the libFuzzer target, the replay tool that runs the corpus under any compiler, and
// the seed generator (through EventWriter, which writes exactly what the decoder reads).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::fuzz {

// One byte opens every event; its value modulo OpCount picks the kind, the bytes after it are
// the arguments. A sequence cut short at its end is simply dropped.
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
    OpCount
};

// Real puzzles (and a few broken ones) that Enter types in; the decoder's argument picks one.
extern const std::vector<std::string_view> BuiltInPuzzles;

// Encodes events in the decoder's format; used to write the seed corpus.
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
    // Types all 81 characters, '.' standing for '0'.
    EventWriter &Type(std::string_view puzzle);

    [[nodiscard]] const std::vector<std::uint8_t> &Bytes() const { return Data; }

private:
    EventWriter &Put(Op op, std::initializer_list<int> args);
    std::vector<std::uint8_t> Data;
};

struct RunStats
{
    long long Events = 0;     // events delivered, nested ones and stop clicks included
    long long Ignored = 0;    // events aimed at a control that was hidden at that moment
    long long Yields = 0;     // auto-loop yields
    long long StopClicks = 0; // clicks the harness made to end an auto run over its budget
};

struct HarnessOptions
{
    // Yields one top-level event may cause before the harness clicks Check at every further
    // yield, as a user would to stop a run that keeps cycling.
    long long YieldBudget = 400;
    // Receives a description of every delivered event (for replaying a finding by hand).
    std::function<void(std::string_view)> Log;
};

// Runs the whole input on a fresh window. A broken invariant prints what broke and the events
// that led there to stderr and aborts, which is what the fuzzer reports as a finding.
void RunInput(std::span<const std::uint8_t> input, const HarnessOptions &options, RunStats &stats);

} // namespace quorix::fuzz

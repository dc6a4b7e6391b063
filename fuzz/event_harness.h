// Drives a headless Form1 with an event sequence decoded from bytes (see event_codec.h) and
// checks, after every event, the invariants that no sequence of clicks, key presses and timer
// ticks may break, and, when an outermost Auto click returns, the answer it gave (see
// auto_answer.h).
//
// Shared by the libFuzzer target and the replay tool that runs the corpus under any compiler.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace quorix::fuzz {

struct RunStats
{
    long long Events = 0;     // events delivered, nested ones and stop clicks included
    long long Ignored = 0;    // events aimed at a control that was hidden at that moment
    long long Yields = 0;     // auto-loop yields
    long long StopClicks = 0; // clicks the harness made to end an auto run over its budget
    // Outermost auto runs that ended with only Auto clicked since the puzzle was typed, their
    // answer then checked against the solution count.
    long long AnswersChecked = 0;
    int DeepestAutoRuns = 0;   // the most auto runs seen in progress at once
    long long Pastes = 0;      // pastes delivered, copies pasted back included
    long long PastesTaken = 0; // of them, those the window took
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

// libFuzzer entry: every input is an event sequence on a fresh headless window (see
// event_harness.h for the encoding and the invariants checked, paste_oracle.h for pastes).
#include "fuzz/event_harness.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

quorix::fuzz::RunStats Totals;
std::chrono::steady_clock::time_point Started;

void PrintTotals()
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Started).count();
    std::fprintf(stderr,
                 "quorix-fuzz: %lld events (%lld aimed at hidden controls and dropped), %lld "
                 "yields, %lld stop clicks in %.1f s: %.0f events/s; %lld Auto answers "
                 "checked, up to %d auto runs at once; %lld pastes checked, %lld taken\n",
                 Totals.Events, Totals.Ignored, Totals.Yields, Totals.StopClicks, seconds,
                 seconds > 0 ? static_cast<double>(Totals.Events) / seconds : 0.0,
                 Totals.AnswersChecked, Totals.DeepestAutoRuns, Totals.Pastes, Totals.PastesTaken);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Started = std::chrono::steady_clock::now();
    std::atexit(PrintTotals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const quorix::fuzz::HarnessOptions options;
    quorix::fuzz::RunInput({data, size}, options, Totals);
    return 0;
}

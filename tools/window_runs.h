// One Auto click timed on the real window and on the headless logic, for quorix-window-bench.
#pragma once

#include "core/ground/board_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorix {

struct HeadlessRun
{
    double Millis = 0;
    double CpuMillis = 0;
    std::string News;
    BoardStatus Status{};
    long long Cycles = 0;
    bool Valid = false;
};

// One Auto click on a fresh headless Form1 with `puzzle` typed in.
HeadlessRun SolveHeadless(std::string_view puzzle);

struct WindowRun
{
    double Millis = 0;          // click to final message painted
    double CpuMillis = 0;       // the same in processor time
    std::vector<double> Gaps;   // intervals in which the window system was not asked for input
    std::size_t WorstGapAt = 0; // the yield after which the longest gap began (0: the click)
    long long Yields = 0;
    long long Polls = 0;
    double YieldMillis = 0; // inside the window's yields
    long long Mirrors = 0;
    long long ChangingMirrors = 0;
    long long HiddenTextLabels = 0; // label texts with characters beyond the right edge
    int LongestLabelText = 0;
    std::string News;
    BoardStatus Status{};
    bool Valid = false;
};

// One real mouse click on Auto in a fresh window under the offscreen platform, with `puzzle`
// typed in key by key: the time until the final message is painted, the gaps in which the
// window processed no events, the mirrors, and whether the status label ever held text beyond
// its right edge.
WindowRun SolveOnWindow(std::string_view puzzle);

} // namespace quorix

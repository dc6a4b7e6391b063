// What the Hint command keeps between presses: the puzzle it works from, and where its ladder
// stands.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorix {

// What a user can see change on the board, and the status line's revision: equal prints mean
// nothing was entered, struck, undone or commanded in between (a tick of the blink timer and a
// move of the focus leave the print as it was).
struct BoardPrint
{
    std::array<std::int16_t, 82> Grid{};
    std::array<std::int16_t, 82> Givens{};
    std::array<std::uint16_t, SquareCount> Candidates{};
    std::array<bool, SquareCount> SquareShown{};
    std::uint64_t News = 0;

    [[nodiscard]] static BoardPrint Of(const ControlStore &controls, const BoardState &board)
    {
        BoardPrint print;
        print.Grid = board.Grid;
        print.Givens = board.Givens;
        print.Candidates = controls.CandidateBits;
        for (int s = 0; s < SquareCount; ++s)
            print.SquareShown[s] = controls.Squares[s].Visible;
        print.News = controls.NewsChanges();
        return print;
    }
    friend bool operator==(const BoardPrint &, const BoardPrint &) = default;
};

struct HintState
{
    // The puzzle as it stood at the last Start, paste or file opened: 81 characters, '1'..'9'
    // or '.'; empty before the first. Hint needs its own copy: every typed digit also goes into
    // Givens, so Givens cannot tell a given from a later entry.
    std::string Puzzle;
    // The rung the last press showed, of how many, and the board it left it on. A press on that
    // same board goes one rung further; on any other it starts again at rung 1.
    int Shown = 0;
    int Rungs = 0;
    BoardPrint LeftOn;
};

// The givens as an 81-character puzzle line.
[[nodiscard]] inline std::string GivensLine(const BoardState &board)
{
    std::string line(SquareCount, '.');
    for (int s = 0; s < SquareCount; ++s)
        if (board.Givens[s] >= 0)
            line[s] = static_cast<char>('1' + board.Givens[s]);
    return line;
}

// Keeps the givens as the puzzle Hint works from: at Start, at a paste, at a file opened.
inline void KeepPuzzle(HintState &hint, const BoardState &board)
{
    hint.Puzzle = GivensLine(board);
}

} // namespace quorix

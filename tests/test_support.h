// Shared fixture for the headless tests: a Form1 on the headless platform, opened with its load
// event, plus helpers to enter puzzles and read the board back as text.
#pragma once

#include "window/form1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorix::testing {

// Guesses the lowest candidate of the first empty square that has one, re-striking after it, as
// a search stuck on logic would; false when there is no such square.
inline bool GuessFirstOpenSquare(Form1 &form)
{
    int open = 0;
    while (open < SquareCount
           && (form.Board.Grid[open] >= 0 || form.Controls.CandidateBits[open] == 0))
        ++open;
    if (open == SquareCount)
        return false;
    form.SetSquare(static_cast<std::int16_t>(open),
                   static_cast<std::int16_t>(std::countr_zero(form.Controls.CandidateBits[open])),
                   true);
    form.StrikeSetDigits();
    return true;
}

// A few puzzles used across the tests (81 characters, '.' = empty).
// Solved by singles alone.
inline constexpr std::string_view EasyPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view EasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// A completed grid.
inline constexpr std::string_view SolvedGrid = EasySolution;

// Reads line `line` (1-based) of a puzzle file of the shared set.
inline std::string PuzzleFromFile(const std::string &file, int line)
{
    std::ifstream in(std::string(QUORIX_PUZZLE_DIR) + "/" + file);
    std::string text;
    for (int i = 0; i < line && std::getline(in, text); ++i) {
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

// True when `grid` is a complete, conflict-free board that keeps every given of `puzzle`.
inline bool SolvesPuzzle(const std::string &grid, std::string_view puzzle)
{
    if (grid.size() != 81 || puzzle.size() != 81)
        return false;
    for (int s = 0; s < 81; ++s) {
        if (grid[s] < '1' || grid[s] > '9')
            return false;
        if (puzzle[s] != '.' && puzzle[s] != '0' && puzzle[s] != grid[s])
            return false;
    }
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u) {
            unsigned seen = 0;
            for (int p = 0; p < 9; ++p)
                seen |= 1U << (grid[UnitSquare(u, p, t)] - '1');
            if (seen != 0x1FF)
                return false;
        }
    return true;
}

class FormTest : public ::testing::Test
{
protected:
    HeadlessPlatform Platform;
    Form1 Form{Platform};

    void SetUp() override { Form.Form_Load(); }

    // Types the puzzle into the squares, as the user would: a key press per square.
    void Enter(std::string_view puzzle)
    {
        ASSERT_EQ(puzzle.size(), 81U);
        for (int s = 0; s < 81; ++s) {
            const char c = puzzle[s] == '.' ? '0' : puzzle[s];
            Form.cmdSquare_KeyPress(static_cast<std::int16_t>(s), c);
        }
    }
    void Click(ModeIndex index) { Form.cmdMode_Click(index); }
    void EnterAndStart(std::string_view puzzle)
    {
        Enter(puzzle);
        Click(ModeStart);
    }

    std::string News() const { return Form.Controls.News(); }

    // The board as 81 characters: digit 1-9 or '.'.
    std::string GridText() const
    {
        std::string out;
        for (int s = 0; s < 81; ++s) {
            const int d = Form.Board.Grid[s];
            out += d >= 0 && d <= 8 ? char('1' + d) : '.';
        }
        return out;
    }
    // The live candidate digits of a square, ascending ("147"), empty when none.
    std::string Candidates(int square) const
    {
        std::string out;
        for (int d = 0; d < 9; ++d)
            if (Form.Controls.CandidateVisible(square * 9 + d))
                out += char('1' + d);
        return out;
    }
    bool SquareShown(int square) const { return Form.Controls.Squares[square].Visible; }
    const Frame &Frame0() const { return Form.Controls.Highlights[0]; }
    const Frame &Frame1() const { return Form.Controls.Highlights[1]; }
    bool UniqueShown() const { return Form.Controls.Modes[ModeCheckUnique].Visible; }

    // Board values and every candidate bit, for before/after comparisons.
    struct BoardCopy
    {
        std::array<std::int16_t, 82> Grid;
        std::array<std::uint16_t, 81> Candidates;
        std::array<bool, 81> Shown;
        friend bool operator==(const BoardCopy &, const BoardCopy &) = default;
    };
    BoardCopy Copy() const
    {
        BoardCopy copy{Form.Board.Grid, Form.Controls.CandidateBits, {}};
        for (int s = 0; s < 81; ++s)
            copy.Shown[s] = SquareShown(s);
        return copy;
    }

    // Runs `action` at every yield of the auto loop, with the yield's number (from 1).
    void AtEveryYield(std::function<void(long long)> action)
    {
        Platform.OnDoEvents = [this, action = std::move(action)] { action(Platform.Yields); };
    }
    // Runs `action` once, at yield number `k` counted from now.
    void AtYield(long long k, std::function<void()> action)
    {
        const long long target = Platform.Yields + k;
        Platform.OnDoEvents = [this, target, action = std::move(action)] {
            if (Platform.Yields == target)
                action();
        };
    }
};

} // namespace quorix::testing

// Shared fixture for the headless tests: a Form1 on the headless platform, opened with its load
// event, plus helpers to enter puzzles and read the board back as text.
#pragma once

#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"
#include "core/operations/verify/solution_count.h"
#include "tools/form_setup.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorix::testing {

// The status line at start-up and after Reset, spelt out here as the tests expect it.
inline constexpr std::string_view SetupText =
    "Set-up puzzle by clicking on squares, or use Tab and Numeric Keys";

// A few puzzles used across the tests (81 characters, '.' = empty).
// Solved by singles alone.
inline constexpr std::string_view EasyPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
inline constexpr std::string_view EasySolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// A completed grid.
inline constexpr std::string_view SolvedGrid = EasySolution;

// Line `line` (from 1) of one of the puzzle sets; a missing file or line throws, which fails
// the test with the file's name and the line.
inline std::string PuzzleFromFile(const std::string &file, int line)
{
    return ReadPuzzle(PuzzleSetPath(file), line);
}

// The board's digit codes of `digits` ('1'-'9' in reading order): code d - 1 for digit d, -1
// for the squares past the end of the text.
inline std::array<std::int16_t, 82> GridCodes(std::string_view digits)
{
    std::array<std::int16_t, 82> codes{};
    codes.fill(-1);
    for (std::size_t s = 0; s < digits.size() && s < 81; ++s)
        codes[s] = static_cast<std::int16_t>(digits[s] - '1');
    return codes;
}

// True when `grid` (81 characters '1'-'9') is a complete, conflict-free board that keeps every
// given of `puzzle`.
inline bool SolvesPuzzle(const std::string &grid, std::string_view puzzle)
{
    return grid.size() == 81 && IsValidSolution(puzzle, GridCodes(grid));
}

// Puts `form` in a state no input reaches: `edit` changes a copy of its whole state, which
// Form1::Seed then puts in place.
template <typename Edit> void SeedEdited(Form1 &form, Edit &&edit)
{
    FormState state = form.State();
    edit(state);
    form.Seed(std::move(state));
}

// Opens `form` afresh (its load event) with `puzzle` laid out as entered and started.
inline void LoadAndStart(Form1 &form, std::string_view puzzle)
{
    form.Form_Load();
    StartPuzzle(form, puzzle);
}

// The live candidate digits of a square, ascending ("147"), empty when none.
inline std::string CandidatesOf(const ControlStore &controls, int square)
{
    std::string out;
    for (int d = 0; d < 9; ++d)
        if (controls.CandidateVisible(square * 9 + d))
            out += char('1' + d);
    return out;
}

// Board values, every candidate bit and which squares show, for before/after comparisons.
struct BoardCopy
{
    std::array<std::int16_t, 82> Grid;
    std::array<std::uint16_t, 81> Candidates;
    std::array<bool, 81> Shown;
    friend bool operator==(const BoardCopy &, const BoardCopy &) = default;
};
inline BoardCopy CopyOf(const BoardState &board, const ControlStore &controls)
{
    BoardCopy copy{board.Grid, controls.CandidateBits, {}};
    for (int s = 0; s < 81; ++s)
        copy.Shown[s] = controls.Squares[s].Visible;
    return copy;
}

// A board and its store as plain values, for the operations that work on them.
struct BoardValues
{
    BoardState Board;
    ControlStore Controls;
};

// As a window has them once loaded: every square shown and empty, no candidate.
inline BoardValues LoadedBoard()
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    return {form.Board(), form.Controls()};
}

// The givens of `puzzle` ('1'-'9' a given, anything else empty), laid out in solving form and
// struck, as Start leaves them.
inline void StartOn(BoardState &board, ControlStore &controls, std::string_view puzzle)
{
    for (std::size_t s = 0; s < 81; ++s) {
        const char c = s < puzzle.size() ? puzzle[s] : '.';
        board.Givens[s] = static_cast<std::int16_t>(c >= '1' && c <= '9' ? c - '1' : Empty);
    }
    LoadGivens(board, controls);
    StrikeSetDigits(board, controls);
}

class BoardTest : public ::testing::Test
{
protected:
    BoardState Board;
    ControlStore Controls;

    void SetUp() override
    {
        BoardValues loaded = LoadedBoard();
        Board = std::move(loaded.Board);
        Controls = std::move(loaded.Controls);
    }
    void Start(std::string_view puzzle) { StartOn(Board, Controls, puzzle); }
    std::string Candidates(int square) const { return CandidatesOf(Controls, square); }
    bool SquareShown(int square) const { return Controls.Squares[square].Visible; }
    BoardCopy Copy() const { return CopyOf(Board, Controls); }
};

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
        TypePuzzle(Form, puzzle);
    }
    void Click(ModeIndex index) { Form.cmdMode_Click(index); }
    void EnterAndStart(std::string_view puzzle)
    {
        Enter(puzzle);
        Click(ModeStart);
    }

    std::string News() const { return Form.Controls().News(); }

    // The board as 81 characters: digit 1-9 or '.'.
    std::string GridText() const { return quorix::GridText(Form.Board().Grid); }
    // The live candidate digits of a square, ascending ("147"), empty when none.
    std::string Candidates(int square) const { return CandidatesOf(Form.Controls(), square); }
    bool SquareShown(int square) const { return Form.Controls().Squares[square].Visible; }
    const Frame &Frame0() const { return Form.Controls().Highlights[0]; }
    const Frame &Frame1() const { return Form.Controls().Highlights[1]; }
    bool UniqueShown() const { return Form.Controls().Modes[ModeCheckUnique].Visible; }

    BoardCopy Copy() const { return CopyOf(Form.Board(), Form.Controls()); }

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

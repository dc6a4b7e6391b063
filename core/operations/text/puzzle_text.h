// A puzzle as text: the 81-character line, the nine-line grids that puzzle collections use,
// and the candidate grid that lists every empty square's candidates.
#pragma once

#include "core/ground/board_state.h"
#include "core/ground/controls.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorix {

// The first 81 entries of `grid` (digit codes, negative = empty) as a line of 81 characters,
// '.' for an empty square; squares that `grid` is too short for are empty.
[[nodiscard]] std::string GridText(std::span<const std::int16_t> grid);

// What a pasted text holds, square by square in reading order.
struct PastedPuzzle
{
    std::array<std::int16_t, 81> Values{}; // digit codes, -1 for an empty square
    // Read from a candidate grid: every empty square lists its candidates (bit d: digit code d).
    bool HasCandidates = false;
    std::array<std::uint16_t, 81> Candidates{};
};

// How a candidate grid writes an empty square with no candidate left: the empty set, which no
// other reading of a paste takes for anything.
inline constexpr std::string_view NoCandidateToken = "{}";

// Reads a pasted puzzle. Accepted: 81 squares in reading order, '1'-'9' a set square and '.',
// '0', '_', '*', 'x' or 'X' an empty one, with whitespace and the separators '|', '+' and ':'
// skipped, and so are frame lines (no digit and at least three '-' or '=') and lines whose first
// character other than whitespace is '#'. A text that does not read so and has a token of two to
// nine digits, or NoCandidateToken (tokens split at whitespace and '|'), is a candidate grid: 81
// tokens, a token of one digit a set square, of several an empty square's candidates, and
// NoCandidateToken an empty square with none. Returns false with the reason in `error` ("79
// squares found where 81 are needed", "unknown character 'a' at position 3", ...). Memory
// beyond `puzzle` does not grow with the text.
[[nodiscard]] bool ParsePuzzleText(std::string_view text, PastedPuzzle &puzzle, std::string &error);

// The candidate grid of a board: a set square as its digit, an empty one as its candidates
// (what `candidates` holds for it; one candidate alone written twice, "55", so that it does not
// read back as a set square; none as NoCandidateToken), each column padded to its widest token,
// '|' between boxes, and frame lines .---. on top, :---+---: between bands and '---' at the
// bottom; lines end with '\n'. ParsePuzzleText reads it back.
[[nodiscard]] std::string CandidateGridText(const std::array<std::int16_t, 82> &grid,
                                            const std::array<std::uint16_t, 81> &candidates);

// What Ctrl+C copies: the board's 81-character line.
[[nodiscard]] std::string CopyLine(const BoardState &board);
// What Ctrl+Shift+C copies: the board's candidate grid, empty squares in setup form listed with
// all nine candidates.
[[nodiscard]] std::string CopyCandidates(const BoardState &board, const ControlStore &controls);

} // namespace quorix

// One picture of what a user sees (the control store and the board model, as an undo step
// keeps them) as lines of text, and back; the saved game is made of them.
//
// A picture is PictureLines lines in a fixed order, each starting with its key: `sq S` for
// square S (its button, its candidates, its value and given), `num D` and `mode I` for the
// other buttons, `frame F`, `front`, `timer`, `news`, `colours`, `explanation`, `highlight`,
// `step`, `guessed`, `place` (the puzzle of the collection shown) and `hint` (the puzzle the Hint
// command works from, 81 characters, or `-` before the first). Numbers are decimal, colours
// and candidate masks hexadecimal, flags 0 or 1; a text is one token: a quote, then its bytes, with
// a space, '%', control bytes and DEL written as %XX.
#pragma once

#include "core/control/undo_history.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

inline constexpr int PictureLines = 112;

using PictureText = std::vector<std::string>;

// The lines of `entry`, in the fixed order.
[[nodiscard]] PictureText WritePicture(const HistoryEntry &entry);

// Where `line` belongs in a picture, by its key; -1 when it is no picture line.
[[nodiscard]] int PictureLineIndex(std::string_view line);

// Reads a whole picture back into `entry`, every field within its bounds; false with the
// reason (naming the line) when a line is missing, malformed or out of bounds. The status
// line's revision is left to the caller.
[[nodiscard]] bool ReadPicture(const PictureText &lines, HistoryEntry &entry, std::string &reason);

// A text as one token, and back (false when `token` is no such token).
void AppendTextToken(std::string &out, std::string_view text);
[[nodiscard]] bool ReadTextToken(std::string_view token, std::string &text);

// The fields of a line, split at single spaces.
[[nodiscard]] std::vector<std::string_view> SplitFields(std::string_view line);
// A whole field as an integer within [low, high], in base 10 or 16.
[[nodiscard]] bool ReadNumber(std::string_view field, long long low, long long high,
                              long long &value, int base = 10);

// 81 values as 81 characters ('.' empty, '1'..'9'), and 81 candidate masks as 243 hex digits.
void AppendValues(std::string &out, const std::int16_t *values);
void AppendMasks(std::string &out, const std::uint16_t *masks);
[[nodiscard]] bool ReadValues(std::string_view field, std::int16_t *values);
[[nodiscard]] bool ReadMasks(std::string_view field, std::uint16_t *masks);

} // namespace quorix

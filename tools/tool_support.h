// What the command-line tools share: quoting bad input in messages, checking that their output
// was written, and the order statistics of the benchmarks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// `text` fit for an error message: at most `limit` characters, then "...", with control
// characters, non-ASCII bytes and backslashes escaped (\t, \xNN, \\), between single quotes.
[[nodiscard]] std::string QuoteForMessage(std::string_view text, std::size_t limit = 40);

// Flushes the standard output (both std::cout and stdout) and says whether everything written
// to it arrived; when not, says so on standard error in the name of `tool`.
[[nodiscard]] bool FinishStandardOutput(std::string_view tool);

// Whether the standard input is a directory, which no tool can read.
[[nodiscard]] bool StandardInputIsDirectory();

// Nearest-rank percentile (0 < fraction <= 1) of ascending `sorted`; 0 when empty.
[[nodiscard]] double Percentile(const std::vector<double> &sorted, double fraction);
// The median of `values`, in any order; 0 when empty.
[[nodiscard]] double Median(std::vector<double> values);

} // namespace quorix

#include "tools/tool_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorix {

std::string QuoteForMessage(std::string_view text, std::size_t limit)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 15];
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += '\'';
    if (text.size() > limit)
        out += "...";
    return out;
}

bool FinishStandardOutput(std::string_view tool)
{
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!written)
        std::cerr << tool << ": cannot write the standard output\n";
    return written;
}

bool StandardInputIsDirectory()
{
    struct stat input
    {
    };
    return fstat(STDIN_FILENO, &input) == 0 && S_ISDIR(input.st_mode);
}

double Percentile(const std::vector<double> &sorted, double fraction)
{
    if (sorted.empty())
        return 0.0;
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * sorted.size()));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace quorix

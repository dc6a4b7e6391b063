// Positions written by hand for the hint engine's tests, and steps as one comparable line.
#pragma once

#include "hint/engine.h"
#include "hint/wording.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace quorix::hint::testing {

// `rows`: 81 characters, '1'..'9' set and '.' empty, blanks and '|' ignored so that a test can
// lay out the nine rows it means.
inline Position PositionOf(std::string_view rows)
{
    std::string line;
    for (char c : rows)
        if (c != ' ' && c != '|' && c != '\n')
            line += c;
    const auto position = Position::FromLine(line);
    EXPECT_TRUE(position.has_value()) << "not a position: " << line;
    return position.value_or(Position{});
}

// A position written as a candidate grid, the form the window copies: 81 tokens separated by
// blanks, line breaks or '|', a set square as its digit and an empty square as its candidates,
// one candidate written twice ("55") so that it does not read as a set square.
inline Position PositionOfGrid(std::string_view grid)
{
    std::array<std::int8_t, 81> values;
    values.fill(-1);
    std::array<DigitMask, 81> masks{};
    int square = 0;
    std::string token;
    auto take = [&] {
        if (token.empty())
            return;
        if (square < 81) {
            if (token.size() == 1)
                values[square] = static_cast<std::int8_t>(token[0] - '1');
            else
                for (char c : token)
                    masks[square] |= DigitBit(c - '1');
        }
        ++square;
        token.clear();
    };
    for (char c : grid) {
        if (c >= '1' && c <= '9')
            token += c;
        else
            take();
    }
    take();
    EXPECT_EQ(square, 81) << "a candidate grid has 81 squares";
    return Position::FromBoard(values, masks);
}

// The candidate grid of `position`, nine squares a line, for writing a test's position down.
inline std::string GridOf(const Position &position)
{
    std::string grid;
    for (int square = 0; square < 81; ++square) {
        std::string token;
        if (!position.IsEmpty(square))
            token = std::to_string(position.Value(square) + 1);
        else
            for (int digit = 0; digit < 9; ++digit)
                if (position.HasCandidate(square, digit))
                    token += static_cast<char>('1' + digit);
        if (token.size() == 1 && position.IsEmpty(square))
            token += token;
        grid += token + (square % 9 == 8 ? "\n" : " ");
    }
    return grid;
}

// Strikes candidates written as "r3c5-7".
inline void StrikeAll(Position &position, std::initializer_list<std::string_view> strikes)
{
    for (std::string_view strike : strikes) {
        ASSERT_EQ(strike.size(), 6u) << strike;
        const int square = (strike[1] - '1') * 9 + (strike[3] - '1');
        position.Strike(square, strike[5] - '1');
    }
}

// "Hidden single | r3c5=7 | " for a step that sets, "X-Wing |  | r4c5-7 r4c6-7" for one that
// strikes: what a test means by "exactly these sets and strikes".
inline std::string Summary(const Step &step)
{
    return step.Name + " | " + SetsText(step) + " | " + StrikesText(step);
}

// The engine's step on `position`, summarised; "none" when it finds none.
inline std::string FirstStep(const Position &position, bool uniqueSolution = false)
{
    Step step;
    HintOptions options;
    options.UniqueSolution = uniqueSolution;
    return FindHint(position, options, step) ? Summary(step) : "none";
}

} // namespace quorix::hint::testing

namespace quorix::hint {
// Failed comparisons of positions print their candidate grids.
inline void PrintTo(const Position &position, std::ostream *out)
{
    *out << "\n" << testing::GridOf(position);
}
} // namespace quorix::hint

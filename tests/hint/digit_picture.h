// Positions drawn for one digit: where the digit may go, with every other digit free, so that a
// test shows exactly the pattern it is about.
#pragma once

#include "hint_support.h"

#include <string_view>

namespace quorix::hint::testing {

// `digit` (1..9) may go only where `picture` has an 'x' (81 of 'x' and '.', blanks ignored);
// every other digit may go anywhere.
inline Position DigitPicture(int digit, std::string_view picture)
{
    Position position;
    int square = 0;
    for (char c : picture) {
        if (c != 'x' && c != '.')
            continue;
        if (square < 81 && c == '.')
            position.Strike(square, digit - 1);
        ++square;
    }
    EXPECT_EQ(square, 81) << "a picture has 81 squares";
    EXPECT_FALSE(position.Broken()) << "every unit needs a place for the digit";
    return position;
}

} // namespace quorix::hint::testing

#include "hint/position.h"

#include <bit>

namespace quorix::hint {

Position::Position()
{
    Values.fill(-1);
    Masks.fill(AllDigits);
    DigitPlaces.fill(SquareBits::All());
    Empties = SquareBits::All();
}

Position Position::FromBoard(std::span<const std::int8_t, 81> values,
                             std::span<const DigitMask, 81> candidates)
{
    Position position;
    for (int square = 0; square < 81; ++square) {
        if (values[square] >= 0 && values[square] < 9)
            continue;
        const DigitMask gone = static_cast<DigitMask>(AllDigits & ~candidates[square]);
        for (int digit = 0; digit < 9; ++digit)
            if (gone & DigitBit(digit))
                position.Strike(square, digit);
    }
    // Placing after striking: a set square whose digit was struck from it still reads as set.
    for (int square = 0; square < 81; ++square)
        if (values[square] >= 0 && values[square] < 9)
            position.Place(square, values[square]);
    return position;
}

std::optional<Position> Position::FromLine(std::string_view line)
{
    if (line.size() != 81)
        return std::nullopt;
    Position position;
    for (int square = 0; square < 81; ++square) {
        const char c = line[square];
        if (c >= '1' && c <= '9')
            position.Place(square, c - '1');
        else if (c != '.' && c != '0')
            return std::nullopt;
    }
    return position;
}

SquareBits Position::WithCandidateCount(int count) const
{
    SquareBits found;
    for (int square : Empties)
        if (BitCount9(Masks[square]) == count)
            found.Add(square);
    return found;
}

void Position::Place(int square, int digit)
{
    assert(digit >= 0 && digit < 9 && "digit out of range");
    for (int d = 0; d < 9; ++d)
        DigitPlaces[d].Remove(square);
    Masks[square] = 0;
    Values[square] = static_cast<std::int8_t>(digit);
    Empties.Remove(square);
    for (int peer : DigitPlaces[digit] & PeerBits[square])
        Strike(peer, digit);
}

void Position::Strike(int square, int digit)
{
    Masks[square] = static_cast<DigitMask>(Masks[square] & ~DigitBit(digit));
    DigitPlaces[digit].Remove(square);
}

bool Position::Broken() const
{
    for (int square : Empties)
        if (Masks[square] == 0)
            return true;
    for (int unit = 0; unit < UnitCount; ++unit) {
        DigitMask seen = 0;
        for (int square : UnitSquares[unit]) {
            if (Values[square] < 0)
                continue;
            if (seen & DigitBit(Values[square]))
                return true;
            seen |= DigitBit(Values[square]);
        }
        for (int digit = 0; digit < 9; ++digit)
            if (!(seen & DigitBit(digit)) && (DigitPlaces[digit] & UnitBits[unit]).Empty())
                return true;
    }
    return false;
}

std::string Position::Line() const
{
    std::string line(81, '.');
    for (int square = 0; square < 81; ++square)
        if (Values[square] >= 0)
            line[square] = static_cast<char>('1' + Values[square]);
    return line;
}

} // namespace quorix::hint

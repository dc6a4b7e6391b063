// Simple colouring of one digit: its places joined by the units where it has exactly two (one
// of the two holds it) fall into pieces, and each piece into two colours that alternate along
// the links; in every solution one colour of a piece holds the digit throughout and the other
// nowhere.
//
// A colour with two squares in one unit cannot be the one that holds the digit (a colour
// wrap): all its squares lose the digit. Otherwise a place outside the piece that sees a
// square of each colour sees the digit either way (a colour trap) and loses it.
//
// Search order: digits 1 to 9; for each, pieces in order of their lowest square; in a piece,
// a wrap (the colour of the lowest square first, units in order) before the traps. The traps
// of a piece make one step.
#include "hint/finders.h"
#include "hint/one_digit.h"
#include "hint/wording.h"

#include <array>
#include <vector>

namespace quorix::hint {

namespace {

struct Piece
{
    // Colours[0] holds the piece's lowest square.
    std::array<SquareBits, 2> Colours;
    // The links that joined the piece, in the order it was coloured.
    std::array<std::uint8_t, UnitCount> Units{};
    int Linked = 0;
    // False where the links close an odd ring: then the position has no solution, and the
    // piece says nothing.
    bool Consistent = true;
};

Piece ColourPiece(const Position &position, int digit, std::uint32_t linkUnits, int start)
{
    Piece piece;
    std::array<int, 81> queue{};
    int head = 0, tail = 0;
    piece.Colours[0].Add(start);
    queue[tail++] = start;
    while (head < tail) {
        const int square = queue[head++];
        const int colour = piece.Colours[0].Has(square) ? 0 : 1;
        for (const int unit : UnitsOfSquare[square]) {
            if (!(linkUnits & (1u << unit)))
                continue;
            const int other =
                ((position.Places(digit) & UnitBits[unit]) - SquareBits::Of(square)).First();
            if (piece.Colours[colour].Has(other))
                piece.Consistent = false;
            if (piece.Colours[0].Has(other) || piece.Colours[1].Has(other))
                continue;
            piece.Colours[1 - colour].Add(other);
            piece.Units[piece.Linked++] = static_cast<std::uint8_t>(unit);
            queue[tail++] = other;
        }
    }
    return piece;
}

// The two ways the piece can hold the digit, `first` named first.
std::string Colours(const Piece &piece, int digit, int first)
{
    return "Following the " + DigitName(digit)
           + " through the units where it has only two places, either it is "
           + InEach(piece.Colours[first]) + ", or it is " + InEach(piece.Colours[1 - first]);
}

void Describe(const Piece &piece, int digit, SquareBits strikes, Step &step)
{
    step = OneDigitStep(Technique::SimpleColouring, digit, strikes,
                        piece.Colours[0] | piece.Colours[1]);
    step.Units.assign(piece.Units.begin(), piece.Units.begin() + piece.Linked);
}

bool FindWrap(int digit, const Piece &piece, Step &step)
{
    for (int colour = 0; colour < 2; ++colour)
        for (int unit = 0; unit < UnitCount; ++unit) {
            const SquareBits clash = piece.Colours[colour] & UnitBits[unit];
            if (!HasTwoOrMore(clash))
                continue;
            Describe(piece, digit, piece.Colours[colour], step);
            step.Name = "Simple colouring (colour wrap)";
            step.Units.insert(step.Units.begin(), static_cast<std::uint8_t>(unit));
            std::vector<std::string> alike;
            for (int square : clash)
                alike.push_back(SquareName(square));
            step.Sentence = Colours(piece, digit, colour) + "; the first cannot be, as "
                            + JoinAnd(alike) + " share " + UnitName(unit) + ", so none of those "
                            + "squares can be " + DigitName(digit) + ": "
                            + SquareList(piece.Colours[colour]) + ".";
            return true;
        }
    return false;
}

bool FindTrap(const Position &position, int digit, const Piece &piece, Step &step)
{
    std::array<SquareBits, 2> seen;
    for (int colour = 0; colour < 2; ++colour)
        for (int square : piece.Colours[colour])
            seen[colour] |= PeerBits[square];
    const SquareBits strikes =
        (position.Places(digit) & seen[0] & seen[1]) - piece.Colours[0] - piece.Colours[1];
    if (strikes.Empty())
        return false;
    Describe(piece, digit, strikes, step);
    step.Name = "Simple colouring (colour trap)";
    step.Sentence = Colours(piece, digit, 0) + "; a square that sees one of each list "
                    + "cannot be " + DigitName(digit) + ": " + SquareList(strikes) + ".";
    return true;
}

} // namespace

bool FindSimpleColouring(const Position &position, Step &step)
{
    for (int digit = 0; digit < 9; ++digit) {
        std::uint32_t linkUnits = 0;
        SquareBits linked;
        for (int unit = 0; unit < UnitCount; ++unit) {
            const SquareBits ends = LinkIn(position, digit, unit);
            if (ends.Empty())
                continue;
            linkUnits |= 1u << unit;
            linked |= ends;
        }
        while (linked.Any()) {
            const Piece piece = ColourPiece(position, digit, linkUnits, linked.First());
            linked -= piece.Colours[0] | piece.Colours[1];
            if (!piece.Consistent)
                continue;
            if (FindWrap(digit, piece, step) || FindTrap(position, digit, piece, step))
                return true;
        }
    }
    return false;
}

} // namespace quorix::hint

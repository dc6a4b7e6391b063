// Basic fish of one digit: X-Wing (two lines), Swordfish (three) and Jellyfish (four).
//
// N base lines in which the digit's places all lie in the same N cover lines must hold the
// digit once each, in N different cover lines; so those base lines supply the digit of every
// cover line, and the cover lines' other squares cannot hold it.
//
// Search order: digits 1 to 9; for each, rows as base lines and columns as cover first, then
// columns as base lines and rows as cover; base lines in ascending combinations. A base line
// has between two and N places (a line with one place is a single, with none it is done).
#include "hint/finders.h"
#include "hint/one_digit.h"
#include "hint/wording.h"

#include <array>
#include <bit>

namespace quorix::hint {

namespace {

// Per line of one kind, the digit's places as positions across it: bit i of a row's mask is
// column i, of a column's mask row i.
using LineMasks = std::array<unsigned, 9>;

SquareBits LinesBits(bool rows, unsigned mask)
{
    SquareBits squares;
    for (int line = 0; line < 9; ++line)
        if (mask & (1u << line))
            squares |= UnitBits[rows ? RowUnit(line) : ColumnUnit(line)];
    return squares;
}

// One orientation's search: chooses base lines depth first, keeping the union of their places
// no wider than the fish.
class FishSearch
{
public:
    FishSearch(const LineMasks &masks, int size, SquareBits places, bool rowsAreBase)
        : Masks(masks), Size(size), Places(places), RowsAreBase(rowsAreBase)
    {
        for (int line = 0; line < 9; ++line)
            if (BitCount9(masks[line]) >= 2 && BitCount9(masks[line]) <= size)
                Lines[LineCount++] = line;
    }

    // Whether a fish with strikes exists; Base, Cover and Strikes then describe the first one.
    bool Find() { return LineCount >= Size && Choose(0, 0, 0); }

    unsigned Base = 0, Cover = 0;
    SquareBits Strikes;

private:
    // Chooses among Lines[from..], `chosen` lines chosen so far with places in `cover`.
    bool Choose(int from, int chosen, unsigned cover)
    {
        if (chosen == Size) {
            if (BitCount9(cover) != Size)
                return false;
            Strikes = Places & LinesBits(!RowsAreBase, cover);
            Strikes -= LinesBits(RowsAreBase, Base);
            Cover = cover;
            return Strikes.Any();
        }
        for (int i = from; i <= LineCount - (Size - chosen); ++i) {
            const unsigned wider = cover | Masks[Lines[i]];
            if (BitCount9(wider) > Size)
                continue;
            Base |= 1u << Lines[i];
            if (Choose(i + 1, chosen + 1, wider))
                return true;
            Base &= ~(1u << Lines[i]);
        }
        return false;
    }

    const LineMasks &Masks;
    int Size;
    SquareBits Places;
    bool RowsAreBase;
    // The lines with between two and Size places, the only ones a fish can use as base.
    std::array<int, 9> Lines{};
    int LineCount = 0;
};

void Describe(const FishSearch &fish, Technique kind, int digit, int size, bool rowsAreBase,
              const Position &position, Step &step)
{
    step = OneDigitStep(kind, digit, fish.Strikes,
                        position.Places(digit) & LinesBits(rowsAreBase, fish.Base));
    for (int line = 0; line < 9; ++line)
        if (fish.Base & (1u << line))
            step.Units.push_back(
                static_cast<std::uint8_t>(rowsAreBase ? RowUnit(line) : ColumnUnit(line)));
    for (int line = 0; line < 9; ++line)
        if (fish.Cover & (1u << line))
            step.Units.push_back(
                static_cast<std::uint8_t>(rowsAreBase ? ColumnUnit(line) : RowUnit(line)));
    const std::string every = size == 2 ? "both" : "all " + CountWord(size);
    step.Sentence = "In " + LinesName(rowsAreBase, fish.Base) + " the " + DigitName(digit)
                    + " can go only in " + LinesName(!rowsAreBase, fish.Cover) + ", so these "
                    + CountWord(size) + (rowsAreBase ? " rows" : " columns") + " hold the "
                    + DigitName(digit) + " of " + every + (rowsAreBase ? " columns" : " rows")
                    + ", and their other places cannot be " + DigitName(digit) + ": "
                    + ByLine(fish.Strikes, !rowsAreBase) + ".";
}

bool FindFish(const Position &position, int size, Technique kind, Step &step)
{
    for (int digit = 0; digit < 9; ++digit) {
        const SquareBits places = position.Places(digit);
        LineMasks rows{}, columns{};
        for (int square : places) {
            rows[RowOf(square)] |= 1u << ColumnOf(square);
            columns[ColumnOf(square)] |= 1u << RowOf(square);
        }
        for (const bool rowsAreBase : {true, false}) {
            FishSearch fish(rowsAreBase ? rows : columns, size, places, rowsAreBase);
            if (!fish.Find())
                continue;
            Describe(fish, kind, digit, size, rowsAreBase, position, step);
            return true;
        }
    }
    return false;
}

} // namespace

bool FindXWing(const Position &position, Step &step)
{
    return FindFish(position, 2, Technique::XWing, step);
}

bool FindSwordfish(const Position &position, Step &step)
{
    return FindFish(position, 3, Technique::Swordfish, step);
}

bool FindJellyfish(const Position &position, Step &step)
{
    return FindFish(position, 4, Technique::Jellyfish, step);
}

} // namespace quorix::hint

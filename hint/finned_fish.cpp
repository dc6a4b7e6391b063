// Finned and sashimi fish: an X-Wing, Swordfish or Jellyfish whose base lines also hold the
// digit in a few squares of one group (the fin).
//
// Either no fin square holds the digit, and the base lines' digits fill the cover lines, which
// then hold it nowhere else; or a fin square does, and nothing else in the fin's group holds
// it. The squares of the cover lines inside the fin's group lose the digit either way.
//
// Search order: size 2, 3, 4; within a size digits 1..9; rows as base lines before columns;
// the fin's group 1..9; the base lines in the fin's band, then the others, each as their
// nine-bit masks count up; the cover lines the same way.
#include "hint/finders.h"
#include "hint/nine_bits.h"
#include "hint/wording.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quorix::hint {

namespace {

constexpr std::array<const char *, 3> FishNames{"X-Wing", "Swordfish", "Jellyfish"};

// A digit's places seen from one orientation: base lines are rows (or columns), and each line's
// places are a nine-bit mask of the crossing lines.
struct Lines
{
    bool Columns = false; // base lines are columns, cover lines rows
    std::array<unsigned, 9> Places{};

    [[nodiscard]] int BaseUnit(int line) const
    {
        return Columns ? ColumnUnit(line) : RowUnit(line);
    }
    [[nodiscard]] int CoverUnit(int line) const
    {
        return Columns ? RowUnit(line) : ColumnUnit(line);
    }
    [[nodiscard]] SquareBits Squares(int base, unsigned covers) const
    {
        SquareBits squares;
        for (; covers; covers &= covers - 1) {
            const int cover = std::countr_zero(covers);
            squares.Add(Columns ? cover * 9 + base : base * 9 + cover);
        }
        return squares;
    }
};

// The subset of `set` after `subset`, counting up over the bits of `set` (0 after `set`).
unsigned NextSubset(unsigned subset, unsigned set)
{
    return ((subset | ~set) + 1) & set;
}

// "rows 2 and 7", "column 4".
std::string LinesName(const Lines &lines, unsigned mask, bool cover)
{
    std::vector<std::string> numbers;
    for (int line = 0; line < 9; ++line)
        if (mask & (1u << line))
            numbers.push_back(std::to_string(line + 1));
    const bool rows = lines.Columns == cover;
    return std::string(rows ? "row" : "column") + (numbers.size() > 1 ? "s " : " ")
           + JoinAnd(numbers);
}

struct Fish
{
    int Digit = 0;
    unsigned Base = 0, Cover = 0;
    SquareBits Fin, Body, Strikes;
    int FinGroup = 0;
    bool Sashimi = false;
};

void Describe(const Lines &lines, const Fish &fish, Step &step)
{
    const int size = BitCount9(fish.Base);
    const std::string digit = DigitName(fish.Digit);
    step = Step{};
    step.Kind = Technique::FinnedFish;
    step.Name = std::string(fish.Sashimi ? "Sashimi " : "Finned ") + FishNames[size - 2];
    for (int square : fish.Strikes)
        step.Strikes.push_back(
            {static_cast<std::int8_t>(square), static_cast<std::int8_t>(fish.Digit)});
    step.Pattern = fish.Body | fish.Fin;
    for (bool cover : {false, true})
        for (int line = 0; line < 9; ++line)
            if ((cover ? fish.Cover : fish.Base) & (1u << line))
                step.Units.push_back(static_cast<std::uint8_t>(cover ? lines.CoverUnit(line)
                                                                     : lines.BaseUnit(line)));
    step.Units.push_back(static_cast<std::uint8_t>(GroupUnit(fish.FinGroup)));
    step.Digit = fish.Digit;
    const std::string base = LinesName(lines, fish.Base, false);
    const std::string cover = LinesName(lines, fish.Cover, true);
    const std::string group = UnitName(GroupUnit(fish.FinGroup));
    static constexpr std::array<const char *, 3> Counts{"two", "three", "four"};
    step.Sentence =
        Capitalised(base) + " hold the " + digit + " only in " + cover + ", apart from the fin at "
        + SquareList(fish.Fin) + ". If the fin holds no " + digit + ", the " + Counts[size - 2]
        + " " + (lines.Columns ? "columns" : "rows") + "' " + digit + "s fill " + cover
        + ", which then hold no other; if it holds one, " + group
        + " holds no other. Either way, strike " + digit + " from " + SquareList(fish.Strikes)
        + ", in those " + (lines.Columns ? "rows" : "columns") + " and in " + group + ".";
}

// The fin's group, seen from the base lines: a band of three base lines and a block of three
// cover lines.
struct FinGroup
{
    int Group, Band, Block;
    unsigned BandMask, BlockMask;
};

FinGroup FinGroupOf(const Lines &lines, int group)
{
    const int band = lines.Columns ? group % 3 : group / 3;
    const int block = lines.Columns ? group / 3 : group % 3;
    return {group, band, block, 7u << (3 * band), 7u << (3 * block)};
}

// Whether `cover` makes the base lines a fish with a fin in `fin`'s group; fills `fish` when
// it strikes. Base lines outside the band lie wholly in the cover already.
bool TryCover(const Lines &lines, int digit, unsigned base, unsigned cover, const FinGroup &fin,
              Fish &fish)
{
    for (int line = 0; line < 9; ++line)
        if ((base & (1u << line)) && !(lines.Places[line] & cover))
            return false; // a base line without a place in the cover is no fish body
    // The other lines of the fin's band lose the digit where they cross the block's covers.
    fish = Fish{};
    for (int line = fin.Band * 3; line < fin.Band * 3 + 3; ++line)
        if (!(base & (1u << line)))
            fish.Strikes |= lines.Squares(line, lines.Places[line] & cover & fin.BlockMask);
    if (fish.Strikes.Empty())
        return false;
    fish.Digit = digit;
    fish.Base = base;
    fish.Cover = cover;
    fish.FinGroup = fin.Group;
    for (int line = 0; line < 9; ++line) {
        if (!(base & (1u << line)))
            continue;
        const unsigned outside = lines.Places[line] & ~cover;
        fish.Body |= lines.Squares(line, lines.Places[line] & cover);
        fish.Fin |= lines.Squares(line, outside);
        fish.Sashimi = fish.Sashimi || (outside && BitCount9(lines.Places[line] & cover) == 1);
    }
    return true;
}

// What a search needs for a fin in one group.
struct FinSetup
{
    FinGroup Fin{};
    // The band's lines with places in the block: one for the fin and one to strike from.
    unsigned InBlock = 0;
    // The cover lines each of the band's lines needs as a base line: its places outside the
    // block (a line outside the band needs all its places).
    std::array<unsigned, 3> BandNeeded{};
};

FinSetup SetUp(const Lines &lines, int group)
{
    FinSetup setup;
    setup.Fin = FinGroupOf(lines, group);
    for (int i = 0; i < 3; ++i) {
        const int line = setup.Fin.Band * 3 + i;
        const unsigned places = lines.Places[line];
        if (places & setup.Fin.BlockMask)
            setup.InBlock |= 1u << line;
        setup.BandNeeded[i] = places & ~setup.Fin.BlockMask;
    }
    return setup;
}

// Base line sets of one size with a fin in one group: the band's lines first, then the others
// line by line in ascending order. The lines every base line needs in the cover may number no
// more than the size: that prunes the search.
struct BaseSearch
{
    const Lines &Fishes;
    const FinSetup &Setup;
    int Digit, Size;
    // Lines of two places or more (one would be a single) within `Size` cover lines.
    unsigned Fitting;
    Fish &Found;

    bool Extend(unsigned from, unsigned base, unsigned needed, int count)
    {
        if (count == Size)
            return TryFins(base, needed);
        const unsigned others = Fitting & ~Setup.Fin.BandMask & ~(from - 1);
        if (BitCount9(others) < Size - count)
            return false;
        for (unsigned rest = others; rest; rest &= rest - 1) {
            const int line = std::countr_zero(rest);
            const unsigned more = needed | Fishes.Places[line];
            if (BitCount9(more) <= Size && Extend(2u << line, base | (1u << line), more, count + 1))
                return true;
        }
        return false;
    }

    // Completes the cover with block lines holding base places, leaving some out as the fin.
    bool TryFins(unsigned base, unsigned needed)
    {
        const FinGroup &fin = Setup.Fin;
        unsigned optional = 0;
        for (int line = fin.Band * 3; line < fin.Band * 3 + 3; ++line)
            if (base & (1u << line))
                optional |= Fishes.Places[line] & fin.BlockMask;
        optional &= ~needed;
        const int need = Size - BitCount9(needed);
        if (BitCount9(optional) <= need)
            return false; // no fin left over
        for (unsigned extra = 0, done = 0; !done; extra = NextSubset(extra, optional)) {
            done = extra == optional;
            if (BitCount9(extra) == need
                && TryCover(Fishes, Digit, base, needed | extra, fin, Found))
                return true;
        }
        return false;
    }

    bool Run()
    {
        // At least one of the band's base lines holds a fin, and one of its other lines is left
        // to strike from, both with places in the block.
        unsigned bandLines = 0;
        for (int i = 0; i < 3; ++i) {
            const int line = Setup.Fin.Band * 3 + i;
            if (BitCount9(Fishes.Places[line]) >= 2 && BitCount9(Setup.BandNeeded[i]) <= Size)
                bandLines |= 1u << line;
        }
        for (unsigned band = 0, done = 0; !done; band = NextSubset(band, bandLines)) {
            done = band == bandLines;
            if (!(band & Setup.InBlock) || !(Setup.InBlock & ~band))
                continue;
            unsigned needed = 0;
            for (unsigned rest = band; rest; rest &= rest - 1)
                needed |= Setup.BandNeeded[std::countr_zero(rest) % 3];
            const int count = BitCount9(band);
            if (count <= Size && BitCount9(needed) <= Size && Extend(1, band, needed, count))
                return true;
        }
        return false;
    }
};

} // namespace

bool FindFinnedFish(const Position &position, Step &step)
{
    std::array<Lines, 18> lines; // per digit, rows then columns as base lines
    for (int digit = 0; digit < 9; ++digit) {
        lines[digit * 2].Columns = false;
        lines[digit * 2 + 1].Columns = true;
        for (int square : position.Places(digit)) {
            lines[digit * 2].Places[RowOf(square)] |= 1u << ColumnOf(square);
            lines[digit * 2 + 1].Places[ColumnOf(square)] |= 1u << RowOf(square);
        }
    }
    // Lines of two places or more, by the most cover lines they need: 2, 3 or 4.
    std::array<std::array<unsigned, 5>, 18> fitting{};
    for (int i = 0; i < 18; ++i)
        for (int line = 0; line < 9; ++line)
            for (int count = BitCount9(lines[i].Places[line]), size = std::max(count, 2);
                 count >= 2 && size <= 4; ++size)
                fitting[i][size] |= 1u << line;
    Fish fish;
    for (int size = 2; size <= 4; ++size)
        for (int i = 0; i < 18 * 9; ++i) {
            const FinSetup setup = SetUp(lines[i / 9], i % 9);
            if (BitCount9(setup.InBlock) < 2)
                continue;
            BaseSearch search{lines[i / 9], setup, i / 18, size, fitting[i / 9][size], fish};
            if (search.Run()) {
                Describe(lines[i / 9], fish, step);
                return true;
            }
        }
    return false;
}

} // namespace quorix::hint

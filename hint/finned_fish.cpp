// Finned and sashimi fish: an X-Wing, Swordfish or Jellyfish whose base lines also hold the
// digit in a few squares of one group (the fin).
//
// Either no fin square holds the digit, and the base lines' digits fill the cover lines, which
// then hold it nowhere else; or a fin square does, and nothing else in the fin's group holds
// it. The squares of the cover lines inside the fin's group lose the digit either way.
//
// Search order: size 2, 3, 4; within a size digits 1..9; rows as base lines before columns;
// the band of base lines holding the fin, first to last; the base lines outside that band depth
// first in ascending order, the band's one or two lines tried wherever they fit; the band's
// lines, the block of cover lines holding the fin, and the cover lines, each as their nine-bit
// masks count up.
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

// Whether `cover` makes the base lines a fish whose fin (the base places outside the cover,
// all in block `block` of the cover lines) lies in one group; fills `fish` when it strikes.
bool TryCover(const Lines &lines, int digit, unsigned base, unsigned cover, int block, Fish &fish)
{
    const unsigned blockMask = 7u << (3 * block);
    int band = -1;
    for (unsigned rest = base; rest; rest &= rest - 1) {
        const int line = std::countr_zero(rest);
        if (!(lines.Places[line] & cover))
            return false; // a base line without a place in the cover is no fish body
        if (!(lines.Places[line] & ~cover))
            continue;
        if (band >= 0 && band != line / 3)
            return false; // fins in two bands are in two groups
        band = line / 3;
    }
    // The other lines of the fin's band lose the digit where they cross the block's covers.
    fish = Fish{};
    for (int line = band * 3; line < band * 3 + 3; ++line)
        if (!(base & (1u << line)))
            fish.Strikes |= lines.Squares(line, lines.Places[line] & cover & blockMask);
    if (fish.Strikes.Empty())
        return false;
    fish.Digit = digit;
    fish.Base = base;
    fish.Cover = cover;
    fish.FinGroup = lines.Columns ? block * 3 + band : band * 3 + block;
    for (unsigned rest = base; rest; rest &= rest - 1) {
        const int line = std::countr_zero(rest);
        const unsigned outside = lines.Places[line] & ~cover;
        fish.Body |= lines.Squares(line, lines.Places[line] & cover);
        fish.Fin |= lines.Squares(line, outside);
        fish.Sashimi = fish.Sashimi || (outside && BitCount9(lines.Places[line] & cover) == 1);
    }
    return true;
}

// One size's search in one orientation with the fin in one band of base lines. The base lines
// outside the band hold no fin, so all their places are cover lines, no more than Size of
// them: that prunes the search as for a plain fish. One or two of the band's lines complete the
// base (one is left to strike from), their places outside the fin's block in the cover too.
struct BandSearch
{
    const Lines &Fishes;
    int Digit, Size, Band;
    unsigned Outside, InBand; // eligible base lines outside the band and in it
    Fish &Found;

    // Base lines outside the band depth first, in ascending order, with the band's lines tried
    // whenever one or two are left to choose.
    bool Extend(unsigned from, unsigned base, unsigned spanned, int count)
    {
        const int left = Size - count;
        if (left <= 2 && TryBand(base, spanned, left))
            return true;
        if (left <= 1)
            return false;
        for (unsigned rest = Outside & ~(from - 1); rest; rest &= rest - 1) {
            const int line = std::countr_zero(rest);
            const unsigned wider = spanned | Fishes.Places[line];
            if (BitCount9(wider) <= Size
                && Extend(2u << line, base | (1u << line), wider, count + 1))
                return true;
        }
        return false;
    }

    // Adds `left` of the band's lines, then in each block of cover lines completes the cover,
    // leaving some of the band lines' places there out as the fin.
    bool TryBand(unsigned base, unsigned spanned, int left)
    {
        for (unsigned lines = 0, done = 0; !done; lines = NextSubset(lines, InBand)) {
            done = lines == InBand;
            if (BitCount9(lines) != left)
                continue;
            unsigned places = 0;
            for (unsigned rest = lines; rest; rest &= rest - 1)
                places |= Fishes.Places[std::countr_zero(rest)];
            for (int block = 0; block < 3; ++block)
                if (TryBlock(base | lines, spanned, places, block))
                    return true;
        }
        return false;
    }

    bool TryBlock(unsigned base, unsigned spanned, unsigned bandPlaces, int block)
    {
        const unsigned blockMask = 7u << (3 * block);
        const unsigned required = spanned | (bandPlaces & ~blockMask);
        const unsigned optional = bandPlaces & blockMask & ~required;
        const int need = Size - BitCount9(required);
        if (need < 0 || BitCount9(optional) <= need)
            return false; // too wide, or no fin left over
        // The places of the band's other lines in the block, where the strikes would be.
        unsigned targets = 0;
        for (int line = Band * 3; line < Band * 3 + 3; ++line)
            if (!(base & (1u << line)))
                targets |= Fishes.Places[line] & blockMask;
        if (!(targets & (required | optional)))
            return false;
        for (unsigned extra = 0, done = 0; !done; extra = NextSubset(extra, optional)) {
            done = extra == optional;
            if (BitCount9(extra) == need && (targets & (required | extra))
                && TryCover(Fishes, Digit, base, required | extra, block, Found))
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
    Fish fish;
    for (int size = 2; size <= 4; ++size)
        for (int i = 0; i < 18; ++i) {
            // Lines of two places or more (one is a single); outside the fin's band no more
            // than the fish's size.
            unsigned anywhere = 0, narrow = 0;
            for (int line = 0; line < 9; ++line) {
                const int count = BitCount9(lines[i].Places[line]);
                anywhere |= count >= 2 ? 1u << line : 0;
                narrow |= count >= 2 && count <= size ? 1u << line : 0;
            }
            for (int band = 0; band < 3; ++band) {
                const unsigned bandMask = 7u << (3 * band);
                BandSearch search{
                    lines[i], i / 2, size, band, narrow & ~bandMask, anywhere & bandMask, fish};
                if (search.Extend(1, 0, 0, 0)) {
                    Describe(lines[i], fish, step);
                    return true;
                }
            }
        }
    return false;
}

} // namespace quorix::hint

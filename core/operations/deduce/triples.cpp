// Naked triples: three squares of a unit holding the same three digits and nothing else.
#include "core/operations/deduce/subset_masks.h"

namespace quorix {

namespace {

// The units (bit k of the list of 27) where three of the squares of three candidates hold one
// mask: a naked triple needs such a unit, and mostly there is none. The masks held by three
// such squares anywhere are found in one pass first; only their squares are then placed in
// units.
std::uint32_t UnitsWithThreeOfAMask(const CandidateView &view)
{
    const SquareSet sized = view.BySize[3];
    // The mask ranks held once, twice and three times so far, in two words each (ranks 0..83),
    // kept in registers: a read-modify-write of a word in memory per square would make each
    // square wait for the one before.
    std::uint64_t once0 = 0, once1 = 0, twice0 = 0, twice1 = 0, thrice0 = 0, thrice1 = 0;
    const auto take = [&](int square) {
        const unsigned index = MaskIndexInSize[view.Masks[square]];
        const std::uint64_t bit = std::uint64_t{1} << (index & 63);
        const std::uint64_t high = 0 - static_cast<std::uint64_t>(index >> 6); // all ones above 63
        const std::uint64_t bit0 = bit & ~high, bit1 = bit & high;
        thrice0 |= twice0 & bit0;
        thrice1 |= twice1 & bit1;
        twice0 |= once0 & bit0;
        twice1 |= once1 & bit1;
        once0 |= bit0;
        once1 |= bit1;
    };
    for (std::uint64_t w = sized.Low; w != 0; w &= w - 1)
        take(std::countr_zero(w));
    for (std::uint64_t w = sized.High; w != 0; w &= w - 1)
        take(64 + std::countr_zero(w));
    std::uint32_t units = 0;
    const auto place = [&](unsigned index) {
        SquareSet holders = sized;
        for (unsigned rest = MaskOfIndex[3][index]; rest != 0; rest &= rest - 1)
            holders = holders & view.Places[std::countr_zero(rest)];
        // The units holding three of them: counted up to three per unit, one bit plane each.
        std::uint32_t one = 0, two = 0, three = 0;
        const auto count = [&](int square) {
            const std::uint32_t mine = UnitBitsOfSquare[square];
            three |= two & mine;
            two |= one & mine;
            one |= mine;
        };
        for (std::uint64_t w = holders.Low; w != 0; w &= w - 1)
            count(std::countr_zero(w));
        for (std::uint64_t w = holders.High; w != 0; w &= w - 1)
            count(64 + std::countr_zero(w));
        units |= three;
    };
    for (std::uint64_t w = thrice0; w != 0; w &= w - 1)
        place(static_cast<unsigned>(std::countr_zero(w)));
    for (std::uint64_t w = thrice1; w != 0; w &= w - 1)
        place(64 + static_cast<unsigned>(std::countr_zero(w)));
    return units;
}

} // namespace

bool FindTriples(const CandidateView &view, FoundStep &step, std::uint32_t &barren)
{
    if ((~barren & AllUnits) == 0)
        return false;
    // A naked triple needs three squares of three candidates in the unit with one mask.
    const std::uint32_t hope = UnitsWithThreeOfAMask(view);
    for (int t = 0; t < 3; ++t) {
        const unsigned pending = ~(barren >> (9 * t)) & 0x1FFU;
        const unsigned hopeful = pending & (hope >> (9 * t));
        barren |= (pending & ~hopeful) << (9 * t);
        for (unsigned units = hopeful; units != 0; units &= units - 1) {
            const int u = std::countr_zero(units);
            const unsigned naked = LowestNakedMask(view, t, u, 3, 0);
            if (naked == NoMask) {
                barren |= 1U << (9 * t + u);
                continue;
            }
            RecordNaked(step, view, naked, 3, u, t);
            return true;
        }
    }
    return false;
}

bool FindTriples(const CandidateView &view, FoundStep &step)
{
    std::uint32_t barren = 0;
    return FindTriples(view, step, barren);
}

} // namespace quorix

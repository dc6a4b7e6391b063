// The view of the candidates the rules read, built from the store.
#include "core/operations/deduce/rules.h"

namespace quorix {

CandidateView::CandidateView(const std::array<std::uint16_t, SquareCount> &candidateBits,
                             const std::array<std::int16_t, 82> &grid)
    : Grid(&grid)
{
    Load(candidateBits);
}

void CandidateView::Load(const std::array<std::uint16_t, SquareCount> &candidateBits)
{
    Places = {};
    Counts = {};
    BySize = {};
    Open = {};
    // The 64 squares of the low words, then the rest, each flagged without a branch.
    const auto load = [&](int first, int last, auto word) {
        for (int s = first; s < last; ++s) {
            const std::uint64_t bit = std::uint64_t{1} << (s - first);
            // Only the nine candidate buttons of a square exist; anything above bit 8 is not
            // a candidate.
            const unsigned mask = candidateBits[s] & AllCandidates;
            Masks[s] = static_cast<std::uint16_t>(mask);
            word(BySize[SizeClassOfMask[mask]]) |= bit;
            word(Open) |= (*Grid)[s] < 0 ? bit : 0;
            // Visit live candidates only: mid-solve most of the 729 are gone.
            const auto &fields = UnitFieldsOfSquare[s];
            for (unsigned rest = mask; rest != 0; rest &= rest - 1) {
                const int d = std::countr_zero(rest);
                word(Places[d]) |= bit;
                for (int t = 0; t < 3; ++t)
                    Counts[d][t] += fields[t];
            }
        }
    };
    load(0, 64, [](SquareSet &set) -> std::uint64_t & { return set.Low; });
    load(64, SquareCount, [](SquareSet &set) -> std::uint64_t & { return set.High; });
}

bool CandidateView::SameCandidates(const CandidateView &other) const
{
    return Masks == other.Masks && BySize == other.BySize && Open == other.Open
           && Places == other.Places && Counts == other.Counts;
}

} // namespace quorix

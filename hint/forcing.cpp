// Search order: every candidate is followed, those of squares with fewer candidates first (they
// lead furthest soonest), then by square and digit. The conclusions are compared by size; a tie
// goes to the contradiction before a square before a unit, then to the earlier start (candidate
// in that order, square, or unit 0..26 and digit), then to a placement before a strike, then to
// the lower digit and square.
//
// A square's conclusions are weighed as soon as its candidates are followed, and later
// candidates only as far as a conclusion that beats the best so far could reach: most steps are
// small, so most propagations stop after a few squares.
#include "hint/forcing.h"

#include "hint/finders.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace quorix::hint {

namespace {

// What one candidate, followed, leads to. The sizes are read only for facts it holds.
struct Branch
{
    bool Failed = false;
    std::uint8_t Bound = 0;
    std::uint8_t FailedSize = 0;
    std::array<SquareBits, 9> SetTo;
    std::array<SquareBits, 9> Struck;
    Propagation::SetSizes SetSize;
    Propagation::StrikeSizes StruckSize;
};

void Record(const Propagation &propagation, bool failed, Branch &branch)
{
    branch.Failed = failed;
    if (failed) {
        branch.FailedSize = static_cast<std::uint8_t>(propagation.Failure().Basis.Count());
        return;
    }
    for (int digit = 0; digit < 9; ++digit) {
        branch.SetTo[digit] = propagation.SetTo(digit);
        branch.Struck[digit] = propagation.Struck(digit);
    }
    branch.SetSize = propagation.SizesOfSets();
    branch.StruckSize = propagation.SizesOfStrikes();
}

class Search
{
public:
    Search(const Position &position, Inference rules, int maxSize)
        : Start(position), Rules(rules), MaxSize(maxSize)
    {
        // Every candidate has a branch (a unit's places may include a square left with one).
        Index.fill(-1);
        for (int count = 1; count <= 9; ++count)
            for (int square : position.WithCandidateCount(count))
                for (int digit = 0; digit < 9; ++digit)
                    if (position.HasCandidate(square, digit)) {
                        Index[square * 9 + digit] = static_cast<std::int16_t>(Candidates.size());
                        Candidates.push_back(
                            {static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
                    }
        // Default-initialised: a branch's sizes are written before they are read.
        Branches = std::make_unique_for_overwrite<Branch[]>(Candidates.size());
    }

    bool Run(ForcingFind &found)
    {
        Best.Rules = Rules;
        Best.Size = INT_MAX;
        Propagation propagation(Start);
        for (std::size_t i = 0; i < Candidates.size(); ++i) {
            const Candidate candidate = Candidates[i];
            const int bound = Bound();
            if (bound < forcing::SmallestSize)
                break;
            Branch &branch = Branches[i];
            Record(propagation, propagation.Follow(candidate.Square, candidate.Digit, Rules, bound),
                   branch);
            branch.Bound = static_cast<std::uint8_t>(bound);
            if (branch.Failed
                && Beats(branch.FailedSize, ForcingForm::Contradiction, static_cast<int>(i))) {
                Take(branch.FailedSize, ForcingForm::Contradiction, static_cast<int>(i));
                Best.Square = candidate.Square;
                Best.Digit = candidate.Digit;
                Best.Places = false;
                Best.Result = candidate;
                Best.Bounds[0] = branch.Bound;
            }
            if (i + 1 == Candidates.size() || Candidates[i + 1].Square != candidate.Square)
                ConsiderSquare(candidate.Square);
        }
        for (int unit = 0; unit < UnitCount; ++unit)
            for (int digit = 0; digit < 9; ++digit)
                ConsiderUnit(unit, digit);
        if (Best.Size > MaxSize)
            return false;
        found = Best;
        return true;
    }

private:
    // How many squares a branch may set and still be part of a conclusion that beats the best
    // so far: a later contradiction wins a tie with a square or a unit, nothing else does.
    int Bound() const
    {
        if (Best.Size == INT_MAX)
            return MaxSize;
        return std::min(MaxSize,
                        Best.Form == ForcingForm::Contradiction ? Best.Size - 1 : Best.Size);
    }

    // `start`: the candidate's index, the square, or unit * 9 + digit.
    bool Beats(int size, ForcingForm form, int start) const
    {
        if (size != Best.Size)
            return size < Best.Size;
        if (form != Best.Form)
            return form < Best.Form;
        return start < BestStart;
    }

    void Take(int size, ForcingForm form, int start)
    {
        Best.Size = size;
        Best.Form = form;
        BestStart = start;
        Best.Square = Best.Unit = Best.Digit = -1;
    }

    void ConsiderSquare(int square)
    {
        std::array<std::int16_t, 9> branches{};
        int count = 0;
        for (int digit = 0; digit < 9; ++digit)
            if (Start.HasCandidate(square, digit))
                branches[count++] = Index[square * 9 + digit];
        ConsiderCommon(branches, count, ForcingForm::Square, square);
    }

    void ConsiderUnit(int unit, int digit)
    {
        std::array<std::int16_t, 9> branches{};
        int count = 0;
        for (int square : Start.Places(digit) & UnitBits[unit])
            branches[count++] = Index[square * 9 + digit];
        if (count > 0)
            ConsiderCommon(branches, count, ForcingForm::Unit, unit * 9 + digit);
    }

    // The results that every branch holds, and the cost of following all of them.
    void ConsiderCommon(const std::array<std::int16_t, 9> &branches, int count, ForcingForm form,
                        int start)
    {
        if (count < 2 || count > forcing::MaxBranches)
            return;
        for (int i = 0; i < count; ++i)
            if (Branches[branches[i]].Failed)
                return;
        for (int places = 1; places >= 0; --places)
            for (int result = 0; result < 9; ++result) {
                SquareBits common = SquareBits::All();
                for (int i = 0; i < count; ++i)
                    common &= places ? Branches[branches[i]].SetTo[result]
                                     : Branches[branches[i]].Struck[result];
                for (int target : common) {
                    int size = 0;
                    for (int i = 0; i < count; ++i) {
                        const Branch &branch = Branches[branches[i]];
                        size += places ? branch.SetSize[target] : branch.StruckSize[target][result];
                    }
                    if (!Beats(size, form, start))
                        continue;
                    Take(size, form, start);
                    if (form == ForcingForm::Square) {
                        Best.Square = start;
                    } else {
                        Best.Unit = start / 9;
                        Best.Digit = start % 9;
                    }
                    Best.Places = places == 1;
                    Best.Result = {static_cast<std::int8_t>(target),
                                   static_cast<std::int8_t>(result)};
                    for (int i = 0; i < count; ++i)
                        Best.Bounds[i] = Branches[branches[i]].Bound;
                }
            }
    }

    const Position &Start;
    const Inference Rules;
    const int MaxSize;
    std::vector<Candidate> Candidates;
    std::array<std::int16_t, 729> Index;
    std::unique_ptr<Branch[]> Branches;
    ForcingFind Best;
    int BestStart = 0;
};

// Setting a square strikes at most one candidate from each other square and one place of each
// digit from each unit, so without a square of two candidates or a digit with two places in a
// unit no single can follow the assumption, and singles alone set no square.
bool SinglesCanFollow(const Position &position)
{
    if (position.WithCandidateCount(2).Any())
        return true;
    for (int digit = 0; digit < 9; ++digit)
        for (int unit = 0; unit < UnitCount; ++unit) {
            const SquareBits places = position.Places(digit) & UnitBits[unit];
            if (places.Any() && (places - SquareBits::Of(places.First())).Single() >= 0)
                return true;
        }
    return false;
}

} // namespace

bool FindForcing(const Position &position, Inference rules, int maxSize, ForcingFind &found)
{
    if (rules <= Inference::Singles && !SinglesCanFollow(position))
        return false;
    return Search(position, rules, maxSize).Run(found);
}

bool FindForcingChain(const Position &position, Step &step)
{
    ForcingFind found;
    if (!FindForcing(position, Inference::Chain, forcing::MaxChainSize, found))
        return false;
    DescribeForcing(position, found, step);
    return true;
}

// Nets with fewer kinds of rule are tried first: they are quicker to follow and to find.
bool FindForcingNet(const Position &position, Step &step)
{
    for (Inference rules : {Inference::Singles, Inference::Intersections, Inference::Subsets}) {
        ForcingFind found;
        if (FindForcing(position, rules, forcing::MaxNetSize, found)) {
            DescribeForcing(position, found, step);
            return true;
        }
    }
    return false;
}

} // namespace quorix::hint

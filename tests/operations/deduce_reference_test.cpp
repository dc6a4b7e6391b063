// The fast rules against a plain transcription of each rule's scan, square by square and mask
// by mask with no bit tricks, on many real and random boards.
#include "core/form/form1.h"
#include "core/operations/deduce/rules.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace quorix::reference {

// The smallest value above m with as many set bits among bits 0..9 as m has; bits above 9 are
// ignored in m and in the values tried. From 3 it walks the two-bit digit masks in ascending
// order (3, 5, 6, 9, ..., 384, then 513), from 7 the three-bit ones (..., 448, then 515).
constexpr std::int16_t NextSameBitCount(std::int16_t m)
{
    const int bits = std::popcount(static_cast<unsigned>(m) & 0x3FFU);
    int next = m + 1;
    while (std::popcount(static_cast<unsigned>(next) & 0x3FFU) != bits)
        ++next;
    return static_cast<std::int16_t>(next);
}

struct Board
{
    const std::array<std::uint16_t, SquareCount> &Bits;
    const std::array<std::int16_t, 82> &Grid;

    bool Alive(int square, int d) const { return ((Bits[square] >> d) & 1U) != 0; }
    bool Empty(int square) const { return Grid[square] < 0; }
    std::uint16_t Mask(int square) const
    {
        std::uint16_t mask = 0;
        for (int k = 0; k < 9; ++k)
            if (Alive(square, k))
                mask = static_cast<std::uint16_t>(mask | (1U << k));
        return mask;
    }
};

inline std::string Num(int n)
{
    std::string text(1, ' ');
    text += std::to_string(n);
    return text;
}

inline FoundStep Strike(int square, int d, int u, int t, std::string text)
{
    return {StepStrike,
            static_cast<std::int16_t>(square * 9 + d),
            -1,
            static_cast<std::int16_t>(square),
            static_cast<std::int16_t>(u),
            static_cast<std::int16_t>(t),
            std::move(text)};
}

inline std::optional<FoundStep> SingleCandidate(const Board &b, int first, int last)
{
    for (int d = first; d <= last; ++d)
        for (int s = 0; s < 81; ++s) {
            int count = 0, highest = -1;
            for (int k = 0; k < 9; ++k)
                if (b.Alive(s, k)) {
                    ++count;
                    highest = k;
                }
            if (b.Empty(s) && count == 1 && highest == d)
                return FoundStep{StepPlace,
                                 static_cast<std::int16_t>(s),
                                 static_cast<std::int16_t>(d),
                                 static_cast<std::int16_t>(s),
                                 -1,
                                 -1,
                                 "Square" + Num(s + 1) + " can only be a" + Num(d + 1)};
        }
    return std::nullopt;
}

inline std::optional<FoundStep> OnlyPlace(const Board &b, int first, int last)
{
    const char *words[3] = {"Row", "Column", "Group"};
    for (int d = first; d <= last; ++d)
        for (int t = 0; t < 3; ++t)
            for (int u = 0; u < 9; ++u) {
                int count = 0, highest = 0;
                for (int p = 0; p < 9; ++p)
                    if (b.Alive(UnitSquare(u, p, t), d)) {
                        ++count;
                        highest = p;
                    }
                if (count != 1)
                    continue;
                const int s = UnitSquare(u, highest, t);
                if (b.Empty(s))
                    return FoundStep{StepPlace,
                                     static_cast<std::int16_t>(s),
                                     static_cast<std::int16_t>(d),
                                     static_cast<std::int16_t>(s),
                                     static_cast<std::int16_t>(u),
                                     static_cast<std::int16_t>(t),
                                     words[t] + Num(u + 1) + " has only one possible" + Num(d + 1)};
            }
    return std::nullopt;
}

struct PlaceScan
{
    int Counter = 0, First = -1, Second = -1;
};

inline PlaceScan ScanPlaces(const Board &b, int u, int t, int d)
{
    PlaceScan scan;
    for (int p = 0; p < 9; ++p) {
        const int s = UnitSquare(u, p, t);
        if (!b.Alive(s, d))
            continue;
        if (scan.Counter == 2) {
            scan.Counter = 3;
        } else if (scan.Counter == 1) {
            scan.Counter = 2;
            scan.Second = s;
        } else if (scan.Counter == 0) {
            scan.Counter = 1;
            scan.First = s;
        }
    }
    return scan;
}

inline int ScanStrike(const Board &b, int u, int t, int d, const PlaceScan &scan)
{
    int recorded = -1;
    for (int p = 0; p < 9; ++p) {
        const int s = UnitSquare(u, p, t);
        if (s != scan.First && s != scan.Second && b.Alive(s, d))
            recorded = s;
    }
    return recorded;
}

inline std::optional<FoundStep> GroupToLine(const Board &b, int first, int last)
{
    for (int d = first; d <= last; ++d)
        for (int g = 0; g < 9; ++g) {
            const PlaceScan scan = ScanPlaces(b, g, UnitGroup, d);
            if (scan.Counter != 2)
                continue;
            int s = -1;
            const char *shared = nullptr;
            if (scan.First % 9 == scan.Second % 9) {
                s = ScanStrike(b, scan.First % 9, UnitColumn, d, scan);
                shared = " in same column, so square";
            } else if (scan.First / 9 == scan.Second / 9) {
                s = ScanStrike(b, scan.First / 9, UnitRow, d, scan);
                shared = " in same row, so square";
            }
            if (s >= 0)
                return Strike(s, d, g, UnitGroup,
                              "Only" + Num(d + 1) + "s in group" + Num(g + 1) + shared + Num(s + 1)
                                  + " can't be a" + Num(d + 1));
        }
    return std::nullopt;
}

inline std::optional<FoundStep> LineToGroup(const Board &b, int first, int last, int t)
{
    for (int d = first; d <= last; ++d)
        for (int line = 0; line < 9; ++line) {
            const PlaceScan scan = ScanPlaces(b, line, t, d);
            if (scan.Counter != 2)
                continue;
            const int band = t == UnitRow ? 3 : 27;
            if (scan.First / band != scan.Second / band)
                continue;
            const int s = ScanStrike(b, GroupOfSquare(scan.First), UnitGroup, d, scan);
            if (s >= 0)
                return Strike(s, d, line, t,
                              "Only" + Num(d + 1) + (t == UnitRow ? "s in row" : "s in column")
                                  + Num(line + 1) + " in same group, so square" + Num(s + 1)
                                  + " can't be a" + Num(d + 1));
        }
    return std::nullopt;
}

inline std::optional<FoundStep> Naked(const Board &b, int u, int t, int mask, int n)
{
    std::uint16_t masks[10]{};
    int squares[10]{};
    for (int p = 0; p < 9; ++p) {
        squares[p] = UnitSquare(u, p, t);
        masks[p] = b.Mask(squares[p]);
    }
    int members[10]{}, count = 0;
    for (int p = 0; p < 9; ++p)
        if (masks[p] == mask)
            members[count++] = p;
    if (count != n)
        return std::nullopt;
    for (int p = 0; p < 9; ++p) {
        bool member = false;
        for (int i = 0; i < n; ++i)
            member = member || members[i] == p;
        if (member || (masks[p] & mask) == 0)
            continue;
        int digit = -1;
        for (int k = 0; k < 9; ++k)
            if (b.Alive(squares[p], k) && b.Alive(squares[members[0]], k))
                digit = k;
        std::string text = "Cell" + Num(squares[p] + 1) + " can't be a" + Num(digit + 1)
                           + " since it must be in either cell " + Num(squares[members[0]] + 1);
        if (n == 3) {
            text += ",";
            text += Num(squares[members[1]] + 1);
        }
        text += " or";
        text += Num(squares[members[n - 1]] + 1);
        return Strike(squares[p], digit, u, t, text);
    }
    return std::nullopt;
}

inline std::optional<FoundStep> Hidden(const Board &b, int u, int t, int mask)
{
    int members[10]{}, both = 0, any = 0;
    for (int p = 0; p < 9; ++p) {
        const int m = b.Mask(UnitSquare(u, p, t));
        if ((m & mask) == mask)
            members[both++] = p;
        if ((m & mask) != 0)
            ++any;
    }
    if (both != 2 || any != 2)
        return std::nullopt;
    int square = -1, digit = -1;
    for (int i = 0; i < 2; ++i) {
        const int s = UnitSquare(u, members[i], t);
        for (int k = 0; k < 9; ++k)
            if ((mask & (1 << k)) == 0 && b.Alive(s, k)) {
                square = s;
                digit = k;
                break;
            }
    }
    if (square < 0)
        return std::nullopt;
    int low = -1, high = -1;
    for (int k = 0; k < 9; ++k)
        if (mask & (1 << k))
            (low < 0 ? low : high) = k;
    return Strike(square, digit, u, t,
                  "Cell" + Num(square + 1) + " can't be a" + Num(digit + 1) + " since cells"
                      + Num(UnitSquare(u, members[0], t) + 1) + " and"
                      + Num(UnitSquare(u, members[1], t) + 1) + " must be" + Num(low + 1) + " and"
                      + Num(high + 1));
}

inline std::optional<FoundStep> Pairs(const Board &b)
{
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u)
            for (int mask = 3; mask < 385;
                 mask = NextSameBitCount(static_cast<std::int16_t>(mask))) {
                if (auto step = Naked(b, u, t, mask, 2))
                    return step;
                if (auto step = Hidden(b, u, t, mask))
                    return step;
            }
    return std::nullopt;
}

inline std::optional<FoundStep> Triples(const Board &b)
{
    for (int t = 0; t < 3; ++t)
        for (int u = 0; u < 9; ++u)
            for (int mask = 7; mask < 449; mask = NextSameBitCount(static_cast<std::int16_t>(mask)))
                if (auto step = Naked(b, u, t, mask, 3))
                    return step;
    return std::nullopt;
}

inline std::optional<FoundStep> FindStep(const std::array<std::uint16_t, SquareCount> &bits,
                                         const std::array<std::int16_t, 82> &grid,
                                         std::int16_t digitFilter)
{
    const Board b{bits, grid};
    const int first = digitFilter < 0 ? 0 : digitFilter;
    const int last = digitFilter < 0 ? 8 : digitFilter;
    if (auto step = SingleCandidate(b, first, last))
        return step;
    if (auto step = OnlyPlace(b, first, last))
        return step;
    if (auto step = GroupToLine(b, first, last))
        return step;
    if (auto step = LineToGroup(b, first, last, UnitRow))
        return step;
    if (auto step = LineToGroup(b, first, last, UnitColumn))
        return step;
    if (auto step = Pairs(b))
        return step;
    return Triples(b);
}

} // namespace quorix::reference

namespace quorix {
namespace {

// The fields FindStep records, for comparison and for readable failures.
struct Recorded
{
    std::int32_t Kind;
    int Target, Digit, Square, Unit, UnitType;
    std::string Explanation;
    friend bool operator==(const Recorded &, const Recorded &) = default;
    friend std::ostream &operator<<(std::ostream &out, const Recorded &r)
    {
        return out << "{kind " << r.Kind << " target " << r.Target << " digit " << r.Digit
                   << " marks " << r.Square << ' ' << r.Unit << ' ' << r.UnitType << " \""
                   << r.Explanation << "\"}";
    }
};

Recorded Fields(const quorix::testing::BoardValues &form)
{
    const BoardState &b = form.Board;
    return {b.StepKind,      b.StepTarget,        b.StepDigit,  b.HighlightSquare,
            b.HighlightUnit, b.HighlightUnitType, b.Explanation};
}

Recorded Fields(const FoundStep &s)
{
    return {s.Kind, s.Target, s.Digit, s.Square, s.Unit, s.UnitType, s.Explanation};
}

TEST(NextSameBitCount, WalksTheMasksOfOneBitCountInOrder)
{
    EXPECT_EQ(reference::NextSameBitCount(3), 5);
    EXPECT_EQ(reference::NextSameBitCount(384), 513);
    EXPECT_EQ(reference::NextSameBitCount(448), 515);
    EXPECT_EQ(reference::NextSameBitCount(1023), 2047); // bits above 9 do not count

    for (const int bits : {2, 3}) {
        SCOPED_TRACE(bits);
        int visited = 0;
        int previous = 0;
        const int start = bits == 2 ? 3 : 7;
        const int end = bits == 2 ? 385 : 449;
        for (int m = start; m < end;
             m = reference::NextSameBitCount(static_cast<std::int16_t>(m))) {
            EXPECT_EQ(std::popcount(static_cast<unsigned>(m)), bits);
            EXPECT_GT(m, previous);
            previous = m;
            ++visited;
        }
        EXPECT_EQ(visited, bits == 2 ? 36 : 84);
        EXPECT_EQ(previous, bits == 2 ? 384 : 448);
    }
}

// Runs FindStep and the reference on the form's board and checks they agree: the same answer,
// and the same recorded fields (all untouched when nothing is found).
::testing::AssertionResult SameStep(quorix::testing::BoardValues &form, std::int16_t digitFilter)
{
    const auto expected =
        reference::FindStep(form.Controls.CandidateBits, form.Board.Grid, digitFilter);
    const Recorded before = Fields(form);
    const bool found = FindStep(form.Board, form.Controls, digitFilter);
    if (found != expected.has_value())
        return ::testing::AssertionFailure()
               << "filter " << digitFilter << ": found " << found << ", reference "
               << expected.has_value() << (expected ? " " : "")
               << (expected ? Fields(*expected) : Recorded{});
    const Recorded want = expected ? Fields(*expected) : before;
    if (Fields(form) != want)
        return ::testing::AssertionFailure()
               << "filter " << digitFilter << ": got " << Fields(form) << ", want " << want;
    return ::testing::AssertionSuccess();
}

std::vector<std::string> ReadPuzzles(const std::string &file, std::size_t limit)
{
    return ReadPuzzleSample(PuzzleSetPath(file), 1, limit);
}

// Solves the way auto mode does, with digit filters thrown in, and compares every call: each
// found step is carried out; when logic is stuck the first open square with a candidate gets
// its lowest one (right or wrong, so contradictory boards are visited too).
TEST(FindStepAgainstReference, AgreesAtEveryStepOfManyPuzzles)
{
    const std::pair<const char *, std::size_t> sets[] = {
        {"easy-50.txt", 40},         {"bank-medium-500.txt", 40}, {"bank-hard-500.txt", 40},
        {"hard-95.txt", 40},         {"hardest-375.txt", 40},     {"multi-solution-1000.txt", 20},
        {"edge-invalid-17.txt", 17}, {"clue17-sample.txt", 20},
    };
    std::mt19937 random(12345);
    int puzzles = 0;
    long long calls = 0;
    for (const auto &[file, limit] : sets) {
        for (const std::string &puzzle : ReadPuzzles(file, limit)) {
            SCOPED_TRACE(puzzle);
            ++puzzles;
            quorix::testing::BoardValues form = quorix::testing::LoadedBoard();
            quorix::testing::StartOn(form.Board, form.Controls, puzzle);
            for (int round = 0; round < 400; ++round) {
                const auto filter =
                    static_cast<std::int16_t>(round % 4 == 3 ? static_cast<int>(random() % 9) : -1);
                ++calls;
                ASSERT_TRUE(SameStep(form, filter)) << "round " << round;
                if (form.Board.StepKind == StepPlace || form.Board.StepKind == StepStrike) {
                    ApplyStep(form.Board, form.Controls);
                    form.Board.StepKind = StepNone; // so a later "nothing found" is checked
                    continue;
                }
                if (filter >= 0)
                    continue;
                if (!GuessFirstOpenSquare(form.Board, form.Controls))
                    break;
            }
        }
    }
    EXPECT_GT(puzzles, 200);
    EXPECT_GT(calls, 10000);
}

// Boards no solve would reach: sparse random candidates, so pairs, triples and intersections
// abound, and set squares that still show candidates.
TEST(FindStepAgainstReference, AgreesOnRandomBoards)
{
    std::mt19937 random(777);
    quorix::testing::BoardValues form = quorix::testing::LoadedBoard();
    for (int board = 0; board < 3000; ++board) {
        const unsigned density = 2 + board % 5; // about one candidate in `density` alive
        for (int s = 0; s < SquareCount; ++s) {
            std::uint16_t mask = 0;
            for (int d = 0; d < 9; ++d)
                if (random() % density == 0)
                    mask = static_cast<std::uint16_t>(mask | (1U << d));
            if (board % 3 == 0 && random() % 8 == 0) // a hand-made triple or pair shape
                mask = static_cast<std::uint16_t>(random() % 2 ? 0x54 : 0x11);
            form.Controls.CandidateBits[s] = mask;
            form.Board.Grid[s] = static_cast<std::int16_t>(random() % 6 == 0 ? random() % 9 : -1);
        }
        for (int round = 0; round < 6; ++round) {
            const auto filter = static_cast<std::int16_t>(round < 3 ? -1 : random() % 9);
            ASSERT_TRUE(SameStep(form, filter)) << "board " << board << " round " << round;
            if (form.Board.StepKind == StepStrike)
                form.Controls.SetCandidateVisible(form.Board.StepTarget, false);
            if (form.Board.StepKind == StepPlace)
                form.Controls.CandidateBits[form.Board.StepTarget] = 0;
        }
    }
}

} // namespace
} // namespace quorix

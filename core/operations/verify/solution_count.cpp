// Depth-first counting over digit masks. Each node fills its forced squares (one candidate
// left, or the only place of a digit in a unit), strikes what group-line crossings rule out,
// then branches on the square with the fewest candidates, or on the places of a digit in a unit
// when some digit has fewer. Deliberately independent of the board model, the rules and the
// guess stack, so that it can check them.
#include "core/operations/verify/solution_count.h"

#include <algorithm>
#include <bit>

namespace quorix {

namespace {

constexpr std::uint16_t AllDigits = 0x1FF;

constexpr int RowOf(int square)
{
    return square / 9;
}
constexpr int ColumnOf(int square)
{
    return square % 9;
}
constexpr int BoxOf(int square)
{
    return (square / 27) * 3 + (square % 9) / 3;
}

static_assert(BoxOf(0) == 0 && BoxOf(26) == 2 && BoxOf(27) == 3 && BoxOf(80) == 8);

// Digit code 0..8 for a given, -1 for an empty square, -2 for anything else.
constexpr int CodeOf(char c)
{
    if (c >= '1' && c <= '9')
        return c - '1';
    if (c == '.' || c == '0')
        return -1;
    return -2;
}

// Squares of every unit: rows 0..8, columns 9..17, groups 18..26.
constexpr auto Units = [] {
    std::array<std::array<std::uint8_t, 9>, 27> units{};
    for (int i = 0; i < 9; ++i) {
        for (int j = 0; j < 9; ++j) {
            units[i][j] = static_cast<std::uint8_t>(i * 9 + j);
            units[9 + i][j] = static_cast<std::uint8_t>(j * 9 + i);
            units[18 + i][j] =
                static_cast<std::uint8_t>((i / 3) * 27 + (i % 3) * 3 + (j / 3) * 9 + j % 3);
        }
    }
    return units;
}();

static_assert(Units[18 + 8][8] == 80 && Units[18 + 4][0] == 30 && Units[9 + 3][8] == 75);

// The 20 squares sharing a row, column or group with each square.
constexpr auto Peers = [] {
    std::array<std::array<std::uint8_t, 20>, 81> peers{};
    for (int s = 0; s < 81; ++s) {
        int n = 0;
        for (int t = 0; t < 81; ++t) {
            if (t != s
                && (RowOf(t) == RowOf(s) || ColumnOf(t) == ColumnOf(s) || BoxOf(t) == BoxOf(s)))
                peers[s][n++] = static_cast<std::uint8_t>(t);
        }
    }
    return peers;
}();

// Where a group meets a row or column: the three shared squares, the line's six others and
// the group's six others. Groups 0..8 with their three rows, then with their three columns.
struct Crossing
{
    std::array<std::uint8_t, 3> Shared;
    std::array<std::uint8_t, 6> LineRest;
    std::array<std::uint8_t, 6> GroupRest;
};

constexpr auto Crossings = [] {
    std::array<Crossing, 54> crossings{};
    int n = 0;
    for (int byColumn = 0; byColumn < 2; ++byColumn) {
        for (int g = 0; g < 9; ++g) {
            for (int k = 0; k < 3; ++k) {
                const int line = byColumn ? (g % 3) * 3 + k : (g / 3) * 3 + k;
                const auto &lineSquares = Units[byColumn * 9 + line];
                Crossing c{};
                int shared = 0, lineRest = 0, groupRest = 0;
                for (const int s : lineSquares) {
                    if (BoxOf(s) == g)
                        c.Shared[shared++] = static_cast<std::uint8_t>(s);
                    else
                        c.LineRest[lineRest++] = static_cast<std::uint8_t>(s);
                }
                for (const int s : Units[18 + g]) {
                    if ((byColumn ? ColumnOf(s) : RowOf(s)) != line)
                        c.GroupRest[groupRest++] = static_cast<std::uint8_t>(s);
                }
                crossings[n++] = c;
            }
        }
    }
    return crossings;
}();

// One node of the search: the candidates of the open squares (0 for a filled one) and the
// filled squares' digit codes. Copied on branching, so backing out of a branch needs no undo.
struct Board
{
    std::array<std::uint16_t, 81> Candidates{};
    std::array<std::int8_t, 81> Code{}; // -1 open

    void Place(int square, std::uint16_t bit)
    {
        Code[square] = static_cast<std::int8_t>(std::countr_zero(bit));
        Candidates[square] = 0;
        for (const int peer : Peers[square])
            Candidates[peer] &= static_cast<std::uint16_t>(~bit);
    }
};

class Counter
{
public:
    // Takes the givens; false when the puzzle is malformed or repeats a digit in a unit.
    bool Load(std::string_view puzzle)
    {
        if (puzzle.size() != 81)
            return false;
        Start.Code.fill(-1);
        Start.Candidates.fill(AllDigits);
        for (int s = 0; s < 81; ++s) {
            const int code = CodeOf(puzzle[s]);
            if (code == -2)
                return false;
            if (code == -1)
                continue;
            const auto bit = static_cast<std::uint16_t>(1U << code);
            for (const int peer : Peers[s])
                if (Start.Code[peer] == code)
                    return false;
            Start.Place(s, bit);
        }
        return true;
    }

    int Count(int limit)
    {
        Limit = limit;
        Search(Start);
        return Found;
    }

private:
    // Fills every forced square (one candidate left, or the only place of a digit in a unit)
    // and strikes the candidates that a group-line crossing rules out. False when a square or
    // a digit of some unit has no place left.
    static bool Propagate(Board &board)
    {
        for (;;) {
            bool placed = false;
            for (int s = 0; s < 81; ++s) {
                if (board.Code[s] >= 0)
                    continue;
                const std::uint16_t c = board.Candidates[s];
                if (c == 0)
                    return false;
                if ((c & (c - 1)) == 0) {
                    board.Place(s, c);
                    placed = true;
                }
            }
            for (const auto &unit : Units) {
                std::uint16_t once = 0, twice = 0, filled = 0;
                for (const int s : unit) {
                    const std::uint16_t c = board.Candidates[s];
                    twice |= once & c;
                    once |= c;
                    if (board.Code[s] >= 0)
                        filled |= static_cast<std::uint16_t>(1U << board.Code[s]);
                }
                if ((once | filled) != AllDigits)
                    return false;
                std::uint16_t single = once & static_cast<std::uint16_t>(~twice);
                for (int i = 0; i < 9 && single != 0; ++i) {
                    const int s = unit[i];
                    const std::uint16_t hit = board.Candidates[s] & single;
                    if (hit == 0)
                        continue;
                    if ((hit & (hit - 1)) != 0)
                        return false; // one square would need two digits
                    board.Place(s, hit);
                    single ^= hit;
                    placed = true;
                }
            }
            if (placed)
                continue;
            bool struck = false;
            for (const auto &crossing : Crossings) {
                std::uint16_t shared = 0, lineRest = 0, groupRest = 0;
                for (const int s : crossing.Shared)
                    shared |= board.Candidates[s];
                for (int i = 0; i < 6; ++i) {
                    lineRest |= board.Candidates[crossing.LineRest[i]];
                    groupRest |= board.Candidates[crossing.GroupRest[i]];
                }
                // A digit the line can hold only here cannot be elsewhere in the group, and
                // the other way round.
                const auto lineOnly = static_cast<std::uint16_t>(shared & ~lineRest & groupRest);
                const auto groupOnly = static_cast<std::uint16_t>(shared & ~groupRest & lineRest);
                if (lineOnly != 0) {
                    for (const int s : crossing.GroupRest)
                        board.Candidates[s] &= static_cast<std::uint16_t>(~lineOnly);
                    struck = true;
                }
                if (groupOnly != 0) {
                    for (const int s : crossing.LineRest)
                        board.Candidates[s] &= static_cast<std::uint16_t>(~groupOnly);
                    struck = true;
                }
            }
            if (!struck)
                return true;
        }
    }

    void Search(Board board)
    {
        if (!Propagate(board))
            return;
        int best = -1;
        int bestCount = 10;
        for (int s = 0; s < 81; ++s) {
            if (board.Code[s] >= 0)
                continue;
            const int count = std::popcount(board.Candidates[s]);
            if (count < bestCount) {
                best = s;
                bestCount = count;
                if (count == 2)
                    break;
            }
        }
        if (best < 0) {
            ++Found;
            return;
        }
        if (bestCount > 2 && BranchOnPlaces(board, bestCount))
            return;
        for (std::uint16_t left = board.Candidates[best]; left != 0 && Found < Limit;
             left = static_cast<std::uint16_t>(left & (left - 1))) {
            Board next = board;
            next.Place(best, static_cast<std::uint16_t>(left & -left));
            Search(next);
        }
    }

    // Branches on the places of one digit within one unit when some digit has fewer places
    // in a unit than the best square has candidates; false when none has.
    bool BranchOnPlaces(const Board &board, int bestCount)
    {
        int bestUnit = -1;
        std::uint16_t bestDigit = 0;
        for (int u = 0; u < 27; ++u) {
            for (std::uint16_t digits = AllDigits; digits != 0;
                 digits = static_cast<std::uint16_t>(digits & (digits - 1))) {
                const auto bit = static_cast<std::uint16_t>(digits & -digits);
                int places = 0;
                for (const int s : Units[u])
                    places += (board.Candidates[s] & bit) != 0;
                if (places != 0 && places < bestCount) {
                    bestUnit = u;
                    bestDigit = bit;
                    bestCount = places;
                }
            }
        }
        if (bestUnit < 0)
            return false;
        for (const int s : Units[bestUnit]) {
            if (Found >= Limit)
                break;
            if ((board.Candidates[s] & bestDigit) == 0)
                continue;
            Board next = board;
            next.Place(s, bestDigit);
            Search(next);
        }
        return true;
    }

    Board Start;
    int Limit = 1;
    int Found = 0;
};

} // namespace

int CountSolutions(std::string_view puzzle81, int limit)
{
    Counter counter;
    if (!counter.Load(puzzle81))
        return 0;
    return counter.Count(std::max(limit, 1));
}

bool IsValidSolution(std::string_view puzzle81, const std::array<std::int16_t, 82> &grid)
{
    if (puzzle81.size() != 81)
        return false;
    std::array<std::uint16_t, 9> rows{}, columns{}, boxes{};
    for (int s = 0; s < 81; ++s) {
        const int code = grid[s];
        if (code < 0 || code > 8)
            return false;
        const int given = CodeOf(puzzle81[s]);
        if (given == -2 || (given >= 0 && given != code))
            return false;
        const auto bit = static_cast<std::uint16_t>(1U << code);
        rows[RowOf(s)] |= bit;
        columns[ColumnOf(s)] |= bit;
        boxes[BoxOf(s)] |= bit;
    }
    // 81 values filling 27 units: every unit holds nine distinct digits exactly when each
    // unit's mask is full.
    for (int u = 0; u < 9; ++u)
        if (rows[u] != AllDigits || columns[u] != AllDigits || boxes[u] != AllDigits)
            return false;
    return true;
}

int CountGivens(std::string_view puzzle81)
{
    return static_cast<int>(std::count_if(puzzle81.begin(), puzzle81.end(),
                                          [](char c) { return c >= '1' && c <= '9'; }));
}

} // namespace quorix

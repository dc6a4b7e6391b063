#include "core/control/guessing.h"

#include "core/control/auto_carry.h"
#include "core/control/snapshots.h"
#include "core/control/stopped_bursts.h"
#include "core/ground/status_texts.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/placing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <string_view>

namespace quorix {

namespace {

// The status text of a guess, put together in place: guesses come too often for a heap
// allocation each. Numbers are written as AppendNumber writes them.
class GuessText
{
public:
    void Append(std::string_view piece)
    {
        for (const char c : piece)
            Push(c);
    }
    void AppendNumber(int number)
    {
        char digits[12];
        const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
        Push(' ');
        Append({std::begin(digits), written.ptr});
    }
    [[nodiscard]] std::string_view View() const { return {Chars.data(), Length}; }

private:
    void Push(char c)
    {
        if (Length < Chars.size())
            Chars[Length++] = c;
    }
    std::array<char, 64> Chars{};
    std::size_t Length = 0;
};

// The search of one call, through what the auto loop knows about the board when it is the
// loop's.
class Search
{
public:
    Search(FormState &state, AutoCarry *carry, StoppedBursts *bursts)
        : State(state), Guesses(state.Guesses), Carry(carry), Bursts(bursts)
    {
    }

    bool GuessOrBacktrack(BoardStatus &status);

private:
    void MakeGuess();
    bool Backtrack(BoardStatus &status);
    void PlaceGuess(int square, int digit);
    void RestoreDepth(int depth);
    [[nodiscard]] BoardStatus Check();
    void SayWhere();

    FormState &State;
    GuessStack &Guesses;
    AutoCarry *Carry;
    StoppedBursts *Bursts;
};

bool Search::GuessOrBacktrack(BoardStatus &status)
{
    GuessStack &g = Guesses;
    if (g.GuessCount == 0) {
        g.GuessDepth = -1;
        status = StatusConsistent;
    }
    bool exhausted = false;
    if (status == StatusConsistent) {
        if (g.GuessDepth + 1 >= DepthSlotCount) {
            // Only reachable when the board was changed under a running search: make no guess
            // and end the run rather than write past the stack.
            State.Dispatch.StopAuto = true;
            ++g.GuessCount;
            return false;
        }
        MakeGuess();
        SayWhere();
    } else if (status == StatusImpossible) {
        if (g.GuessDepth < 0) {
            // Nothing to go back to (the stack was emptied under a running search).
            ++g.GuessCount;
            return true;
        }
        exhausted = Backtrack(status);
        SayWhere();
    }
    ++g.GuessCount;
    return exhausted;
}

// The status line after a guess or a backtrack; after an exhausted search it names the square
// of depth 0 and its last digit.
void Search::SayWhere()
{
    const int square = Guesses.GuessSquare[std::max(Guesses.GuessDepth, 0)];
    GuessText text;
    text.Append(news::Guessing);
    text.AppendNumber(Guesses.GuessDigit[square] + 1);
    text.Append(news::ForSquare);
    text.AppendNumber(square + 1);
    State.Controls.SetNews(text.View());
}

// A new guess on the first empty square (square 0 on a full board): its first candidate in the
// order in force, over a snapshot of the board from before it.
void Search::MakeGuess()
{
    GuessStack &g = Guesses;
    int square = 0;
    if (Carry != nullptr && Carry->ViewCurrent) {
        const SquareSet open = Carry->View.OpenSquares();
        square = open.IsEmpty() ? 0 : open.Lowest();
    } else {
        while (square < SquareCount && State.Board.Grid[square] >= 0)
            ++square;
        if (square == SquareCount)
            square = 0;
    }
    ++g.GuessDepth;
    SaveSnapshot(State, g.GuessDepth);
    if (Carry != nullptr)
        Carry->Remember(g, g.GuessDepth);
    g.GuessSquare[g.GuessDepth] = static_cast<std::int16_t>(square);
    const std::uint16_t options = State.Controls.CandidateBits[square];
    g.GuessOptions[g.GuessDepth] = options;
    PlaceGuess(square, GuessStack::FirstOption(options, State.Unique.ReverseGuessOrder));
}

// Goes back to the latest guess and tries its next candidate, dropping levels that have none
// left; a candidate that leaves the board impossible at once is passed over in the same call.
// Returns true when every level is used up (the board is then as before the first guess).
bool Search::Backtrack(BoardStatus &status)
{
    GuessStack &g = Guesses;
    for (;;) {
        const int square = g.GuessSquare[g.GuessDepth];
        const int next = g.NextOption(g.GuessDigit[square], State.Unique.ReverseGuessOrder);
        // A used-up level is dropped without putting its board back: the next restore
        // overwrites all of it. Only the first level's board stays when all are used up.
        if (next < 0 && g.GuessDepth > 0) {
            --g.GuessDepth;
            continue;
        }
        RestoreDepth(g.GuessDepth);
        if (next < 0) {
            --g.GuessDepth;
            return true;
        }
        PlaceGuess(square, next);
        status = Check();
        if (status != StatusImpossible)
            return false;
    }
}

// The board of depth slot `depth` put back, only the squares set since where the loop knows
// them.
void Search::RestoreDepth(int depth)
{
    if (Carry == nullptr) {
        RestoreSnapshot(State, depth);
        return;
    }
    if (SquareSet differing; Carry->SetSinceSaved(Guesses, depth, differing))
        Bursts->RestoreSnapshot(depth, differing);
    else
        Bursts->RestoreSnapshot(depth);
    Carry->Recall(Guesses, depth);
}

BoardStatus Search::Check()
{
    return Carry != nullptr ? Carry->CheckBoard(*Bursts) : CheckBoard(State.Board, State.Controls);
}

// SetSquare of a guess and StrikeSetDigits, through what the auto loop knows when it is there.
void Search::PlaceGuess(int square, int digit)
{
    if (Carry != nullptr && Carry->Struck) {
        Carry->PlaceOnStruckBoard(square, digit);
    } else {
        SetSquare(State.Board, State.Controls, square, digit, true);
        StrikeSetDigits(State.Board, State.Controls);
        if (Carry != nullptr) {
            Carry->Struck = true;
            Carry->ViewCurrent = false;
            Carry->Clean = false;
        }
    }
    Guesses.GuessDigit[square] = static_cast<std::int16_t>(digit);
    ++State.Stats.Guesses;
}

} // namespace

bool GuessOrBacktrack(FormState &state, BoardStatus &status)
{
    return Search(state, nullptr, nullptr).GuessOrBacktrack(status);
}

bool GuessOrBacktrack(FormState &state, BoardStatus &status, AutoCarry &carry,
                      StoppedBursts &bursts)
{
    return Search(state, &carry, &bursts).GuessOrBacktrack(status);
}

} // namespace quorix

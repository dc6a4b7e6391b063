// Trial and error: one guess, or one backtrack to the next untried candidate, per call.
#include "core/control/auto_carry.h"
#include "core/form/form1.h"

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

} // namespace

bool Form1::GuessOrBacktrack(BoardStatus &status)
{
    return GuessOrBacktrack(status, nullptr);
}

bool Form1::GuessOrBacktrack(BoardStatus &status, AutoCarry *carry)
{
    GuessStack &g = Guesses;
    if (g.GuessCount == 0) {
        g.GuessDepth = -1;
        status = StatusConsistent;
    }
    bool exhausted = false;
    bool moved = false; // a guess was placed or a backtrack made: the status line says which
    if (status == StatusConsistent) {
        if (g.GuessDepth + 1 >= DepthSlotCount) {
            // Only reachable when the board was changed under a running search: make no guess
            // and end the run rather than write past the stack.
            Dispatch.StopAuto = true;
            ++g.GuessCount;
            return false;
        }
        MakeGuess(carry);
        moved = true;
    } else if (status == StatusImpossible) {
        if (g.GuessDepth < 0) {
            // Nothing to go back to (the stack was emptied under a running search).
            ++g.GuessCount;
            return true;
        }
        exhausted = Backtrack(status, carry);
        moved = true;
    }
    if (moved) {
        // After an exhausted search this names the square of depth 0 and its last digit.
        const int square = g.GuessSquare[std::max(g.GuessDepth, 0)];
        GuessText text;
        text.Append(news::Guessing);
        text.AppendNumber(g.GuessDigit[square] + 1);
        text.Append(news::ForSquare);
        text.AppendNumber(square + 1);
        Controls.SetNews(text.View());
    }
    ++g.GuessCount;
    return exhausted;
}

// A new guess on the first empty square (square 0 on a full board): its first candidate in the
// order in force, over a snapshot of the board from before it.
void Form1::MakeGuess(AutoCarry *carry)
{
    GuessStack &g = Guesses;
    int square = 0;
    if (carry != nullptr && carry->ViewCurrent) {
        const SquareSet open = carry->View.OpenSquares();
        square = open.IsEmpty() ? 0 : open.Lowest();
    } else {
        while (square < SquareCount && Board.Grid[square] >= 0)
            ++square;
        if (square == SquareCount)
            square = 0;
    }
    ++g.GuessDepth;
    SaveSnapshot(g.GuessDepth);
    if (carry != nullptr)
        carry->Remember(*this, g.GuessDepth);
    g.GuessSquare[g.GuessDepth] = static_cast<std::int16_t>(square);
    const std::uint16_t options = Controls.CandidateBits[square];
    g.GuessOptions[g.GuessDepth] = options;
    PlaceGuess(square, GuessStack::FirstOption(options, Unique.ReverseGuessOrder), carry);
}

// Goes back to the latest guess and tries its next candidate, dropping levels that have none
// left; a candidate that leaves the board impossible at once is passed over in the same call.
// Returns true when every level is used up (the board is then as before the first guess).
bool Form1::Backtrack(BoardStatus &status, AutoCarry *carry)
{
    GuessStack &g = Guesses;
    for (;;) {
        const int square = g.GuessSquare[g.GuessDepth];
        const int next = g.NextOption(g.GuessDigit[square], Unique.ReverseGuessOrder);
        // A used-up level is dropped without putting its board back: the next restore
        // overwrites all of it. Only the first level's board stays when all are used up.
        if (next < 0 && g.GuessDepth > 0) {
            --g.GuessDepth;
            continue;
        }
        if (SquareSet differing;
            carry != nullptr && carry->SetSinceSaved(*this, g.GuessDepth, differing))
            RestoreSnapshot(g.GuessDepth, differing);
        else
            RestoreSnapshot(g.GuessDepth);
        if (carry != nullptr)
            carry->Recall(*this, g.GuessDepth);
        if (next < 0) {
            --g.GuessDepth;
            return true;
        }
        PlaceGuess(square, next, carry);
        status = carry != nullptr ? CheckBoard(*carry) : CheckBoard();
        if (status != StatusImpossible)
            return false;
    }
}

// SetSquare of a guess and StrikeSetDigits, through what the auto loop knows when it is there.
void Form1::PlaceGuess(int square, int digit, AutoCarry *carry)
{
    if (carry != nullptr && carry->Struck) {
        carry->PlaceOnStruckBoard(*this, square, digit);
    } else {
        SetSquare(square, digit, true);
        StrikeSetDigits();
        if (carry != nullptr) {
            carry->Struck = true;
            carry->ViewCurrent = false;
            carry->Clean = false;
        }
    }
    Guesses.GuessDigit[square] = static_cast<std::int16_t>(digit);
    ++Stats.Guesses;
}

} // namespace quorix

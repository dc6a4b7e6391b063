// Trial and error: one guess, or one backtrack to the next untried candidate, per call.
#include "control/auto_carry.h"
#include "window/form1.h"

namespace quorix {

namespace {

// SetSquare of a guess and StrikeSetDigits, through what the auto loop knows when it is there.
void PlaceGuess(Form1 &form, std::int16_t square, std::int16_t digit)
{
    AutoCarry *const carry = form.Carry;
    if (carry != nullptr && carry->Struck) {
        PlaceOnStruckBoard(form, *carry, square, digit);
        return;
    }
    form.SetSquare(square, digit, true);
    form.StrikeSetDigits();
    if (carry != nullptr) {
        carry->Struck = true;
        carry->ViewCurrent = false;
    }
}

} // namespace

bool Form1::GuessOrBacktrack(std::int32_t &status)
{
    auto &g = Guesses;
    bool exhausted = false;
    if (g.GuessCount == 0) {
        g.GuessDepth = -1;
        status = StatusConsistent;
    }

    std::int16_t square = -1;
    if (status == StatusConsistent) {
        square = 0;
        for (int s = 0; s < SquareCount; ++s) {
            if (Board.Grid[s] < 0) {
                square = static_cast<std::int16_t>(s);
                break;
            }
        }
        if (g.GuessDepth + 1 >= DepthSlotCount) {
            // Only reachable when the board was changed under a running search: make no guess
            // and end the run rather than write past the stack.
            Dispatch.StopAuto = true;
            ++g.GuessCount;
            return false;
        }
        ++g.GuessDepth;
        SaveSnapshot(g.GuessDepth);
        if (Carry != nullptr)
            Carry->Remember(*this, g.GuessDepth);
        g.GuessSquare[g.GuessDepth] = square;
        // The lowest candidate in the normal order, the highest in the reversed one; digit
        // code 0 when the square has none.
        const std::uint16_t options = Controls.CandidateBits[square];
        g.GuessOptions[g.GuessDepth] = options;
        std::int16_t chosen = 0;
        if (options != 0)
            chosen = static_cast<std::int16_t>(g.ReverseGuessOrder ? 15 - std::countl_zero(options)
                                                                   : std::countr_zero(options));
        PlaceGuess(*this, square, chosen);
        g.GuessDigit[square] = chosen;
        ++Stats.Guesses;
    } else if (status == StatusImpossible) {
        if (g.GuessDepth < 0) {
            // Nothing to go back to (the stack was emptied under a running search).
            ++g.GuessCount;
            return true;
        }
        for (;;) {
            square = g.GuessSquare[g.GuessDepth];
            const std::int16_t current = g.GuessDigit[square];
            RestoreSnapshot(g.GuessDepth);
            if (Carry != nullptr)
                Carry->Recall(*this, g.GuessDepth);
            const std::uint16_t options = g.GuessOptions[g.GuessDepth];
            std::int16_t next = -1;
            if (!g.ReverseGuessOrder) {
                const auto above = static_cast<std::uint16_t>(options & ~((2U << current) - 1));
                if (current < 8 && above != 0)
                    next = static_cast<std::int16_t>(std::countr_zero(above));
            } else if (current > 0) {
                const auto below = static_cast<std::uint16_t>(options & ((1U << current) - 1));
                if (below != 0)
                    next = static_cast<std::int16_t>(15 - std::countl_zero(below));
            }
            if (next < 0) {
                --g.GuessDepth;
                if (g.GuessDepth < 0) {
                    exhausted = true;
                    break;
                }
                continue;
            }
            PlaceGuess(*this, square, next);
            g.GuessDigit[square] = next;
            ++Stats.Guesses;
            status = CheckBoard();
            if (status != StatusImpossible)
                break;
        }
    }

    if (square >= 0) {
        Controls.SetNews("Guessing " + std::to_string(g.GuessDigit[square] + 1) + " for square "
                         + std::to_string(square + 1));
    }
    ++g.GuessCount;
    return exhausted;
}

} // namespace quorix

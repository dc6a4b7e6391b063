// What the auto loop knows about the board from one cycle to the next, so that it does not
// have to work it out again from the whole store.
//
// A board is struck when StrikeSetDigits would change nothing on it. On a struck board a
// placement adds its digit to the units of its square only, so striking that digit from the
// square's 20 peers does all a full StrikeSetDigits would, and a strike or re-strike changes
// nothing more; and the board stays struck. The loop also keeps a candidate view equal to the
// store, updated square by square. Both are kept while only the loop changes the board; the
// yield to the event loop, where anything may happen, is checked by comparing the board before
// and after it. A depth slot's snapshot is remembered together with this knowledge, and the
// knowledge is trusted again on restore only while the slot still holds what was saved.
#pragma once

#include "core/control/control_state.h"
#include "core/operations/board/placing.h"
#include "core/operations/deduce/burst_view.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

namespace quorix {

class StoppedBursts;

struct AutoCarry
{
    AutoCarry(BoardState &board, ControlStore &controls)
        : View(controls.CandidateBits, board.Grid), Board(board), Controls(controls)
    {
    }

    // The board is struck.
    bool Struck = false;
    // View equals a view built afresh from the store; only ever true while Struck is.
    bool ViewCurrent = false;
    // Besides, no digit is set twice in a unit, and the board is in solving form (every set
    // square shown without candidates, every empty one hidden): the consistency check can then
    // be read off the view. Only ever true while ViewCurrent is.
    bool Clean = false;
    BurstView View;
    // The step FindStep found last through the view; its sentence is written once the burst
    // that found it ends.
    FoundStep LastStep;

    struct SlotKnowledge
    {
        std::uint64_t Stamp = 0; // GuessStack::DepthStamps of the slot when it was saved
        bool Struck = false;
        bool HasView = false; // SlotViews holds the view of the slot's board
        bool Clean = false;
        std::uint64_t Forgets = 0; // Forgets when it was saved
    };
    std::array<SlotKnowledge, DepthSlotCount> Slots{};
    // How many times everything was forgotten: while it stays the same, the board has changed
    // by nothing but the loop's own placements, strikes and restores.
    std::uint64_t Forgets = 0;
    std::vector<BurstView> SlotViews; // grown on demand, indexed by depth

    // Forgets everything: the board may have changed in any way.
    void Forget()
    {
        ++Forgets;
        Struck = false;
        ViewCurrent = false;
        Clean = false;
    }
    // Makes the view current on a struck board.
    void BringViewUpToDate()
    {
        if (Struck && !ViewCurrent) {
            View.Rebuild();
            ViewCurrent = true;
        }
    }
    // Takes note of what is known about the board just saved into depth slot `slot`.
    void Remember(const GuessStack &guesses, int slot);
    // After depth slot `slot` was restored: what was known about it when it was saved, if the
    // slot still holds that board.
    void Recall(const GuessStack &guesses, int slot);
    // Before depth slot `slot` is restored: whether the board now is the slot's board with
    // squares set since, both in clean solving form, and if so the squares set since (which
    // are all that a restore changes besides the candidates).
    [[nodiscard]] bool SetSinceSaved(const GuessStack &guesses, int slot, SquareSet &squares) const;

    // SetSquare of `digit` into `square` and the strike of that digit from the square's
    // peers, which on a struck board is the whole of StrikeSetDigits; the view follows when it
    // is current. Inline: the auto loop places most of its digits through it, one by one.
    void PlaceOnStruckBoard(int square, int digit)
    {
        assert(Struck && digit >= 0 && digit < DigitCount);
        // A digit that is no candidate of its square (a guess on a square with none left) may
        // stand twice in a unit now; placing again the digit a square holds changes nothing.
        if (((Controls.CandidateBits[square] >> digit) & 1U) == 0 && Board.Grid[square] != digit)
            Clean = false;
        SetSquareDigit(Board, Controls, square, digit);
        auto &bits = Controls.CandidateBits;
        if (ViewCurrent) {
            // The view follows the store, so it knows the few peers that still hold the digit.
            View.PlaceInStore(square, digit, bits);
        } else {
            const auto keep = static_cast<std::uint16_t>(~(1U << digit));
            for (const int peer : PeersOfSquare[square])
                bits[peer] &= keep;
        }
        assert(SetDigitsStruck(Board, Controls)
               && "a placement on a struck board leaves it struck");
    }
    // ApplyStep on a struck board whose view is current; the view follows every square that
    // changes.
    void ApplyStepOnStruckBoard();

    // CheckBoard read off the view where the carry knows the board well enough, and otherwise
    // the full check, after which the carry learns what it can. What the check writes of a
    // fault goes through `bursts`.
    [[nodiscard]] BoardStatus CheckBoard(StoppedBursts &bursts);

private:
    BoardState &Board;
    ControlStore &Controls;
};

} // namespace quorix

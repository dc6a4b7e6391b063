// Whole-board snapshots: the single save slot and the depth slots of the guess stack.
#include "window/form1.h"

namespace quorix {

namespace {

Snapshot *SlotFor(SnapshotStore &store, GuessStack &guesses, int slot)
{
    if (slot < 0)
        return &store.SaveSlot;
    if (slot >= DepthSlotCount)
        return nullptr;
    return &guesses.DepthSlots[slot];
}

} // namespace

void Form1::SaveSnapshot(int slot)
{
    Snapshot *target = SlotFor(Snapshots, Guesses, slot);
    assert(target && "snapshot slot out of range");
    if (!target)
        return;
    std::copy_n(Board.Grid.begin(), SquareCount, target->Grid.begin());
    std::copy_n(Controls.CandidateBits.begin(), SquareCount, target->Candidates.begin());
    if (slot < 0)
        Snapshots.SaveSlotUsed = true;
    else
        Guesses.DepthStamps[slot] = ++Snapshots.Saves;
}

void Form1::RestoreSnapshot(int slot)
{
    const Snapshot *source = SlotFor(Snapshots, Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    // Per square, what copying the value, SetSquare(square, value, true) and then copying the
    // candidates leave behind, written once each. Set and empty squares follow each other
    // without a pattern, so both are written through a mask rather than a branch.
    for (int s = 0; s < SquareCount; ++s) {
        const int code = source->Grid[s];
        assert(code < DigitCount && "digit code out of range");
        const unsigned set = 0U - static_cast<unsigned>(code > -1); // all ones when set
        const unsigned digit = static_cast<unsigned>(code) & set;   // 0 when empty
        auto &button = Controls.Squares[s];
        // The code when set, all ones (Empty) when not.
        Board.Grid[s] = static_cast<std::int16_t>(static_cast<unsigned>(code) | ~set);
        button.Caption = static_cast<char>(('1' + digit) & set);
        button.Background = (Board.DigitColours[digit] & set) | (SystemButtonFace & ~set);
        button.Visible = set != 0;
    }
    std::copy_n(source->Candidates.begin(), SquareCount, Controls.CandidateBits.begin());
    Board.StepKind = StepRestrike;
}

} // namespace quorix

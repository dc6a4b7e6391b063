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

namespace {

// What copying the value, SetSquare(square, value, true) and then copying the candidates leave
// behind in one square, written once each. Set and empty squares follow each other without a
// pattern, so both are written through a mask rather than a branch.
void RestoreSquare(const Snapshot &source, int s, BoardState &board, ControlStore &controls)
{
    const int code = source.Grid[s];
    assert(code < DigitCount && "digit code out of range");
    const unsigned set = 0U - static_cast<unsigned>(code > -1); // all ones when set
    const unsigned digit = static_cast<unsigned>(code) & set;   // 0 when empty
    auto &button = controls.Squares[s];
    // The code when set, all ones (Empty) when not.
    board.Grid[s] = static_cast<std::int16_t>(static_cast<unsigned>(code) | ~set);
    button.Caption = static_cast<char>(('1' + digit) & set);
    button.Background = (board.DigitColours[digit] & set) | (SystemButtonFace & ~set);
    button.Visible = set != 0;
}

} // namespace

void Form1::RestoreSnapshot(int slot)
{
    const Snapshot *source = SlotFor(Snapshots, Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    for (int s = 0; s < SquareCount; ++s)
        RestoreSquare(*source, s, Board, Controls);
    std::copy_n(source->Candidates.begin(), SquareCount, Controls.CandidateBits.begin());
    Board.StepKind = StepRestrike;
}

void Form1::RestoreSnapshot(int slot, SquareSet differing)
{
    const Snapshot *source = SlotFor(Snapshots, Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    for (std::uint64_t w = differing.Low; w != 0; w &= w - 1)
        RestoreSquare(*source, std::countr_zero(w), Board, Controls);
    for (std::uint64_t w = differing.High; w != 0; w &= w - 1)
        RestoreSquare(*source, 64 + std::countr_zero(w), Board, Controls);
    std::copy_n(source->Candidates.begin(), SquareCount, Controls.CandidateBits.begin());
    Board.StepKind = StepRestrike;
#ifndef NDEBUG
    // Every other square must already be as a whole restore leaves it.
    BoardState board = Board;
    ControlStore controls = Controls;
    for (int s = 0; s < SquareCount; ++s)
        RestoreSquare(*source, s, board, controls);
    for (int s = 0; s < SquareCount; ++s) {
        const auto &want = controls.Squares[s];
        const auto &have = Controls.Squares[s];
        assert(board.Grid[s] == Board.Grid[s] && want.Caption == have.Caption
               && want.Background == have.Background && want.Visible == have.Visible
               && "a partial restore must leave what a whole one does");
    }
#endif
}

} // namespace quorix

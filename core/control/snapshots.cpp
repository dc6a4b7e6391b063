// Whole-board snapshots: the single save slot and the depth slots of the guess stack.
#include "core/form/form1.h"

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
// behind in square `s`, written once each into its value and its button. Set and empty squares
// follow each other without a pattern, so both are written through a mask rather than a branch.
void RestoreSquare(const Snapshot &source, int s, const std::array<Colour, 10> &digitColours,
                   std::int16_t &value, ControlStore::SquareButton &button)
{
    const int code = source.Grid[s];
    assert(code < DigitCount && "digit code out of range");
    const unsigned set = 0U - static_cast<unsigned>(code > -1); // all ones when set
    const unsigned digit = static_cast<unsigned>(code) & set;   // 0 when empty
    // The code when set, all ones (Empty) when not.
    value = static_cast<std::int16_t>(static_cast<unsigned>(code) | ~set);
    button.Caption = static_cast<char>(('1' + digit) & set);
    button.Background = (digitColours[digit] & set) | (SystemButtonFace & ~set);
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
        RestoreSquare(*source, s, Board.DigitColours, Board.Grid[s], Controls.Squares[s]);
    std::copy_n(source->Candidates.begin(), SquareCount, Controls.CandidateBits.begin());
    Board.StepKind = StepRestrike;
    Disown(TailStepKind);
}

void Form1::RestoreSnapshot(int slot, SquareSet differing)
{
    const Snapshot *source = SlotFor(Snapshots, Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    // The squares set since the save were empty in it, so each goes back to an empty square
    // without reading the snapshot.
    const auto restore = [&](int s) {
        assert(source->Grid[s] < 0 && "only squares empty in the snapshot differ");
        Board.Grid[s] = Empty;
        auto &button = Controls.Squares[s];
        button.Caption = 0;
        button.Background = SystemButtonFace;
        button.Visible = false;
    };
    for (std::uint64_t w = differing.Low; w != 0; w &= w - 1)
        restore(std::countr_zero(w));
    for (std::uint64_t w = differing.High; w != 0; w &= w - 1)
        restore(64 + std::countr_zero(w));
    std::copy_n(source->Candidates.begin(), SquareCount, Controls.CandidateBits.begin());
    Board.StepKind = StepRestrike;
    Disown(TailStepKind);
#ifndef NDEBUG
    // Every other square must already be as a whole restore leaves it.
    for (int s = 0; s < SquareCount; ++s) {
        std::int16_t value = Board.Grid[s];
        auto button = Controls.Squares[s];
        RestoreSquare(*source, s, Board.DigitColours, value, button);
        const auto &have = Controls.Squares[s];
        assert(value == Board.Grid[s] && button.Caption == have.Caption
               && button.Background == have.Background && button.Visible == have.Visible
               && "a partial restore must leave what a whole one does");
    }
#endif
}

} // namespace quorix

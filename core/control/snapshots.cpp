#include "core/control/snapshots.h"

#include <algorithm>
#include <cassert>

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

void SaveSnapshot(FormState &state, int slot)
{
    Snapshot *target = SlotFor(state.Snapshots, state.Guesses, slot);
    assert(target && "snapshot slot out of range");
    if (!target)
        return;
    std::copy_n(state.Board.Grid.begin(), SquareCount, target->Grid.begin());
    std::copy_n(state.Controls.CandidateBits.begin(), SquareCount, target->Candidates.begin());
    if (slot < 0)
        state.Snapshots.SaveSlotUsed = true;
    else
        state.Guesses.DepthStamps[slot] = ++state.Snapshots.Saves;
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

void RestoreSnapshot(FormState &state, int slot)
{
    const Snapshot *source = SlotFor(state.Snapshots, state.Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    BoardState &board = state.Board;
    ControlStore &controls = state.Controls;
    for (int s = 0; s < SquareCount; ++s)
        RestoreSquare(*source, s, board.DigitColours, board.Grid[s], controls.Squares[s]);
    std::copy_n(source->Candidates.begin(), SquareCount, controls.CandidateBits.begin());
    board.StepKind = StepRestrike;
}

void RestoreSnapshot(FormState &state, int slot, SquareSet differing)
{
    const Snapshot *source = SlotFor(state.Snapshots, state.Guesses, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    BoardState &board = state.Board;
    ControlStore &controls = state.Controls;
    // The squares set since the save were empty in it, so each goes back to an empty square
    // without reading the snapshot.
    const auto restore = [&](int s) {
        assert(source->Grid[s] < 0 && "only squares empty in the snapshot differ");
        board.Grid[s] = Empty;
        auto &button = controls.Squares[s];
        button.Caption = 0;
        button.Background = SystemButtonFace;
        button.Visible = false;
    };
    for (std::uint64_t w = differing.Low; w != 0; w &= w - 1)
        restore(std::countr_zero(w));
    for (std::uint64_t w = differing.High; w != 0; w &= w - 1)
        restore(64 + std::countr_zero(w));
    std::copy_n(source->Candidates.begin(), SquareCount, controls.CandidateBits.begin());
    board.StepKind = StepRestrike;
#ifndef NDEBUG
    // Every other square must already be as a whole restore leaves it.
    for (int s = 0; s < SquareCount; ++s) {
        std::int16_t value = board.Grid[s];
        auto button = controls.Squares[s];
        RestoreSquare(*source, s, board.DigitColours, value, button);
        const auto &have = controls.Squares[s];
        assert(value == board.Grid[s] && button.Caption == have.Caption
               && button.Background == have.Background && button.Visible == have.Visible
               && "a partial restore must leave what a whole one does");
    }
#endif
}

} // namespace quorix

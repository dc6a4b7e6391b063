// Whole-board snapshots: the single save slot and the depth slots of the guess stack.
#include "window/form1.h"

namespace quorix {

namespace {

Snapshot *SlotFor(SnapshotStore &store, std::int16_t slot)
{
    if (slot < 0)
        return &store.SaveSlot;
    if (slot >= DepthSlotCount)
        return nullptr;
    return &store.DepthSlots[slot];
}

} // namespace

void Form1::SaveSnapshot(std::int16_t slot)
{
    Snapshot *target = SlotFor(Snapshots, slot);
    assert(target && "snapshot slot out of range");
    if (!target)
        return;
    std::copy_n(Board.Grid.begin(), SquareCount, target->Grid.begin());
    std::copy_n(Controls.CandidateBits.begin(), SquareCount, target->Candidates.begin());
    if (slot < 0)
        Snapshots.SaveSlotUsed = true;
    else
        DepthSlotStamps[slot] = ++SnapshotSaves;
}

void Form1::RestoreSnapshot(std::int16_t slot)
{
    const Snapshot *source = SlotFor(Snapshots, slot);
    assert(source && "snapshot slot out of range");
    if (!source)
        return;
    for (int s = 0; s < SquareCount; ++s) {
        Board.Grid[s] = source->Grid[s];
        SetSquare(static_cast<std::int16_t>(s), Board.Grid[s], true);
        Controls.CandidateBits[s] = source->Candidates[s];
    }
    Board.StepKind = StepRestrike;
}

} // namespace quorix

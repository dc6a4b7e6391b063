#include "core/control/undo_history.h"

#include <algorithm>

namespace quorix {

bool HistoryEntry::SameBoard(const ControlStore &controls, const BoardState &board) const
{
    const auto same = [](const auto &a, const auto &b) {
        return std::equal(a.begin(), a.begin() + SquareCount, b.begin());
    };
    if (!same(Board.Grid, board.Grid) || !same(Board.Givens, board.Givens)
        || Controls.CandidateBits != controls.CandidateBits)
        return false;
    for (int s = 0; s < SquareCount; ++s)
        if (Controls.Squares[s].Visible != controls.Squares[s].Visible)
            return false;
    return true;
}

void UndoHistory::Push(HistoryEntry before)
{
    Future.clear();
    Past.push_back(std::move(before));
    if (Past.size() > MaxSteps)
        Past.pop_front();
}

void UndoHistory::Replace(std::deque<HistoryEntry> past, std::deque<HistoryEntry> future)
{
    Past = std::move(past);
    Future = std::move(future);
    while (Past.size() > MaxSteps)
        Past.pop_front();
    while (Future.size() > MaxSteps)
        Future.pop_front();
}

namespace {

// Takes the latest entry of `from`, putting `now` at the end of `to`; nothing when `from` is
// empty.
std::optional<HistoryEntry> StepAcross(std::deque<HistoryEntry> &from, std::deque<HistoryEntry> &to,
                                       HistoryEntry now)
{
    if (from.empty())
        return std::nullopt;
    HistoryEntry taken = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(now));
    return taken;
}

} // namespace

std::optional<HistoryEntry> UndoHistory::Undo(HistoryEntry now)
{
    return StepAcross(Past, Future, std::move(now));
}

std::optional<HistoryEntry> UndoHistory::Redo(HistoryEntry now)
{
    return StepAcross(Future, Past, std::move(now));
}

} // namespace quorix

#include "window/undo_history.h"

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

std::optional<HistoryEntry> UndoHistory::Undo(HistoryEntry now)
{
    if (Past.empty())
        return std::nullopt;
    HistoryEntry before = std::move(Past.back());
    Past.pop_back();
    Future.push_back(std::move(now));
    return before;
}

std::optional<HistoryEntry> UndoHistory::Redo(HistoryEntry now)
{
    if (Future.empty())
        return std::nullopt;
    HistoryEntry after = std::move(Future.back());
    Future.pop_back();
    Past.push_back(std::move(now));
    return after;
}

} // namespace quorix

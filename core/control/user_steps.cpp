// Paste, copy, undo and redo: the user's puzzle in and out as text, and steps taken back.
#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"

namespace quorix {

void Form1::Paste(std::string_view text)
{
    PastedPuzzle puzzle;
    std::string error;
    if (!ParsePuzzleText(text, puzzle, error)) {
        Controls.SetNews(std::string(news::CannotPaste) + error);
        return;
    }
    cmdMode_Click(ModeReset);
    // What typing the squares in order does, less the focus moving on after every key.
    for (int s = 0; s < SquareCount; ++s)
        EnterSquare(s, puzzle.Values[s]);
    if (!puzzle.HasCandidates)
        return;
    cmdMode_Click(ModeStart);
    // Striking a candidate by hand re-strikes the set digits, which Start has done already.
    for (int s = 0; s < SquareCount; ++s)
        if (Board.Grid[s] < 0)
            Controls.CandidateBits[s] &= puzzle.Candidates[s];
}

std::string Form1::CopyLine() const
{
    return GridText(Board.Grid);
}

std::string Form1::CopyCandidates() const
{
    std::array<std::uint16_t, SquareCount> candidates = Controls.CandidateBits;
    for (int s = 0; s < SquareCount; ++s)
        if (Board.Grid[s] < 0 && Controls.Squares[s].Visible)
            candidates[s] = AllCandidates;
    return CandidateGridText(Board.Grid, candidates);
}

void Form1::Undo()
{
    if (Dispatch.AutoDepth > 0)
        return;
    if (Steps.UndoSteps() == 0) {
        Controls.SetNews(news::NothingToUndo);
        return;
    }
    if (auto before = Steps.Undo({Controls, Board}))
        RestoreStep(std::move(*before));
}

void Form1::Redo()
{
    if (Dispatch.AutoDepth > 0)
        return;
    if (Steps.RedoSteps() == 0) {
        Controls.SetNews(news::NothingToRedo);
        return;
    }
    if (auto after = Steps.Redo({Controls, Board}))
        RestoreStep(std::move(*after));
}

void Form1::RestoreStep(HistoryEntry &&entry)
{
    Controls.Restore(std::move(entry.Controls));
    Board = std::move(entry.Board);
}

} // namespace quorix

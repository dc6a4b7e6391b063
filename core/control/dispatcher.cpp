#include "core/control/dispatcher.h"

#include "core/control/snapshots.h"
#include "core/control/startup.h"
#include "core/control/unique.h"
#include "core/ground/status_texts.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/givens.h"
#include "core/operations/board/highlight.h"
#include "core/operations/board/placing.h"
#include "core/operations/deduce/find_step.h"
#include "core/operations/text/collection.h"
#include "core/operations/text/puzzle_lines.h"
#include "core/operations/text/puzzle_text.h"

#include <istream>
#include <string>

namespace quorix {

void Dispatcher::Click(int index)
{
    RunPrologue();
    switch (index) {
    case ModeStart:
        LoadGivens(State.Board, State.Controls);
        StrikeSetDigits(State.Board, State.Controls);
        KeepPuzzle(State.Hint, State.Board);
        break;
    case ModeCheck:
        ClickCheck();
        break;
    case ModeReset:
        ClickReset();
        break;
    case ModeAuto:
        // Each Auto clicked inside a running one's yield nests a whole run on the stack; past
        // the limit the click only stops the runs, like any other command.
        if (State.Dispatch.AutoDepth < MaxAutoRuns)
            Auto.Run();
        break;
    case ModeRestart:
        ClickRestart();
        break;
    case ModeNext:
        ClickNext();
        break;
    case ModeCheckUnique:
        CheckUnique();
        break;
    case ModeSave:
        SaveSnapshot(State, -1);
        break;
    case ModeRestore:
        ClickRestore();
        break;
    default:
        break;
    }
}

// Every click, nested ones included, starts here; it also stops a running auto loop.
void Dispatcher::RunPrologue()
{
    ControlStore &controls = State.Controls;
    controls.Timer.Enabled = false;
    controls.Timer.PeriodMs = 500;
    controls.SetNews("");
    controls.Modes[ModeCheckUnique].Visible = false;
    HideHighlights(controls);
    State.Dispatch.StopAuto = true;
}

void Dispatcher::ClickReset()
{
    InitialiseWindow(State);
    EnterSetupMode(State.Board, State.Controls);
    // So that the next puzzle can be typed at once.
    Host.FocusSquare(0);
}

void Dispatcher::ClickRestart()
{
    LoadGivens(State.Board, State.Controls);
    EnterSetupMode(State.Board, State.Controls);
    Host.FocusSquare(0);
}

bool Dispatcher::SendBackToSetup(BoardStatus status)
{
    ControlStore &controls = State.Controls;
    if (status == StatusNothingEntered)
        controls.SetNews(news::NothingEntered);
    else if (status == StatusTooFew)
        controls.SetNews(news::TooFew);
    else
        return false;
    LoadGivens(State.Board, controls);
    EnterSetupMode(State.Board, controls);
    return true;
}

void Dispatcher::ClickCheck()
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    const BoardStatus status = CheckBoard(board, controls);
    if (SendBackToSetup(status))
        return;
    switch (status) {
    case StatusNotStarted:
        controls.SetNews(news::NotStarted);
        break;
    case StatusImpossible:
        controls.SetNews(std::string(news::ImpossiblePrefix) + board.Explanation);
        // At most the unit is framed, never a square.
        board.HighlightSquare = -1;
        ShowHighlight(board, controls);
        break;
    case StatusConsistent:
        controls.SetNews(news::SeemsOk);
        break;
    case StatusSolved:
        controls.SetNews(news::Success);
        break;
    default:
        break;
    }
}

// Carries out the step the previous Next explained, then finds and explains the next one.
void Dispatcher::ClickNext()
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    const BoardStatus status = CheckBoard(board, controls);
    if (SendBackToSetup(status))
        return;
    if (status == StatusNotStarted) {
        Click(ModeStart);
        StrikeSetDigits(board, controls);
    } else if (status == StatusImpossible) {
        controls.SetNews(std::string(news::HangOnPrefix) + board.Explanation);
        ShowHighlight(board, controls);
        board.StepKind = StepRestrike;
        return;
    }
    ApplyStep(board, controls);
    ExplainNext();
}

void Dispatcher::ExplainNext()
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    if (FindStep(board, controls, -1)) {
        controls.SetNews(board.Explanation);
        ShowHighlight(board, controls);
        return;
    }
    const BoardStatus after = CheckBoard(board, controls);
    board.StepKind = StepNothingFound;
    if (after == StatusSolved) {
        controls.SetNews(news::FoundSolution);
    } else if (after == StatusImpossible) {
        if (board.Guessed)
            controls.SetNews(news::GuessWasWrong);
        else
            controls.SetNews(std::string(news::HangOnPrefix) + board.Explanation);
    } else {
        controls.SetNews(news::Tricky);
        board.Guessed = true;
    }
}

void Dispatcher::ClickRestore()
{
    // The slot holds nothing of the user's until the first Save; restoring it would fill the
    // board with a meaningless grid.
    if (!State.Snapshots.SaveSlotUsed) {
        State.Controls.SetNews(news::NothingSaved);
        return;
    }
    RestoreSnapshot(State, -1);
}

void Dispatcher::CheckUnique()
{
    PrepareUniqueCheck(State);
    Click(ModeAuto);
    JudgeUniqueCheck(State);
}

void Dispatcher::Paste(std::string_view text)
{
    PastedPuzzle puzzle;
    std::string error;
    if (!ParsePuzzleText(text, puzzle, error)) {
        State.Controls.SetNews(std::string(news::CannotPaste) + error);
        return;
    }
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    Click(ModeReset);
    // What typing the squares in order does, less the focus moving on after every key.
    for (int s = 0; s < SquareCount; ++s)
        EnterSquare(board, controls, s, puzzle.Values[s]);
    KeepPuzzle(State.Hint, board);
    if (!puzzle.HasCandidates)
        return;
    Click(ModeStart);
    // Striking a candidate by hand re-strikes the set digits, which Start has done already.
    for (int s = 0; s < SquareCount; ++s)
        if (board.Grid[s] < 0)
            controls.CandidateBits[s] &= puzzle.Candidates[s];
    // A board may hold a square with no candidate left, and so may its copy; it comes in as it
    // is, and the status line says where, in the words of the check.
    for (int s = 0; s < SquareCount; ++s) {
        if (board.Grid[s] < 0 && controls.CandidateBits[s] == 0) {
            std::string words;
            WordDeadSquare(s, words);
            controls.SetNews(std::string(news::ImpossiblePrefix) + words);
            return;
        }
    }
}

void Dispatcher::PasteFile(std::istream &file)
{
    std::string text, reason;
    if (!ReadPuzzleFileText(file, text, reason)) {
        State.Controls.SetNews(std::string(news::CannotPaste) + reason);
        return;
    }
    Paste(text);
}

void Dispatcher::OpenFile(std::istream &file, std::string name, int line)
{
    std::string text, reason;
    if (!ReadPuzzleFileText(file, text, reason)) {
        State.Controls.SetNews(std::string(news::CannotPaste) + reason);
        return;
    }
    PuzzleCollection collection;
    if (!SplitCollection(text, collection)) {
        // One whole puzzle line among lines that are none: that puzzle, as `quorix FILE` takes
        // it; a grid over many lines: the whole text.
        Paste(collection.Size() == 1 ? std::string_view(collection.Puzzles[0]) : text);
        return;
    }
    collection.Name = std::move(name);
    const int index = collection.IndexOfLine(line);
    State.Collection = std::move(collection);
    ShowPuzzle(index);
}

bool Dispatcher::ShowPuzzle(int index)
{
    PuzzleCollection &collection = State.Collection;
    if (index < 0 || index >= collection.Size())
        return false;
    collection.Position = index;
    Paste(collection.Puzzles[static_cast<std::size_t>(index)]);
    return true;
}

void Dispatcher::RequestShutdown()
{
    State.Dispatch.Closing = true;
    State.Dispatch.StopAuto = true;
}

} // namespace quorix

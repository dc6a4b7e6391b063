// The command buttons: one click handler, a common prologue and a branch per command.
#include "core/form/form1.h"

namespace quorix {

void Form1::cmdMode_Click(int index)
{
    RunPrologue();
    switch (index) {
    case ModeStart:
        LoadGivens();
        StrikeSetDigits();
        break;
    case ModeCheck:
        ClickCheck();
        break;
    case ModeReset:
        InitialiseWindow();
        EnterSetupMode();
        // So that the next puzzle can be typed at once.
        PlatformRef.FocusSquare(0);
        break;
    case ModeAuto:
        // Each Auto clicked inside a running one's yield nests a whole run on the stack; past
        // the limit the click only stops the runs, like any other command.
        if (Dispatch.AutoDepth < MaxAutoRuns)
            RunAuto();
        break;
    case ModeRestart:
        LoadGivens();
        EnterSetupMode();
        PlatformRef.FocusSquare(0);
        break;
    case ModeNext:
        ClickNext();
        break;
    case ModeCheckUnique:
        CheckUnique();
        break;
    case ModeSave:
        SaveSnapshot(-1);
        break;
    case ModeRestore:
        ClickRestore();
        break;
    default:
        break;
    }
}

// Every click, nested ones included, starts here; it also stops a running auto loop.
void Form1::RunPrologue()
{
    Controls.Timer.Enabled = false;
    Controls.Timer.PeriodMs = 500;
    Controls.SetNews("");
    Controls.Modes[ModeCheckUnique].Visible = false;
    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    Dispatch.StopAuto = true;
}

bool Form1::SendBackToSetup(BoardStatus status)
{
    if (status == StatusNothingEntered)
        Controls.SetNews(news::NothingEntered);
    else if (status == StatusTooFew)
        Controls.SetNews(news::TooFew);
    else
        return false;
    LoadGivens();
    EnterSetupMode();
    return true;
}

void Form1::ClickCheck()
{
    const BoardStatus status = CheckBoard();
    if (SendBackToSetup(status))
        return;
    switch (status) {
    case StatusNotStarted:
        Controls.SetNews(news::NotStarted);
        break;
    case StatusImpossible:
        Controls.SetNews(std::string(news::ImpossiblePrefix) + Board.Explanation);
        // At most the unit is framed, never a square.
        Board.HighlightSquare = -1;
        ShowHighlight();
        break;
    case StatusConsistent:
        Controls.SetNews(news::SeemsOk);
        break;
    case StatusSolved:
        Controls.SetNews(news::Success);
        break;
    default:
        break;
    }
}

// Carries out the step the previous Next explained, then finds and explains the next one.
void Form1::ClickNext()
{
    const BoardStatus status = CheckBoard();
    if (SendBackToSetup(status))
        return;
    if (status == StatusNotStarted) {
        cmdMode_Click(ModeStart);
        StrikeSetDigits();
    } else if (status == StatusImpossible) {
        Controls.SetNews(std::string(news::HangOnPrefix) + Board.Explanation);
        ShowHighlight();
        Board.StepKind = StepRestrike;
        return;
    }
    ApplyStep();
    if (FindStep(-1)) {
        Controls.SetNews(Board.Explanation);
        ShowHighlight();
        return;
    }
    const BoardStatus after = CheckBoard();
    Board.StepKind = StepNothingFound;
    if (after == StatusSolved) {
        Controls.SetNews(news::FoundSolution);
    } else if (after == StatusImpossible) {
        if (Board.Guessed)
            Controls.SetNews(news::GuessWasWrong);
        else
            Controls.SetNews(std::string(news::HangOnPrefix) + Board.Explanation);
    } else {
        Controls.SetNews(news::Tricky);
        Board.Guessed = true;
    }
}

void Form1::ClickRestore()
{
    // The slot holds nothing of the user's until the first Save; restoring it would fill the
    // board with a meaningless grid.
    if (!Snapshots.SaveSlotUsed) {
        Controls.SetNews(news::NothingSaved);
        return;
    }
    RestoreSnapshot(-1);
}

void Form1::RequestShutdown()
{
    Dispatch.Closing = true;
    Dispatch.StopAuto = true;
}

} // namespace quorix

// The command buttons: one click handler, a common prologue and a branch per command.
#include "window/form1.h"

namespace quorix {

namespace {

constexpr std::string_view NothingEnteredMessage = "Nothing entered yet - please set some squares";
constexpr std::string_view TooFewMessage = "Not enough squares set - please set some more";
constexpr std::string_view HangOnPrefix = "Hang on, this is impossible!  ";

} // namespace

void Form1::cmdMode_Click(std::int16_t index)
{
    Controls.Timer.Enabled = false;
    Controls.Timer.PeriodMs = 500;
    Controls.SetNews("");
    Controls.Modes[ModeCheckUnique].Visible = false;
    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    Dispatch.StopAuto = true;

    switch (index) {
    case ModeStart:
        LoadGivens();
        StrikeSetDigits();
        break;

    case ModeCheck:
        switch (CheckBoard()) {
        case StatusNothingEntered:
            Controls.SetNews(NothingEnteredMessage);
            LoadGivens();
            EnterSetupMode();
            break;
        case StatusTooFew:
            Controls.SetNews(TooFewMessage);
            LoadGivens();
            EnterSetupMode();
            break;
        case StatusNotStarted:
            Controls.SetNews("Not started yet");
            break;
        case StatusImpossible:
            Controls.SetNews("Impossible.  " + Board.Explanation);
            Board.HighlightSquare = -1;
            ShowHighlight();
            break;
        case StatusConsistent:
            Controls.SetNews("Seems OK so far");
            break;
        case StatusSolved:
            Controls.SetNews("Success!");
            break;
        default:
            break;
        }
        break;

    case ModeReset:
        InitialiseWindow();
        EnterSetupMode();
        break;

    case ModeAuto:
        RunAuto();
        break;

    case ModeRestart:
        LoadGivens();
        EnterSetupMode();
        break;

    case ModeNext: {
        switch (CheckBoard()) {
        case StatusNothingEntered:
            Controls.SetNews(NothingEnteredMessage);
            LoadGivens();
            EnterSetupMode();
            return;
        case StatusTooFew:
            Controls.SetNews(TooFewMessage);
            LoadGivens();
            EnterSetupMode();
            return;
        case StatusNotStarted:
            cmdMode_Click(ModeStart);
            StrikeSetDigits();
            break;
        case StatusImpossible:
            Controls.SetNews(std::string(HangOnPrefix) + Board.Explanation);
            ShowHighlight();
            Board.StepKind = StepRestrike;
            return;
        default:
            break;
        }
        ApplyStep();
        if (FindStep(-1)) {
            Controls.SetNews(Board.Explanation);
            ShowHighlight();
            return;
        }
        const std::int32_t status = CheckBoard();
        Board.StepKind = StepNothingFound;
        if (status == StatusSolved) {
            Controls.SetNews("Success!  Found a solution.");
        } else if (status == StatusImpossible) {
            if (Board.Guessed)
                Controls.SetNews("Guess was wrong.  Oh well, try again.");
            else
                Controls.SetNews(std::string(HangOnPrefix) + Board.Explanation);
        } else {
            Controls.SetNews("Tricky... save this, then have a guess and carry on");
            Board.Guessed = true;
        }
        break;
    }

    case ModeCheckUnique:
        CheckUnique();
        break;

    case ModeSave:
        SaveSnapshot(-1);
        break;

    case ModeRestore:
        // The slot holds nothing of the user's until the first Save; restoring it would fill
        // the board with a meaningless grid.
        if (!Snapshots.SaveSlotUsed) {
            Controls.SetNews("Nothing saved yet");
            break;
        }
        RestoreSnapshot(-1);
        break;

    default:
        break;
    }
}

void Form1::RequestShutdown()
{
    Dispatch.Closing = true;
    Dispatch.StopAuto = true;
}

} // namespace quorix

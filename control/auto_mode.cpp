// The auto loop: deduce, check, guess or backtrack, until solved, exhausted or stopped.
#include "deduce/burst_view.h"
#include "window/form1.h"

namespace quorix {

namespace {

// ApplyStep for a board on which no live candidate shares a unit with a set square of its
// digit, as every StrikeSetDigits leaves it. There a placement only adds its own digit to the
// units of its square, so striking that digit from the square's peers is all a full re-strike
// would do, and a strike or a re-strike changes nothing more. The burst's view re-reads the
// squares that may have changed.
void ApplyStepOnStruckBoard(Form1 &form, BurstView &view)
{
    auto &board = form.Board;
    switch (board.StepKind) {
    case StepPlace: {
        form.SetSquare(board.StepTarget, board.StepDigit, true);
        view.Refresh(board.StepTarget);
        const auto keep = static_cast<std::uint16_t>(~(1U << board.StepDigit));
        for (const int peer : PeersOfSquare[board.StepTarget]) {
            auto &bits = form.Controls.CandidateBits[peer];
            if ((bits & ~keep) != 0) {
                bits &= keep;
                view.Refresh(peer);
            }
        }
        break;
    }
    case StepStrike:
        form.Controls.SetCandidateVisible(board.StepTarget, false);
        view.Refresh(board.StepTarget / 9);
        break;
    default:
        break;
    }
}

// Lends the burst's view to FindStep for the rest of the burst.
class ActiveBurstScope
{
public:
    ActiveBurstScope(Form1 &form) : Form(form) {}
    ActiveBurstScope(const ActiveBurstScope &) = delete;
    ActiveBurstScope &operator=(const ActiveBurstScope &) = delete;
    ~ActiveBurstScope() { Form.ActiveBurst = nullptr; }
    void Lend(BurstView &view) { Form.ActiveBurst = &view; }

private:
    Form1 &Form;
};

} // namespace

void Form1::RunAuto()
{
    ++Dispatch.AutoDepth;
    Stats = {};
    Board.Guessed = false;
    Guesses.GuessCount = 0;
    Dispatch.StopAuto = false;
    StrikeSetDigits();
    std::int32_t status = CheckBoard();
    if (status == StatusNotStarted) {
        LoadGivens();
        StrikeSetDigits();
    }
    if (status == StatusImpossible || status == StatusTooFew || status == StatusNothingEntered) {
        Dispatch.StopAuto = true;
    } else {
        // Depth slot 0 always belongs to the latest run, so a uniqueness check after a run
        // that needed no guess starts from this run's board.
        SaveSnapshot(0);
    }
    Controls.SetNews("Setting up.");

    BurstView burstView(Controls.CandidateBits, Board.Grid);
    std::string progress = "Thinking..";
    std::uint64_t progressRevision = 0;
    bool done = false;
    while (!Dispatch.StopAuto && !Dispatch.Closing && !done) {
        ++Stats.Cycles;
        progress.push_back('.');
        // Extend the text in place while nobody else has written the status line since.
        if (progressRevision != 0 && Controls.NewsChanges() == progressRevision)
            Controls.AppendNews('.');
        else
            Controls.SetNews(progress);
        progressRevision = Controls.NewsChanges();
        PlatformRef.DoEvents();

        // Nothing else runs between the steps of a burst, so once the first step has been
        // carried out with a full re-strike, the later ones can keep the board struck cheaply.
        // Then FindStep reads a view that the later steps keep up to date instead of building
        // one from the store every time.
        {
            ActiveBurstScope scope(*this);
            bool struck = false;
            bool found;
            do {
                found = FindStep(-1);
                ShowHighlight();
                if (struck) {
                    ApplyStepOnStruckBoard(*this, burstView);
                } else {
                    ApplyStep();
                    struck = Board.StepKind == StepPlace || Board.StepKind == StepStrike
                             || Board.StepKind == StepRestrike;
                    if (struck && found) {
                        burstView.Rebuild();
                        scope.Lend(burstView);
                    }
                }
            } while (found);
        }

        status = CheckBoard();
        if (status == StatusImpossible || status == StatusConsistent) {
            done = GuessOrBacktrack(status);
            Board.Guessed = true;
        } else if (status == StatusSolved) {
            done = true;
        }
    }

    switch (status) {
    case StatusNothingEntered:
        Controls.SetNews("Nothing to do - please set some squares");
        break;
    case StatusTooFew:
        Controls.SetNews("Not enough squares set");
        break;
    case StatusImpossible:
        Controls.SetNews("This one seems to be impossible");
        break;
    case StatusSolved:
        Controls.SetNews(Board.Guessed ? "Found a solution - but might not be unique"
                                       : "Success!  Unique solution found");
        Controls.Modes[ModeCheckUnique].Visible = true;
        break;
    default:
        Controls.SetNews("Auto mode suspended");
        break;
    }
    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    Controls.Timer.Enabled = false;
    Dispatch.LastAutoStatus = status;
    --Dispatch.AutoDepth;
}

void Form1::CheckUnique()
{
    std::copy_n(Board.Grid.begin(), SquareCount, Unique.FirstSolution.begin());
    Guesses.ReverseGuessOrder = !Guesses.ReverseGuessOrder;
    RestoreSnapshot(0);
    cmdMode_Click(ModeAuto);
    // A run that did not end solved (stopped, or no solution) keeps its own message: only a
    // second solution may be compared with the first.
    if (Dispatch.LastAutoStatus != StatusSolved)
        return;
    int same = 0;
    for (int s = 0; s < SquareCount; ++s)
        same += Board.Grid[s] == Unique.FirstSolution[s];
    Controls.SetNews(same == SquareCount ? "Checked out - Solution is unique"
                                         : "Another solution found - solution is not unique");
}

} // namespace quorix

// The auto loop: deduce, check, guess or backtrack, until solved, exhausted or stopped.
#include "control/auto_carry.h"
#include "deduce/burst_view.h"
#include "window/form1.h"

#include <algorithm>
#include <utility>

namespace quorix {

void PlaceOnStruckBoard(Form1 &form, AutoCarry &carry, int square, int digit)
{
    assert(carry.Struck && digit >= 0 && digit < DigitCount);
    form.SetSquare(static_cast<std::int16_t>(square), static_cast<std::int16_t>(digit), true);
    const auto keep = static_cast<std::uint16_t>(~(1U << digit));
    auto &bits = form.Controls.CandidateBits;
    if (carry.ViewCurrent) {
        // The view follows the store, so it knows the few peers that still hold the digit.
        const SquareSet holding = carry.View.PeersHolding(square, digit);
        for (std::uint64_t w = holding.Low; w != 0; w &= w - 1)
            bits[std::countr_zero(w)] &= keep;
        for (std::uint64_t w = holding.High; w != 0; w &= w - 1)
            bits[64 + std::countr_zero(w)] &= keep;
        carry.View.Place(square, digit);
    } else {
        for (const int peer : PeersOfSquare[square])
            bits[peer] &= keep;
    }
    assert(form.SetDigitsStruck() && "a placement on a struck board leaves it struck");
}

void AutoCarry::Remember(const Form1 &form, int slot)
{
    SlotKnowledge &known = Slots[slot];
    known.Stamp = form.Snapshots.DepthStamps[slot];
    known.Struck = Struck;
    known.HasView = Struck && ViewCurrent;
    if (known.HasView) {
        while (SlotViews.size() <= static_cast<std::size_t>(slot))
            SlotViews.push_back(View);
        SlotViews[slot] = View;
    }
}

void AutoCarry::Recall(const Form1 &form, int slot)
{
    const SlotKnowledge &known = Slots[slot];
    if (known.Stamp == 0 || known.Stamp != form.Snapshots.DepthStamps[slot]) {
        Forget();
        return;
    }
    Struck = known.Struck;
    ViewCurrent = known.HasView;
    if (ViewCurrent)
        View = SlotViews[slot];
    assert(!Struck || form.SetDigitsStruck());
    assert(!ViewCurrent || View.MatchesStore());
}

namespace {

// ApplyStep for a struck board: see AutoCarry. The view is current and follows every square
// that changes.
void ApplyStepOnStruckBoard(Form1 &form, AutoCarry &carry)
{
    assert(carry.Struck && carry.ViewCurrent);
    auto &board = form.Board;
    switch (board.StepKind) {
    case StepPlace:
        if (board.StepDigit >= 0 && board.StepDigit < DigitCount) {
            PlaceOnStruckBoard(form, carry, board.StepTarget, board.StepDigit);
        } else {
            // Not a step FindStep records; carried out as written, and the view built again.
            form.ApplyStep();
            carry.View.Rebuild();
        }
        break;
    case StepStrike:
        form.Controls.SetCandidateVisible(board.StepTarget, false);
        carry.View.Refresh(board.StepTarget / 9);
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

    // Every path above ends with StrikeSetDigits.
    AutoCarry carry(*this);
    carry.Struck = true;
    std::array<std::int16_t, SquareCount> gridBefore;
    std::array<std::uint16_t, SquareCount> bitsBefore;
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

        // FindStep and the struck state read only the values and the candidates: if the yield
        // left both as they were, all the loop knows still holds.
        if (carry.Struck) {
            std::copy_n(Board.Grid.begin(), SquareCount, gridBefore.begin());
            bitsBefore = Controls.CandidateBits;
        }
        PlatformRef.DoEvents();
        if (carry.Struck
            && (bitsBefore != Controls.CandidateBits
                || !std::equal(gridBefore.begin(), gridBefore.end(), Board.Grid.begin())))
            carry.Forget();
        assert(!carry.Struck || SetDigitsStruck());

        // Nothing else runs between the steps of a burst. Once the board is struck, each step
        // keeps it struck cheaply, and FindStep reads the view that the steps keep up to date
        // instead of building one from the store every time.
        {
            ActiveBurstScope scope(*this);
            if (carry.Struck) {
                if (!carry.ViewCurrent) {
                    carry.View.Rebuild();
                    carry.ViewCurrent = true;
                }
                scope.Lend(carry.View);
            }
            bool found;
            do {
                found = FindStep(-1);
                ShowHighlight();
                if (carry.Struck) {
                    ApplyStepOnStruckBoard(*this, carry);
                } else {
                    ApplyStep();
                    carry.Struck = Board.StepKind == StepPlace || Board.StepKind == StepStrike
                                   || Board.StepKind == StepRestrike;
                    if (carry.Struck && found) {
                        carry.View.Rebuild();
                        carry.ViewCurrent = true;
                        scope.Lend(carry.View);
                    }
                }
            } while (found);
        }
        WordPendingStep();

        status = CheckBoard();
        if (status == StatusImpossible || status == StatusConsistent) {
            AutoCarry *const outer = std::exchange(Carry, &carry);
            done = GuessOrBacktrack(status);
            Carry = outer;
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

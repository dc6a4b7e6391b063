// The auto loop: deduce, check, guess or backtrack, until solved, exhausted or stopped.
#include "core/control/auto_carry.h"
#include "core/form/form1.h"
#include "core/operations/deduce/burst_view.h"

#include <algorithm>
#include <memory>

namespace quorix {

namespace {

// The progress line: "Thinking.." and one more dot every cycle, up to MaxLength characters, so
// that a run that cycles without end does not grow the text without end. It is written at every
// cycle all the same; while nobody else has written the status line since, a dot is added in
// place.
class ProgressLine
{
public:
    static constexpr std::size_t MaxLength = 255;

    explicit ProgressLine(ControlStore &controls) : Controls(controls) {}

    void Grow()
    {
        const bool untouched = Revision != 0 && Controls.NewsChanges() == Revision;
        if (Text.size() < MaxLength) {
            Text.push_back('.');
            if (untouched)
                Controls.AppendNews('.');
            else
                Controls.SetNews(Text);
        } else {
            Controls.SetNews(Text);
        }
        Revision = Controls.NewsChanges();
    }

private:
    ControlStore &Controls;
    std::string Text{news::Thinking};
    std::uint64_t Revision = 0;
};

} // namespace

// The steps of a burst change the board through these, on a struck board; they sit beside the
// loop so that they are compiled together with it.
void AutoCarry::PlaceOnStruckBoard(Form1 &form, int square, int digit)
{
    assert(Struck && digit >= 0 && digit < DigitCount);
    // A digit that is no candidate of its square (a guess on a square with none left) may
    // stand twice in a unit now; placing again the digit a square holds changes nothing.
    if (((form.Controls.CandidateBits[square] >> digit) & 1U) == 0
        && form.Board.Grid[square] != digit)
        Clean = false;
    form.SetSquareDigit(square, digit);
    auto &bits = form.Controls.CandidateBits;
    if (ViewCurrent) {
        // The view follows the store, so it knows the few peers that still hold the digit.
        View.PlaceInStore(square, digit, bits);
    } else {
        const auto keep = static_cast<std::uint16_t>(~(1U << digit));
        for (const int peer : PeersOfSquare[square])
            bits[peer] &= keep;
    }
    assert(form.SetDigitsStruck() && "a placement on a struck board leaves it struck");
}

void AutoCarry::ApplyStepOnStruckBoard(Form1 &form)
{
    assert(Struck && ViewCurrent);
    const BoardState &board = form.Board;
    switch (board.StepKind) {
    case StepPlace:
        if (board.StepDigit >= 0 && board.StepDigit < DigitCount) {
            PlaceOnStruckBoard(form, board.StepTarget, board.StepDigit);
        } else {
            // Not a step FindStep records; carried out as written, and the view built again.
            form.ApplyStep();
            View.Rebuild();
        }
        break;
    case StepStrike:
        form.Controls.SetCandidateVisible(board.StepTarget, false);
        View.Refresh(board.StepTarget / 9);
        break;
    default:
        break;
    }
}

void Form1::RunAuto()
{
    // A run started inside another run's yield searches on a stack of its own: the outer run
    // still needs its guesses and the boards saved before them, and gets them back unchanged.
    // The board it finds is the nested run's, which may hold guesses of both.
    std::unique_ptr<GuessStack> outerSearch;
    const bool outerGuessed = Board.Guessed;
    if (Dispatch.AutoDepth > 0)
        outerSearch = std::make_unique<GuessStack>(Guesses);
    ++Dispatch.AutoDepth;

    BoardStatus status = StartAutoRun();
    // Every path of the start ends with StrikeSetDigits.
    AutoCarry carry(*this);
    carry.Struck = true;
    TailQueue *const outerStopped = StoppedBursts;
    StoppedBursts = nullptr;
    ProgressLine progress(Controls);
    bool done = false;
    while (!Dispatch.StopAuto && !Dispatch.Closing && !done) {
        ++Stats.Cycles;
        progress.Grow();
        YieldToWindow(carry);
        RunBurst(carry);
        if (carry.BurstStopped) {
            // The check of a stopped burst finds its dead square; what it would say of it
            // belongs to the burst's rest, so only its hiding of the frames is done here.
            assert(CheckBoard(carry) == StatusImpossible && "a dead square makes it impossible");
            Controls.Highlights[0].Visible = false;
            Controls.Highlights[1].Visible = false;
            status = StatusImpossible;
            Disown(TailExplanation | TailSquareMark);
            StoppedBursts->Push();
            carry.BurstStopped = false;
        } else {
            status = CheckBoard(carry);
        }
        if (status == StatusImpossible || status == StatusConsistent) {
            done = GuessOrBacktrack(status, &carry);
            Board.Guessed = true;
        } else if (status == StatusSolved) {
            done = true;
        }
    }
    FinishStoppedBursts();
    StoppedBursts = outerStopped;
    FinishAutoRun(status);

    --Dispatch.AutoDepth;
    if (outerSearch) {
        Guesses = *outerSearch;
        Board.Guessed = Board.Guessed || outerGuessed;
    }
}

BoardStatus Form1::StartAutoRun()
{
    Stats = {};
    Board.Guessed = false;
    Guesses.GuessCount = 0;
    Dispatch.StopAuto = false;
    StrikeSetDigits();
    const BoardStatus status = CheckBoard();
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
    Controls.SetNews(news::SettingUp);
    return status;
}

void Form1::YieldToWindow(AutoCarry &carry)
{
    // A yield where nothing runs or draws leaves everything as it was.
    if (!PlatformRef.YieldMayTouchState()) {
        PlatformRef.DoEvents();
        return;
    }
    // What a stopped burst still owns may show from here on.
    FinishStoppedBursts();
    // FindStep and the struck state read only the values and the candidates: if the yield
    // left both as they were, all the loop knows still holds.
    std::array<std::int16_t, SquareCount> gridBefore;
    std::array<std::uint16_t, SquareCount> bitsBefore;
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
}

void Form1::RunBurst(AutoCarry &carry)
{
    // Nothing else runs between the steps of a burst. Once the board is struck, each step
    // keeps it struck cheaply, and FindStep reads the view that the steps keep up to date
    // instead of building one from the store every time.
    carry.BringViewUpToDate();
    bool wordingDeferred = false; // the last step found has its sentence still to be written
    // Nor does anything look at the frames: a step found through the view leaves them to the
    // next search, and once the last step's frames are drawn, only the latest unit frame of the
    // steps before can still show (every step frames a square).
    int dueUnit = -1;
    int dueUnitType = -1;
    // Once a step has left a dead square, the burst may stop there (see deferred_tails.h):
    // the check will find the board impossible, and the backtrack after it puts back every
    // value and candidate. That takes the loop's own knowledge of the board, and a guess to
    // go back to.
    const bool mayStop = Dispatch.StopFailingBursts && carry.Struck && carry.ViewCurrent
                         && carry.Clean && Guesses.GuessCount > 0 && Guesses.GuessDepth >= 0
                         && (StoppedBursts == nullptr || StoppedBursts->HasRoom());
    const auto stopHere = [&] {
        if (!mayStop || !carry.Clean || !carry.View.AnyDeadSquare())
            return false;
        StopBurst(carry, dueUnit, dueUnitType);
        return true;
    };
    bool anyStep = false;
    bool found;
    do {
        const bool throughView = carry.Struck && carry.ViewCurrent;
        // Single candidates, by far the most frequent steps, are found and placed in a loop of
        // their own, as the loop below would: they frame no unit, and a placement keeps the
        // board struck and the view current.
        if (throughView && PlaceSingles(carry, mayStop)) {
            wordingDeferred = true;
            anyStep = true;
            if (stopHere())
                return;
        }
        found = throughView ? FindStep(-1, carry.View, carry.LastStep) : FindStep(-1);
        if (found)
            wordingDeferred = throughView;
        if (found && throughView) {
            if (Board.HighlightUnit >= 0) {
                dueUnit = Board.HighlightUnit;
                dueUnitType = Board.HighlightUnitType;
            }
        } else {
            if (dueUnit >= 0)
                ShowUnitFrame(dueUnit, dueUnitType);
            dueUnit = -1;
            if (!anyStep && !found)
                ShowHighlightAfterNoStep();
            else
                ShowHighlight();
        }
        anyStep = anyStep || found;
        if (carry.Struck) {
            carry.ApplyStepOnStruckBoard(*this);
        } else {
            ApplyStep();
            carry.Struck = Board.StepKind == StepPlace || Board.StepKind == StepStrike
                           || Board.StepKind == StepRestrike;
            if (found)
                carry.BringViewUpToDate();
        }
        if (found && stopHere())
            return;
    } while (found);
    if (!wordingDeferred)
        return;
    Disown(TailExplanation);
#ifdef NDEBUG
    WordStep(carry.LastStep, Board.Explanation);
#else
    std::string late;
    WordStep(carry.LastStep, late);
    assert(late == Board.Explanation && "a step worded late must read as it would at once");
#endif
}

void Form1::ShowHighlightAfterNoStep()
{
    // The marks drawn are those from before the burst, which the latest stopped burst may
    // still own: its rest decides them. The frames drawn from them follow from what that rest
    // leaves, though: frame 0 goes round the square it marks, its dead square, and frame 1 ends
    // as the rest leaves it either way (round its last step's unit, or else as its own frames
    // left it). So the frames are drawn as the marks stand and stay the stopped burst's; only
    // when frame 1 had already been drawn since the stop is the rest worked out first.
    const unsigned owned =
        StoppedBursts != nullptr && !StoppedBursts->Empty() ? StoppedBursts->Newest().Owns : 0U;
    if ((owned & TailUnitMarks) != 0 && (owned & TailUnitFrame) == 0) {
        FinishStoppedBursts();
        ShowHighlight();
        return;
    }
    ShowHighlight();
    if ((owned & (TailSquareMark | TailUnitMarks)) == 0)
        return;
    // Drawing wrote no mark, so the latest stopped burst still owns some and is still there.
    DeferredTail &newest = StoppedBursts->Newest();
    if ((owned & TailSquareMark) != 0) {
        newest.Owns |= TailSquareFrame;
        newest.SquareFrameOnDeadSquare = true;
    }
    if ((owned & TailUnitMarks) != 0)
        newest.Owns |= owned & TailUnitFrame;
}

bool Form1::PlaceSingles(AutoCarry &carry, bool stopAtDeadSquare)
{
    assert(carry.Struck && carry.ViewCurrent);
    constexpr unsigned everyDigit = AllowedDigits(-1).Mask();
    int digit = -1, square = -1;
    bool placed = false;
    for (int d, s; LowestSingleCandidate(carry.View.View(), everyDigit, d, s);) {
#ifndef NDEBUG
        FoundStep rule;
        assert(carry.View.FindSingleCandidate(rule) && rule.Target == s && rule.Digit == d
               && "the loop places what the rule finds");
#endif
        carry.PlaceOnStruckBoard(*this, s, d);
        digit = d;
        square = s;
        placed = true;
        if (stopAtDeadSquare && carry.View.AnyDeadSquare())
            break;
    }
    if (placed) {
        // Only the last single is recorded: the record of each one before would be
        // overwritten by the next, unread.
        WordWithinBurst(carry.LastStep);
        RecordSingleCandidate(carry.LastStep, square, digit);
        TakeBurstStep(carry.LastStep);
    }
    return placed;
}

void Form1::FinishAutoRun(BoardStatus status)
{
    switch (status) {
    case StatusNothingEntered:
        Controls.SetNews(news::NothingToDo);
        break;
    case StatusTooFew:
        Controls.SetNews(news::AutoTooFew);
        break;
    case StatusImpossible:
        Controls.SetNews(news::AutoImpossible);
        break;
    case StatusSolved:
        Controls.SetNews(Board.Guessed ? news::SolvedWithGuesses : news::SolvedUnique);
        Controls.Modes[ModeCheckUnique].Visible = true;
        break;
    default:
        Controls.SetNews(news::Suspended);
        break;
    }
    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    Controls.Timer.Enabled = false;
    Dispatch.LastAutoStatus = status;
}

void Form1::CheckUnique()
{
    std::copy_n(Board.Grid.begin(), SquareCount, Unique.FirstSolution.begin());
    Unique.ReverseGuessOrder = !Unique.ReverseGuessOrder;
    Unique.LastVerdict = UniqueVerdict::None;
    RestoreSnapshot(0);
    // No status unless the click below runs an auto run of its own (it may find too many
    // running already).
    Dispatch.LastAutoStatus = {};
    cmdMode_Click(ModeAuto);
    // A run that did not end solved (stopped, or no solution) keeps its own message: only a
    // second solution may be compared with the first.
    if (Dispatch.LastAutoStatus != StatusSolved)
        return;
    const bool same = std::equal(Unique.FirstSolution.begin(),
                                 Unique.FirstSolution.begin() + SquareCount, Board.Grid.begin());
    Unique.LastVerdict = same ? UniqueVerdict::Unique : UniqueVerdict::AnotherSolution;
    Controls.SetNews(same ? news::Unique : news::NotUnique);
}

} // namespace quorix

#include "core/control/auto_loop.h"

#include "core/control/auto_carry.h"
#include "core/control/burst.h"
#include "core/control/guessing.h"
#include "core/control/snapshots.h"
#include "core/ground/status_texts.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/givens.h"
#include "core/operations/board/highlight.h"
#include "core/operations/board/placing.h"

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

void AutoLoop::Run()
{
    // A run started inside another run's yield searches on a stack of its own: the outer run
    // still needs its guesses and the boards saved before them, and gets them back unchanged.
    // The board it finds is the nested run's, which may hold guesses of both.
    std::unique_ptr<GuessStack> outerSearch;
    const bool outerGuessed = State.Board.Guessed;
    if (State.Dispatch.AutoDepth > 0)
        outerSearch = std::make_unique<GuessStack>(State.Guesses);
    ++State.Dispatch.AutoDepth;
    FinishRun(RunCycles(StartRun()));
    --State.Dispatch.AutoDepth;
    if (outerSearch) {
        State.Guesses = *outerSearch;
        State.Board.Guessed = State.Board.Guessed || outerGuessed;
    }
}

BoardStatus AutoLoop::StartRun()
{
    BoardState &board = State.Board;
    ControlStore &controls = State.Controls;
    State.Stats = {};
    board.Guessed = false;
    State.Guesses.GuessCount = 0;
    State.Dispatch.StopAuto = false;
    StrikeSetDigits(board, controls);
    const BoardStatus status = CheckBoard(board, controls);
    if (status == StatusNotStarted) {
        LoadGivens(board, controls);
        StrikeSetDigits(board, controls);
        KeepPuzzle(State.Hint, board);
    }
    if (status == StatusImpossible || status == StatusTooFew || status == StatusNothingEntered) {
        State.Dispatch.StopAuto = true;
    } else {
        // Depth slot 0 always belongs to the latest run, so a uniqueness check after a run
        // that needed no guess starts from this run's board.
        SaveSnapshot(State, 0);
    }
    controls.SetNews(news::SettingUp);
    return status;
}

BoardStatus AutoLoop::RunCycles(BoardStatus status)
{
    StoppedBursts bursts(State, Stopped, State.Dispatch.AutoDepth);
    AutoCarry carry(State.Board, State.Controls);
    // Every path of the start ends with StrikeSetDigits.
    carry.Struck = true;
    ProgressLine progress(State.Controls);
    const DispatchState &dispatch = State.Dispatch;
    bool done = false;
    while (!dispatch.StopAuto && !dispatch.Closing && !done) {
        ++State.Stats.Cycles;
        progress.Grow();
        YieldToWindow(carry, bursts);
        Burst(State, carry, bursts).Run();
        status = CheckAfterBurst(carry, bursts);
        if (status == StatusImpossible || status == StatusConsistent) {
            done = GuessOrBacktrack(State, status, carry, bursts);
            State.Board.Guessed = true;
        } else if (status == StatusSolved) {
            done = true;
        }
    }
    bursts.FinishAll();
    return status;
}

BoardStatus AutoLoop::CheckAfterBurst(AutoCarry &carry, StoppedBursts &bursts)
{
    if (!bursts.Stopped())
        return carry.CheckBoard(bursts);
    // The check of a stopped burst finds its dead square; what it would say of it belongs to
    // the burst's rest.
    assert(carry.CheckBoard(bursts) == StatusImpossible && "a dead square makes it impossible");
    bursts.CheckStopped();
    return StatusImpossible;
}

void AutoLoop::YieldToWindow(AutoCarry &carry, StoppedBursts &bursts)
{
    // A yield where nothing runs or draws leaves everything as it was.
    if (!Host.YieldMayTouchState()) {
        Host.DoEvents();
        return;
    }
    // What a stopped burst still owns may show from here on.
    bursts.FinishAll();
    // FindStep and the struck state read only the values and the candidates: if the yield
    // left both as they were, all the loop knows still holds.
    const BoardState &board = State.Board;
    const ControlStore &controls = State.Controls;
    std::array<std::int16_t, SquareCount> gridBefore;
    std::array<std::uint16_t, SquareCount> bitsBefore;
    if (carry.Struck) {
        std::copy_n(board.Grid.begin(), SquareCount, gridBefore.begin());
        bitsBefore = controls.CandidateBits;
    }
    Host.DoEvents();
    if (carry.Struck
        && (bitsBefore != controls.CandidateBits
            || !std::equal(gridBefore.begin(), gridBefore.end(), board.Grid.begin())))
        carry.Forget();
    assert(!carry.Struck || SetDigitsStruck(board, controls));
}

void AutoLoop::FinishRun(BoardStatus status)
{
    ControlStore &controls = State.Controls;
    switch (status) {
    case StatusNothingEntered:
        controls.SetNews(news::NothingToDo);
        break;
    case StatusTooFew:
        controls.SetNews(news::AutoTooFew);
        break;
    case StatusImpossible:
        controls.SetNews(news::AutoImpossible);
        break;
    case StatusSolved:
        controls.SetNews(State.Board.Guessed ? news::SolvedWithGuesses : news::SolvedUnique);
        controls.Modes[ModeCheckUnique].Visible = true;
        break;
    default:
        controls.SetNews(news::Suspended);
        break;
    }
    HideHighlights(controls);
    controls.Timer.Enabled = false;
    State.Dispatch.LastAutoStatus = status;
}

} // namespace quorix

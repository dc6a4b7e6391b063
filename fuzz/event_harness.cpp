#include "fuzz/event_harness.h"

#include "core/form/form1.h"
#include "fuzz/auto_answer.h"
#include "fuzz/event_codec.h"
#include "fuzz/paste_oracle.h"
#include "fuzz/status_grammar.h"
#include "fuzz/window_invariants.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorix::fuzz {

namespace {

// One window and what the harness knows of its past: the puzzle as typed, whether only Auto
// has been clicked since, events scheduled into yields to come, the last Save, and the recent
// events for a failure report.
class Session
{
public:
    Session(const HarnessOptions &options, RunStats &stats, SolutionCounts &counts)
        : Options(options), Stats(stats), Counts(counts)
    {
        Host.OnDoEvents = [this] { OnYield(); };
        Window = std::make_unique<Form1>(Host);
        Window->Form_Load();
        ExpectedGivens.fill(Empty);
        CheckInvariants("after start-up");
    }

    void RunTopLevel(const Event &event)
    {
        YieldsThisEvent = 0;
        Deliver(event);
        if (Window->Dispatch().AutoDepth != 0)
            Fail("an auto run is still in progress after its click returned");
        if (Options.Log && event.Kind != Op::At && event.Kind != Op::AutoEach)
            Options.Log("  -> [" + Window->Controls().News() + "]");
    }

private:
    Form1 &Form() { return *Window; }

    [[noreturn]] void Fail(const std::string &what)
    {
        // What a replay has logged so far comes first, and would be lost with the abort.
        std::fflush(stdout);
        std::fprintf(stderr, "\n*** invariant broken: %s\n*** after these events:\n", what.c_str());
        for (const auto &line : History)
            std::fprintf(stderr, "    %s\n", line.c_str());
        std::fprintf(stderr, "*** status line: [%s]\n", Window->Controls().News().c_str());
        std::abort();
    }

    void Note(std::string line)
    {
        if (Options.Log)
            Options.Log(line);
        History.push_back(std::move(line));
        if (History.size() > 60)
            History.pop_front();
    }

    // Log lines are indented by the number of events enclosing them.
    [[nodiscard]] std::string Indent() const
    {
        return std::string(static_cast<std::size_t>(Depth) * 2, ' ');
    }

    void Counted() { ++Stats.Events; }

    // Like the toolkit, a click or key press reaches only a control visible at that moment.
    void Deliver(const Event &event)
    {
        if (event.Kind == Op::At || event.Kind == Op::Enter || event.Kind == Op::AutoEach) {
            Note(Indent() + Describe(event));
        } else if (!Reachable(event)) {
            ++Stats.Ignored;
            return;
        } else {
            const std::string where =
                ServedYield > 0 ? " (inside yield " + std::to_string(ServedYield) + ")" : "";
            Note(Indent() + Describe(event) + where);
        }
        ++Depth;
        Act(event);
        --Depth;
        Watch.Saw(event, Form().State());
    }

    // Whether the control the event is aimed at takes clicks and keys now.
    [[nodiscard]] bool Reachable(const Event &event) const
    {
        const auto &controls = Window->Controls();
        switch (event.Kind) {
        case Op::Key:
        case Op::Square:
            return controls.Squares[event.A].Visible && controls.Squares[event.A].Enabled;
        case Op::Candidate:
            return controls.CandidateVisible(event.A);
        case Op::CandidateOf:
            return std::popcount(controls.CandidateBits[event.A]) > 0;
        case Op::Number:
            return controls.Numbers[event.A].Visible && controls.Numbers[event.A].Enabled;
        case Op::Command:
            return controls.Modes[event.A].Visible && controls.Modes[event.A].Enabled;
        case Op::Tick:
            return controls.Timer.Enabled;
        case Op::Paste:
        case Op::PasteCopy:
            return true; // the shortcuts reach the window whatever has the focus
        case Op::At:
        case Op::Enter:
        case Op::AutoEach:
        case Op::OpCount:
            break;
        }
        return false;
    }

    void Act(const Event &event)
    {
        auto &form = Form();
        switch (event.Kind) {
        case Op::Key:
            PressKey(event.A, event.B);
            break;
        case Op::Square:
            ClickSquare(event.A);
            break;
        case Op::Candidate:
            ClickCandidate(event.A);
            break;
        case Op::CandidateOf:
            ClickCandidateOf(event.A, event.B);
            break;
        case Op::Number:
            Counted();
            form.cmdNumber_Click(event.A);
            CheckInvariants("digit button click");
            break;
        case Op::Command:
            Click(event.A);
            break;
        case Op::Tick:
            Counted();
            form.Timer1_Timer();
            CheckInvariants("timer tick");
            break;
        case Op::At:
            Scheduled.emplace(YieldsSeen + event.A, event.Child);
            break;
        case Op::Enter:
            Enter(BuiltInPuzzles[event.A]);
            break;
        case Op::AutoEach:
            for (int k = 1; k <= event.A; ++k)
                Scheduled.emplace(YieldsSeen + k, AutoClick);
            break;
        case Op::Paste:
            Paste(event.Text);
            break;
        case Op::PasteCopy:
            Paste(CheckedCopy(form, event.A == 1, [this](const std::string &what) { Fail(what); }));
            break;
        case Op::OpCount:
            break;
        }
    }

    // A paste, checked (see paste_oracle.h); one that is taken types its values in anew.
    void Paste(std::string_view text)
    {
        Counted();
        ++Stats.Pastes;
        auto &form = Form();
        if (CheckedPaste(form, text,
                         [this](const std::string &what) { Fail(what + " (paste)"); })) {
            ++Stats.PastesTaken;
            std::copy_n(form.Board().Givens.begin(), SquareCount, ExpectedGivens.begin());
        }
        CheckInvariants("paste");
    }

    void PressKey(int square, int key)
    {
        if (key >= '0' && key <= '9')
            ExpectedGivens[square] = static_cast<std::int16_t>(key == '0' ? Empty : key - '1');
        Counted();
        Form().cmdSquare_KeyPress(square, key);
        CheckInvariants("key press");
    }

    void ClickSquare(int square)
    {
        auto &form = Form();
        // A blank caption starts the cycle at 1; a digit moves one step on, 9 to blank.
        const std::int16_t grid = form.Board().Grid[square];
        ExpectedGivens[square] = form.Controls().Squares[square].Caption == 0
                                     ? 0
                                     : static_cast<std::int16_t>(grid >= 8 ? Empty : grid + 1);
        Counted();
        form.cmdSquare_Click(square);
        if (form.Board().Grid[square] != ExpectedGivens[square])
            Fail("a square click did not step the square to the next digit");
        CheckInvariants("square click");
    }

    void ClickCandidate(int candidate)
    {
        auto &form = Form();
        Counted();
        form.cmdEle_Click(candidate);
        if (form.Controls().CandidateVisible(candidate))
            Fail("a clicked candidate is still visible");
        CheckInvariants("candidate click");
    }

    // Clicks the n-th (modulo their count) of the square's visible candidates.
    void ClickCandidateOf(int square, int n)
    {
        auto &form = Form();
        const std::uint16_t bits = form.Controls().CandidateBits[square];
        n %= std::popcount(bits);
        int digit = 0;
        for (; digit < DigitCount; ++digit)
            if (((bits >> digit) & 1U) && n-- == 0)
                break;
        Counted();
        form.cmdEle_Click(square * DigitCount + digit);
        CheckInvariants("candidate click");
    }

    // Types the puzzle key by key, each key delivered (or dropped) on its own.
    void Enter(std::string_view puzzle)
    {
        for (int s = 0; s < SquareCount; ++s) {
            Event key;
            key.Kind = Op::Key;
            key.A = s;
            key.B = puzzle[s] == '.' ? '0' : puzzle[s];
            Deliver(key);
        }
    }

    void Click(int index)
    {
        auto &form = Form();
        // Save then Restore at once, with nothing run in between, must give the board back.
        const bool restoreRightAfterSave = index == ModeRestore && LastSaveEvent == Stats.Events
                                           && LastSaveYield == YieldsSeen && LastSaveDepth == Depth;
        // Restore with nothing saved must say so and leave the board alone.
        const bool nothingSaved = index == ModeRestore && !form.Snapshots().SaveSlotUsed;
        const std::optional<BoardImage> before =
            nothingSaved ? std::optional<BoardImage>(TakeImage(form.State())) : std::nullopt;
        const bool outermostAuto = index == ModeAuto && form.Dispatch().AutoDepth == 0;
        Counted();
        form.cmdMode_Click(index);
        if (outermostAuto && Watch.Holds()) {
            ++Stats.AnswersChecked;
            CheckAutoAnswer(form.State(), Counts, [this](const std::string &what) {
                Fail(what + " (end of the outermost auto run)");
            });
            const BoardStatus answer = form.Dispatch().LastAutoStatus;
            if (answer != StatusSolved && answer != StatusImpossible)
                Watch.Forget();
        }
        if (before) {
            const BoardImage now = TakeImage(form.State());
            if (now.Grid != before->Grid || now.Candidates != before->Candidates)
                Fail("Restore with nothing saved changed the board");
            if (form.Controls().News() != news::NothingSaved)
                Fail("Restore with nothing saved did not say so");
        }
        if (index == ModeSave) {
            LastSaveEvent = Stats.Events;
            LastSaveYield = YieldsSeen;
            LastSaveDepth = Depth;
            Saved = TakeImage(form.State());
        }
        if (restoreRightAfterSave)
            CheckSaveRestore();
        if (index == ModeReset)
            ExpectedGivens.fill(Empty);
        CheckInvariants(std::string("click on ") + std::string(CommandNames[index]));
    }

    void CheckSaveRestore()
    {
        const auto &form = Form();
        const BoardImage now = TakeImage(form.State());
        if (now.Grid != Saved.Grid || now.Givens != Saved.Givens)
            Fail("Save then Restore changed the values");
        if (now.Candidates != Saved.Candidates)
            Fail("Save then Restore changed the candidates");
        for (int s = 0; s < SquareCount; ++s) {
            // A snapshot keeps values and candidates only: an empty square in setup form comes
            // back in solving form, as every restore lays empty squares out.
            const auto &before = Saved.Squares[s];
            if (Saved.Grid[s] < 0 && before.Visible)
                continue;
            if (!SameButton(before, now.Squares[s]))
                Fail("Save then Restore changed square " + std::to_string(s));
        }
    }

    // The auto loop's yield: runs what was scheduled for it, and stops a run that has been
    // going for too long with a click, as a user would.
    void OnYield()
    {
        ++Stats.Yields;
        ++YieldsSeen;
        ++YieldsThisEvent;
        if (Form().Dispatch().AutoDepth <= 0)
            Fail("the auto loop yielded while no auto run was counted");
        Stats.DeepestAutoRuns = std::max(Stats.DeepestAutoRuns, Form().Dispatch().AutoDepth);
        CheckInvariants("at a yield");
        auto [first, last] = Scheduled.equal_range(YieldsSeen);
        std::vector<std::shared_ptr<const Event>> due;
        for (auto it = first; it != last; ++it)
            due.push_back(it->second);
        Scheduled.erase(first, last);
        // Events due here may start runs with yields of their own before the next one is due.
        const long long outerYield = ServedYield;
        ServedYield = YieldsSeen;
        for (const auto &event : due)
            Deliver(*event);
        if (YieldsThisEvent > Options.YieldBudget) {
            ++Stats.StopClicks;
            Note(Indent() + "click Check (stop)");
            Click(ModeCheck);
            Watch.Saw(Event{Op::Command, ModeCheck, 0, nullptr, {}}, Form().State());
        }
        ServedYield = outerYield;
    }

    void CheckInvariants(const std::string &when)
    {
        auto &form = Form();
        const Failure fail = [&](const std::string &what) { Fail(what + " (" + when + ")"); };
        CheckSquares(form.State(), ExpectedGivens, fail);
        CheckButtonsAndMarks(form.State(), fail);
        if (!IsSystemText(form.Controls().News()))
            fail("the status line is not one of the program's texts");
        if (!Host.Messages.empty())
            fail("a message box opened: " + Host.Messages.front());
        const BoardStatus status =
            ProbeCheckBoard(form.State(), [this](const std::string &what) { Fail(what); });
        if (status < StatusImpossible || status > StatusTooFew)
            fail("CheckBoard returned " + std::to_string(static_cast<int>(status)));
        if (status == StatusSolved)
            CheckSolvedGrid(form.State(), fail);
    }

    const HarnessOptions &Options;
    RunStats &Stats;
    SolutionCounts &Counts;
    const std::shared_ptr<const Event> AutoClick =
        std::make_shared<const Event>(Event{Op::Command, ModeAuto, 0, nullptr, {}});
    AutoOnlyWatch Watch;
    HeadlessPlatform Host;
    std::unique_ptr<Form1> Window;
    std::array<std::int16_t, SquareCount> ExpectedGivens{};
    std::multimap<long long, std::shared_ptr<const Event>> Scheduled;
    std::deque<std::string> History;
    long long YieldsSeen = 0;
    long long YieldsThisEvent = 0;
    long long LastSaveEvent = -1;
    long long LastSaveYield = -1;
    int LastSaveDepth = -1;
    long long ServedYield = 0; // the yield whose events are being delivered; 0 outside yields
    BoardImage Saved;
    int Depth = 0;
};

} // namespace

void RunInput(std::span<const std::uint8_t> input, const HarnessOptions &options, RunStats &stats)
{
    // Kept from input to input: the fuzzer types the same few puzzles over and over.
    static SolutionCounts counts;
    Session session(options, stats, counts);
    Reader in(input);
    Event event;
    while (Decode(in, event))
        session.RunTopLevel(event);
}

} // namespace quorix::fuzz

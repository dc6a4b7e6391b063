// The check of Auto's answer and the watch that decides when it applies. A watch that outlives
// an event able to change the board under the search makes the check cry wolf; one that never
// holds, or a check that never fires, leaves the fuzzer blind.
#include "core/form/form1.h"
#include "core/ground/status_texts.h"
#include "core/operations/text/puzzle_text.h"
#include "fuzz/auto_answer.h"
#include "fuzz/event_codec.h"
#include "fuzz/event_harness.h"
#include "fuzz/seed_corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace quorix::fuzz {
namespace {

struct Broken
{
    std::string What;
};
const Failure Throw = [](const std::string &what) { throw Broken{what}; };

Event Make(Op kind, int a = 0, int b = 0)
{
    Event event;
    event.Kind = kind;
    event.A = a;
    event.B = b;
    return event;
}

// A built-in puzzle typed key by key, the watch seeing every key.
struct TypedWindow
{
    explicit TypedWindow(BuiltIn puzzle)
    {
        Form.Form_Load();
        Type(BuiltInPuzzles[puzzle]);
    }

    void Type(std::string_view puzzle)
    {
        for (int s = 0; s < SquareCount; ++s) {
            const char key = puzzle[s] == '.' ? '0' : puzzle[s];
            Form.cmdSquare_KeyPress(s, key);
            Watch.Saw(Make(Op::Key, s, key), Form.State());
        }
    }

    // The first failure of the answer check on the window, or on `state`, or "".
    std::string Answer() { return Answer(Form.State()); }
    std::string Answer(const FormState &state)
    {
        try {
            CheckAutoAnswer(state, Counts, Throw);
        } catch (const Broken &broken) {
            return broken.What;
        }
        return "";
    }

    HeadlessPlatform Host;
    Form1 Form{Host};
    AutoOnlyWatch Watch;
    SolutionCounts Counts;
};

TEST(AutoOnlyWatch, TypingStartsItOnlyOutsideRunsOnABoardLaidOutAsTyped)
{
    TypedWindow window(Easy);
    EXPECT_TRUE(window.Watch.Holds());

    // A key that types nothing.
    window.Form.cmdSquare_KeyPress(0, 'a');
    window.Watch.Saw(Make(Op::Key, 0, 'a'), window.Form.State());
    EXPECT_FALSE(window.Watch.Holds());
    window.Watch.Saw(Make(Op::Key, 0, '0'), window.Form.State());
    EXPECT_TRUE(window.Watch.Holds());

    // A digit typed inside an auto run's yield.
    FormState inYield = window.Form.State();
    inYield.Dispatch.AutoDepth = 1;
    window.Watch.Saw(Make(Op::Key, 0, '0'), inYield);
    EXPECT_FALSE(window.Watch.Holds());

    // Typing over a started board leaves the other squares' candidates as they were.
    window.Form.cmdMode_Click(ModeStart);
    window.Form.cmdSquare_KeyPress(2, '3');
    window.Watch.Saw(Make(Op::Key, 2, '3'), window.Form.State());
    EXPECT_FALSE(window.Watch.Holds());
    EXPECT_FALSE(LaidOutAsTyped(window.Form.State()));

    // Typing a whole grid over a board Auto has solved: its last step stays pending, and the
    // next search that finds nothing carries it out again over what was typed.
    TypedWindow solved(Easy);
    solved.Form.cmdMode_Click(ModeAuto);
    ASSERT_EQ(solved.Form.Board().StepKind, StepPlace);
    solved.Type(GridText(solved.Form.Board().Grid));
    EXPECT_FALSE(solved.Watch.Holds());
}

TEST(AutoOnlyWatch, OnlyAutoClicksTicksAndSchedulingKeepIt)
{
    std::vector<std::pair<Event, bool>> cases = {
        {Make(Op::Command, ModeAuto), true},
        {Make(Op::Tick), true},
        {Make(Op::At, 3), true},
        {Make(Op::AutoEach, 17), true},
        {Make(Op::Square, 4), false},
        {Make(Op::Candidate, 40), false},
        {Make(Op::CandidateOf, 4, 1), false},
        {Make(Op::Number, 2), false},
    };
    // The harness's stop click is a click on Check.
    for (const std::int16_t index : CommandIndexes)
        if (index != ModeAuto)
            cases.push_back({Make(Op::Command, index), false});
    TypedWindow window(Hard);
    for (const auto &[event, keeps] : cases) {
        window.Watch.Saw(Make(Op::Key, 80, '0'), window.Form.State());
        ASSERT_TRUE(window.Watch.Holds());
        window.Watch.Saw(event, window.Form.State());
        EXPECT_EQ(window.Watch.Holds(), keeps) << Describe(event);
    }
}

TEST(AutoAnswer, GivensTextAndCountsArePerPuzzleAsTyped)
{
    const std::pair<BuiltIn, int> cases[] = {
        {Hard, 1}, {NeedsGuesses, 1}, {TwoSolutions, 2}, {Sixteen, 2}, {Duplicate, 0}};
    SolutionCounts counts;
    for (const auto &[puzzle, solutions] : cases) {
        TypedWindow window(puzzle);
        const std::string text = GivensText(window.Form.State());
        EXPECT_EQ(text, BuiltInPuzzles[puzzle]);
        EXPECT_EQ(counts.Of(text), solutions) << text;
        EXPECT_EQ(counts.Of(text), solutions) << text;
    }
    EXPECT_EQ(counts.Size(), std::size(cases));
}

TEST(AutoAnswer, AWrongAnswerOnAPuzzleWithOneSolutionIsReported)
{
    TypedWindow window(NeedsGuesses);
    Form1 &form = window.Form;
    form.cmdMode_Click(ModeAuto);
    ASSERT_EQ(form.Dispatch().LastAutoStatus, StatusSolved);
    EXPECT_EQ(window.Answer(), "");

    // Two squares that are not givens swapped: full, but not the solution.
    FormState swapped = form.State();
    std::swap(swapped.Board.Grid[2], swapped.Board.Grid[5]);
    EXPECT_EQ(window.Answer(swapped),
              "Auto ended solved on a board that is not the puzzle's one solution");

    for (const std::string_view verdict :
         {news::AutoImpossible, news::AutoTooFew, news::NothingToDo}) {
        FormState said = form.State();
        said.Dispatch.LastAutoStatus = StatusImpossible;
        said.Controls.SetNews(verdict);
        EXPECT_EQ(window.Answer(said),
                  "Auto answered \"" + std::string(verdict) + "\" on a puzzle with one solution");
    }
    FormState stopped = form.State();
    stopped.Controls.SetNews(news::Suspended);
    stopped.Dispatch.LastAutoStatus = StatusConsistent;
    EXPECT_EQ(window.Answer(stopped), "") << "a stopped run gives no answer";
}

TEST(AutoAnswer, PuzzlesWithoutExactlyOneSolutionAreNotChecked)
{
    for (const BuiltIn puzzle : {TwoSolutions, Duplicate}) {
        TypedWindow window(puzzle);
        FormState said = window.Form.State();
        said.Controls.SetNews(news::AutoImpossible);
        said.Dispatch.LastAutoStatus = StatusSolved; // and a board far from solved
        EXPECT_EQ(window.Answer(said), "") << BuiltInPuzzles[puzzle];
    }
}

// Runs a seed through the whole harness; a broken invariant aborts the test.
RunStats RunSeed(std::string_view name)
{
    const auto seeds = SeedCorpus();
    const auto seed = std::find_if(seeds.begin(), seeds.end(),
                                   [&](const SeedFile &file) { return file.Name == name; });
    RunStats stats;
    if (seed == seeds.end()) {
        ADD_FAILURE() << "no seed " << name;
        return stats;
    }
    RunInput(seed->Bytes, HarnessOptions{}, stats);
    return stats;
}

TEST(AutoAnswer, TheHarnessChecksEveryOutermostAutoAfterTypingAndNestsToTheLimit)
{
    // Two outermost Auto clicks; the nested one is not an answer of its own.
    const RunStats secondAuto = RunSeed("second_auto_after_guess");
    EXPECT_EQ(secondAuto.AnswersChecked, 2);
    EXPECT_EQ(secondAuto.DeepestAutoRuns, 2);
    // Clicks and keys inside the run's yields end the watch before the run ends.
    EXPECT_EQ(RunSeed("board_changed_under_auto").AnswersChecked, 0);
    for (const std::string_view deep :
         {"auto_nested_17_deep", "auto_nested_24_deep_mid_search", "auto_nested_17_deep_by_at"})
        EXPECT_EQ(RunSeed(deep).DeepestAutoRuns, MaxAutoRuns) << deep;
}

} // namespace
} // namespace quorix::fuzz

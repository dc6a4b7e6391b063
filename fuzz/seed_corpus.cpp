#include "fuzz/seed_corpus.h"

#include "core/form/form1.h"
#include "fuzz/event_codec.h"

#include <string>

namespace quorix::fuzz {

namespace {

enum class StepKind : std::uint8_t {
    Key,
    Square,
    Candidate,
    CandidateOf,
    Number,
    Command,
    Tick,
    At,
    Enter,
    AutoEach,
    Type, // a built-in puzzle typed key by key rather than by one Enter event
    Paste,
    PasteCopy
};

// One event of a scenario (or one typed puzzle), written Repeat times.
struct Step
{
    StepKind Kind = StepKind::Tick;
    int A = 0;
    int B = 0;
    int Repeat = 1;
    std::string_view Text{}; // what Paste pastes
};

constexpr Step Key(int square, char key)
{
    return {StepKind::Key, square, static_cast<unsigned char>(key)};
}
constexpr Step Square(int square)
{
    return {StepKind::Square, square};
}
constexpr Step Candidate(int candidate)
{
    return {StepKind::Candidate, candidate};
}
constexpr Step CandidateOf(int square, int n)
{
    return {StepKind::CandidateOf, square, n};
}
constexpr Step Number(int digitCode)
{
    return {StepKind::Number, digitCode};
}
// The step after this one runs inside the k-th yield to come.
constexpr Step At(int k)
{
    return {StepKind::At, k};
}
constexpr Step Enter(BuiltIn puzzle)
{
    return {StepKind::Enter, puzzle};
}
// An Auto click inside each of the next n yields.
constexpr Step AutoEach(int n)
{
    return {StepKind::AutoEach, n};
}
constexpr Step Type(BuiltIn puzzle)
{
    return {StepKind::Type, puzzle};
}
Step Paste(std::string_view text)
{
    return {StepKind::Paste, 0, 0, 1, text};
}
// A paste of the board's own copy: the candidate grid, or the line.
constexpr Step PasteCopy(bool candidates)
{
    return {StepKind::PasteCopy, candidates ? 1 : 0};
}
constexpr Step Times(int repeat, Step step)
{
    step.Repeat = repeat;
    return step;
}

constexpr Step Tick{StepKind::Tick};
constexpr Step Start{StepKind::Command, ModeStart};
constexpr Step Check{StepKind::Command, ModeCheck};
constexpr Step Reset{StepKind::Command, ModeReset};
constexpr Step Auto{StepKind::Command, ModeAuto};
constexpr Step Restart{StepKind::Command, ModeRestart};
constexpr Step Next{StepKind::Command, ModeNext};
constexpr Step CheckUnique{StepKind::Command, ModeCheckUnique};
constexpr Step Save{StepKind::Command, ModeSave};
constexpr Step Restore{StepKind::Command, ModeRestore};

struct Scenario
{
    std::string_view Name;
    std::vector<Step> Steps;
};

// A scenario too long for one list, in two parts.
std::vector<Step> Join(std::initializer_list<Step> first, std::initializer_list<Step> second)
{
    std::vector<Step> steps(first);
    steps.insert(steps.end(), second);
    return steps;
}

// The puzzle, then Auto clicks scheduled one by one into the first `runs` yields, each nesting
// a run in the one before, then the outermost Auto click and what follows it.
std::vector<Step> NestedByAt(BuiltIn puzzle, int runs, std::initializer_list<Step> after)
{
    std::vector<Step> steps{Enter(puzzle)};
    for (int k = 1; k <= runs; ++k) {
        steps.push_back(At(k));
        steps.push_back(Step{StepKind::Command, ModeAuto});
    }
    steps.insert(steps.end(), after);
    return steps;
}

// Pasted texts. A candidate grid whose square 2 lists only the 3 of square 1: pasted, that
// square has no candidate left, and its copy writes it so.
const std::string DeadSquareGrid = [] {
    std::string grid = "3 33";
    for (int s = 2; s < SquareCount; ++s)
        grid += " 12";
    return grid;
}();
// A run of 162 digits: squares to count, not a square's candidates.
const std::string DigitRun(162, '1');
const std::string FramedEasy = "  # indented comment\n"
                               "+-------+-------+-------+\n"
                               "| 5 3 . | . 7 . | . . . |\n| 6 . . | 1 9 5 | . . . |\n"
                               "| . 9 8 | . . . | . 6 . |\n+-------+-------+-------+\n"
                               "| 8 . . | . 6 . | . . 3 |\n| 4 . . | 8 . 3 | . . 1 |\n"
                               "| 7 . . | . 2 . | . . 6 |\n+-------+-------+-------+\n"
                               "| . 6 . | . . . | 2 8 . |\n| . . . | 4 1 9 | . . 5 |\n"
                               "| . . . | . 8 . | . 7 9 |\n+-------+-------+-------+\n";

// At(k) puts the step after it inside the k-th yield to come.
const std::vector<Scenario> Scenarios = {
    // A real puzzle typed key by key, started and stepped through.
    {"type_start_next20", {Type(Easy), Start, Times(20, Next), Check}},
    {"auto_save_at_third_yield",
     {Enter(Hard), Start, At(3), Save, Auto, Restore, Auto, CheckUnique}},
    {"check_unique_unique", {Enter(Hard), Auto, CheckUnique, CheckUnique}},
    {"check_unique_several", {Enter(Several), Auto, CheckUnique, Check}},
    {"check_unique_two", {Enter(TwoSolutions), Auto, CheckUnique}},
    {"check_unique_stopped", {Enter(Several), Auto, At(2), Save, CheckUnique}},
    {"reset_mid_run", {Enter(Hard), At(2), Reset, Auto, Check, Next}},
    {"nested_auto", {Enter(Hard), At(1), Auto, At(4), Auto, Auto, CheckUnique}},
    {"restore_before_save", {Restore, Enter(Easy), Restore, Start, Save, Restore, Next}},
    {"save_restore_setup_and_solving",
     {Enter(Hard), Save, Restore, Start, CandidateOf(1, 0), Save, Restore, Check}},
    {"broken_puzzles",
     {Enter(Duplicate), Check, Next, Auto, Reset, Enter(DuplicateRow), Next, Next, Auto, Reset,
      Enter(DeadSquare), Next, Auto, Check, Reset, Enter(NoPlace), Auto, Next, Check}},
    {"too_few",
     {Enter(NineGivens), Auto, Next, Check, Reset, Enter(SingleGiven), Start, Auto, Check}},
    {"complete_and_one_left",
     {Enter(Complete), Check, Next, Auto, CheckUnique, Reset, Enter(OneLeft), Next, Next, Next}},
    // Hand entry: click cycles and stray keys on the empty board; then, on a puzzle, strikes,
    // digit buttons and the blink timer.
    {"manual_session",
     Join({Times(10, Square(0)), Square(1), Square(1), Key(2, 'a'), Key(2, '\0'), Key(3, '\xff'),
           Key(80, '7'), Key(79, '0')},
          {Enter(Easy), Start, Next, Tick, Tick, Number(3), Number(8), Candidate(728), Candidate(0),
           CandidateOf(40, 2), Square(2), Key(4, '9'), Next, Check, Tick})},
    {"board_changed_under_auto",
     {Enter(Hard), At(1), Square(0), At(2), Key(4, '0'), At(2), Number(4), At(3),
      CandidateOf(10, 0), At(5), Restart, Auto, Next}},
    // A blanked given leaves an empty square in setup form: the run finds nothing to do and
    // keeps cycling until a click stops it.
    {"endless_cycle_stopped",
     {Enter(Easy), Start, At(1), Key(2, '0'), Auto, Check, Key(2, '3'), Auto}},
    {"many_solutions", {Enter(Sixteen), Auto, CheckUnique, Next}},
    {"logic_only", {Enter(LogicHard), Start, Next, Next, Auto, CheckUnique}},
    {"digit_buttons_then_next",
     {Enter(Easy), Start, Number(0), Number(1), Number(2), Number(3), Number(4), Number(5),
      Number(6), Number(7), Number(8), Next, Next, Auto}},
    // A second Auto click after the outer run's first guess, which is wrong: the nested run
    // finds nothing, the outer one must still find the one solution.
    {"second_auto_after_guess", {Enter(NeedsGuesses), At(2), Auto, Auto, Auto}},
    {"second_auto_two_solutions", {Enter(TwoSolutions), At(2), Auto, Auto, CheckUnique}},
    // Past the limit of runs at once: the click after the sixteenth run stops them all.
    {"auto_nested_17_deep", {Enter(NeedsGuesses), AutoEach(17), Auto}},
    {"auto_nested_24_deep_mid_search", {Enter(Several), At(3), AutoEach(24), Auto, CheckUnique}},
    {"auto_nested_17_deep_by_at", NestedByAt(Hard, 17, {Auto, Auto})},
    // Pastes: a square with no candidate, and its copies pasted back; a run of digits; a framed
    // grid, then copies of the board part way through a solve, as set up and with conflicts.
    {"paste_dead_square",
     {Paste(DeadSquareGrid), PasteCopy(true), PasteCopy(false), Next, Auto, PasteCopy(true)}},
    {"paste_digit_run", {Paste(DigitRun), Paste(""), Paste("53..7\n\x01"), Enter(Easy), Auto}},
    {"paste_forms",
     {Paste(FramedEasy), Auto, Paste(FramedEasy), Start, Next, Next, Next, PasteCopy(true),
      CandidateOf(2, 0), PasteCopy(true), Auto, PasteCopy(true), PasteCopy(false)}},
    {"paste_strike_every_candidate",
     {Enter(Easy), Start, Times(3, CandidateOf(2, 0)), PasteCopy(true), Check, Next, Auto}},
    {"paste_copies_in_setup_and_with_conflicts",
     {Enter(Hard), PasteCopy(true), Reset, Enter(Easy), Start, Square(0), Key(1, '5'),
      PasteCopy(true), Auto, PasteCopy(true)}},
    {"paste_inside_auto",
     {Enter(Hard), At(2), Paste(FramedEasy), At(3), PasteCopy(true), Auto, At(1), PasteCopy(false),
      Auto, CheckUnique}},
};

void Write(EventWriter &writer, const Step &step)
{
    for (int i = 0; i < step.Repeat; ++i) {
        switch (step.Kind) {
        case StepKind::Key:
            writer.Key(step.A, static_cast<char>(step.B));
            break;
        case StepKind::Square:
            writer.Square(step.A);
            break;
        case StepKind::Candidate:
            writer.Candidate(step.A);
            break;
        case StepKind::CandidateOf:
            writer.CandidateOf(step.A, step.B);
            break;
        case StepKind::Number:
            writer.Number(step.A);
            break;
        case StepKind::Command:
            writer.Command(step.A);
            break;
        case StepKind::Tick:
            writer.Tick();
            break;
        case StepKind::At:
            writer.At(step.A);
            break;
        case StepKind::Enter:
            writer.Enter(step.A);
            break;
        case StepKind::AutoEach:
            writer.AutoEach(step.A);
            break;
        case StepKind::Type:
            writer.Type(BuiltInPuzzles[step.A]);
            break;
        case StepKind::Paste:
            writer.Paste(step.Text);
            break;
        case StepKind::PasteCopy:
            writer.PasteCopy(step.A == 1);
            break;
        }
    }
}

} // namespace

std::vector<SeedFile> SeedCorpus()
{
    std::vector<SeedFile> seeds;
    for (const Scenario &scenario : Scenarios) {
        EventWriter writer;
        for (const Step &step : scenario.Steps)
            Write(writer, step);
        seeds.push_back({scenario.Name, writer.Bytes()});
    }
    return seeds;
}

} // namespace quorix::fuzz

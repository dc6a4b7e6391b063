#include "tools/solve_verdict.h"

#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"

#include <algorithm>

namespace quorix {

namespace {

// Every Next that finds a step strikes a candidate or sets a square, so a path has at most one
// step per candidate; the rest is a margin for the clicks that lay the puzzle out.
constexpr int MaxNextClicks = SquareCount * DigitCount + 10;

std::string Malformed(std::string_view what, std::string_view line)
{
    return "malformed: " + std::string(what) + ": " + QuoteForMessage(line);
}

int CountGivens(std::string_view puzzle)
{
    return static_cast<int>(
        std::count_if(puzzle.begin(), puzzle.end(), [](char c) { return c >= '1' && c <= '9'; }));
}

} // namespace

std::string_view VerdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Unique:
        return "unique";
    case Verdict::Several:
        return "several";
    case Verdict::None:
        return "none";
    case Verdict::Invalid:
        return "invalid";
    case Verdict::Failed:
        break;
    }
    return "failed";
}

PuzzleVerdict InvalidVerdict(std::string reason)
{
    PuzzleVerdict verdict;
    verdict.What = Verdict::Invalid;
    verdict.Reason = std::move(reason);
    return verdict;
}

std::string TooLongReason(std::string_view start, std::uint64_t length)
{
    return "malformed: a line of " + std::to_string(length)
           + " characters, too long for a puzzle: " + QuoteForMessage(start);
}

bool ReadPuzzleLine(std::string_view line, std::string &puzzle, std::string &reason)
{
    // The form nearly every collection uses, without building a parse.
    if (IsPuzzleText(line)) {
        puzzle.assign(line);
        std::replace(puzzle.begin(), puzzle.end(), '0', '.');
        return true;
    }
    if (line.size() > MaxPuzzleLineLength) {
        reason = TooLongReason(line, line.size());
        return false;
    }
    PastedPuzzle pasted;
    std::string error;
    if (!ParsePuzzleText(line, pasted, error)) {
        reason = Malformed(error, line);
        return false;
    }
    // Which candidates a candidate grid strikes is not part of any puzzle.
    if (pasted.HasCandidates) {
        reason = Malformed("a candidate grid, not a puzzle", line);
        return false;
    }
    puzzle = GridText(pasted.Values);
    return true;
}

PuzzleSolver::PuzzleSolver()
    : Host(std::make_unique<HeadlessPlatform>()), Form(std::make_unique<Form1>(*Host))
{
    Form->Form_Load();
}

PuzzleSolver::~PuzzleSolver() = default;

void PuzzleSolver::Enter(std::string_view puzzle)
{
    Form->cmdMode_Click(ModeReset);
    TypePuzzle(*Form, puzzle);
}

PuzzleVerdict PuzzleSolver::JudgeLine(std::string_view line)
{
    std::string puzzle, reason;
    if (!ReadPuzzleLine(line, puzzle, reason))
        return InvalidVerdict(std::move(reason));
    return Judge(puzzle);
}

PuzzleVerdict PuzzleSolver::Judge(std::string_view puzzle)
{
    Enter(puzzle);
    // Auto calls a given twice in a unit impossible, just like a puzzle without solution;
    // the board as typed tells the two apart.
    if (Form->CheckBoard() == StatusImpossible)
        return InvalidVerdict("duplicated given: " + Form->Board().Explanation);

    Form->cmdMode_Click(ModeAuto);
    PuzzleVerdict verdict;
    verdict.Guesses = Form->Stats().Guesses;
    verdict.AutoNews = Form->Controls().News();
    switch (Form->Dispatch().LastAutoStatus) {
    case StatusTooFew: {
        const int givens = CountGivens(puzzle);
        verdict.What = Verdict::Invalid;
        verdict.Reason = "too few givens: " + std::to_string(givens) + ", at least "
                         + std::to_string(MinimumGivens) + " are needed";
        break;
    }
    case StatusImpossible:
        verdict.What = Verdict::None;
        break;
    case StatusSolved:
        verdict.Solution = GridText(Form->Board().Grid);
        CheckUnique(verdict);
        break;
    default:
        verdict.What = Verdict::Failed;
        verdict.Reason = "Auto gave no answer: " + QuoteForMessage(verdict.AutoNews, 80);
        break;
    }
    return verdict;
}

void PuzzleSolver::CheckUnique(PuzzleVerdict &verdict)
{
    // Check Unique leaves the other solution, if any, on the board; the one reported is Auto's.
    Form->cmdMode_Click(ModeCheckUnique);
    verdict.UniqueNews = Form->Controls().News();
    switch (Form->Unique().LastVerdict) {
    case UniqueVerdict::Unique:
        verdict.What = Verdict::Unique;
        break;
    case UniqueVerdict::AnotherSolution:
        verdict.What = Verdict::Several;
        break;
    case UniqueVerdict::None:
        verdict.What = Verdict::Failed;
        verdict.Reason = "Check Unique gave no answer: " + QuoteForMessage(verdict.UniqueNews, 80);
        break;
    }
}

NextPath PuzzleSolver::WalkNext(std::string_view puzzle)
{
    Enter(puzzle);
    NextPath path;
    for (int click = 0; click < MaxNextClicks; ++click) {
        Form->cmdMode_Click(ModeNext);
        // A Next that finds a step leaves it pending, to be carried out by the next click;
        // every other outcome (solved, stuck, impossible, not enough entered) leaves none.
        const PendingStepKind pending = Form->Board().StepKind;
        if (pending != StepPlace && pending != StepStrike) {
            path.Stop = Form->Controls().News();
            return path;
        }
        path.Steps.push_back(Form->Controls().News());
    }
    path.GaveUp = true;
    return path;
}

} // namespace quorix

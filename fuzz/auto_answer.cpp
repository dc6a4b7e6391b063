#include "fuzz/auto_answer.h"

#include "core/ground/status_texts.h"
#include "core/operations/text/puzzle_text.h"
#include "core/operations/verify/solution_count.h"

namespace quorix::fuzz {

void AutoOnlyWatch::Saw(const Event &event, const FormState &form)
{
    switch (event.Kind) {
    case Op::Key: {
        // A key inside a run changes the board under its search, and a key that is not a digit
        // types nothing.
        const bool typing = event.B >= '0' && event.B <= '9' && form.Dispatch.AutoDepth == 0;
        Holding = typing && LaidOutAsTyped(form);
        break;
    }
    case Op::Command:
        Holding = Holding && event.A == ModeAuto;
        break;
    case Op::Paste:
    case Op::PasteCopy:
        // A paste the window takes types a puzzle in anew; one it refuses changes nothing.
        if (!form.Controls.News().starts_with(news::CannotPaste))
            Holding = form.Dispatch.AutoDepth == 0 && LaidOutAsTyped(form);
        break;
    case Op::Tick:
    case Op::At:
    case Op::Enter:
    case Op::AutoEach:
        break;
    case Op::Square:
    case Op::Candidate:
    case Op::CandidateOf:
    case Op::Number:
    case Op::OpCount:
        Holding = false;
        break;
    }
}

bool LaidOutAsTyped(const FormState &form)
{
    // A step left pending by an earlier solve is carried out again by the next search that
    // finds nothing, over whatever was typed since: Auto would not start on the puzzle alone.
    // Setup form forgets it; typing over a board in solving form does not.
    if (form.Board.StepKind == StepPlace || form.Board.StepKind == StepStrike)
        return false;
    // A shown square has no candidates: the invariants checked after every event see to it.
    for (int s = 0; s < SquareCount; ++s)
        if (form.Board.Grid[s] != form.Board.Givens[s] || !form.Controls.Squares[s].Visible)
            return false;
    return true;
}

std::string GivensText(const FormState &form)
{
    return GridText(form.Board.Givens);
}

int SolutionCounts::Of(const std::string &puzzle)
{
    if (const auto known = Known.find(puzzle); known != Known.end())
        return known->second;
    // Hand-typed puzzles have no bound in number: start afresh rather than grow without end.
    if (Known.size() >= 100000)
        Known.clear();
    const int count = CountSolutions(puzzle, 2);
    Known.emplace(puzzle, count);
    return count;
}

void CheckAutoAnswer(const FormState &form, SolutionCounts &counts, const Failure &fail)
{
    const std::string &line = form.Controls.News();
    const bool noSolution =
        line == news::AutoImpossible || line == news::AutoTooFew || line == news::NothingToDo;
    const bool solved = form.Dispatch.LastAutoStatus == StatusSolved;
    // Only these answers can be wrong, and counting is what costs.
    if (!noSolution && !solved)
        return;
    const std::string puzzle = GivensText(form);
    if (counts.Of(puzzle) != 1)
        return;
    if (noSolution)
        fail("Auto answered \"" + line + "\" on a puzzle with one solution");
    if (solved && !IsValidSolution(puzzle, form.Board.Grid))
        fail("Auto ended solved on a board that is not the puzzle's one solution");
}

} // namespace quorix::fuzz

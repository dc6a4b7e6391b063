#include "hint/answer.h"

#include "hint/engine.h"
#include "hint/mistakes.h"

#include <algorithm>
#include <bit>

namespace quorix::hint {

namespace {

HintAnswer OneRung(HintCase which, std::string text)
{
    HintAnswer answer;
    answer.Case = which;
    answer.Shown.View.Text = std::move(text);
    return answer;
}

HintAnswer Ladder(HintCase which, int rungs, int asked)
{
    HintAnswer answer;
    answer.Case = which;
    answer.Rungs = rungs;
    answer.Number = std::clamp(asked, 1, rungs);
    return answer;
}

HintAnswer SlipAnswer(const PuzzleFacts &facts, int rung)
{
    HintAnswer answer = Ladder(HintCase::Slip, SlipRungs(facts.Slips), rung);
    answer.Shown = SlipRung(facts.Puzzle, facts.Solutions, facts.Slips, answer.Number);
    if (!answer.Shown.Actions.empty())
        answer.Puzzle = WithSlipMended(facts.Puzzle, facts.Slips.front());
    return answer;
}

// Whether every square is set, no digit repeats in a unit and every given is kept: on a
// puzzle with several solutions, a board reached that way is one of them.
bool SolvedKeepingGivens(std::string_view puzzle, const Position &position)
{
    if (!position.Solved() || position.Broken())
        return false;
    for (int square = 0; square < 81; ++square)
        if (puzzle[square] >= '1' && puzzle[square] <= '9'
            && position.Value(square) != puzzle[square] - '1')
            return false;
    return true;
}

} // namespace

std::string SolutionOf(std::string_view puzzle, const SolutionCounter &count)
{
    const auto start = Position::FromLine(puzzle);
    if (!start || count(puzzle, 2) != 1)
        return {};
    Position position = *start;
    std::string line(puzzle);
    for (int square = 0; square < 81; ++square) {
        if (!position.IsEmpty(square))
            continue;
        const DigitMask candidates = position.Candidates(square);
        int digit = std::countr_zero(static_cast<unsigned>(candidates));
        // The digit is the last candidate left, or the first one that keeps a solution.
        for (; digit < 9 && (candidates & (candidates - 1)); ++digit) {
            if (!(candidates & DigitBit(digit)))
                continue;
            line[square] = static_cast<char>('1' + digit);
            if (count(line, 1) == 1)
                break;
        }
        if (digit >= 9)
            return {};
        line[square] = static_cast<char>('1' + digit);
        position.Place(square, digit);
    }
    return line;
}

PuzzleFacts StudyPuzzle(std::string_view puzzle, const SolutionCounter &count)
{
    PuzzleFacts facts;
    facts.Puzzle = std::string(puzzle);
    facts.Givens = GivensOf(puzzle);
    if (!Position::FromLine(puzzle))
        return facts;
    facts.Solutions = count(puzzle, MostSolutionsCounted + 1);
    if (facts.Solutions == 1)
        facts.Solution = SolutionOf(puzzle, count);
    else
        facts.Slips = FindSlips(puzzle, facts.Solutions, count);
    return facts;
}

HintAnswer AnswerSetupHint(const PuzzleFacts &facts, int rung)
{
    if (facts.Givens == 0)
        return OneRung(HintCase::NothingEntered, "Hint: nothing entered yet");
    if (facts.Givens < FewestGivens)
        return OneRung(HintCase::TooFewGivens, "Hint: a puzzle needs at least "
                                                   + std::to_string(FewestGivens)
                                                   + " givens to have one solution; this one has "
                                                   + std::to_string(facts.Givens));
    if (facts.Solutions != 1)
        return SlipAnswer(facts, rung);
    return OneRung(HintCase::PressStart, "Hint: this puzzle has one solution; press Start");
}

HintAnswer AnswerHint(const PuzzleFacts &facts, const Position &position, int rung)
{
    if (facts.Solutions != 1 || facts.Solution.size() != 81) {
        if (facts.Puzzle.size() == 81 && SolvedKeepingGivens(facts.Puzzle, position))
            return OneRung(HintCase::Solved, "Hint: the puzzle is solved");
        return SlipAnswer(facts, rung);
    }
    const std::vector<Mistake> mistakes = FindMistakes(facts.Solution, position);
    if (!mistakes.empty()) {
        HintAnswer answer = Ladder(HintCase::Mistake, 4, rung);
        answer.Shown = MistakeRung(facts.Puzzle, facts.Solution, position, mistakes, answer.Number);
        return answer;
    }
    if (position.Solved())
        return OneRung(HintCase::Solved, "Hint: the puzzle is solved");
    Step step;
    HintOptions options;
    options.UniqueSolution = true;
    if (!FindHint(position, options, step))
        return OneRung(HintCase::Stuck, "Hint: no step of logic found here; Auto can finish the "
                                        "puzzle");
    HintAnswer answer = Ladder(HintCase::Step, 4, rung);
    answer.Shown = StepRung(step, answer.Number);
    return answer;
}

} // namespace quorix::hint

#include "tools/solve_logic.h"

#include "core/operations/verify/solution_count.h"
#include "hint/engine.h"
#include "hint/wording.h"

#include <algorithm>
#include <string>

namespace quorix {

namespace {

std::string StepLine(int number, const hint::Step &step)
{
    std::string line = "\t" + std::to_string(number) + '\t' + std::to_string(step.Tier()) + '\t';
    line += step.Name + '\t' + hint::SetsText(step) + '\t' + hint::StrikesText(step) + '\t';
    return line + step.Sentence + '\n';
}

std::string_view StatusOf(int solutions, bool solved)
{
    if (solutions == 0)
        return "none";
    if (solutions > 1)
        return "several";
    return solved ? "solved" : "stuck";
}

} // namespace

LineReport ReportLogicLine(std::string_view where, std::string_view line, LogicMode mode)
{
    std::string puzzle, reason;
    if (!ReadPuzzleLine(line, puzzle, reason))
        return ReportRefusedLogicLine(where, reason, mode);
    const int solutions = CountSolutions(puzzle, 2);
    hint::HintOptions options;
    options.UniqueSolution = solutions == 1;
    std::string steps;
    int number = 0;
    const auto start = hint::Position::FromLine(puzzle);
    const hint::LogicSolve solve = hint::SolveByLogic(*start, options, [&](const hint::Step &step) {
        ++number;
        if (mode == LogicMode::Steps)
            steps += StepLine(number, step);
    });
    const std::string_view status = StatusOf(solutions, solve.Solved);
    std::string text(where);
    if (mode == LogicMode::Grade) {
        text += '\t';
        text += status == "solved" ? hint::GradeOf(std::max(solve.HardestTier, 1)) : status;
        return {text + '\n', Verdict::Unique};
    }
    text += '\t' + solve.End.Line() + '\t' + std::string(status) + '\t'
            + std::to_string(solve.Steps) + '\t' + std::to_string(solve.HardestTier) + '\t'
            + (solve.Steps > 0 ? solve.HardestName : "-") + '\n';
    return {text + steps, Verdict::Unique};
}

LineReport ReportRefusedLogicLine(std::string_view where, std::string_view reason, LogicMode mode)
{
    std::string text(where);
    text += mode == LogicMode::Grade ? "\tinvalid\t" : "\t-\tinvalid\t-\t-\t";
    text += reason;
    return {text + '\n', Verdict::Invalid};
}

} // namespace quorix

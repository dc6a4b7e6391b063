#include "tools/solve_report.h"

namespace quorix {

namespace {

bool IsAnswer(Verdict verdict)
{
    return verdict != Verdict::Invalid && verdict != Verdict::Failed;
}

std::string VerdictText(const PuzzleVerdict &verdict)
{
    std::string text(VerdictName(verdict.What));
    if (!verdict.Reason.empty())
        text += ": " + verdict.Reason;
    return text;
}

std::string GuessCount(long long guesses)
{
    return std::to_string(guesses) + (guesses == 1 ? " guess" : " guesses");
}

void AppendPath(std::string &text, const NextPath &path)
{
    int number = 0;
    for (const std::string &step : path.Steps)
        text += "  " + std::to_string(++number) + ". " + step + '\n';
    if (path.GaveUp)
        text += "  next: still finding steps after " + std::to_string(number) + " of them\n";
    else
        text += "  next: " + path.Stop + '\n';
}

} // namespace

std::string TableRow(std::string_view where, const PuzzleVerdict &verdict)
{
    std::string row(where);
    row += '\t';
    row += verdict.Solution.empty() ? "-" : verdict.Solution;
    row += '\t';
    row += VerdictName(verdict.What);
    row += '\t';
    row += IsAnswer(verdict.What) ? std::to_string(verdict.Guesses) : "-";
    if (!verdict.Reason.empty())
        row += '\t' + verdict.Reason;
    row += '\n';
    return row;
}

std::string ExplainedPath(std::string_view where, std::string_view puzzle,
                          const PuzzleVerdict &verdict, const NextPath *path)
{
    std::string text = "puzzle " + std::string(where);
    if (!puzzle.empty())
        text += ": " + std::string(puzzle);
    text += '\n';
    if (path != nullptr)
        AppendPath(text, *path);
    if (IsAnswer(verdict.What) || (verdict.What == Verdict::Failed && !verdict.AutoNews.empty()))
        text += "  auto: " + verdict.AutoNews + " (" + GuessCount(verdict.Guesses) + ")\n";
    if (!verdict.Solution.empty())
        text += "  solution: " + verdict.Solution + '\n';
    if (!verdict.UniqueNews.empty())
        text += "  unique: " + verdict.UniqueNews + '\n';
    text += "  verdict: " + VerdictText(verdict) + "\n\n";
    return text;
}

LineReport ReportLine(PuzzleSolver &solver, std::string_view where, std::string_view line,
                      bool explain)
{
    std::string puzzle, reason;
    if (!ReadPuzzleLine(line, puzzle, reason))
        return ReportRefusedLine(where, std::move(reason), explain);
    const PuzzleVerdict verdict = solver.Judge(puzzle);
    if (!explain)
        return {TableRow(where, verdict), verdict.What};
    // A puzzle the board refuses has no path worth walking: Next only says what Auto said.
    if (verdict.What == Verdict::Invalid)
        return {ExplainedPath(where, puzzle, verdict, nullptr), verdict.What};
    const NextPath path = solver.WalkNext(puzzle);
    return {ExplainedPath(where, puzzle, verdict, &path), verdict.What};
}

LineReport ReportRefusedLine(std::string_view where, std::string reason, bool explain)
{
    const PuzzleVerdict verdict = InvalidVerdict(std::move(reason));
    return {explain ? ExplainedPath(where, {}, verdict, nullptr) : TableRow(where, verdict),
            verdict.What};
}

} // namespace quorix

// The Hint command measured on the puzzle sets, with the independent counter as the judge.
#include "bench/hint_press_bench.h"

#include "bench/thread_clock.h"
#include "core/operations/verify/solution_count.h"
#include "hint/answer.h"
#include "hint/engine.h"
#include "hint/mistakes.h"
#include "hint/wording.h"
#include "tools/puzzle_file.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace quorix {
namespace {

int Count(std::string_view puzzle, int limit)
{
    return CountSolutions(puzzle, limit);
}

std::string NameOfFile(const std::string &path)
{
    return path.substr(path.find_last_of('/') + 1);
}

// A small deterministic generator, the same on every platform.
struct Draw
{
    std::uint64_t State = 88172645463325252ULL;
    int Below(int bound)
    {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((State >> 33) % static_cast<std::uint64_t>(bound));
    }
    int From(hint::SquareBits squares)
    {
        int pick = Below(squares.Count());
        for (int square : squares)
            if (pick-- == 0)
                return square;
        return -1;
    }
};

struct SlipFigures
{
    int Studied = 0, Found = 0, Made = 0, MadeFound = 0, TrueNamed = 0;
    std::vector<double> Ms;
};

void StudyTimed(const std::string &puzzle, const hint::Slip *made, SlipFigures &figures)
{
    const auto begin = ThreadClock::now();
    const hint::PuzzleFacts facts = hint::StudyPuzzle(puzzle, Count);
    figures.Ms.push_back(Micros<ThreadClock>(begin) / 1000);
    ++figures.Studied;
    figures.Found += facts.Slips.empty() ? 0 : 1;
    if (!made)
        return;
    ++figures.Made;
    figures.MadeFound += facts.Slips.empty() ? 0 : 1;
    figures.TrueNamed += std::count(facts.Slips.begin(), facts.Slips.end(), *made) > 0 ? 1 : 0;
}

// A puzzle with one solution gives two with one given changed to another digit, where that
// leaves no solution or several; any other puzzle is studied as it is.
void SlipsOfFile(const std::string &path)
{
    SlipFigures figures;
    Draw draw;
    for (const PuzzleLine &line : ReadPuzzleLines(path)) {
        const std::string &puzzle = line.Text;
        if (CountSolutions(puzzle, 2) != 1) {
            StudyTimed(puzzle, nullptr, figures);
            continue;
        }
        for (int made = 0; made < 2; ++made) {
            std::string broken = puzzle;
            int square = draw.Below(81);
            while (broken[square] == '.')
                square = (square + 1) % 81;
            const int from = puzzle[square] - '1';
            broken[square] = static_cast<char>('1' + (from + 1 + draw.Below(8)) % 9);
            if (CountSolutions(broken, 2) == 1)
                continue;
            const hint::Slip back{square, broken[square] - '1', from};
            StudyTimed(broken, &back, figures);
        }
    }
    std::printf("%-30s %7d %7.1f%% %7d %7.1f%% %7.1f%% %8.2fms %8.2fms %8.2fms\n",
                NameOfFile(path).c_str(), figures.Studied,
                100.0 * figures.Found / std::max(1, figures.Studied), figures.Made,
                100.0 * figures.MadeFound / std::max(1, figures.Made),
                100.0 * figures.TrueNamed / std::max(1, figures.Made), Percentile(figures.Ms, 0.5),
                Percentile(figures.Ms, 0.99), Percentile(figures.Ms, 1.0));
}

struct MistakeBoard
{
    hint::Position With, Without;
    hint::Mistake Made;
};

// Partway through the engine's solve, one mistake, then four sound actions on both boards.
MistakeBoard MakeBoard(const std::string &puzzle, const std::string &solution, Draw &draw,
                       bool wrongDigit)
{
    hint::Position position = *hint::Position::FromLine(puzzle);
    const int steps = draw.Below(60);
    hint::Step step;
    for (int taken = 0; taken < steps && position.EmptySquares().Count() > 8
                        && hint::FindHint(position, {true}, step);
         ++taken)
        hint::ApplyStep(position, step);
    MistakeBoard board{position, position, {}};
    const int square = draw.From(position.EmptySquares());
    const int truth = solution[square] - '1';
    if (wrongDigit) {
        board.Made = {hint::MistakeKind::WrongValue, square, (truth + 1 + draw.Below(8)) % 9};
        board.With.Place(square, board.Made.Digit);
    } else {
        board.Made = {hint::MistakeKind::StruckTrue, square, truth};
        board.With.Strike(square, truth);
    }
    for (int action = 0; action < 4; ++action) {
        const int other = draw.From(board.With.EmptySquares() - hint::SquareBits::Of(square));
        const int digit = draw.Below(9), truthThere = solution[other] - '1';
        if (digit == truthThere && board.With.HasCandidate(other, digit)) {
            board.With.Place(other, digit);
            board.Without.Place(other, digit);
        } else if (digit != truthThere) {
            board.With.Strike(other, digit);
            board.Without.Strike(other, digit);
        }
    }
    return board;
}

// Whether Hint names the one mistake of `board` by its square and mends it leaving the rest as
// the person had it (an emptied wrong digit may leave its own digit struck in its peers where
// no solution needs it).
bool NamedAndMended(const hint::PuzzleFacts &facts, const MistakeBoard &board)
{
    if (hint::FindMistakes(facts.Solution, board.With) != std::vector{board.Made})
        return false;
    const std::string named = hint::AnswerHint(facts, board.With, 3).Shown.View.Text;
    if (named.find(hint::SquareName(board.Made.Square)) == std::string::npos)
        return false;
    hint::Position mended = board.With;
    hint::ApplyActions(mended, hint::AnswerHint(facts, mended, 4).Shown.Actions);
    if (!hint::FindMistakes(facts.Solution, mended).empty())
        return false;
    for (int square = 0; square < 81; ++square) {
        const unsigned differ = mended.Candidates(square) ^ board.Without.Candidates(square);
        if (square == board.Made.Square || differ == 0)
            continue;
        if (board.Made.Kind == hint::MistakeKind::StruckTrue
            || differ != hint::DigitBit(board.Made.Digit)
            || facts.Solution[square] - '1' == board.Made.Digit)
            return false;
    }
    for (int square = 0; square < 81; ++square)
        if (square != board.Made.Square && mended.Value(square) != board.Without.Value(square))
            return false;
    return board.Made.Kind == hint::MistakeKind::WrongValue || mended == board.Without;
}

int MistakesOfFile(const std::string &path)
{
    Draw draw;
    int boards = 0, right = 0;
    for (const PuzzleLine &line : ReadPuzzleLines(path)) {
        const hint::PuzzleFacts facts = hint::StudyPuzzle(line.Text, Count);
        if (facts.Solutions != 1)
            continue;
        for (bool wrongDigit : {true, false}) {
            ++boards;
            if (NamedAndMended(facts, MakeBoard(line.Text, facts.Solution, draw, wrongDigit)))
                ++right;
            else
                std::printf("NOT MENDED %s (%s)\n", line.Text.c_str(),
                            wrongDigit ? "wrong digit" : "struck true candidate");
        }
    }
    std::printf("%-30s %7d %7.1f%%\n", NameOfFile(path).c_str(), boards,
                100.0 * right / std::max(1, boards));
    return boards == right ? 0 : 1;
}

// Whether every action keeps the solution: a set digit is the solution's, a strike is not.
bool Sound(const std::string &solution, const std::vector<hint::BoardAction> &actions)
{
    for (const hint::BoardAction &action : actions) {
        const bool truth = solution[action.Square] - '1' == action.Digit;
        if (action.Kind == hint::ActionKind::Set ? !truth : truth)
            return false;
    }
    return true;
}

int PressesOfFile(const std::string &path)
{
    int puzzles = 0, solved = 0;
    std::vector<double> pressUs;
    std::vector<double> presses;
    for (const PuzzleLine &line : ReadPuzzleLines(path)) {
        const hint::PuzzleFacts facts = hint::StudyPuzzle(line.Text, Count);
        hint::Position position = *hint::Position::FromLine(line.Text);
        ++puzzles;
        bool sound = facts.Solutions == 1;
        int pressed = 0;
        for (hint::HintAnswer answer; sound && pressed < 4000;) {
            const auto begin = std::chrono::steady_clock::now();
            answer = hint::AnswerHint(facts, position, pressed % 4 + 1);
            pressUs.push_back(Micros<std::chrono::steady_clock>(begin));
            ++pressed;
            if (answer.Case != hint::HintCase::Step)
                break;
            if (answer.Shown.Actions.empty())
                continue;
            sound = Sound(facts.Solution, answer.Shown.Actions);
            hint::ApplyActions(position, answer.Shown.Actions);
        }
        presses.push_back(pressed);
        if (sound && position.Line() == facts.Solution)
            ++solved;
        else
            std::printf("NOT SOLVED %s\n", line.Text.c_str());
    }
    std::printf("%-30s %7d %7.1f%% %8.0f %8.1fus %8.1fus %8.1fus\n", NameOfFile(path).c_str(),
                puzzles, 100.0 * solved / std::max(1, puzzles), Percentile(presses, 0.5),
                Percentile(pressUs, 0.5), Percentile(pressUs, 0.99), Percentile(pressUs, 1.0));
    return solved == puzzles ? 0 : 1;
}

} // namespace

int RunPressBench(PressMode mode, const std::vector<std::string> &files)
{
    int failed = 0;
    if (mode == PressMode::Slips)
        std::printf("%-30s %7s %8s %7s %8s %8s %10s %10s %10s\n", "file", "studied", "found",
                    "made", "found", "true", "study-med", "study-p99", "study-max");
    else if (mode == PressMode::Mistakes)
        std::printf("%-30s %7s %8s\n", "file", "boards", "mended");
    else
        std::printf("%-30s %7s %8s %8s %10s %10s %10s\n", "file", "puzzles", "solved", "presses",
                    "press-med", "press-p99", "press-max");
    for (const std::string &file : files) {
        if (mode == PressMode::Slips)
            SlipsOfFile(file);
        else if (mode == PressMode::Mistakes)
            failed |= MistakesOfFile(file);
        else
            failed |= PressesOfFile(file);
    }
    return failed;
}

} // namespace quorix

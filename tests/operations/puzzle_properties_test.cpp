// Whole-puzzle properties over a sample of the puzzle sets, checked against the
// independent solution counter: Auto solves every puzzle that has a solution (keeping every
// given), says impossible for every one without, and Check Unique agrees with the count.
#include "core/form/form1.h"
#include "core/operations/text/puzzle_text.h"
#include "core/operations/verify/solution_count.h"
#include "tools/puzzle_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quorix {
namespace {

constexpr std::string_view UniqueVerdict = "Checked out - Solution is unique";
constexpr std::string_view SeveralVerdict = "Another solution found - solution is not unique";

struct PuzzleSample
{
    const char *File;
    int Stride;   // every Stride-th line, from the first
    int Limit;    // at most this many puzzles
    int Skip = 0; // a line (from 1) left out, 0 for none
};

std::vector<std::string> ReadSample(const PuzzleSample &sample)
{
    std::vector<std::string> puzzles = ReadPuzzleSample(PuzzleSetPath(sample.File), sample.Stride,
                                                        static_cast<std::size_t>(sample.Limit));
    // The puzzle sets have no blank lines: line n is puzzle (n - 1) / Stride of the sample.
    if (sample.Skip != 0) {
        const auto skipped = static_cast<std::size_t>((sample.Skip - 1) / sample.Stride);
        if (skipped < puzzles.size())
            puzzles.erase(puzzles.begin() + static_cast<std::ptrdiff_t>(skipped));
    }
    return puzzles;
}

class WholePuzzleProperties : public ::testing::TestWithParam<PuzzleSample>
{
protected:
    // A fresh window with the puzzle typed in, as the user would.
    std::unique_ptr<Form1> Enter(const std::string &puzzle)
    {
        auto form = std::make_unique<Form1>(Platform);
        form->Form_Load();
        TypePuzzle(*form, puzzle);
        return form;
    }

    HeadlessPlatform Platform;
};

TEST_P(WholePuzzleProperties, AutoAndCheckUniqueAgreeWithAnIndependentCount)
{
    const auto puzzles = ReadSample(GetParam());
    ASSERT_EQ(static_cast<int>(puzzles.size()), GetParam().Limit - (GetParam().Skip != 0 ? 1 : 0))
        << GetParam().File << " holds fewer puzzles than the sample takes";
    for (const auto &puzzle : puzzles) {
        SCOPED_TRACE(puzzle);
        const int solutions = CountSolutions(puzzle, 2);
        auto form = Enter(puzzle);
        form->cmdMode_Click(ModeAuto);
        const std::string message = form->Controls().News();

        if (CountGivens(puzzle) < 10) {
            // Too little entered to start, whatever the count says.
            EXPECT_EQ(message, "Not enough squares set");
            continue;
        }
        if (solutions == 0) {
            EXPECT_EQ(message, "This one seems to be impossible");
            continue;
        }
        EXPECT_TRUE(message == "Success!  Unique solution found"
                    || message == "Found a solution - but might not be unique")
            << message;
        EXPECT_TRUE(IsValidSolution(puzzle, form->Board().Grid));
        ASSERT_TRUE(form->Controls().Modes[ModeCheckUnique].Visible);

        form->cmdMode_Click(ModeCheckUnique);
        const std::string verdict = form->Controls().News();
        ASSERT_TRUE(verdict == UniqueVerdict || verdict == SeveralVerdict) << verdict;
        EXPECT_EQ(verdict == UniqueVerdict, solutions == 1) << verdict;
        // Either way the board shows a solution of the puzzle as entered.
        EXPECT_TRUE(IsValidSolution(puzzle, form->Board().Grid));
        EXPECT_TRUE(Platform.Messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    PuzzleSets, WholePuzzleProperties,
    ::testing::Values(PuzzleSample{"edge-valid-4.txt", 1, 4},
                      // Line 16 has no solution, but refuting it by guessing on the first
                      // empty square takes minutes; the benchmark covers it.
                      PuzzleSample{"edge-invalid-17.txt", 1, 17, 16},
                      PuzzleSample{"easy-50.txt", 7, 8}, PuzzleSample{"hard-95.txt", 12, 8},
                      PuzzleSample{"hardest-11.txt", 2, 6},
                      PuzzleSample{"bank-diabolical-500.txt", 50, 10},
                      PuzzleSample{"hardest-375.txt", 125, 3},
                      PuzzleSample{"clue17-sample.txt", 1000, 5},
                      PuzzleSample{"multi-solution-1000.txt", 50, 20}),
    [](const ::testing::TestParamInfo<PuzzleSample> &info) {
        std::string name = info.param.File;
        name = name.substr(0, name.find('.'));
        for (char &c : name)
            if (c == '-')
                c = '_';
        return name;
    });

} // namespace
} // namespace quorix

// Reading puzzle files, and quoting bad input: a reader that cannot read must say so, naming
// the file and the line, and never hand back an empty puzzle.
#include "test_support.h"
#include "tools/puzzle_file.h"
#include "tools/tool_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorix {
namespace {

class PuzzleFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Folder = std::filesystem::temp_directory_path()
                 / ("quorix-puzzle-file-" + std::to_string(::getpid()) + "-"
                    + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Folder);
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    std::string Write(const std::string &name, const std::string &bytes)
    {
        const auto path = (Folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // The message of the PuzzleFileError `read` throws, or "" when it throws none.
    template <typename Read> static std::string ErrorOf(Read read)
    {
        try {
            read();
        } catch (const PuzzleFileError &error) {
            return error.what();
        }
        return "";
    }

    std::filesystem::path Folder;
};

const std::string Puzzle(quorix::testing::EasyPuzzle);

TEST_F(PuzzleFileTest, SkipsBlankLinesAByteOrderMarkAndCarriageReturnsKeepingLineNumbers)
{
    const auto path = Write("p.txt", "\xEF\xBB\xBF" + Puzzle + "\r\n\r\n   \n" + Puzzle + "\n");
    const auto lines = ReadPuzzleLines(path);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].Number, 1);
    EXPECT_EQ(lines[0].Text, Puzzle);
    EXPECT_EQ(lines[1].Number, 4);
    EXPECT_EQ(lines[1].Text, Puzzle);
    EXPECT_EQ(ReadPuzzle(path, 4), Puzzle);
}

TEST_F(PuzzleFileTest, MissingFilesDirectoriesAndMissingLinesNameWhereTheyFailed)
{
    const auto missing = (Folder / "none.txt").string();
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzleLines(missing); }), missing + ": cannot be read");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzleLines(Folder.string()); }),
              Folder.string() + ": is a directory, not a puzzle file");
    const auto path = Write("short.txt", Puzzle + "\n");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzle(path, 2); }), path + ":2: no puzzle on that line");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzle(path, 0); }), path + ":0: no puzzle on that line");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzleSample(Write("empty.txt", "\n\n"), 1, 5); }),
              (Folder / "empty.txt").string() + ": holds no puzzle");
}

TEST_F(PuzzleFileTest, ALineThatIsNoPuzzleIsQuotedShortAndEscaped)
{
    const auto path = Write("bad.txt", Puzzle + "\n" + std::string(100, 'x') + "\n12\t3\n");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzle(path, 2); }),
              path + ":2: not a puzzle: '" + std::string(40, 'x') + "'...");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzle(path, 3); }), path + ":3: not a puzzle: '12\\t3'");
    EXPECT_EQ(ErrorOf([&] { (void)ReadPuzzleSample(path, 1, 10); }),
              path + ":2: not a puzzle: '" + std::string(40, 'x') + "'...");
    EXPECT_EQ(ReadPuzzleSample(path, 3, 10), std::vector<std::string>{Puzzle});
}

TEST(QuoteForMessage, EscapesControlAndNonAsciiBytesAndCutsLongText)
{
    EXPECT_EQ(QuoteForMessage("click Bogus"), "'click Bogus'");
    EXPECT_EQ(QuoteForMessage("a\x1b[2Jb\\"), "'a\\x1B[2Jb\\\\'");
    EXPECT_EQ(QuoteForMessage("\xEF\xBB\xBFshow"), "'\\xEF\\xBB\\xBFshow'");
    EXPECT_EQ(QuoteForMessage(std::string(41, 'a')), "'" + std::string(40, 'a') + "'...");
    EXPECT_EQ(QuoteForMessage(std::string(40, 'a')), "'" + std::string(40, 'a') + "'");
}

TEST(OrderStatistics, NearestRankPercentileAndMedian)
{
    const std::vector<double> sorted = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(Percentile(sorted, 0.5), 5);
    EXPECT_EQ(Percentile(sorted, 0.9), 9);
    EXPECT_EQ(Percentile(sorted, 1.0), 10);
    EXPECT_EQ(Percentile({}, 0.5), 0);
    EXPECT_EQ(Median({3, 1, 2}), 2);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
}

} // namespace
} // namespace quorix

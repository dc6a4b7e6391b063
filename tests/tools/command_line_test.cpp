// The window program's command line: a puzzle, a file and a line, and clear refusals.
#include "test_support.h"
#include "tools/command_line.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace quorix::testing {
namespace {

using Kind = AppRequest::Kind;

AppRequest Read(std::vector<std::string> arguments)
{
    return ReadCommandLine(arguments);
}

TEST(CommandLine, HelpVersionAndNoArguments)
{
    EXPECT_EQ(Read({"--help"}).What, Kind::Help);
    EXPECT_EQ(Read({"--help"}).Text.rfind("usage: quorix [--digits | --no-digits]", 0), 0U);
    EXPECT_EQ(Read({"--version"}).What, Kind::Version);
    EXPECT_EQ(Read({"--version"}).Text.rfind("quorix ", 0), 0U);
    const AppRequest none = Read({});
    EXPECT_EQ(none.What, Kind::Open);
    EXPECT_EQ(none.Text, "");
}

TEST(CommandLine, APuzzleOrAFileAndALine)
{
    EXPECT_EQ(Read({std::string(EasyPuzzle)}).Text, EasyPuzzle);
    const std::string file = PuzzleSetPath("hardest-11.txt");
    EXPECT_EQ(Read({file}).Text, ReadPuzzle(file, 1));
    EXPECT_EQ(Read({file, "2"}).Text, ReadPuzzle(file, 2));
    EXPECT_EQ(Read({file, "2"}).What, Kind::Open);
}

// quorix FILE LINE takes the line number quorix-solve reports: every line counts, and blank and
// comment lines (indented or not) hold no puzzle.
TEST(CommandLine, AFileIsReadLikeQuorixSolveReadsIt)
{
    const auto path = std::filesystem::temp_directory_path()
                      / ("quorix-command-line-" + std::to_string(::getpid()) + ".txt");
    const std::string hard = ReadPuzzle(PuzzleSetPath("hardest-11.txt"), 1);
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF  # two puzzles\r\n\n\t# the first\n"
                                          << EasyPuzzle << "\n"
                                          << std::string(5000, '7') << "\n"
                                          << hard << "\n";
    const std::string file = path.string();
    EXPECT_EQ(Read({file}).Text, EasyPuzzle);
    EXPECT_EQ(Read({file, "4"}).Text, EasyPuzzle);
    EXPECT_EQ(Read({file, "6"}).Text, hard);
    EXPECT_EQ(Read({file, "3"}).Text, file + ": has no puzzle on line 3");
    EXPECT_EQ(Read({file, "5"}).Text, file + ": line 5 is too long: 5000 characters");
    std::filesystem::remove(path);
    EXPECT_NE(AppUsage().find("the number quorix-solve gives it"), std::string::npos);
}

// Whatever the file, the reading ends soon and holds little: a device without line breaks is
// refused, naming the line.
TEST(CommandLine, AFileWithoutLineBreaksIsRefused)
{
    const AppRequest request = Read({"/dev/zero"});
    EXPECT_EQ(request.What, Kind::Error);
    EXPECT_EQ(request.Text, "/dev/zero: line 1 has no line break within 1 MiB");
}

TEST(CommandLine, DigitsOnTheCandidatesAreAskedForOrNot)
{
    EXPECT_FALSE(Read({}).CandidateDigits.has_value()) << "as last time";
    EXPECT_EQ(Read({"--digits"}).CandidateDigits, true);
    EXPECT_EQ(Read({"--no-digits", std::string(EasyPuzzle)}).CandidateDigits, false);
    EXPECT_EQ(Read({"--no-digits", std::string(EasyPuzzle)}).Text, EasyPuzzle);
    EXPECT_EQ(Read({"--digits", "--no-digits"}).CandidateDigits, false) << "the last one counts";
}

TEST(CommandLine, BadArgumentsAreRefusedWithAReason)
{
    const std::string file = PuzzleSetPath("hardest-11.txt");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate' (see --help)"},
        {{"a", "b", "c"}, "too many arguments (see --help)"},
        {{"53..7"}, "'53..7' is neither a file nor a puzzle: 5 squares found where 81 are needed"},
        {{file, "0"}, "LINE must be a line number from 1, not '0'"},
        {{file, "x"}, "LINE must be a line number from 1, not 'x'"},
        {{file, "12"}, file + ": has no puzzle on line 12"},
        {{"/no/such/file", "1"}, "no such file: '/no/such/file'"},
    };
    for (const auto &[arguments, reason] : cases) {
        SCOPED_TRACE(arguments[0]);
        const AppRequest request = Read(arguments);
        EXPECT_EQ(request.What, Kind::Error);
        EXPECT_EQ(request.Text, reason);
    }
    const auto folder = std::filesystem::temp_directory_path();
    EXPECT_EQ(Read({folder.string()}).Text,
              folder.string() + ": is a directory, not a puzzle file");
}

TEST(CommandLine, WhatCannotBeOpenedStillOpensTheWindowAndWrongArgumentsDoNot)
{
    const std::string file = PuzzleSetPath("hardest-11.txt");
    const auto folder = std::filesystem::temp_directory_path().string();
    const std::vector<std::string> cannotOpen[] = {
        {"53..7"}, {file, "0"},          {file, "x"}, {file, "12"}, {"/no/such/file", "1"},
        {folder},  {"--digits", "53..7"}};
    for (const auto &arguments : cannotOpen) {
        SCOPED_TRACE(arguments[0]);
        const AppRequest request = Read(arguments);
        EXPECT_EQ(request.What, Kind::Error);
        EXPECT_TRUE(request.OpenEmpty);
    }
    EXPECT_EQ(Read({"--digits", "53..7"}).CandidateDigits, true) << "kept for the empty window";
    for (const auto &arguments :
         {std::vector<std::string>{"--frobnicate"}, std::vector<std::string>{"a", "b", "c"}}) {
        SCOPED_TRACE(arguments[0]);
        EXPECT_FALSE(Read(arguments).OpenEmpty);
    }
    EXPECT_FALSE(Read({std::string(EasyPuzzle)}).OpenEmpty);
}

} // namespace
} // namespace quorix::testing

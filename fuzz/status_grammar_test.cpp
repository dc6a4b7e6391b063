// The status-line grammar: it must take every text the program writes, and nothing else, or the
// fuzzer either reports faults that are none or misses garbled lines.
#include "core/ground/status_texts.h"
#include "core/operations/text/puzzle_text.h"
#include "fuzz/status_grammar.h"

#include <gtest/gtest.h>

#include <string>

namespace quorix::fuzz {
namespace {

TEST(StatusGrammar, TakesTheFixedTexts)
{
    for (const std::string_view text :
         {news::Setup, news::NothingEntered, news::TooFew, news::NotStarted, news::SeemsOk,
          news::Success, news::FoundSolution, news::GuessWasWrong, news::Tricky, news::NothingSaved,
          news::SettingUp, news::NothingToDo, news::AutoTooFew, news::AutoImpossible,
          news::SolvedWithGuesses, news::SolvedUnique, news::Suspended, news::Unique,
          news::NotUnique})
        EXPECT_TRUE(IsSystemText(text)) << text;
    EXPECT_TRUE(IsSystemText(""));
    EXPECT_FALSE(IsSystemText("Seems OK so far."));
    EXPECT_FALSE(IsSystemText("Success"));
}

TEST(StatusGrammar, TheProgressLineGrowsFromThinking)
{
    const std::string thinking(news::Thinking);
    EXPECT_FALSE(IsSystemText(thinking)); // the first cycle already adds a dot
    EXPECT_TRUE(IsSystemText(thinking + "."));
    EXPECT_TRUE(IsSystemText(thinking + std::string(200, '.')));
    EXPECT_FALSE(IsSystemText(thinking + ". "));
}

TEST(StatusGrammar, NumbersMustBeInRangeAndWrittenPlainly)
{
    EXPECT_TRUE(IsSystemText("Guessing 1 for square 1"));
    EXPECT_TRUE(IsSystemText("Guessing 9 for square 81"));
    EXPECT_FALSE(IsSystemText("Guessing 0 for square 5"));
    EXPECT_FALSE(IsSystemText("Guessing 10 for square 5"));
    EXPECT_FALSE(IsSystemText("Guessing 3 for square 82"));
    EXPECT_FALSE(IsSystemText("Guessing 3 for square 05"));
    EXPECT_FALSE(IsSystemText("Guessing 3 for square  5"));
    EXPECT_FALSE(IsSystemText("Guessing 3 for square"));
    EXPECT_FALSE(IsSystemText("Guessing 3 for square 5 "));
}

TEST(StatusGrammar, CheckExplanationsComeOnlyAfterTheirPrefixes)
{
    for (const std::string_view explanation :
         {"More than one 4 in row 9", "More than one 9 in column 1", "More than one 1 in group 5",
          "No possibilities left for square 81"}) {
        EXPECT_TRUE(IsCheckExplanation(explanation)) << explanation;
        EXPECT_TRUE(IsSystemText(std::string(news::ImpossiblePrefix) + std::string(explanation)));
        EXPECT_TRUE(IsSystemText(std::string(news::HangOnPrefix) + std::string(explanation)));
        EXPECT_FALSE(IsSystemText(explanation)) << explanation;
    }
    EXPECT_FALSE(IsCheckExplanation("More than one 4 in row 10"));
    EXPECT_FALSE(IsCheckExplanation("More than one 4 in box 3"));
    // A step's explanation is shown bare, never after a prefix.
    EXPECT_FALSE(IsSystemText(std::string(news::ImpossiblePrefix) + "Square 3 can only be a 4"));
}

// Every reason the paste parser gives, taken from the parser itself, and garbled ones refused.
TEST(StatusGrammar, TakesWhatAPasteIsRefusedFor)
{
    std::string grid = "5 19";
    for (int s = 2; s < 81; ++s)
        grid += " 123456789";
    for (const std::string &text :
         {std::string(), std::string("5"), std::string(80, '1'), std::string(4096, '7'),
          std::string("12345678a"), std::string("1\n2\n\x7F"), std::string("\xC3\xA9"),
          std::string("# only a comment\n"), std::string(grid).replace(2, 2, ". "),
          std::string(grid).replace(2, 2, "1a"), grid + " 12"}) {
        PastedPuzzle puzzle;
        std::string error;
        ASSERT_FALSE(ParsePuzzleText(text, puzzle, error)) << text;
        EXPECT_TRUE(IsSystemText(std::string(news::CannotPaste) + error)) << error;
    }
    for (const char *garbled :
         {"Cannot paste: ", "Cannot paste: 1 squares found where 81 are needed",
          "Cannot paste: 2 square found where 81 are needed",
          "Cannot paste: 07 squares found where 81 are needed",
          "Cannot paste: unknown character 'ab' at position 3",
          "Cannot paste: unknown character byte 0x41 at position 3",
          "Cannot paste: unknown character 'a' at line 2 position 3",
          "Cannot paste: unknown character 'a' in square 82",
          "Cannot paste: square 0 lists no candidates (write {} for none)",
          "Cannot paste: there is no text."})
        EXPECT_FALSE(IsSystemText(garbled)) << garbled;
}

TEST(StatusGrammar, TakesEveryKindOfStepExplanation)
{
    for (const std::string_view step : {
             "Square 12 can only be a 7",
             "Column 3 has only one possible 5",
             "Only 2s in group 4 in same row, so square 40 can't be a 2",
             "Only 6s in column 8 in same group, so square 17 can't be a 6",
             "Cell 5 can't be a 3 since it must be in either cell  6 or 7",
             "Cell 5 can't be a 3 since cells 6 and 7 must be 1 and 2",
             "Cell 5 can't be a 3 since it must be in either cell  6, 7 or 8",
         }) {
        EXPECT_TRUE(IsStepExplanation(step)) << step;
        EXPECT_TRUE(IsSystemText(step)) << step;
    }
    EXPECT_FALSE(IsStepExplanation("Only 2s in row 4 in same row, so square 40 can't be a 2"));
    EXPECT_FALSE(IsStepExplanation("Cell 5 can't be a 3 since it must be in either cell  6"));
    // The program writes two spaces before the first cell; one is a garbled line.
    EXPECT_FALSE(IsStepExplanation("Cell 5 can't be a 3 since it must be in either cell 6 or 7"));
}

} // namespace
} // namespace quorix::fuzz

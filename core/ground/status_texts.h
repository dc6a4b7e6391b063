// Every fixed text the program puts on the status line, and how numbers join them. Explanations
// of a finding are built elsewhere: the consistency check's in core/operations/board, the
// deduction steps' in core/operations/deduce/wording.cpp. Tools and tests decide on
// status values, not on these texts; tests keep their own literal copies, since the exact
// wording and spacing is what they must catch.
#pragma once

#include <string>
#include <string_view>

namespace quorix::news {

// At start-up and after Reset.
inline constexpr std::string_view Setup =
    "Set-up puzzle by clicking on squares, or use Tab and Numeric Keys";

// Check and Next.
inline constexpr std::string_view NothingEntered = "Nothing entered yet - please set some squares";
inline constexpr std::string_view TooFew = "Not enough squares set - please set some more";
inline constexpr std::string_view NotStarted = "Not started yet";
inline constexpr std::string_view ImpossiblePrefix = "Impossible.  ";
inline constexpr std::string_view SeemsOk = "Seems OK so far";
inline constexpr std::string_view Success = "Success!";
inline constexpr std::string_view HangOnPrefix = "Hang on, this is impossible!  ";
inline constexpr std::string_view FoundSolution = "Success!  Found a solution.";
inline constexpr std::string_view GuessWasWrong = "Guess was wrong.  Oh well, try again.";
inline constexpr std::string_view Tricky = "Tricky... save this, then have a guess and carry on";
// Restore before anything was saved.
inline constexpr std::string_view NothingSaved = "Nothing saved yet";

// Auto.
inline constexpr std::string_view SettingUp = "Setting up.";
// The progress line: this, then one more dot every cycle.
inline constexpr std::string_view Thinking = "Thinking..";
inline constexpr std::string_view NothingToDo = "Nothing to do - please set some squares";
inline constexpr std::string_view AutoTooFew = "Not enough squares set";
inline constexpr std::string_view AutoImpossible = "This one seems to be impossible";
inline constexpr std::string_view SolvedWithGuesses = "Found a solution - but might not be unique";
inline constexpr std::string_view SolvedUnique = "Success!  Unique solution found";
inline constexpr std::string_view Suspended = "Auto mode suspended";
// A guess or backtrack: "Guessing" and the digit, " for square" and the square's number.
inline constexpr std::string_view Guessing = "Guessing";
inline constexpr std::string_view ForSquare = " for square";

// Check Unique.
inline constexpr std::string_view Unique = "Checked out - Solution is unique";
inline constexpr std::string_view NotUnique = "Another solution found - solution is not unique";

// Paste, refused: followed by the reason ("79 squares found where 81 are needed").
inline constexpr std::string_view CannotPaste = "Cannot paste: ";

// Undo and Redo with nothing to take back or do again.
inline constexpr std::string_view NothingToUndo = "Nothing to undo";
inline constexpr std::string_view NothingToRedo = "Nothing to redo";

// The saved game, at start-up and when writing it fails: followed by the reason.
inline constexpr std::string_view SavedGameUnreadable =
    "A fresh start: the saved game could not be read: ";
inline constexpr std::string_view CannotSaveGame = "Cannot save the game: ";
// A saved game opened from a file (Ctrl+O) that cannot be put back: followed by the reason.
inline constexpr std::string_view CannotOpenGame = "Cannot open the game: ";
// The keys that walk a collection, with none open or at either end.
inline constexpr std::string_view NoCollection =
    "No collection open: Ctrl+O opens a file of puzzles";
inline constexpr std::string_view LastOfCollection = "This is the last puzzle of the collection";
inline constexpr std::string_view FirstOfCollection = "This is the first puzzle of the collection";
// A second window, while another keeps the saved game.
inline constexpr std::string_view OtherWindowKeeps =
    "Another window keeps the saved game; this one saves nothing";

} // namespace quorix::news

namespace quorix {

// Explanations join fixed pieces and numbers; a number is one space and its decimal digits.
inline void AppendNumber(std::string &text, int number)
{
    char digits[12];
    int length = 0;
    unsigned value =
        number < 0 ? 0U - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    do {
        digits[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    text.push_back(' ');
    if (number < 0)
        text.push_back('-');
    while (length > 0)
        text.push_back(digits[--length]);
}

} // namespace quorix

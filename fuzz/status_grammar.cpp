#include "fuzz/status_grammar.h"

#include "core/ground/status_texts.h"

#include <cstddef>
#include <span>
#include <utility>

namespace quorix::fuzz {

namespace {

// A piece of a message: literal text, or a number written as one space and its decimal digits,
// within 1..Max.
struct Piece
{
    std::string_view Text;
    int Max = 0; // 0: literal
};
constexpr Piece Sq{"", 81};
constexpr Piece Dg{"", 9};
constexpr Piece Un{"", 9};

bool MatchPieces(std::string_view text, std::span<const Piece> pieces)
{
    for (const Piece &piece : pieces) {
        if (piece.Max == 0) {
            if (!text.starts_with(piece.Text))
                return false;
            text.remove_prefix(piece.Text.size());
            continue;
        }
        if (text.size() < 2 || text[0] != ' ' || text[1] < '1' || text[1] > '9')
            return false;
        text.remove_prefix(1);
        int value = 0;
        while (!text.empty() && text[0] >= '0' && text[0] <= '9' && value <= piece.Max) {
            value = value * 10 + (text[0] - '0');
            text.remove_prefix(1);
        }
        if (value > piece.Max)
            return false;
    }
    return text.empty();
}

template <std::size_t N> bool Match(std::string_view text, const Piece (&pieces)[N])
{
    return MatchPieces(text, std::span<const Piece>(pieces, N));
}

// The progress line: news::Thinking, then one or more dots.
bool IsProgressLine(std::string_view text)
{
    return text.size() > news::Thinking.size() && text.starts_with(news::Thinking)
           && text.find_first_not_of('.', news::Thinking.size()) == std::string_view::npos;
}

// A whole number written plainly: "0", or digits without a leading zero.
bool TakeCount(std::string_view &text)
{
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || (digits > 1 && text[0] == '0') || digits > 18)
        return false;
    text.remove_prefix(digits);
    return true;
}

bool TakeText(std::string_view &text, std::string_view expected)
{
    if (!text.starts_with(expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

// How a refusal names a character: 'c' for printable ASCII, byte 0xNN for any other byte.
bool TakeCharacter(std::string_view &text)
{
    if (text.size() >= 3 && text[0] == '\'' && text[2] == '\'' && text[1] >= 0x20
        && text[1] < 0x7F) {
        text.remove_prefix(3);
        return true;
    }
    const auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    if (text.size() >= 9 && text.starts_with("byte 0x") && hex(text[7]) && hex(text[8])) {
        const bool printable =
            text[7] >= '2' && text[7] <= '7' && !(text[7] == '7' && text[8] == 'F');
        text.remove_prefix(9);
        return !printable;
    }
    return false;
}

// Why a paste was refused, as the paste parser words it.
bool IsPasteRefusal(std::string_view reason)
{
    if (reason == "there is no text")
        return true;
    std::string_view rest = reason;
    if (TakeCount(rest)) {
        const bool one = reason.starts_with("1 ");
        return rest
               == (one ? " square found where 81 are needed"
                       : " squares found where 81 are needed");
    }
    rest = reason;
    const Piece listsNone[] = {{"square"}, Sq, {" lists no candidates (write {} for none)"}};
    if (Match(rest, listsNone))
        return true;
    if (!TakeText(rest, "unknown character ") || !TakeCharacter(rest))
        return false;
    const Piece inSquare[] = {{" in square"}, Sq};
    if (Match(rest, inSquare))
        return true;
    if (!TakeText(rest, " at "))
        return false;
    if (TakeText(rest, "line ") && !(TakeCount(rest) && TakeText(rest, ", ")))
        return false;
    return TakeText(rest, "position ") && TakeCount(rest) && rest.empty();
}

} // namespace

bool IsCheckExplanation(std::string_view text)
{
    for (const std::string_view unit : {" in row", " in column", " in group"}) {
        const Piece pieces[] = {{"More than one"}, Dg, {unit}, Un};
        if (Match(text, pieces))
            return true;
    }
    const Piece dead[] = {{"No possibilities left for square"}, Sq};
    return Match(text, dead);
}

bool IsStepExplanation(std::string_view text)
{
    const Piece single[] = {{"Square"}, Sq, {" can only be a"}, Dg};
    if (Match(text, single))
        return true;
    for (const std::string_view unit : {"Row", "Column", "Group"}) {
        const Piece only[] = {{unit}, Un, {" has only one possible"}, Dg};
        if (Match(text, only))
            return true;
    }
    for (const auto &[from, to] :
         {std::pair<std::string_view, std::string_view>{"s in group", " in same column, so square"},
          {"s in group", " in same row, so square"},
          {"s in row", " in same group, so square"},
          {"s in column", " in same group, so square"}}) {
        const Piece line[] = {{"Only"}, Dg, {from}, Un, {to}, Sq, {" can't be a"}, Dg};
        if (Match(text, line))
            return true;
    }
    const Piece nakedPair[] = {
        {"Cell"}, Sq, {" can't be a"}, Dg, {" since it must be in either cell "}, Sq, {" or"}, Sq};
    const Piece hiddenPair[] = {{"Cell"}, Sq, {" can't be a"}, Dg, {" since cells"}, Sq,
                                {" and"}, Sq, {" must be"},    Dg, {" and"},         Dg};
    const Piece nakedTriple[] = {
        {"Cell"}, Sq, {" can't be a"}, Dg, {" since it must be in either cell "}, Sq,
        {","},    Sq, {" or"},         Sq};
    return Match(text, nakedPair) || Match(text, hiddenPair) || Match(text, nakedTriple);
}

bool IsSystemText(std::string_view text)
{
    static constexpr std::string_view Fixed[] = {
        "", // every command click clears the line first
        news::Setup,
        news::NothingEntered,
        news::TooFew,
        news::NotStarted,
        news::SeemsOk,
        news::Success,
        news::FoundSolution,
        news::GuessWasWrong,
        news::Tricky,
        news::SettingUp,
        news::NothingToDo,
        news::AutoTooFew,
        news::AutoImpossible,
        news::SolvedWithGuesses,
        news::SolvedUnique,
        news::Suspended,
        news::Unique,
        news::NotUnique,
        news::NothingSaved,
    };
    for (const std::string_view fixed : Fixed)
        if (text == fixed)
            return true;
    if (IsProgressLine(text))
        return true;
    const Piece guessing[] = {{news::Guessing}, Dg, {news::ForSquare}, Sq};
    if (Match(text, guessing))
        return true;
    if (text.starts_with(news::CannotPaste))
        return IsPasteRefusal(text.substr(news::CannotPaste.size()));
    for (const std::string_view prefix : {news::ImpossiblePrefix, news::HangOnPrefix})
        if (text.starts_with(prefix) && IsCheckExplanation(text.substr(prefix.size())))
            return true;
    return IsStepExplanation(text);
}

} // namespace quorix::fuzz

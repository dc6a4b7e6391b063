#include "core/operations/text/puzzle_text.h"

#include <algorithm>
#include <utility>

namespace quorix {

std::string GridText(std::span<const std::int16_t> grid)
{
    std::string text(SquareCount, '.');
    const auto squares = std::min(grid.size(), static_cast<std::size_t>(SquareCount));
    for (std::size_t s = 0; s < squares; ++s)
        if (grid[s] >= 0 && grid[s] < DigitCount)
            text[s] = static_cast<char>('1' + grid[s]);
    return text;
}

namespace {

// A line of the text with where it starts, for messages.
struct TextLine
{
    std::string_view Text;
    int Number; // from 1
};

bool IsDigit(char c)
{
    return c >= '1' && c <= '9';
}
bool IsEmptyMark(char c)
{
    return c == '.' || c == '0' || c == '_' || c == '*' || c == 'x' || c == 'X';
}
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// A frame line draws the grid's borders: no digit, and a run of at least three rules.
bool IsFrameLine(std::string_view line)
{
    if (std::any_of(line.begin(), line.end(), IsDigit))
        return false;
    return std::count_if(line.begin(), line.end(), [](char c) { return c == '-' || c == '='; })
           >= 3;
}

// Calls `visit` with every line that holds squares: frame lines, comments and blank lines left
// out. The text is walked in place, so that a long paste costs no memory of its own.
template <typename Visit> void ForEachContentLine(std::string_view text, Visit &&visit)
{
    for (int number = 1;; ++number) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto first = std::find_if_not(line.begin(), line.end(), IsBlank);
        if (first != line.end() && *first != '#' && !IsFrameLine(line))
            visit(TextLine{line, number});
        if (end == std::string_view::npos)
            return;
    }
}

std::string Where(const TextLine &line, std::size_t column, bool oneLine)
{
    const std::string at = "position " + std::to_string(column + 1);
    return oneLine ? at : "line " + std::to_string(line.Number) + ", " + at;
}

std::string Shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + c + "'";
    static constexpr char Hex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + Hex[byte >> 4] + Hex[byte & 15];
}

std::string SquareCountError(std::size_t found, const char *what)
{
    return std::to_string(found) + " " + what + (found == 1 ? " found" : "s found")
           + " where 81 are needed";
}

// Reads the squares one character each; `squares` is how many it found.
bool ParsePlain(std::string_view text, PastedPuzzle &puzzle, std::string &error,
                std::size_t &squares)
{
    int lines = 0;
    ForEachContentLine(text, [&lines](const TextLine &) { ++lines; });
    squares = 0;
    bool unknown = false;
    ForEachContentLine(text, [&](const TextLine &line) {
        for (std::size_t i = 0; i < line.Text.size() && !unknown; ++i) {
            const char c = line.Text[i];
            if (IsBlank(c) || c == '|' || c == '+' || c == ':')
                continue;
            if (!IsDigit(c) && !IsEmptyMark(c)) {
                error = "unknown character " + Shown(c) + " at " + Where(line, i, lines == 1);
                unknown = true;
                return;
            }
            if (squares < 81)
                puzzle.Values[squares] = static_cast<std::int16_t>(IsDigit(c) ? c - '1' : -1);
            ++squares;
        }
    });
    if (unknown)
        return false;
    if (squares != 81) {
        error = SquareCountError(squares, "square");
        return false;
    }
    return true;
}

// A token of a candidate grid that lists candidates: two to nine digits (a longer run of
// digits is no square's candidates, but squares written without a space).
bool IsCandidateToken(std::string_view token)
{
    return token.size() >= 2 && token.size() <= 9
           && std::all_of(token.begin(), token.end(), IsDigit);
}

// The tokens of a candidate grid, split at whitespace and '|': how many there are, the first
// 81 of them, and whether any is a square's candidates or a square with none.
struct GridTokens
{
    std::size_t Count = 0;
    std::array<std::string_view, 81> First{};
    bool AnyCandidates = false;
};

GridTokens Tokens(std::string_view text)
{
    GridTokens tokens;
    ForEachContentLine(text, [&tokens](const TextLine &line) {
        std::string_view rest = line.Text;
        while (!rest.empty()) {
            const auto start = rest.find_first_not_of(" \t\r\f\v|");
            if (start == std::string_view::npos)
                break;
            rest.remove_prefix(start);
            const auto end = rest.find_first_of(" \t\r\f\v|");
            const std::string_view token = rest.substr(0, end);
            if (tokens.Count < tokens.First.size())
                tokens.First[tokens.Count] = token;
            ++tokens.Count;
            tokens.AnyCandidates =
                tokens.AnyCandidates || IsCandidateToken(token) || token == NoCandidateToken;
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
        }
    });
    return tokens;
}

// Reads one square's token: a set square's digit, an empty square's candidates, or the mark of
// an empty square with none. False with the reason when it is none of these.
bool ParseCandidateToken(std::string_view token, int square, PastedPuzzle &puzzle,
                         std::string &error)
{
    const std::string where = "square " + std::to_string(square + 1);
    std::uint16_t digits = 0;
    if (token != NoCandidateToken) {
        for (const char c : token) {
            if (!IsDigit(c)) {
                error = IsEmptyMark(c) && token.size() == 1
                            ? where + " lists no candidates (write " + std::string(NoCandidateToken)
                                  + " for none)"
                            : "unknown character " + Shown(c) + " in " + where;
                return false;
            }
            digits = static_cast<std::uint16_t>(digits | (1U << (c - '1')));
        }
    }
    const bool set = token.size() == 1;
    puzzle.Values[square] = static_cast<std::int16_t>(set ? token[0] - '1' : -1);
    puzzle.Candidates[square] = set ? 0 : digits;
    return true;
}

bool ParseCandidates(const GridTokens &tokens, PastedPuzzle &puzzle, std::string &error)
{
    if (tokens.Count != 81) {
        error = SquareCountError(tokens.Count, "square");
        return false;
    }
    puzzle.HasCandidates = true;
    for (int s = 0; s < SquareCount; ++s)
        if (!ParseCandidateToken(tokens.First[s], s, puzzle, error))
            return false;
    return true;
}

} // namespace

bool ParsePuzzleText(std::string_view text, PastedPuzzle &puzzle, std::string &error)
{
    puzzle = {};
    if (std::all_of(text.begin(), text.end(), [](char c) { return IsBlank(c) || c == '\n'; })) {
        error = "there is no text";
        return false;
    }
    // A full row of a box in a framed grid ("|195|") is a run of digits just like a token of a
    // candidate grid, but only the grid of 81 squares reads as 81 squares square by square:
    // a candidate grid with any token of several digits holds more.
    std::string plainError;
    std::size_t squares = 0;
    if (ParsePlain(text, puzzle, plainError, squares))
        return true;
    const GridTokens tokens = Tokens(text);
    // When neither reading holds, say what is wrong with the one the text is nearer to.
    const auto off = [](std::size_t count) { return count > 81 ? count - 81 : 81 - count; };
    if (tokens.AnyCandidates && (tokens.Count == 81 || off(tokens.Count) < off(squares))) {
        puzzle = {};
        return ParseCandidates(tokens, puzzle, error);
    }
    error = plainError;
    return false;
}

std::string CandidateGridText(const std::array<std::int16_t, 82> &grid,
                              const std::array<std::uint16_t, 81> &candidates)
{
    std::array<std::string, 81> tokens;
    std::array<std::size_t, 9> widths{};
    for (int s = 0; s < SquareCount; ++s) {
        if (grid[s] >= 0 && grid[s] < DigitCount) {
            tokens[s] = std::string(1, static_cast<char>('1' + grid[s]));
        } else {
            std::string digits;
            for (int d = 0; d < DigitCount; ++d)
                if ((candidates[s] >> d) & 1U)
                    digits += static_cast<char>('1' + d);
            // Nothing left has a mark of its own, which nothing else reads as; one digit alone
            // would read back as a set square, so it is written twice.
            if (digits.empty())
                tokens[s] = NoCandidateToken;
            else if (digits.size() == 1)
                tokens[s] = std::string(2, digits.front());
            else
                tokens[s] = std::move(digits);
        }
        widths[s % 9] = std::max(widths[s % 9], tokens[s].size());
    }
    // A box's cells with one space before, between and after them.
    const auto rule = [&widths](char corner, char middle) {
        std::string line(1, corner);
        for (int box = 0; box < 3; ++box) {
            const std::size_t width =
                widths[box * 3] + widths[box * 3 + 1] + widths[box * 3 + 2] + 4;
            line += std::string(width, '-');
            line += box < 2 ? middle : corner;
        }
        return line + '\n';
    };
    std::string text = rule('.', '.');
    for (int row = 0; row < 9; ++row) {
        if (row == 3 || row == 6)
            text += rule(':', '+');
        std::string line = "|";
        for (int column = 0; column < 9; ++column) {
            const std::string &token = tokens[row * 9 + column];
            line += ' ' + token + std::string(widths[column] - token.size(), ' ');
            if (column % 3 == 2)
                line += " |";
        }
        text += line + '\n';
    }
    return text + rule('\'', '\'');
}

std::string CopyLine(const BoardState &board)
{
    return GridText(board.Grid);
}

std::string CopyCandidates(const BoardState &board, const ControlStore &controls)
{
    std::array<std::uint16_t, SquareCount> candidates = controls.CandidateBits;
    for (int s = 0; s < SquareCount; ++s)
        if (board.Grid[s] < 0 && controls.Squares[s].Visible)
            candidates[s] = AllCandidates;
    return CandidateGridText(board.Grid, candidates);
}

} // namespace quorix

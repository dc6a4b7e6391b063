#include "hint/one_digit.h"

#include "hint/wording.h"

#include <vector>

namespace quorix::hint {

Step OneDigitStep(Technique kind, int digit, SquareBits strikes, SquareBits pattern)
{
    Step step;
    step.Kind = kind;
    step.Name = std::string(NameOf(kind));
    step.Digit = digit;
    step.Pattern = pattern;
    for (int square : strikes)
        step.Strikes.push_back({static_cast<std::int8_t>(square), static_cast<std::int8_t>(digit)});
    return step;
}

std::string LinesName(bool rows, unsigned mask)
{
    std::vector<std::string> numbers;
    for (int line = 0; line < 9; ++line)
        if (mask & (1u << line))
            numbers.push_back(std::to_string(line + 1));
    const std::string kind = rows ? "row" : "column";
    return kind + (numbers.size() > 1 ? "s " : " ") + JoinAnd(numbers);
}

std::string ByLine(SquareBits squares, bool byRow)
{
    std::string text;
    for (int line = 0; line < 9; ++line) {
        const SquareBits inLine = squares & UnitBits[byRow ? RowUnit(line) : ColumnUnit(line)];
        if (inLine.Any())
            text += (text.empty() ? "" : "; ") + SquareList(inLine);
    }
    return text;
}

std::string CountWord(int count)
{
    static constexpr const char *Words[] = {"no", "one", "two", "three", "four"};
    return count >= 0 && count <= 4 ? Words[count] : std::to_string(count);
}

int SharedUnit(int a, int b)
{
    if (RowOf(a) == RowOf(b))
        return RowUnit(RowOf(a));
    if (ColumnOf(a) == ColumnOf(b))
        return ColumnUnit(ColumnOf(a));
    if (GroupOf(a) == GroupOf(b))
        return GroupUnit(GroupOf(a));
    return -1;
}

std::string InEach(SquareBits squares)
{
    std::vector<std::string> items;
    for (int square : squares)
        items.push_back("in " + SquareName(square));
    return JoinAnd(items);
}

} // namespace quorix::hint

#include "hint/wording.h"

#include <vector>

namespace quorix::hint {

namespace {

// "column 5" or "columns 5 and 8".
std::string Numbered(const char *kind, SquareBits squares, int (*numberOf)(int))
{
    std::vector<std::string> numbers;
    for (int square : squares)
        numbers.push_back(std::to_string(numberOf(square) + 1));
    return std::string(kind) + (numbers.size() > 1 ? "s " : " ") + JoinAnd(numbers);
}

} // namespace

std::string SquareName(int square)
{
    return "row " + std::to_string(RowOf(square) + 1) + ", column "
           + std::to_string(ColumnOf(square) + 1);
}

std::string SquareCode(int square)
{
    std::string code = "r1c1";
    code[1] = static_cast<char>('1' + RowOf(square));
    code[3] = static_cast<char>('1' + ColumnOf(square));
    return code;
}

std::string UnitName(int unit)
{
    static constexpr const char *Kinds[] = {"row ", "column ", "group "};
    return Kinds[unit / 9] + std::to_string(IndexOfUnit(unit) + 1);
}

std::string SquareList(SquareBits squares)
{
    if (squares.Empty())
        return {};
    const int first = squares.First();
    if (squares.Count() > 1 && squares.Within(UnitBits[ColumnUnit(ColumnOf(first))]))
        return Numbered("row", squares, RowOf) + ", column " + std::to_string(ColumnOf(first) + 1);
    std::string text;
    for (int row = 0; row < 9; ++row) {
        const SquareBits inRow = squares & UnitBits[RowUnit(row)];
        if (inRow.Empty())
            continue;
        text += (text.empty() ? "row " : "; row ") + std::to_string(row + 1) + ", "
                + Numbered("column", inRow, ColumnOf);
    }
    return text;
}

std::string DigitList(unsigned mask)
{
    std::vector<std::string> items;
    for (int digit = 0; digit < 9; ++digit)
        if (mask & (1u << digit))
            items.push_back(DigitName(digit));
    return JoinAnd(items);
}

std::string Capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string SetsText(const Step &step)
{
    std::string text;
    for (Candidate set : step.Sets) {
        if (!text.empty())
            text += ' ';
        text += SquareCode(set.Square) + '=' + DigitName(set.Digit);
    }
    return text;
}

std::string StrikesText(const Step &step)
{
    std::string text;
    for (Candidate strike : step.Strikes) {
        if (!text.empty())
            text += ' ';
        text += SquareCode(strike.Square) + '-' + DigitName(strike.Digit);
    }
    return text;
}

std::string JoinAnd(const std::vector<std::string> &items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

} // namespace quorix::hint

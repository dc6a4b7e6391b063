// Empty rectangle: a group whose places for a digit lie on a cross of one row and one column,
// and a line where the digit has two places, one of them on the cross's row or column.
//
// Say the link is a column whose near end lies in the cross's row and whose far end lies in a
// row outside the group's band. If the square where the far end's row meets the cross's
// column held the digit, that column's digit would be outside the group, so the group's digit
// would lie in the cross's row; the near end would then not hold it, the far end would, and
// the far end shares its row with that square. So the square cannot hold the digit. The same
// holds with rows and columns swapped.
//
// Search order: digits 1 to 9; groups 1 to 9; crosses by their row (top first), then their
// column (left first); then columns as links (left to right), then rows (top to bottom).
#include "hint/finders.h"
#include "hint/one_digit.h"
#include "hint/wording.h"

namespace quorix::hint {

namespace {

struct Rectangle
{
    int Group, Row, Column;
    // The link's line, its end on the cross, its other end, and the square that loses the
    // digit.
    int LinkUnit = -1, Near = -1, Far = -1, Target = -1;
};

// Looks for a link that meets the cross of `rectangle`, columns before rows.
bool FindLink(const Position &position, int digit, Rectangle &rectangle)
{
    const int band = rectangle.Group / 3, stack = rectangle.Group % 3;
    for (const bool columns : {true, false})
        for (int line = 0; line < 9; ++line) {
            if (line / 3 == (columns ? stack : band))
                continue;
            const int near = columns ? rectangle.Row * 9 + line : line * 9 + rectangle.Column;
            if (!position.Places(digit).Has(near))
                continue;
            const int unit = columns ? ColumnUnit(line) : RowUnit(line);
            const SquareBits link = LinkIn(position, digit, unit);
            if (link.Empty())
                continue;
            const int far = (link - SquareBits::Of(near)).First();
            if ((columns ? RowOf(far) / 3 == band : ColumnOf(far) / 3 == stack))
                continue;
            const int target =
                columns ? RowOf(far) * 9 + rectangle.Column : rectangle.Row * 9 + ColumnOf(far);
            if (!position.Places(digit).Has(target))
                continue;
            rectangle.LinkUnit = unit;
            rectangle.Near = near;
            rectangle.Far = far;
            rectangle.Target = target;
            return true;
        }
    return false;
}

void Describe(const Rectangle &rectangle, SquareBits inGroup, int digit, Step &step)
{
    const int target = rectangle.Target;
    step = OneDigitStep(Technique::EmptyRectangle, digit, SquareBits::Of(target),
                        inGroup | SquareBits::Of(rectangle.Near) | SquareBits::Of(rectangle.Far));
    const int group = GroupUnit(rectangle.Group);
    step.Units = {static_cast<std::uint8_t>(group), static_cast<std::uint8_t>(rectangle.LinkUnit)};
    const bool viaColumn = KindOfUnit(rectangle.LinkUnit) == UnitKind::Column;
    const int met = viaColumn ? RowUnit(rectangle.Row) : ColumnUnit(rectangle.Column);
    const int other = viaColumn ? ColumnUnit(rectangle.Column) : RowUnit(rectangle.Row);
    const std::string d = DigitName(digit);
    step.Sentence =
        "In " + UnitName(group) + " the " + d + " can go only in "
        + UnitName(RowUnit(rectangle.Row)) + " or " + UnitName(ColumnUnit(rectangle.Column))
        + ", and in " + UnitName(rectangle.LinkUnit) + " only in " + SquareName(rectangle.Near)
        + " or " + SquareName(rectangle.Far) + "; if " + SquareName(target) + " were " + d + ", "
        + UnitName(other) + " would have its " + d + " outside " + UnitName(group) + ", so "
        + UnitName(group) + " would have its " + d + " in " + UnitName(met) + ", "
        + SquareName(rectangle.Near) + " would not be " + d + " and " + SquareName(rectangle.Far)
        + " would, in the same " + (viaColumn ? "row" : "column") + " as " + SquareName(target)
        + "; so " + SquareName(target) + " cannot be " + d + ".";
}

} // namespace

bool FindEmptyRectangle(const Position &position, Step &step)
{
    for (int digit = 0; digit < 9; ++digit)
        for (int group = 0; group < 9; ++group) {
            const SquareBits inGroup = position.Places(digit) & UnitBits[GroupUnit(group)];
            if (!HasTwoOrMore(inGroup))
                continue;
            for (int row = group / 3 * 3; row < group / 3 * 3 + 3; ++row)
                for (int column = group % 3 * 3; column < group % 3 * 3 + 3; ++column) {
                    const SquareBits rowBits = UnitBits[RowUnit(row)];
                    const SquareBits columnBits = UnitBits[ColumnUnit(column)];
                    if (!inGroup.Within(rowBits | columnBits) || inGroup.Within(rowBits)
                        || inGroup.Within(columnBits))
                        continue;
                    Rectangle rectangle{group, row, column};
                    if (!FindLink(position, digit, rectangle))
                        continue;
                    Describe(rectangle, inGroup, digit, step);
                    return true;
                }
        }
    return false;
}

} // namespace quorix::hint

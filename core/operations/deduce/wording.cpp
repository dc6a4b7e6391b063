// The explanation of a found step, written from its record.
#include "core/operations/deduce/rules.h"

namespace quorix {

namespace {

void AppendOneBased(std::string &text, std::uint8_t number)
{
    AppendNumber(text, number + 1);
}

// "Only 3s in group 4 in same column, so square 40 can't be a 3", and the like: digit, the
// confining unit, the square struck.
void WordIntersection(const FoundStep &step, std::string &text)
{
    const auto &n = step.Numbers;
    text += "Only";
    AppendOneBased(text, n[0]);
    switch (step.Wording) {
    case StepWording::GroupToColumn:
    case StepWording::GroupToRow:
        text += "s in group";
        break;
    case StepWording::RowToGroup:
        text += "s in row";
        break;
    default:
        text += "s in column";
        break;
    }
    AppendOneBased(text, n[1]);
    text += step.Wording == StepWording::GroupToColumn ? " in same column, so square"
            : step.Wording == StepWording::GroupToRow  ? " in same row, so square"
                                                       : " in same group, so square";
    AppendOneBased(text, n[2]);
    text += " can't be a";
    AppendOneBased(text, n[0]);
}

// "Cell 5 can't be a 2 since ...": the square struck, its digit, then the members of the pair or
// triple, or the hidden pair's squares and digits.
void WordSubset(const FoundStep &step, std::string &text)
{
    const auto &n = step.Numbers;
    text += "Cell";
    AppendOneBased(text, n[0]);
    text += " can't be a";
    AppendOneBased(text, n[1]);
    if (step.Wording == StepWording::HiddenPair) {
        text += " since cells";
        AppendOneBased(text, n[2]);
        text += " and";
        AppendOneBased(text, n[3]);
        text += " must be";
        AppendOneBased(text, n[4]);
        text += " and";
        AppendOneBased(text, n[5]);
        return;
    }
    // The piece before the first member ends in a space of its own, so two spaces come before
    // that number.
    text += " since it must be in either cell ";
    AppendOneBased(text, n[2]);
    const bool triple = step.Wording == StepWording::NakedTriple;
    if (triple) {
        text += ",";
        AppendOneBased(text, n[3]);
    }
    text += " or";
    AppendOneBased(text, n[triple ? 4 : 3]);
}

} // namespace

void WordStep(const FoundStep &step, std::string &text)
{
    static constexpr const char *UnitWords[3] = {"Row", "Column", "Group"};
    const auto &n = step.Numbers;
    text.clear();
    switch (step.Wording) {
    case StepWording::None:
        break;
    case StepWording::SingleCandidate:
        text += "Square";
        AppendOneBased(text, n[0]);
        text += " can only be a";
        AppendOneBased(text, n[1]);
        break;
    case StepWording::OnlyPlace:
        text += UnitWords[n[0]];
        AppendOneBased(text, n[1]);
        text += " has only one possible";
        AppendOneBased(text, n[2]);
        break;
    case StepWording::GroupToColumn:
    case StepWording::GroupToRow:
    case StepWording::RowToGroup:
    case StepWording::ColumnToGroup:
        WordIntersection(step, text);
        break;
    case StepWording::NakedPair:
    case StepWording::NakedTriple:
    case StepWording::HiddenPair:
        WordSubset(step, text);
        break;
    }
}

} // namespace quorix

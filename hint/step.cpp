#include "hint/step.h"

#include <array>
#include <cassert>

namespace quorix::hint {

namespace {

struct TechniqueWords
{
    Technique Kind;
    int Tier;
    std::string_view Name;
    std::string_view LookFor;
};

// In the order of the enumeration.
constexpr std::array<TechniqueWords, TechniqueCount> Words{{
    {Technique::FullHouse, 1, "Full house", "a unit with a single empty square"},
    {Technique::HiddenSingle, 1, "Hidden single", "a digit with only one place in a unit"},
    {Technique::NakedSingle, 1, "Naked single", "a square with only one candidate left"},
    {Technique::Pointing, 2, "Pointing",
     "a group where a digit's places all lie in one row or column"},
    {Technique::Claiming, 2, "Claiming",
     "a row or column where a digit's places all lie in one group"},
    {Technique::NakedPair, 2, "Naked pair",
     "two squares of a unit that hold the same two candidates and no others"},
    {Technique::HiddenPair, 2, "Hidden pair",
     "two digits that have the same two places in a unit and no others"},
    {Technique::NakedTriple, 2, "Naked triple",
     "three squares of a unit whose candidates are only three digits"},
    {Technique::HiddenTriple, 2, "Hidden triple",
     "three digits whose places in a unit are the same three squares"},
    {Technique::NakedQuad, 2, "Naked quad",
     "four squares of a unit whose candidates are only four digits"},
    {Technique::HiddenQuad, 2, "Hidden quad",
     "four digits whose places in a unit are the same four squares"},
    {Technique::XWing, 3, "X-Wing",
     "a digit with two places in each of two rows, in the same two columns (or the other way "
     "round)"},
    {Technique::Swordfish, 3, "Swordfish",
     "a digit whose places in three rows lie in the same three columns (or the other way "
     "round)"},
    {Technique::Jellyfish, 3, "Jellyfish",
     "a digit whose places in four rows lie in the same four columns (or the other way round)"},
    {Technique::Skyscraper, 3, "Skyscraper",
     "a digit with two places in each of two parallel lines, one end of each in the same line"},
    {Technique::TwoStringKite, 3, "Two-string kite",
     "a digit with two places in a row and two in a column, joined in one group"},
    {Technique::TurbotFish, 3, "Turbot fish",
     "two units where a digit has only two places, one end of each seeing the other"},
    {Technique::EmptyRectangle, 3, "Empty rectangle",
     "a group where a digit's places lie in one row and one column, with a digit's pair of "
     "places in a line"},
    {Technique::XYWing, 3, "XY-Wing",
     "a square with two candidates that sees two others sharing one of its digits each"},
    {Technique::XYZWing, 3, "XYZ-Wing",
     "a square with three candidates that sees two squares of two candidates within them"},
    {Technique::WWing, 3, "W-Wing",
     "two squares with the same two candidates, joined by a digit with two places in a unit"},
    {Technique::SimpleColouring, 3, "Simple colouring",
     "a chain of places of one digit, each the only other place in a unit"},
    {Technique::UniqueRectangle, 3, "Unique rectangle",
     "four squares in two rows, two columns and two groups that could swap two digits"},
    {Technique::BivalueGrave, 3, "Bivalue grave",
     "a board where every empty square but one has just two candidates"},
    {Technique::FinnedFish, 4, "Finned fish",
     "an X-Wing or Swordfish with extra places of its digit inside one group"},
    {Technique::XChain, 4, "X-chain",
     "a chain of one digit's places, each link the only two places in a unit"},
    {Technique::XYChain, 4, "XY-chain", "a chain of squares with two candidates each"},
    {Technique::AlternatingChain, 4, "Alternating chain",
     "a chain of strong and weak links between candidates, mixing digits and squares"},
    {Technique::AlsXZ, 4, "ALS-XZ",
     "two groups of squares holding one candidate more than squares, linked by a shared digit"},
    {Technique::AlsXYWing, 4, "ALS-XY-Wing",
     "three groups of squares holding one candidate more than squares, linked in a wing"},
    {Technique::ThreeDColouring, 4, "3D colouring",
     "a colouring of candidates across digits, through squares with two candidates"},
    {Technique::ForcingChain, 5, "Forcing chain",
     "a square or unit where every choice leads to the same conclusion"},
    {Technique::ForcingNet, 5, "Forcing net",
     "a square or unit where every choice, followed through its branches, leads to the same "
     "conclusion"},
}};

constexpr bool InOrder()
{
    for (int i = 0; i < TechniqueCount; ++i) {
        if (static_cast<int>(Words[i].Kind) != i)
            return false;
        if (i > 0 && Words[i].Tier < Words[i - 1].Tier)
            return false;
    }
    return true;
}
static_assert(InOrder(), "the table follows the enumeration, and tiers never fall");

const TechniqueWords &WordsOf(Technique technique)
{
    const auto index = static_cast<std::size_t>(technique);
    assert(index < Words.size() && "technique out of range");
    return Words[index];
}

} // namespace

int TierOf(Technique technique)
{
    return WordsOf(technique).Tier;
}

std::string_view NameOf(Technique technique)
{
    return WordsOf(technique).Name;
}

std::string_view LookFor(Technique technique)
{
    return WordsOf(technique).LookFor;
}

std::string_view GradeOf(int tier)
{
    static constexpr std::array<std::string_view, 5> Grades{"easy", "medium", "hard", "fiendish",
                                                            "extreme"};
    assert(tier >= 1 && tier <= 5 && "tier out of range");
    return Grades[tier - 1];
}

} // namespace quorix::hint

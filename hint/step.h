// One step of the hint engine, as a value: which deduction, what it sets or strikes, the
// pattern to draw and the sentence that explains it.
#pragma once

#include "hint/square_bits.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::hint {

// Every deduction the engine knows, in the order it searches them: a simpler one always comes
// first, and the tier (1 easy .. 5 extreme) never falls along the list.
enum class Technique : std::uint8_t {
    // tier 1
    FullHouse,
    HiddenSingle,
    NakedSingle,
    // tier 2
    Pointing,
    Claiming,
    NakedPair,
    HiddenPair,
    NakedTriple,
    HiddenTriple,
    NakedQuad,
    HiddenQuad,
    // tier 3
    XWing,
    Swordfish,
    Jellyfish,
    Skyscraper,
    TwoStringKite,
    TurbotFish,
    EmptyRectangle,
    XYWing,
    XYZWing,
    WWing,
    SimpleColouring,
    UniqueRectangle,
    BivalueGrave,
    // tier 4
    FinnedFish,
    XChain,
    XYChain,
    AlternatingChain,
    AlsXZ,
    AlsXYWing,
    ThreeDColouring,
    // tier 5
    ForcingChain,
    ForcingNet,
};
constexpr int TechniqueCount = static_cast<int>(Technique::ForcingNet) + 1;

// 1 (easy) .. 5 (extreme).
[[nodiscard]] int TierOf(Technique technique);
// The deduction's name as a person would say it: "Hidden single", "X-Wing".
[[nodiscard]] std::string_view NameOf(Technique technique);
// What a person looks for, in plain words: "a digit with only one place in a unit".
[[nodiscard]] std::string_view LookFor(Technique technique);
// The grade of a puzzle whose hardest step has tier `tier`: "easy", "medium", "hard",
// "fiendish", "extreme".
[[nodiscard]] std::string_view GradeOf(int tier);

// A digit code 0..8 in a square.
struct Candidate
{
    std::int8_t Square = 0;
    std::int8_t Digit = 0;
    friend bool operator==(Candidate, Candidate) = default;
};

struct Step
{
    Technique Kind = Technique::FullHouse;
    // The name of this very step, which may be finer than NameOf(Kind) ("Sashimi Swordfish",
    // "Unique rectangle type 2").
    std::string Name;
    std::vector<Candidate> Sets;
    std::vector<Candidate> Strikes;
    // The squares that make the pattern, and its units (0..26), the one to look at first.
    SquareBits Pattern;
    std::vector<std::uint8_t> Units;
    // The digit the pattern is about, or -1 where it is about several.
    int Digit = -1;
    // For forcing chains and nets: how many squares they set on their way; otherwise 0.
    int Size = 0;
    std::string Sentence;

    [[nodiscard]] int Tier() const { return TierOf(Kind); }
};

} // namespace quorix::hint

// The control store: every property of every control the logic sets or reads.
//
// The store is the truth. A candidate is alive exactly while its button is visible here, and
// an empty square is in setup form exactly while its square button is visible here; the Qt
// window only mirrors these values and forwards input. Positions and sizes are layout units
// (1/1440 inch, 15 to a pixel at 96 dots per inch).
#pragma once

#include "core/ground/square_set.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quorix {

// 0x00RRGGBB, or one of the system colours below (high byte set).
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue)
{
    return (static_cast<Colour>(red) << 16) | (static_cast<Colour>(green) << 8)
           | static_cast<Colour>(blue);
}
constexpr Colour SystemButtonFace = 0xFF000001;
constexpr Colour SystemInactiveBorder = 0xFF000002;
constexpr Colour SystemWindowText = 0xFF000003;
constexpr bool IsSystemColour(Colour colour)
{
    return (colour & 0xFF000000) != 0;
}

constexpr int SquareCount = 81;
constexpr int CandidateCount = 729;
constexpr int DigitCount = 9;
constexpr int ModeButtonCount = 10; // indexes 0, 1, 3..9; there is no element 2
constexpr std::uint16_t AllCandidates = 0x1FF;

// Command button indexes (cmdMode); there is no index 2.
enum ModeIndex : std::int16_t {
    ModeStart = 0,
    ModeCheck = 1,
    ModeReset = 3,
    ModeAuto = 4,
    ModeRestart = 5,
    ModeNext = 6,
    ModeCheckUnique = 7,
    ModeSave = 8,
    ModeRestore = 9,
};

// Keys on a square beyond the digits: the arrows move the focus along the grid, Delete and
// BackSpace empty the square.
enum class GridKey { Up, Down, Left, Right, Delete, BackSpace };

// Number of candidates in a nine-bit mask, looked up (cheaper than a population count on
// targets without the instruction).
constexpr auto CandidateCounts = [] {
    std::array<std::uint8_t, 512> counts{};
    for (unsigned mask = 0; mask < 512; ++mask)
        counts[mask] = static_cast<std::uint8_t>(std::popcount(mask));
    return counts;
}();

struct Rect
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

// Fixed layout of the window (layout units), shared by the logic and the Qt view.
namespace layout {
constexpr int ClientWidth = 10140;
constexpr int ClientHeight = 8025;
constexpr int TwipsPerPixel = 15;
constexpr int SquareOrigin = 480;
constexpr int SquarePitch = 720;
constexpr int SquareSize = 495;
// The nine candidates of a square lie in a 3x3 block of this pitch, in keypad order (7 8 9 on
// top), whose top left corner stands CandidateOverhang above and left of the square's.
constexpr int CandidateSize = 180;
constexpr int CandidateOverhang = 30;
// The digit buttons, also in keypad order.
constexpr int NumberOriginX = 7380;
constexpr int NumberOriginY = 3600;
constexpr int NumberPitch = 540;
constexpr int NumberSize = 555;
constexpr int ModeHeight = 495;
// A highlight frame stands this far outside the squares it surrounds.
constexpr int FrameOutset = 60;
constexpr Rect NewsGeometry{360, 7020, 9435, 375};
// The Hint button, in the free place between Check and Next, on the command buttons' pitch.
constexpr Rect HintGeometry{7560, 2520, 1335, ModeHeight};
constexpr int GridLineStart = 360;
constexpr int GridLineEnd = 6840;
constexpr int GridLinePitch = 720;
// Width in pixels of grid line k = 0..9 (vertical and horizontal alike).
constexpr int GridLineWidth(int k)
{
    return (k == 0 || k == 9) ? 3 : (k == 3 || k == 6) ? 2 : 1;
}
constexpr Rect SquareGeometry(int square)
{
    return {SquareOrigin + SquarePitch * (square % 9), SquareOrigin + SquarePitch * (square / 9),
            SquareSize, SquareSize};
}
// Digit code 0..8 of a square's candidates: 1 2 3 in the bottom row, 7 8 9 on top.
constexpr Rect CandidateGeometry(int square, int digitCode)
{
    const Rect block = SquareGeometry(square);
    return {block.X - CandidateOverhang + CandidateSize * (digitCode % 3),
            block.Y - CandidateOverhang + CandidateSize * (2 - digitCode / 3), CandidateSize,
            CandidateSize};
}
constexpr Rect NumberGeometry(int digitCode)
{
    return {NumberOriginX + NumberPitch * (digitCode % 3),
            NumberOriginY + NumberPitch * (2 - digitCode / 3), NumberSize, NumberSize};
}
// The frame round `columns` x `rows` squares whose top left one is `square`.
constexpr Rect FrameGeometry(int square, int columns, int rows)
{
    const Rect first = SquareGeometry(square);
    return {first.X - FrameOutset, first.Y - FrameOutset,
            SquarePitch * (columns - 1) + SquareSize + 2 * FrameOutset,
            SquarePitch * (rows - 1) + SquareSize + 2 * FrameOutset};
}
static_assert(FrameGeometry(80, 1, 1) == Rect{6180, 6180, 615, 615});
static_assert(CandidateGeometry(0, 6) == Rect{450, 450, 180, 180});
} // namespace layout

// The face colour of each digit code: its digit button, its candidates and the squares set to it.
constexpr std::array<Colour, DigitCount> DigitFaceColours = {
    Rgb(255, 192, 192), Rgb(255, 224, 192), Rgb(224, 255, 192),
    Rgb(192, 255, 192), Rgb(192, 255, 224), Rgb(192, 224, 255),
    Rgb(192, 192, 255), Rgb(224, 192, 255), Rgb(255, 224, 255),
};

// A push button other than a square or candidate: digit and command buttons.
struct Button
{
    std::string Caption;
    Colour Background = SystemButtonFace;
    int FontTenthPoints = 135;
    Rect Geometry;
    bool Visible = true;
    bool Enabled = true;
};

// Highlight frames: outlines drawn beneath the buttons.
struct Frame
{
    bool Visible = false;
    Rect Geometry;
    Colour Border = 0;
    int WidthPixels = 2;
};

struct BlinkTimer
{
    bool Enabled = false;
    int PeriodMs = 100;
};

class ControlStore
{
public:
    // Square buttons, indexed by square. A caption is empty or one digit '1'..'9'.
    struct SquareButton
    {
        char Caption = 0; // 0 = the empty text
        Colour Background = SystemButtonFace;
        int FontTenthPoints = 135;
        Rect Geometry;
        bool Visible = true;
        bool Enabled = true;
    };
    std::array<SquareButton, SquareCount> Squares;

    // Candidate buttons: visibility as nine bits per square (bit d = digit code d), which is
    // also the candidate store. A candidate's colour (its digit's) and geometry never change,
    // so every store shares one table of each, indexed by candidate number.
    std::array<std::uint16_t, SquareCount> CandidateBits{};
    static constexpr std::array<Colour, CandidateCount> CandidateColours = [] {
        std::array<Colour, CandidateCount> colours{};
        for (int candidate = 0; candidate < CandidateCount; ++candidate)
            colours[candidate] = DigitFaceColours[candidate % 9];
        return colours;
    }();
    static constexpr std::array<Rect, CandidateCount> CandidateGeometry = [] {
        std::array<Rect, CandidateCount> geometry{};
        for (int candidate = 0; candidate < CandidateCount; ++candidate)
            geometry[candidate] = layout::CandidateGeometry(candidate / 9, candidate % 9);
        return geometry;
    }();

    std::array<Button, DigitCount> Numbers;    // cmdNumber, index = digit code
    std::array<Button, ModeButtonCount> Modes; // cmdMode, index 2 unused and never shown
    std::array<Frame, 2> Highlights;           // shpHighlight 0 (square) and 1 (unit)
    int FrontFrame = 1; // the frame drawn last among the two; BringToFront makes it 0
    BlinkTimer Timer;   // Timer1
    // Squares the Hint command marks beyond its two frames (a pattern's squares): drawn by
    // shape as well as colour. Empty unless Hint put them there; hidden with the frames.
    SquareSet HintMarks;

    [[nodiscard]] bool CandidateVisible(int candidate) const
    {
        assert(candidate >= 0 && candidate < CandidateCount && "candidate out of range");
        return (CandidateBits[candidate / 9] >> (candidate % 9)) & 1U;
    }
    void SetCandidateVisible(int candidate, bool visible)
    {
        assert(candidate >= 0 && candidate < CandidateCount && "candidate out of range");
        const auto bit = static_cast<std::uint16_t>(1U << (candidate % 9));
        auto &bits = CandidateBits[candidate / 9];
        bits = visible ? static_cast<std::uint16_t>(bits | bit)
                       : static_cast<std::uint16_t>(bits & ~bit);
    }
    [[nodiscard]] int VisibleCandidateCount(int square) const
    {
        return CandidateCounts[CandidateBits[square] & AllCandidates];
    }

    [[nodiscard]] std::string SquareCaption(int square) const
    {
        const char c = Squares[square].Caption;
        return c == 0 ? std::string() : std::string(1, c);
    }

    // The status line (lblNews). Every change bumps NewsRevision, so a caller can tell whether
    // the text is still the one it last put there.
    [[nodiscard]] const std::string &News() const { return NewsText; }
    void SetNews(std::string_view text)
    {
        NewsText.assign(text);
        ++NewsRevision;
    }
    void AppendNews(char c)
    {
        NewsText.push_back(c);
        ++NewsRevision;
    }
    [[nodiscard]] std::uint64_t NewsChanges() const { return NewsRevision; }

    void BringFrameToFront(int frame) { FrontFrame = frame; }

    // Takes every property of `other`, with the status line counted as changed, so that a view
    // of the store redraws it whatever it showed before.
    void Restore(ControlStore other)
    {
        const std::uint64_t revision = std::max(NewsRevision, other.NewsRevision);
        *this = std::move(other);
        NewsRevision = revision + 1;
    }

private:
    std::string NewsText;
    std::uint64_t NewsRevision = 0;
};

// Whether the button of square `square` can take the focus: visible and enabled.
[[nodiscard]] inline bool FocusableSquare(const ControlStore &controls, int square)
{
    return controls.Squares[square].Visible && controls.Squares[square].Enabled;
}

// The square whose button can take the focus next after `square` in reading order; -1 when
// there is none.
[[nodiscard]] inline int NextFocusableSquare(const ControlStore &controls, int square)
{
    for (int s = square + 1; s < SquareCount; ++s)
        if (FocusableSquare(controls, s))
            return s;
    return -1;
}

// The square whose button can take the focus last before `square` in reading order; -1 when
// there is none.
[[nodiscard]] inline int PreviousFocusableSquare(const ControlStore &controls, int square)
{
    for (int s = square - 1; s >= 0; --s)
        if (FocusableSquare(controls, s))
            return s;
    return -1;
}

} // namespace quorix

// The highlight frames and their blink timer.
#include "test_support.h"

namespace quorix::testing {
namespace {

class HighlightTest : public BoardTest
{
protected:
    void Mark(int square, int unit, int type)
    {
        Board.HighlightSquare = square;
        Board.HighlightUnit = unit;
        Board.HighlightUnitType = type;
    }
    const Frame &Frame0() const { return Controls.Highlights[0]; }
    const Frame &Frame1() const { return Controls.Highlights[1]; }
};

TEST_F(HighlightTest, SquareFrameSurroundsItsSquare)
{
    const std::pair<int, Rect> spots[] = {
        {0, {420, 420, 615, 615}},   {8, {6180, 420, 615, 615}},   {40, {3300, 3300, 615, 615}},
        {72, {420, 6180, 615, 615}}, {80, {6180, 6180, 615, 615}},
    };
    for (const auto &[square, rect] : spots) {
        SCOPED_TRACE(square);
        Mark(square, -1, 0);
        ShowHighlight(Board, Controls);
        EXPECT_TRUE(Frame0().Visible);
        EXPECT_EQ(Frame0().Geometry, rect);
    }
    EXPECT_FALSE(Frame1().Visible);
}

TEST_F(HighlightTest, UnitFrameSurroundsItsRowColumnOrGroup)
{
    const std::pair<std::array<int, 2>, Rect> spots[] = {
        {{0, 0}, {420, 420, 6375, 615}},    {{8, 0}, {420, 6180, 6375, 615}},
        {{0, 1}, {420, 420, 615, 6375}},    {{8, 1}, {6180, 420, 615, 6375}},
        {{0, 2}, {420, 420, 2055, 2055}},   {{4, 2}, {2580, 2580, 2055, 2055}},
        {{5, 2}, {4740, 2580, 2055, 2055}}, {{8, 2}, {4740, 4740, 2055, 2055}},
    };
    for (const auto &[unit, rect] : spots) {
        SCOPED_TRACE(::testing::Message() << "unit " << unit[0] << " type " << unit[1]);
        Mark(-1, unit[0], unit[1]);
        ShowHighlight(Board, Controls);
        EXPECT_TRUE(Frame1().Visible);
        EXPECT_EQ(Frame1().Geometry, rect);
    }
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_FALSE(Controls.Timer.Enabled) << "only a square mark starts the blink";
}

TEST_F(HighlightTest, NegativeMarksChangeNothing)
{
    Mark(10, 3, 2);
    ShowHighlight(Board, Controls);
    const auto frames = Controls.Highlights;
    Mark(-1, -1, 0);
    ShowHighlight(Board, Controls);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_TRUE(Frame1().Visible);
    EXPECT_EQ(Frame0().Geometry, frames[0].Geometry);
    EXPECT_EQ(Frame1().Geometry, frames[1].Geometry);
    EXPECT_TRUE(Controls.Timer.Enabled);

    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    ShowHighlight(Board, Controls);
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_FALSE(Frame1().Visible);
}

TEST_F(HighlightTest, SquareAndUnitTogetherOnlyTheSquareBlinks)
{
    Controls.Timer.PeriodMs = 500;
    Mark(20, 2, 0);
    ShowHighlight(Board, Controls);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_TRUE(Frame1().Visible);
    EXPECT_EQ(Controls.FrontFrame, 0);
    EXPECT_TRUE(Controls.Timer.Enabled);
    EXPECT_EQ(Controls.Timer.PeriodMs, 500);

    BlinkSquareFrame(Controls);
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_TRUE(Frame1().Visible);
    BlinkSquareFrame(Controls);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_TRUE(Frame1().Visible);
}

TEST_F(HighlightTest, NewSquareMarkMovesTheBlinkingFrame)
{
    Mark(0, -1, 0);
    ShowHighlight(Board, Controls);
    BlinkSquareFrame(Controls); // hidden half of the blink
    Mark(80, -1, 0);
    ShowHighlight(Board, Controls);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Frame0().Geometry, (Rect{6180, 6180, 615, 615}));
    EXPECT_TRUE(Controls.Timer.Enabled);
}

TEST_F(HighlightTest, CheckHidesTheFrameButTheNextTickShowsItAgain)
{
    Start(EasyPuzzle);
    Mark(33, 4, 1);
    ShowHighlight(Board, Controls);
    (void)CheckBoard(Board, Controls);
    EXPECT_FALSE(Frame0().Visible);
    EXPECT_FALSE(Frame1().Visible);
    EXPECT_TRUE(Controls.Timer.Enabled);
    BlinkSquareFrame(Controls);
    EXPECT_TRUE(Frame0().Visible);
    EXPECT_EQ(Frame0().Geometry, (Rect{720 * 6 + 420, 720 * 3 + 420, 615, 615}));
    EXPECT_FALSE(Frame1().Visible);
}

} // namespace
} // namespace quorix::testing

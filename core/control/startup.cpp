#include "core/control/startup.h"

#include "core/ground/status_texts.h"
#include "core/operations/board/givens.h"
#include "core/operations/board/highlight.h"

namespace quorix {

namespace {

struct ModeLayout
{
    ModeIndex Index;
    const char *Caption;
    int X, Y, Width;
    bool Visible;
};

constexpr ModeLayout ModeButtons[] = {
    {ModeReset, "Reset", 7560, 360, 1335, true},
    {ModeRestart, "Restart", 7560, 900, 1335, true},
    {ModeStart, "Start", 7560, 1440, 1335, true},
    {ModeCheck, "Check", 7560, 1980, 1335, true},
    {ModeNext, "Next", 7560, 3060, 1335, true},
    {ModeSave, "Save", 7140, 5280, 855, true},
    {ModeRestore, "Restore", 8040, 5280, 1215, true},
    {ModeAuto, "Auto", 7560, 5820, 1335, true},
    {ModeCheckUnique, "Check Unique", 7140, 6360, 2115, false},
};

} // namespace

void LayOutWindow(ControlStore &controls)
{
    for (int s = 0; s < SquareCount; ++s)
        controls.Squares[s].Geometry = layout::SquareGeometry(s);
    for (int d = 0; d < DigitCount; ++d) {
        auto &button = controls.Numbers[d];
        button.Caption = std::string(1, static_cast<char>('1' + d));
        button.Geometry = layout::NumberGeometry(d);
    }
    controls.Modes[2].Visible = false; // no such button
    controls.Modes[2].Enabled = false;
    for (const auto &mode : ModeButtons) {
        auto &button = controls.Modes[mode.Index];
        button.Caption = mode.Caption;
        button.Geometry = {mode.X, mode.Y, mode.Width, layout::ModeHeight};
        button.Visible = mode.Visible;
    }
    controls.Highlights[0].Border = Rgb(192, 0, 0);
    controls.Highlights[1].Border = Rgb(0, 0, 192);
    controls.Timer.PeriodMs = 100;
    controls.CandidateBits.fill(0);
}

void LoadForm(FormState &state)
{
    for (int d = 0; d < DigitCount; ++d)
        state.Board.DigitColours[d] = DigitFaceColours[d];
    for (int d = 0; d < DigitCount; ++d)
        state.Controls.Numbers[d].Background = state.Board.DigitColours[d];
    InitialiseWindow(state);
}

void InitialiseWindow(FormState &state)
{
    BoardState &board = state.Board;
    ControlStore &controls = state.Controls;
    for (int s = 0; s < SquareCount; ++s) {
        board.Grid[s] = Empty;
        board.Givens[s] = Empty;
        auto &square = controls.Squares[s];
        square.Caption = 0;
        square.Background = SystemButtonFace;
        square.FontTenthPoints = 180;
    }
    state.Guesses.GuessCount = 0;
    EnterSetupMode(board, controls);
    controls.Timer.Enabled = false;
    board.ForgetStep();
    HideHighlights(controls);
    board.Guessed = false;
    state.Unique.ReverseGuessOrder = false;
    controls.SetNews(news::Setup);
}

} // namespace quorix

// The window's controls, its load event and its starting state.
#include "core/form/form1.h"

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

Form1::Form1(Platform &platform) : PlatformRef(platform)
{
    platform.Attach(Controls);
    for (int s = 0; s < SquareCount; ++s)
        Controls.Squares[s].Geometry = layout::SquareGeometry(s);
    for (int d = 0; d < DigitCount; ++d) {
        auto &button = Controls.Numbers[d];
        button.Caption = std::string(1, static_cast<char>('1' + d));
        button.Geometry = layout::NumberGeometry(d);
    }
    Controls.Modes[2].Visible = false; // no such button
    Controls.Modes[2].Enabled = false;
    for (const auto &mode : ModeButtons) {
        auto &button = Controls.Modes[mode.Index];
        button.Caption = mode.Caption;
        button.Geometry = {mode.X, mode.Y, mode.Width, layout::ModeHeight};
        button.Visible = mode.Visible;
    }
    Controls.Highlights[0].Border = Rgb(192, 0, 0);
    Controls.Highlights[1].Border = Rgb(0, 0, 192);
    Controls.Timer.PeriodMs = 100;
    Controls.CandidateBits.fill(0);
}

void Form1::Form_Load()
{
    for (int d = 0; d < DigitCount; ++d)
        Board.DigitColours[d] = DigitFaceColours[d];
    for (int d = 0; d < DigitCount; ++d)
        Controls.Numbers[d].Background = Board.DigitColours[d];
    InitialiseWindow();
}

void Form1::InitialiseWindow()
{
    for (int s = 0; s < SquareCount; ++s) {
        Board.Grid[s] = Empty;
        Board.Givens[s] = Empty;
        auto &square = Controls.Squares[s];
        square.Caption = 0;
        square.Background = SystemButtonFace;
        square.FontTenthPoints = 180;
    }
    Guesses.GuessCount = 0;
    EnterSetupMode();
    Controls.Timer.Enabled = false;
    Board.ForgetStep();
    Controls.Highlights[0].Visible = false;
    Controls.Highlights[1].Visible = false;
    Board.Guessed = false;
    Unique.ReverseGuessOrder = false;
    Controls.SetNews(news::Setup);
}

} // namespace quorix

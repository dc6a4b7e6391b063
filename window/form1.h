// The one window object: composes the subsystems' state and holds every event handler.
//
// Form1 sees the window only through the control store and the platform interface, so all of
// it runs without a display. Event handlers (the *_Click, *_KeyPress and Timer1_Timer members)
// are the only entry points; everything runs on one thread.
#pragma once

#include "board/board_state.h"
#include "board/units.h"
#include "control/control_state.h"
#include "window/controls.h"
#include "window/platform.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorix {

class BurstView;
struct AutoCarry;

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

inline constexpr std::string_view SetupMessage =
    "Set-up puzzle by clicking on squares, or use Tab and Numeric Keys";

class Form1
{
public:
    explicit Form1(Platform &platform);
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    ControlStore Controls;
    BoardState Board;
    SnapshotStore Snapshots;
    GuessStack Guesses;
    DispatchState Dispatch;
    UniqueState Unique;
    AutoStats Stats;

    // --- start-up (window/startup.cpp)
    void Form_Load();
    void InitialiseWindow();

    // --- board model (board/)
    std::int16_t SquareOfUnit(std::int16_t unit, std::int16_t position, std::int16_t unitType);
    void SetSquare(std::int16_t square, std::int16_t code, bool showCandidates);
    void StrikeSetDigits();
    // Whether StrikeSetDigits would change nothing: no live candidate shares a unit with a set
    // square of its digit.
    [[nodiscard]] bool SetDigitsStruck() const;
    void ApplyStep();
    void cmdEle_Click(std::int16_t index);
    [[nodiscard]] std::int32_t CheckBoard();
    void LoadGivens();
    void EnterSetupMode();

    // --- entering the puzzle, highlight, digit buttons (window/)
    void cmdSquare_Click(std::int16_t index);
    void cmdSquare_KeyPress(std::int16_t index, std::int16_t key);
    void ShowHighlight();
    void Timer1_Timer();
    void cmdNumber_Click(std::int16_t index);

    // --- deduction engine (deduce/)
    // Finds one step and records it (pending step, highlight marks, Explanation); touches
    // nothing when it finds none. A digit filter 0..8 narrows the digit-driven rules.
    bool FindStep(std::int16_t digitFilter);
    // While set, FindStep searches this view instead of building one from the store; the auto
    // loop sets it for the steps of one burst and keeps it equal to the store throughout.
    BurstView *ActiveBurst = nullptr;
    // Set when FindStep, searching ActiveBurst, left Explanation for its step unwritten;
    // WordPendingStep writes it, and the auto loop calls it once a burst ends.
    bool StepWordingPending = false;
    void WordPendingStep();

    // --- solving control (control/)
    void cmdMode_Click(std::int16_t index);
    void SaveSnapshot(std::int16_t slot);
    void RestoreSnapshot(std::int16_t slot);
    // One guess or one backtrack; `status` in and out; returns true when the search is
    // exhausted.
    bool GuessOrBacktrack(std::int32_t &status);
    // While set, what the calling auto loop knows about the board; GuessOrBacktrack keeps it
    // true and uses it to change the board more cheaply. Set only around that call.
    AutoCarry *Carry = nullptr;
    void RunAuto();
    void CheckUnique();

    // Ends every running auto loop at its next cycle; used when the window closes.
    void RequestShutdown();

    [[nodiscard]] Platform &Host() { return PlatformRef; }

private:
    Platform &PlatformRef;
};

} // namespace quorix

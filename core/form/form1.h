// The one window object: composes the subsystems' state and holds every event handler.
//
// Form1 sees the window only through the control store and the platform interface, so all of
// it runs without a display. Event handlers (the *_Click, *_KeyPress and Timer1_Timer members)
// are the only entry points; everything runs on one thread.
//
// The handlers bear the names of the window's controls:
//   cmdSquare   the 81 square buttons, indexed by square
//   cmdEle      the 729 candidate buttons, indexed by candidate number (square * 9 + digit code)
//   cmdNumber   the nine digit buttons, indexed by digit code
//   cmdMode     the command buttons (ModeIndex below)
//   Timer1      the blink timer of the square frame
//   lblNews     the status line (ControlStore::News)
//   shpHighlight the two highlight frames: 0 round a square, 1 round a unit
#pragma once

#include "core/control/control_state.h"
#include "core/control/stopped_bursts.h"
#include "core/control/undo_history.h"
#include "core/ground/board_state.h"
#include "core/ground/controls.h"
#include "core/ground/platform.h"
#include "core/ground/status_texts.h"
#include "core/ground/units.h"
#include "core/operations/deduce/rules.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorix {

class BurstView;
struct AutoCarry;

// Keys on a square beyond the digits: the arrows move the focus along the grid, Delete and
// BackSpace empty the square.
enum class GridKey { Up, Down, Left, Right, Delete, BackSpace };

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

// The check's words for square `square` left with no candidate (board/consistency.cpp).
void WordDeadSquare(int square, std::string &text);
// Where ShowUnitFrame puts the blue frame round unit `unit` of type `unitType`
// (window/highlight.cpp).
Rect UnitFrameGeometry(int unit, int unitType);

class Form1
{
public:
    explicit Form1(Platform &platform);
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // The window's state, one owner per subsystem. The Qt view mirrors the store, and tools and
    // tests read all of it; the program itself changes it only through the members below.
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
    void SetSquare(int square, int code, bool showCandidates);
    // SetSquare of a digit code 0..8, which shows the value in place of the candidates.
    void SetSquareDigit(int square, int code)
    {
        assert(square >= 0 && square < SquareCount && "square out of range");
        assert(code >= 0 && code < DigitCount && "digit code out of range");
        auto &button = Controls.Squares[square];
        Controls.CandidateBits[square] = 0;
        Board.Grid[square] = static_cast<std::int16_t>(code);
        button.Caption = static_cast<char>('1' + code);
        button.Background = Board.DigitColours[code];
        button.Visible = true;
    }
    void StrikeSetDigits();
    // Whether StrikeSetDigits would change nothing: no live candidate shares a unit with a set
    // square of its digit.
    [[nodiscard]] bool SetDigitsStruck() const;
    void ApplyStep();
    void cmdEle_Click(int index);
    [[nodiscard]] BoardStatus CheckBoard();
    void LoadGivens();
    void EnterSetupMode();

    // --- entering the puzzle, highlight, digit buttons (window/)
    void cmdSquare_Click(int index);
    void cmdSquare_KeyPress(int index, int key);
    void ShowHighlight();
    // The blue frame round unit `unit` of type `unitType`, as ShowHighlight draws it.
    void ShowUnitFrame(int unit, int unitType);
    void Timer1_Timer();
    void cmdNumber_Click(int index);

    // --- deduction engine (deduce/)
    // Finds one step and records it (pending step, highlight marks, Explanation); touches
    // nothing when it finds none. A digit filter 0..8 narrows the digit-driven rules.
    bool FindStep(int digitFilter);

    // --- solving control (control/)
    void cmdMode_Click(int index);
    void SaveSnapshot(int slot);
    void RestoreSnapshot(int slot);
    // The same where every square outside `differing` already holds the slot's value and shows
    // it as a restore would, and every square of `differing` is empty in the slot: only those
    // squares are written, emptied (the candidates all the same).
    void RestoreSnapshot(int slot, SquareSet differing);
    // One guess or one backtrack; `status` in and out; returns true when the search is
    // exhausted.
    bool GuessOrBacktrack(BoardStatus &status);
    void RunAuto();
    void CheckUnique();

    // Ends every running auto loop at its next cycle; used when the window closes.
    void RequestShutdown();

    // --- beyond the original window: the grid keyboard, paste and copy, undo (window/)
    // Up, Down, Left and Right move the focus to the nearest visible square that way (rows for
    // Up and Down, columns for Left and Right), staying put at the edge; Delete empties the
    // square as the 0 key does, and BackSpace also moves back to the previous visible square.
    void cmdSquare_KeyDown(int index, GridKey key);
    // Reads `text` as a puzzle (see ParsePuzzleText) and lays it out as if the user had clicked
    // Reset and typed it: in setup form, or, for a candidate grid, started with every candidate
    // the grid leaves out struck. Refused text only says why on the status line.
    void Paste(std::string_view text);
    // The board's 81-character line, and its candidate grid (empty squares in setup form listed
    // with all nine candidates).
    [[nodiscard]] std::string CopyLine() const;
    [[nodiscard]] std::string CopyCandidates() const;
    // Take back the latest step of the user's, or do again the step taken back last; the
    // status line says so when there is none. Neither does anything while Auto runs.
    void Undo();
    void Redo();
    // Runs `action`, one input of the user's, as one step of the undo history: what stood before
    // it is kept when it changed the board (values, givens, which squares and candidates show).
    // Input that arrives while Auto runs belongs to the step of that run.
    template <typename Action> void AsUserStep(Action &&action);
    [[nodiscard]] const UndoHistory &History() const { return Steps; }

    [[nodiscard]] Platform &Host() { return PlatformRef; }

private:
    // FindStep over the auto loop's view of a burst, which follows the store step by step. The
    // step is recorded in `found` as well; in release builds its sentence is left unwritten,
    // since within a burst only the last one is ever read (WordStep writes it afterwards).
    bool FindStep(int digitFilter, BurstView &view, FoundStep &found);
    // Records a step found within a burst (and, in Debug builds, its sentence).
    void TakeBurstStep([[maybe_unused]] const FoundStep &step)
    {
        RecordStep(step);
#ifndef NDEBUG
        Board.Explanation = step.Explanation;
        Disown(TailExplanation);
#endif
    }
    void RecordStep(const FoundStep &step)
    {
        Board.StepKind = step.Kind;
        Board.StepTarget = step.Target;
        Board.StepDigit = step.Digit;
        Board.HighlightSquare = step.Square;
        Board.HighlightUnit = step.Unit;
        Board.HighlightUnitType = step.UnitType;
        Disown(TailStepKind | TailStepTarget | TailSquareMark | TailUnitMarks);
    }

    // The command buttons (control/dispatcher.cpp).
    void RunPrologue();
    // Check and Next with too little entered: says so, lays the puzzle out in setup form again
    // and returns true; false for any other status.
    bool SendBackToSetup(BoardStatus status);
    void ClickCheck();
    void ClickNext();
    void ClickRestore();

    // CheckBoard within the auto loop: read off the carried view where the carry knows the
    // board well enough, and otherwise the full check, after which the carry learns what it
    // can (board/consistency.cpp).
    [[nodiscard]] BoardStatus CheckBoard(AutoCarry &carry);
    // Whether no digit is set twice in a unit and the board is in solving form.
    [[nodiscard]] bool CleanSolvingForm() const;
    // The check's report of a square left with no candidate: the explanation and the mark.
    void ReportDead(int square);

    // The auto loop (control/auto_mode.cpp).
    [[nodiscard]] BoardStatus StartAutoRun();
    void YieldToWindow(AutoCarry &carry);
    void RunBurst(AutoCarry &carry);
    // Within a burst, on a struck board with its view current: places single candidates one
    // after another as FindStep would find them, for as long as there are any, and records the
    // last. Returns whether there was one.
    bool PlaceSingles(AutoCarry &carry, bool stopAtDeadSquare);
    void FinishAutoRun(BoardStatus status);

    // Bursts left unfinished (control/deferred_tails.cpp). StopBurst keeps a copy of the burst
    // as it stands, with the latest unit it framed; the queue of the running auto loop takes
    // it once the check has been made. FinishStoppedBursts works out the rest of every queued
    // burst and writes the fields they still own, as they would have been written. Disown
    // tells the queue that `fields` (TailField bits) were just written.
    void StopBurst(AutoCarry &carry, int dueUnit, int dueUnitType);
    void FinishStoppedBursts();
    // ShowHighlight at the end of a burst that found no step.
    void ShowHighlightAfterNoStep();
    unsigned FinishStoppedBurst(DeferredTail &tail, unsigned fields);
    void Disown(unsigned fields)
    {
        if (StoppedBursts != nullptr && !StoppedBursts->Empty())
            StoppedBursts->Disown(fields);
    }
    // The queue of the innermost running auto loop, once it has stopped a burst; one queue per
    // depth of nested runs, kept from run to run.
    TailQueue *StoppedBursts = nullptr;
    std::vector<std::unique_ptr<TailQueue>> StoppedBurstQueues;

    // Guessing (control/guessing.cpp), through what the calling auto loop knows about the board
    // when `carry` is given.
    bool GuessOrBacktrack(BoardStatus &status, AutoCarry *carry);
    void MakeGuess(AutoCarry *carry);
    bool Backtrack(BoardStatus &status, AutoCarry *carry);
    void PlaceGuess(int square, int digit, AutoCarry *carry);

    // Sets square `square` to digit code `code` (Empty for none) as part of the puzzle, as
    // typing it in setup form does.
    void EnterSquare(int square, int code);

    void RestoreStep(HistoryEntry &&entry);

    Platform &PlatformRef;
    UndoHistory Steps;
    bool StepOpen = false;
};

template <typename Action> void Form1::AsUserStep(Action &&action)
{
    if (Dispatch.AutoDepth > 0 || StepOpen) {
        action();
        return;
    }
    StepOpen = true;
    HistoryEntry before{Controls, Board};
    action();
    StepOpen = false;
    if (!before.SameBoard(Controls, Board))
        Steps.Push(std::move(before));
}

} // namespace quorix

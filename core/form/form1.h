// The one window object: the composition of the subsystems' owners, and every event handler.
//
// Form1 sees the window only through the control store and the platform interface, so all of
// it runs without a display. Event handlers (the *_Click, *_KeyPress and Timer1_Timer members)
// are the only entry points; everything runs on one thread. Each member forwards to the floor
// below that does the work; the state stays Form1's own, read through the const accessors and
// changed only through these members (or, for a test or a tool that needs a state no sequence
// of input reaches, put in place whole by Seed).
//
// The handlers bear the names of the window's controls:
//   cmdSquare   the 81 square buttons, indexed by square
//   cmdEle      the 729 candidate buttons, indexed by candidate number (square * 9 + digit code)
//   cmdNumber   the nine digit buttons, indexed by digit code
//   cmdMode     the command buttons (ModeIndex)
//   Timer1      the blink timer of the square frame
//   lblNews     the status line (ControlStore::News)
//   shpHighlight the two highlight frames: 0 round a square, 1 round a unit
#pragma once

#include "core/control/auto_loop.h"
#include "core/control/control_state.h"
#include "core/control/dispatcher.h"
#include "core/control/entry.h"
#include "core/control/grid_keys.h"
#include "core/control/guessing.h"
#include "core/control/hint_command.h"
#include "core/control/saved_game.h"
#include "core/control/snapshots.h"
#include "core/control/startup.h"
#include "core/control/user_steps.h"
#include "core/ground/platform.h"
#include "core/operations/board/consistency.h"
#include "core/operations/board/givens.h"
#include "core/operations/board/highlight.h"
#include "core/operations/board/placing.h"
#include "core/operations/deduce/find_step.h"
#include "core/operations/text/puzzle_text.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace quorix {

class Form1
{
public:
    explicit Form1(Platform &platform);
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // --- The state, one owner per subsystem, to read.
    [[nodiscard]] const ControlStore &Controls() const { return Owned.Controls; }
    [[nodiscard]] const BoardState &Board() const { return Owned.Board; }
    [[nodiscard]] const SnapshotStore &Snapshots() const { return Owned.Snapshots; }
    [[nodiscard]] const GuessStack &Guesses() const { return Owned.Guesses; }
    [[nodiscard]] const DispatchState &Dispatch() const { return Owned.Dispatch; }
    [[nodiscard]] const UniqueState &Unique() const { return Owned.Unique; }
    [[nodiscard]] const AutoStats &Stats() const { return Owned.Stats; }
    [[nodiscard]] const FormState &State() const { return Owned; }
    [[nodiscard]] const UndoHistory &History() const { return Steps.History(); }
    [[nodiscard]] Platform &Host() { return PlatformRef; }

    // Puts `state` in place whole, the status line counted as changed: for a test or a tool
    // that needs a board no sequence of input reaches. Inside the yield of a running auto
    // loop it is one more thing the yield runs, which may change the board under the search.
    void Seed(FormState state);
    // Puts a saved game back (ReadSavedGame over State()): its state as Seed does, and its undo
    // history. Not while an auto run is in progress.
    void Resume(SavedGame game);
    // The saved game of the state as it stands (WriteSavedGame).
    [[nodiscard]] std::string SaveGame() const { return WriteSavedGame(Owned, History()); }
    // Puts `text` on the status line, as no step of the user's: what the window has to say of
    // itself (a saved game that could not be read, say).
    void Tell(std::string_view text) { Owned.Controls.SetNews(text); }
    // Whether the auto loop may stop a burst bound to fail and work out its rest only when it
    // could show (it leaves everything as running it to the end does; tests compare both).
    void StopFailingBursts(bool stop) { Owned.Dispatch.StopFailingBursts = stop; }

    // --- Start-up.
    void Form_Load() { LoadForm(Owned); }
    void InitialiseWindow() { quorix::InitialiseWindow(Owned); }

    // --- The board model.
    void SetSquare(int square, int code, bool showCandidates)
    {
        quorix::SetSquare(Owned.Board, Owned.Controls, square, code, showCandidates);
    }
    void StrikeSetDigits() { quorix::StrikeSetDigits(Owned.Board, Owned.Controls); }
    void ApplyStep() { quorix::ApplyStep(Owned.Board, Owned.Controls); }
    void cmdEle_Click(int index) { StrikeCandidate(Owned.Board, Owned.Controls, index); }
    [[nodiscard]] BoardStatus CheckBoard()
    {
        return quorix::CheckBoard(Owned.Board, Owned.Controls);
    }
    void LoadGivens() { quorix::LoadGivens(Owned.Board, Owned.Controls); }
    void EnterSetupMode() { quorix::EnterSetupMode(Owned.Board, Owned.Controls); }

    // --- Entering the puzzle, the highlight, the digit buttons.
    void cmdSquare_Click(int index) { ClickSquare(Owned.Board, Owned.Controls, index); }
    void cmdSquare_KeyPress(int index, int key)
    {
        PressKeyOnSquare(Owned.Board, Owned.Controls, PlatformRef, index, key);
    }
    void ShowHighlight() { quorix::ShowHighlight(Owned.Board, Owned.Controls); }
    void Timer1_Timer() { BlinkSquareFrame(Owned.Controls); }
    void cmdNumber_Click(int index) { ClickDigitButton(Owned.Board, Owned.Controls, index); }

    // --- The deduction engine: finds one step and records it (pending step, highlight marks,
    // Explanation); touches nothing when it finds none. A digit filter 0..8 narrows the
    // digit-driven rules.
    bool FindStep(int digitFilter)
    {
        return quorix::FindStep(Owned.Board, Owned.Controls, digitFilter);
    }

    // --- Solving control.
    void cmdMode_Click(int index) { Commands.Click(index); }
    void SaveSnapshot(int slot) { quorix::SaveSnapshot(Owned, slot); }
    void RestoreSnapshot(int slot) { quorix::RestoreSnapshot(Owned, slot); }
    // One guess or one backtrack; `status` in and out; returns true when the search is
    // exhausted.
    bool GuessOrBacktrack(BoardStatus &status) { return quorix::GuessOrBacktrack(Owned, status); }
    void RunAuto() { Auto.Run(); }
    void CheckUnique() { Commands.CheckUnique(); }
    // Ends every running auto loop at its next cycle; used when the window closes.
    void RequestShutdown() { Commands.RequestShutdown(); }

    // --- Beyond the original window: the grid keyboard, paste and copy, undo.
    void cmdSquare_KeyDown(int index, GridKey key)
    {
        PressGridKey(Owned.Board, Owned.Controls, PlatformRef, index, key);
    }
    void Paste(std::string_view text) { Commands.Paste(text); }
    void PasteFile(std::istream &file) { Commands.PasteFile(file); }
    void OpenFile(std::istream &file, std::string name, int line = 0)
    {
        Commands.OpenFile(file, std::move(name), line);
    }
    bool ShowPuzzle(int index) { return Commands.ShowPuzzle(index); }
    [[nodiscard]] const PuzzleCollection &Collection() const { return Owned.Collection; }
    [[nodiscard]] std::string CopyLine() const { return quorix::CopyLine(Owned.Board); }
    [[nodiscard]] std::string CopyCandidates() const
    {
        return quorix::CopyCandidates(Owned.Board, Owned.Controls);
    }
    // Each returns the square whose value the step changed, where it was one; -1 otherwise.
    int Undo() { return Steps.Undo(Owned); }
    int Redo() { return Steps.Redo(Owned); }
    // Runs `action`, one input of the user's, as one step of the undo history (UserSteps::Run).
    template <typename Action> void AsUserStep(Action &&action)
    {
        Steps.Run(Owned, std::forward<Action>(action));
    }
    // One press of Hint (HintCommand::Press), one step of the undo history where it acts.
    void Hint()
    {
        Steps.Run(Owned, [this] { Hints.Press(); });
    }

private:
    FormState Owned;
    Platform &PlatformRef;
    AutoLoop Auto{Owned, PlatformRef};
    Dispatcher Commands{Owned, PlatformRef, Auto};
    UserSteps Steps;
    HintCommand Hints{Owned};
};

// Types `puzzle` into the squares as the user would, one key press per square in order, with
// '.' pressed as '0'; other characters are pressed as they are. At most 81 are typed.
void TypePuzzle(Form1 &form, std::string_view puzzle);

} // namespace quorix

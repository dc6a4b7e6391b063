#include "fuzz/paste_oracle.h"

#include "core/operations/text/puzzle_text.h"

#include <algorithm>

namespace quorix::fuzz {

namespace {

// The digits set in the row, column and box of `square`, worked out here rather than read from
// the program's unit tables.
std::uint16_t DigitsAround(const std::array<std::int16_t, 82> &grid, int square)
{
    const int row = square / 9, column = square % 9;
    std::uint16_t digits = 0;
    for (int other = 0; other < SquareCount; ++other) {
        const int r = other / 9, c = other % 9;
        const bool peer = other != square
                          && (r == row || c == column || (r / 3 == row / 3 && c / 3 == column / 3));
        if (peer && grid[other] >= 0)
            digits = static_cast<std::uint16_t>(digits | (1U << grid[other]));
    }
    return digits;
}

bool SameImage(const BoardImage &a, const BoardImage &b)
{
    if (a.Grid != b.Grid || a.Givens != b.Givens || a.Candidates != b.Candidates)
        return false;
    for (int s = 0; s < SquareCount; ++s)
        if (!SameButton(a.Squares[s], b.Squares[s]))
            return false;
    return true;
}

std::string Square(int s)
{
    return "square " + std::to_string(s + 1);
}

// An accepted paste: the values read, typed in as givens; a line or grid in setup form, and a
// candidate grid started with its candidates, less the digits set around each square.
void CheckAccepted(const Form1 &form, const PastedPuzzle &read, const Failure &fail)
{
    const auto &board = form.Board();
    const auto &controls = form.Controls();
    int dead = -1;
    for (int s = 0; s < SquareCount; ++s) {
        if (board.Grid[s] != read.Values[s] || board.Givens[s] != read.Values[s])
            fail("the paste did not put the value it read on " + Square(s));
        if (read.Values[s] >= 0)
            continue;
        if (!read.HasCandidates) {
            if (!controls.Squares[s].Visible || controls.CandidateBits[s] != 0)
                fail("a pasted puzzle left empty " + Square(s) + " out of setup form");
            continue;
        }
        const auto expected =
            static_cast<std::uint16_t>(read.Candidates[s] & ~DigitsAround(board.Grid, s));
        if (controls.Squares[s].Visible || controls.CandidateBits[s] != expected)
            fail("a pasted candidate grid did not show the candidates it lists on " + Square(s));
        if (expected == 0 && dead < 0)
            dead = s;
    }
    std::string news = read.HasCandidates ? "" : std::string(news::Setup);
    if (dead >= 0)
        news = "Impossible.  No possibilities left for " + Square(dead);
    if (controls.News() != news)
        fail("after the paste the status line says [" + controls.News() + "], not [" + news + "]");
}

// Undo puts back what stood before the step, and Redo what stood after it.
void CheckUndo(Form1 &form, const BoardImage &before, const std::string &newsBefore,
               const Failure &fail)
{
    const BoardImage after = TakeImage(form.State());
    const std::string newsAfter = form.Controls().News();
    form.Undo();
    if (!SameImage(TakeImage(form.State()), before) || form.Controls().News() != newsBefore)
        fail("undo did not give back the board before the paste");
    form.Redo();
    if (!SameImage(TakeImage(form.State()), after) || form.Controls().News() != newsAfter)
        fail("redo did not give back the board after the paste");
}

} // namespace

bool CheckedPaste(Form1 &form, std::string_view text, const Failure &fail)
{
    PastedPuzzle read;
    std::string error;
    const bool accepted = ParsePuzzleText(text, read, error);
    const bool topLevel = form.Dispatch().AutoDepth == 0;
    const BoardImage before = TakeImage(form.State());
    const std::string newsBefore = form.Controls().News();
    const std::size_t undoSteps = form.History().UndoSteps();
    const std::size_t redoSteps = form.History().RedoSteps();
    form.AsUserStep([&] { form.Paste(text); });
    if (!accepted) {
        if (!SameImage(TakeImage(form.State()), before))
            fail("a refused paste changed the board");
        if (form.History().UndoSteps() != undoSteps || form.History().RedoSteps() != redoSteps)
            fail("a refused paste changed the undo history");
        if (form.Controls().News() != std::string(news::CannotPaste) + error)
            fail("a refused paste did not say why");
        return false;
    }
    CheckAccepted(form, read, fail);
    if (!topLevel || form.Dispatch().AutoDepth != 0)
        return true;
    // A step is kept whenever the board changed; at the bound the count stays put.
    const bool same = SameImage(TakeImage(form.State()), before);
    const bool stepAdded =
        form.History().UndoSteps() > undoSteps || (undoSteps == UndoHistory::MaxSteps && !same);
    if (!stepAdded) {
        if (!same)
            fail("a paste that changed the board added no undo step");
        return true;
    }
    CheckUndo(form, before, newsBefore, fail);
    return true;
}

std::string CheckedCopy(const Form1 &form, bool candidates, const Failure &fail)
{
    const std::string text = candidates ? form.CopyCandidates() : form.CopyLine();
    PastedPuzzle read;
    std::string error;
    if (!ParsePuzzleText(text, read, error))
        fail("the copy of the board does not paste back: " + error);
    for (int s = 0; s < SquareCount; ++s) {
        const std::int16_t value = form.Board().Grid[s];
        if (read.Values[s] != value)
            fail("the copy of the board reads back another value on " + Square(s));
        if (!candidates || value >= 0)
            continue;
        const std::uint16_t shown =
            form.Controls().Squares[s].Visible ? AllCandidates : form.Controls().CandidateBits[s];
        if (!read.HasCandidates || read.Candidates[s] != shown)
            fail("the copy of the candidate grid reads back other candidates on " + Square(s));
    }
    return text;
}

} // namespace quorix::fuzz

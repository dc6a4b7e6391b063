// The main window: a view of the control store plus the source of its events.
#pragma once

#include "core/form/form1.h"
#include "view/drawing.h"
#include "view/qt_platform.h"

#include <QKeySequence>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace quorix::qt {

class FaceButton;
class StatusLine;

class MainWindow : public QWidget, public PlatformWindow
{
    Q_OBJECT

public:
    // Runs the window's load event, then builds every widget once from the store.
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] Form1 &Form() { return TheForm; }
    [[nodiscard]] QtPlatform &Host() { return HostPlatform; }

    // Brings the widgets, the drawn lines and frames and the blink timer in line with the
    // store. Only what changed since the last call is touched.
    void Mirror() override;
    // The Tab keystroke of the platform: focus to the next visible, enabled control.
    void MoveFocusOn() override;
    [[nodiscard]] QWidget &AsWidget() override { return *this; }
    void FocusSquareButton(int square) override;

    // What the shortcuts do (Ctrl+V and Shift+Insert, Ctrl+C, Ctrl+Shift+C, Ctrl+Z, Ctrl+Y and
    // Ctrl+Shift+Z), and a drop of text or of a text file.
    void PasteText(const QString &text);
    // Says in a message box, once the event loop runs, why the puzzle the window was given
    // could not be opened; the board is left as it is.
    void TellCannotOpen(const QString &reason);
    // Opens a file (Ctrl+O, a drop, the command line): a saved game (Ctrl+Shift+S) is put
    // back, a collection shows its puzzle on file line `line` (its first by default), any other
    // file is pasted. The title bar shows the collection's name and the place in it.
    void OpenFile(const QString &path, int line = 0);
    // Alt+Right or Page Down (`step` 1), Alt+Left or Page Up (-1): the next or previous puzzle
    // of the collection; at either end, or with none, the status line says so.
    void WalkCollection(int step);
    // Ctrl+Shift+S: the saved game written to `path`; false, saying so, when it cannot be.
    bool SaveGameTo(const QString &path);
    void PasteFromClipboard();
    void CopyToClipboard(bool candidates);
    // Undo and redo mirror the store, then put the focus on the square the step changed,
    // where it was one square whose button can take the focus.
    void UndoStep();
    void RedoStep();
    // One press of Hint: its button and Ctrl+H.
    void HintStep();

    // A click on command button `index`, from the mouse or its shortcut: ignored while the store
    // holds the button hidden or disabled.
    void ClickMode(int index);
    // The key that gives the command of button `index` wherever the focus is (its tooltip
    // names it); none of them is a key the squares or the other shortcuts use.
    [[nodiscard]] static QKeySequence ModeShortcut(int index);

    // Called after every input of the user's (a step or not), once the store is mirrored: how
    // the program keeps the person's work. Called before a command that runs Auto (Auto, Check
    // Unique) is given outside a run, so that what stands before it can be kept first.
    std::function<void()> OnInput;
    std::function<void()> BeforeAuto;

    // Draws each candidate's digit on its coloured patch (off by default; Ctrl+D turns it over,
    // and then calls OnCandidateDigitsChanged, through which the program remembers it).
    void SetCandidateDigits(bool shown);
    [[nodiscard]] bool CandidateDigits() const { return DigitsShown; }
    std::function<void(bool)> OnCandidateDigitsChanged;

    // Which file Ctrl+O opens (`saving` false) or Ctrl+Shift+S saves to, empty when the person
    // cancels: Qt's file dialog, unless set otherwise (tests answer it themselves).
    std::function<QString(bool saving)> AskForFile;

    // The scale the layout is drawn at, which follows the window's size: the largest at which
    // all of it fits, centred.
    [[nodiscard]] const LayoutScale &Scale() const { return Layout; }
    // Ctrl+Plus and Ctrl+Minus: the window made one step larger or smaller (by a quarter of
    // the layout's own size, within the screen); Ctrl+0: back to the layout's own size.
    void ZoomIn();
    void ZoomOut();
    void ZoomToDefault();

    [[nodiscard]] QPushButton *SquareButton(int square) const;
    // The square whose button has the keyboard focus; -1 when the focus is elsewhere.
    [[nodiscard]] int FocusedSquare() const override;
    [[nodiscard]] QPushButton *CandidateButton(int candidate) const;
    [[nodiscard]] QPushButton *NumberButton(int digitCode) const;
    [[nodiscard]] QPushButton *ModeButton(int index) const;
    [[nodiscard]] QPushButton *HintButton() const;
    [[nodiscard]] QLabel *NewsLabel() const;
    [[nodiscard]] QTimer *Timer() const { return Timer1; }
    // How often the widgets were brought in line with the store, and how many of those
    // times changed any widget (benchmarks read these).
    struct MirrorCounts
    {
        long long Calls = 0;
        long long Changed = 0;
        long long Announcements = 0; // status lines passed on to assistive technology
    };
    [[nodiscard]] const MirrorCounts &Mirrors() const { return MirrorTally; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildWidgets();
    // A button of a control array, whose click runs `onClick`.
    template <typename OnClick> FaceButton *MakeButton(int index, int bevel, OnClick onClick);
    void ChainFocus();
    void MakeShortcuts();
    void MakeFileShortcuts();
    void OpenSavedGame(const QString &path);
    void MirrorTitle();
    // Tooltips, and the names and descriptions that do not change.
    void DescribeControls();
    // The accessible names that follow the store: the squares' values, and the status line,
    // announced when it changes outside an auto run (whose progress would be read out every
    // frame otherwise). Nothing drawn changes.
    void MirrorAccessibility(bool all);
    // A key on a square beyond the digits (arrows, Delete, BackSpace); false for other keys.
    bool HandleGridKey(int square, int key);
    // Each returns whether it touched a widget. MirrorLook runs all those that place, size and
    // draw widgets (all but the timer's).
    bool MirrorLook(bool all);
    bool MirrorSquares(bool all);
    bool MirrorCandidates(bool all);
    bool MirrorButtons(bool all);
    bool MirrorNews(bool all);
    bool MirrorFrames(bool all);
    bool MirrorMarks(bool all);
    bool MirrorTimer(bool all);
    // The start of `text` that the status label can show: the whole line when it fits,
    // else just enough characters to reach the label's right edge.
    [[nodiscard]] QString VisibleNews(std::string_view text) const;
    void FocusChangedSquare(int square);
    // Sizes the window for the layout at `factor`, or as near as the screen allows.
    void ZoomTo(double factor);
    // Runs a handler as one step of the user's (see Form1::AsUserStep), then mirrors the store,
    // which may have changed anywhere.
    template <typename Handler> void Dispatch(Handler &&handler)
    {
        TheForm.AsUserStep(handler);
        Mirror();
        if (OnInput)
            OnInput();
    }

    QtPlatform HostPlatform;
    Form1 TheForm;

    std::array<FaceButton *, SquareCount> Squares{};
    std::array<FaceButton *, CandidateCount> Candidates{};
    std::array<FaceButton *, DigitCount> Numbers{};
    std::array<FaceButton *, ModeButtonCount> Modes{}; // element 2 stays null
    FaceButton *Hint = nullptr;
    StatusLine *News = nullptr;
    QTimer *Timer1 = nullptr;

    // What the widgets show now, as last taken from the store.
    struct Shown
    {
        std::array<ControlStore::SquareButton, SquareCount> Squares;
        std::array<std::uint16_t, SquareCount> CandidateBits{};
        std::array<Button, DigitCount> Numbers;
        std::array<Button, ModeButtonCount> Modes;
        std::array<Frame, 2> Highlights;
        int FrontFrame = 1;
        SquareSet HintMarks;
        quorix::BlinkTimer Timer;
        std::uint64_t NewsRevision = 0;
        // The start of the status line that the label holds: all of it, or, when the line is
        // wider than the label, just enough to reach the right edge (NewsCut).
        std::string NewsPrefix;
        bool NewsCut = false;
        std::array<int, SquareCount> SquareNameKeys{}; // see SquareNameKey
        std::uint64_t AnnouncedNews = 0;
    };
    Shown Applied;
    LayoutScale Layout;
    bool AppliedOnce = false;
    MirrorCounts MirrorTally;
    bool DigitsShown = false;
};

} // namespace quorix::qt

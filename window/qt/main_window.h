// The main window: a view of the control store plus the source of its events.
#pragma once

#include "window/form1.h"
#include "window/qt/qt_platform.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace quorix::qt {

class FaceButton;

// Maps a store colour (RGB or system colour) to the colour drawn.
[[nodiscard]] QColor ToQColor(Colour colour);

class MainWindow : public QWidget
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
    void Mirror();
    // The Tab keystroke of the platform: focus to the next visible, enabled control.
    void MoveFocusOn();

    [[nodiscard]] QPushButton *SquareButton(int square) const;
    [[nodiscard]] QPushButton *CandidateButton(int candidate) const;
    [[nodiscard]] QPushButton *NumberButton(int digitCode) const;
    [[nodiscard]] QPushButton *ModeButton(int index) const;
    [[nodiscard]] QLabel *NewsLabel() const { return News; }
    [[nodiscard]] QTimer *Timer() const { return Timer1; }
    // The most characters of the status line ever given to the label.
    [[nodiscard]] int NewsCapacity() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildWidgets();
    void MirrorSquares(bool all);
    void MirrorCandidates(bool all);
    void MirrorButtons(bool all);
    void MirrorNews(bool all);
    void MirrorFrames(bool all);
    void MirrorTimer(bool all);
    // Runs after every handler the window calls: the store may have changed anywhere.
    template <typename Handler> void Dispatch(Handler &&handler);

    QtPlatform HostPlatform;
    Form1 TheForm;

    std::array<FaceButton *, SquareCount> Squares{};
    std::array<FaceButton *, CandidateCount> Candidates{};
    std::array<FaceButton *, DigitCount> Numbers{};
    std::array<FaceButton *, ModeButtonCount> Modes{}; // element 2 stays null
    QLabel *News = nullptr;
    QTimer *Timer1 = nullptr;

    // What the widgets show now, as last taken from the store.
    struct Shown
    {
        std::array<ControlStore::SquareButton, SquareCount> Squares;
        std::array<std::uint16_t, SquareCount> CandidateBits{};
        std::array<Colour, CandidateCount> CandidateColours{};
        std::array<Rect, CandidateCount> CandidateGeometry{};
        std::array<Button, DigitCount> Numbers;
        std::array<Button, ModeButtonCount> Modes;
        std::array<Frame, 2> Highlights;
        int FrontFrame = 1;
        quorix::BlinkTimer Timer;
        std::uint64_t NewsRevision = 0;
        std::string NewsPrefix;
    };
    Shown Applied;
    bool AppliedOnce = false;
};

} // namespace quorix::qt

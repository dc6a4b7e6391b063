// The real window under the offscreen platform, for the tests that drive it with Qt events.
#pragma once

#include "view/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorix::qt::testing {

constexpr std::string_view SetupText =
    "Set-up puzzle by clicking on squares, or use Tab and Numeric Keys";
constexpr std::string_view Puzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// Logic alone gets stuck on it, so an auto run needs more than one cycle.
constexpr std::string_view HardPuzzle =
    "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";
// Of the eleven puzzles once called the hardest, the one Auto needs most cycles for (92).
constexpr std::string_view HardestPuzzle =
    "1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..";

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Window = std::make_unique<MainWindow>();
        Window->Host().OnMessageBox = [this](std::string_view text) { Dialogs.emplace_back(text); };
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }

    Form1 &Form() { return Window->Form(); }
    QPushButton *Square(int square) { return Window->SquareButton(square); }
    QPushButton *Mode(int index) { return Window->ModeButton(index); }
    [[nodiscard]] std::string Status() const { return Window->NewsLabel()->text().toStdString(); }

    // Presses `key` (a character, or a Qt::Key such as a shortcut's) on `square`, given the
    // focus first, as the user would, and lets what it posts (a Tab, say) run.
    template <typename Key>
    void Press(int square, Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Square(square)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(Square(square), key, modifiers);
        QCoreApplication::processEvents();
    }
    // Types one character on a square.
    void Type(int square, char key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Press(square, key, modifiers);
    }

    void TypePuzzle(std::string_view puzzle)
    {
        for (int square = 0; square < SquareCount; ++square)
            Type(square, puzzle[square] == '.' ? '0' : puzzle[square]);
    }

    void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    QColor PixelAt(int x, int y) { return Window->grab().toImage().pixelColor(x, y); }

    // The window as it is drawn now, one 32-bit value a pixel.
    QImage Shot() { return Window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The puzzle started and one step explained, the blinking frame shown, and no widget
    // focused (the focus frame would depend on the order of the clicks).
    QImage SolvingAfterNext()
    {
        Window->PasteText(QString::fromUtf8(Puzzle.data(), Puzzle.size()));
        Click(Mode(ModeStart));
        Click(Mode(ModeNext));
        Window->Timer()->stop();
        QCoreApplication::processEvents();
        if (QWidget *focused = QApplication::focusWidget())
            focused->clearFocus();
        QCoreApplication::processEvents();
        return Shot();
    }

    // Posts `action` at the window's yield number `k` (counted since it opened), so that it is
    // one of the events the next yield lets run, as a user's click landing while the loop
    // works would be.
    void AtYield(long long k, std::function<void()> action)
    {
        Window->Host().OnDoEvents = [this, k, action = std::move(action)] {
            if (Window->Host().Yields == k)
                QTimer::singleShot(0, Window.get(), action);
        };
    }

    std::unique_ptr<MainWindow> Window;
    std::vector<std::string> Dialogs;
};

} // namespace quorix::qt::testing

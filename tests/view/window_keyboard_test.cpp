// The window from the keyboard alone: every command has a key that works wherever the focus
// is, Return and Enter press the focused button, and the squares keep their own keys.
#include "core/operations/text/puzzle_text.h"
#include "window_fixture.h"

#include <QApplication>
#include <QKeySequence>

#include <set>

namespace quorix::qt::testing {
namespace {

// Counts the mouse's button events anywhere in the application.
class MouseWatch : public QObject
{
public:
    int Clicks = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            ++Clicks;
            break;
        default:
            break;
        }
        return false;
    }
};

constexpr int Commands[] = {ModeStart, ModeCheck,       ModeReset, ModeAuto,   ModeRestart,
                            ModeNext,  ModeCheckUnique, ModeSave,  ModeRestore};

class WindowKeyboardTest : public WindowTest
{
protected:
    // A key as the keyboard gives it: to whichever widget has the focus.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
    }
    void Command(int index)
    {
        const QKeyCombination keys = MainWindow::ModeShortcut(index)[0];
        Key(keys.key(), keys.keyboardModifiers());
    }
    // Tab (or Shift+Tab) until the focus is on `target`; false when it never gets there.
    bool TabTo(QWidget *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (int presses = 0; presses < 1000 && QApplication::focusWidget() != target; ++presses)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        return QApplication::focusWidget() == target;
    }
    [[nodiscard]] std::string Grid() { return GridText(Form().Board().Grid); }
    [[nodiscard]] int SetSquares()
    {
        const std::string grid = Grid();
        return static_cast<int>(SquareCount - std::count(grid.begin(), grid.end(), '.'));
    }
};

TEST_F(WindowKeyboardTest, EveryCommandKeyIsShownAndTakesNoKeyOfAnotherUse)
{
    const std::set<QString> taken = {
        "Ctrl+C",    "Ctrl+V",       "Ctrl+Z",       "Ctrl+Y", "Ctrl+D",
        "Shift+Ins", "Ctrl+Shift+C", "Ctrl+Shift+Z", "Ctrl+O", "Ctrl+Shift+S",
        "Alt+Left",  "Alt+Right",    "PgUp",         "PgDown", "Ctrl++",
        "Ctrl+=",    "Ctrl+-",       "Ctrl+0",       "Ctrl+H", "Tab",
        "Del",       "Backspace",    "Return",       "Enter",  "Space"};
    std::set<QString> seen;
    for (const int index : Commands) {
        SCOPED_TRACE(index);
        const QKeySequence keys = MainWindow::ModeShortcut(index);
        ASSERT_EQ(keys.count(), 1);
        const QString text = keys.toString();
        EXPECT_TRUE(Mode(index)->toolTip().endsWith(" (" + text + ")"))
            << Mode(index)->toolTip().toStdString();
        EXPECT_FALSE(taken.contains(text)) << text.toStdString();
        EXPECT_TRUE(seen.insert(text).second) << text.toStdString() << " twice";
        // Never a key a square takes: a digit, or an arrow without Ctrl, Alt or Shift.
        const QKeyCombination combination = keys[0];
        EXPECT_FALSE(combination.key() >= Qt::Key_0 && combination.key() <= Qt::Key_9);
        EXPECT_NE(combination.keyboardModifiers() & Qt::ControlModifier, Qt::NoModifier);
    }
}

TEST_F(WindowKeyboardTest, EveryCommandFromAFreshWindowWithoutTheMouse)
{
    MouseWatch mouse;
    qApp->installEventFilter(&mouse);

    ASSERT_EQ(QApplication::focusWidget(), Square(0));
    Command(ModeCheck);
    EXPECT_EQ(Status(), "Not enough squares set - please set some more");
    Command(ModeRestore);
    EXPECT_EQ(Status(), "Nothing saved yet");
    for (const char square : HardPuzzle)
        Key(square == '.' ? Qt::Key_0 : Qt::Key_0 + (square - '0'));
    EXPECT_EQ(Grid(), HardPuzzle);

    Command(ModeStart);
    EXPECT_FALSE(Form().Controls().Squares[0].Visible) << "solving: empty squares show candidates";
    Command(ModeNext);
    EXPECT_EQ(Status(), "Row 5 has only one possible 3");
    Command(ModeNext);
    EXPECT_EQ(SetSquares(), 24) << "the step explained is carried out";

    // Save, strike a candidate (Tab onto it, Return), and Restore brings it back.
    Command(ModeSave);
    const auto saved = Form().Controls().CandidateBits;
    const int candidate = 0 * 9 + 0; // 1 is open in square 0
    ASSERT_TRUE(Form().Controls().CandidateVisible(candidate));
    ASSERT_TRUE(TabTo(Window->CandidateButton(candidate)));
    Key(Qt::Key_Return);
    EXPECT_FALSE(Form().Controls().CandidateVisible(candidate));
    Command(ModeRestore);
    EXPECT_EQ(Form().Controls().CandidateBits, saved);

    Command(ModeRestart);
    EXPECT_EQ(Grid(), HardPuzzle);
    Command(ModeAuto);
    EXPECT_EQ(Status(), "Found a solution - but might not be unique");
    ASSERT_TRUE(Form().Controls().Modes[ModeCheckUnique].Visible);
    Command(ModeCheckUnique);
    EXPECT_EQ(Status(), "Checked out - Solution is unique");

    Command(ModeReset);
    EXPECT_EQ(Grid(), std::string(81, '.'));
    EXPECT_EQ(QApplication::focusWidget(), Square(0));

    qApp->removeEventFilter(&mouse);
    EXPECT_EQ(mouse.Clicks, 0);
}

TEST_F(WindowKeyboardTest, CommandKeysNeedNoFocusButAVisibleButton)
{
    Window->PasteText(QString::fromUtf8(Puzzle.data(), Puzzle.size()));
    Command(ModeStart);
    QApplication::focusWidget()->clearFocus();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    QTest::keyClick(Window.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Seems OK so far");
    ASSERT_FALSE(Form().Controls().Modes[ModeCheckUnique].Visible);
    QTest::keyClick(Window.get(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Seems OK so far") << "hidden, Check Unique is not given";
}

TEST_F(WindowKeyboardTest, ACommandKeyDuringAutoStopsItAsAClickWould)
{
    TypePuzzle(HardPuzzle);
    AtYield(2, [this] { QTest::keyClick(Square(80), Qt::Key_S, Qt::ControlModifier); });
    Command(ModeAuto);
    EXPECT_EQ(Window->Host().Yields, 3);
    EXPECT_EQ(Status(), "Auto mode suspended");
    EXPECT_TRUE(Form().Snapshots().SaveSlotUsed);
}

TEST_F(WindowKeyboardTest, ReturnAndEnterPressAFocusedButtonAsSpaceDoes)
{
    TypePuzzle(Puzzle);
    // Down on the key press, clicked when it comes up.
    Square(0)->setFocus();
    ASSERT_TRUE(TabTo(Mode(ModeStart), Qt::ShiftModifier));
    QTest::keyPress(Mode(ModeStart), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(Mode(ModeStart)->isDown());
    EXPECT_EQ(Status(), SetupText);
    QTest::keyRelease(Mode(ModeStart), Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Mode(ModeStart)->isDown());
    EXPECT_FALSE(Form().Controls().Squares[2].Visible) << "started";

    // A digit button carries out its next deduction; a key held down clicks once.
    ASSERT_TRUE(TabTo(Window->NumberButton(0)));
    const int before = SetSquares();
    QTest::keyPress(Window->NumberButton(0), Qt::Key_Return);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(Window->NumberButton(0), &repeated);
    QTest::keyRelease(Window->NumberButton(0), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(SetSquares(), before + 1);

    // Return on a square is no click: the square keeps its value.
    Square(0)->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(Form().Board().Grid[0], 4);
}

} // namespace
} // namespace quorix::qt::testing

// The real window under the offscreen platform: input goes in as Qt events, and what comes
// out is read from the widgets and the drawn pixels, with the store as the reference.
#include "core/operations/text/puzzle_text.h"
#include "view/drawing.h"
#include "view/main_window.h"
#include "window_fixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegion>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::qt::testing {
namespace {

TEST_F(WindowTest, OpensReadyForTypingOnSquareZero)
{
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Kelb's Quorix Solver"));
    EXPECT_EQ(Window->size(), QSize(676, 535));
    EXPECT_LT(Window->minimumWidth(), 676) << "the window can be made smaller";
    EXPECT_GT(Window->maximumHeight(), 535) << "and larger";
    EXPECT_EQ(Window->focusWidget(), Square(0));
    EXPECT_EQ(Status(), SetupText);

    for (const int index : {ModeStart, ModeCheck, ModeReset, ModeAuto, ModeRestart, ModeNext,
                            ModeSave, ModeRestore}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(Mode(index)->isHidden());
    }
    EXPECT_TRUE(Mode(ModeCheckUnique)->isHidden());
    for (int candidate = 0; candidate < CandidateCount; ++candidate)
        ASSERT_TRUE(Window->CandidateButton(candidate)->isHidden()) << candidate;
}

TEST_F(WindowTest, PlacesControlsInPixels)
{
    struct Expected
    {
        const char *Name;
        QWidget *Widget;
        QRect Geometry;
    };
    const Expected table[] = {
        {"square 0", Square(0), {32, 32, 33, 33}},
        {"square 80", Square(80), {416, 416, 33, 33}},
        {"candidate 7 of square 0", Window->CandidateButton(6), {30, 30, 12, 12}},
        {"candidate 3 of square 0", Window->CandidateButton(2), {54, 54, 12, 12}},
        {"candidate 5 of square 80", Window->CandidateButton(80 * 9 + 4), {426, 426, 12, 12}},
        {"digit 5", Window->NumberButton(4), {528, 276, 37, 37}},
        {"digit 1", Window->NumberButton(0), {492, 312, 37, 37}},
        {"Reset", Mode(ModeReset), {504, 24, 89, 33}},
        {"Next", Mode(ModeNext), {504, 204, 89, 33}},
        {"Save", Mode(ModeSave), {476, 352, 57, 33}},
        {"Restore", Mode(ModeRestore), {536, 352, 81, 33}},
        {"Check Unique", Mode(ModeCheckUnique), {476, 424, 141, 33}},
        {"status line", Window->NewsLabel(), {24, 468, 629, 25}},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(row.Widget->geometry(), row.Geometry);
    }
    EXPECT_EQ(Mode(ModeStart)->text(), QStringLiteral("Start"));
    EXPECT_EQ(Window->NumberButton(8)->text(), QStringLiteral("9"));
}

TEST_F(WindowTest, DrawsGridLinesOfThreeWidths)
{
    const QImage image = Window->grab().toImage();
    const QColor ink(0, 0, 0);
    // Vertical lines at x = 24 (3 wide), 72 (1 wide) and 168 (2 wide), away from any button.
    const int y = 200;
    EXPECT_NE(image.pixelColor(22, y), ink);
    for (const int x : {23, 24, 25})
        EXPECT_EQ(image.pixelColor(x, y), ink) << x;
    EXPECT_NE(image.pixelColor(26, y), ink);
    EXPECT_NE(image.pixelColor(71, y), ink);
    EXPECT_EQ(image.pixelColor(72, y), ink);
    EXPECT_NE(image.pixelColor(73, y), ink);
    EXPECT_NE(image.pixelColor(166, y), ink);
    EXPECT_EQ(image.pixelColor(167, y), ink);
    EXPECT_EQ(image.pixelColor(168, y), ink);
    EXPECT_NE(image.pixelColor(169, y), ink);
    // The horizontal lines mirror them.
    EXPECT_EQ(image.pixelColor(200, 168), ink);
    EXPECT_EQ(image.pixelColor(200, 456), ink);
    EXPECT_NE(image.pixelColor(200, 458), ink);
}

TEST_F(WindowTest, TypedDigitsSetSquaresAndMoveTheFocusOn)
{
    Type(0, '5');
    EXPECT_EQ(Form().Board().Grid[0], 4);
    EXPECT_EQ(Form().Board().Givens[0], 4);
    EXPECT_EQ(Square(0)->text(), QStringLiteral("5"));
    EXPECT_EQ(Window->focusWidget(), Square(1));

    Type(1, '7', Qt::KeypadModifier);
    EXPECT_EQ(Form().Board().Grid[1], 6);
    EXPECT_EQ(Window->focusWidget(), Square(2));

    Type(2, 'a');
    EXPECT_EQ(Form().Board().Grid[2], Empty);
    EXPECT_EQ(Form().Board().Givens[2], Empty);
    EXPECT_EQ(Window->focusWidget(), Square(2));

    Type(1, '0');
    EXPECT_EQ(Form().Board().Grid[1], Empty);
    EXPECT_EQ(Form().Board().Givens[1], Empty);
    EXPECT_EQ(Square(1)->text(), QString());
    EXPECT_EQ(Window->focusWidget(), Square(2));

    Type(80, '8');
    EXPECT_EQ(Form().Board().Grid[80], 7);
    EXPECT_EQ(Window->focusWidget(), Square(80));
}

TEST_F(WindowTest, TypingAWholePuzzleEndsOnTheLastSquare)
{
    TypePuzzle(Puzzle);
    for (int square = 0; square < SquareCount; ++square) {
        const std::int16_t expected = Puzzle[square] == '.' ? Empty : Puzzle[square] - '1';
        ASSERT_EQ(Form().Board().Givens[square], expected) << square;
    }
    EXPECT_EQ(Window->focusWidget(), Square(80));
}

TEST_F(WindowTest, TabAfterTypingSkipsHiddenSquares)
{
    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    // Squares 2 and 3 are empty, so in solving mode their buttons are hidden.
    ASSERT_TRUE(Square(2)->isHidden());
    ASSERT_TRUE(Square(3)->isHidden());
    Type(1, '3');
    EXPECT_EQ(Window->focusWidget(), Square(4));
}

TEST_F(WindowTest, TenClicksCycleASquareThroughTheDigitsAndBack)
{
    const int square = 40; // at (224, 224); (228, 228) is on its face, clear of the caption
    for (int click = 1; click <= 10; ++click) {
        SCOPED_TRACE(click);
        Click(Square(square));
        const int digitCode = click <= 9 ? click - 1 : Empty;
        EXPECT_EQ(Form().Board().Grid[square], digitCode);
        EXPECT_EQ(Form().Board().Givens[square], digitCode);
        const QColor face = digitCode == Empty ? ToQColor(SystemButtonFace)
                                               : ToQColor(Form().Board().DigitColours[digitCode]);
        EXPECT_EQ(Square(square)->text(),
                  digitCode == Empty ? QString() : QString::number(digitCode + 1));
        EXPECT_EQ(PixelAt(228, 228), face);
    }
}

TEST_F(WindowTest, HiddenControlsTakeNoClicks)
{
    // A click that reaches a hidden widget (here sent straight to it) is the store's to refuse.
    Mode(ModeCheckUnique)->click();
    EXPECT_EQ(Status(), SetupText);

    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    const int emptySquare = 2;
    ASSERT_FALSE(Form().Controls().Squares[emptySquare].Visible);
    ASSERT_TRUE(Square(emptySquare)->isHidden());
    Square(emptySquare)->click();
    EXPECT_EQ(Form().Board().Grid[emptySquare], Empty);
    EXPECT_FALSE(Form().Controls().Squares[emptySquare].Visible);

    const int deadCandidate = emptySquare * 9 + 4; // 5 is set in the same row
    ASSERT_FALSE(Form().Controls().CandidateVisible(deadCandidate));
    const auto bitsBefore = Form().Controls().CandidateBits;
    Window->CandidateButton(deadCandidate)->click();
    EXPECT_EQ(Form().Controls().CandidateBits, bitsBefore);
}

TEST_F(WindowTest, ClickOnACandidateStrikesIt)
{
    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    const int candidate = 2 * 9 + 0; // digit 1 in square 2 is still open after Start
    ASSERT_TRUE(Form().Controls().CandidateVisible(candidate));
    ASSERT_FALSE(Window->CandidateButton(candidate)->isHidden());
    Click(Window->CandidateButton(candidate));
    EXPECT_FALSE(Form().Controls().CandidateVisible(candidate));
    EXPECT_TRUE(Window->CandidateButton(candidate)->isHidden());
}

TEST_F(WindowTest, MessageBoxIsModalWithOneOkButton)
{
    Window->Host().OnMessageBox = nullptr;
    QString text;
    int buttons = 0;
    QWidget *parent = nullptr;
    // Answers the box once it is up; polls because exec() shows it asynchronously.
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        text = box->text();
        buttons = static_cast<int>(box->buttons().size());
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
        answer.stop();
    });
    answer.start();
    Window->Host().MessageBox("Invalid type - something wrong");
    EXPECT_EQ(text, QStringLiteral("Invalid type - something wrong"));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(parent, Window.get());
}

// A point on frame 0's outline that frame 1's outline does not cover.
QPoint SquareFramePoint(const ControlStore &store)
{
    const auto pixels = [](const Rect &r) {
        return QRect(r.X / 15, r.Y / 15, r.Width / 15, r.Height / 15);
    };
    const QRect square = pixels(store.Highlights[0].Geometry);
    QRegion unit;
    if (store.Highlights[1].Visible) {
        const QRect outer = pixels(store.Highlights[1].Geometry);
        unit = QRegion(outer) - QRegion(outer.adjusted(2, 2, -2, -2));
    }
    const QPoint centre = square.center();
    for (const QPoint point :
         {QPoint(centre.x(), square.top()), QPoint(square.left(), centre.y()),
          QPoint(centre.x(), square.bottom()), QPoint(square.right(), centre.y())}) {
        if (!unit.contains(point))
            return point;
    }
    ADD_FAILURE() << "frame 0 lies wholly on frame 1";
    return centre;
}

TEST_F(WindowTest, BlinkTimerTogglesTheSquareFrame)
{
    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    Click(Mode(ModeNext));
    const ControlStore &store = Form().Controls();
    ASSERT_TRUE(store.Highlights[0].Visible);
    ASSERT_TRUE(Window->Timer()->isActive());
    EXPECT_EQ(Window->Timer()->interval(), 500);

    const QPoint point = SquareFramePoint(store);
    const QColor red(192, 0, 0);
    EXPECT_EQ(PixelAt(point.x(), point.y()), red);

    QTRY_VERIFY_WITH_TIMEOUT(!store.Highlights[0].Visible, 2000);
    EXPECT_NE(PixelAt(point.x(), point.y()), red);
    EXPECT_TRUE(Window->Timer()->isActive());
}

TEST_F(WindowTest, StatusLineShowsOnlyWhatFits)
{
    const QLabel &label = *Window->NewsLabel();
    const QFontMetrics metrics = label.fontMetrics();
    const int width = label.contentsRect().width();
    // The status line as only a running loop writes it, or longer.
    const auto write = [this](const auto &change) {
        FormState state = Form().State();
        change(state.Controls);
        Form().Seed(std::move(state));
    };

    write([](ControlStore &store) { store.SetNews(std::string(100000, '.')); });
    Window->Mirror();
    const QString shown = label.text();
    EXPECT_EQ(shown, QString(shown.size(), QLatin1Char('.')));
    // The text reaches the right edge, and none of its characters starts beyond it.
    EXPECT_GE(metrics.horizontalAdvance(shown), width);
    EXPECT_LT(metrics.horizontalAdvance(shown.chopped(1)), width);

    // More dots at the end of a line that already fills the label change no widget.
    const auto before = Window->Mirrors();
    write([](ControlStore &store) { store.AppendNews('.'); });
    Window->Mirror();
    EXPECT_EQ(label.text(), shown);
    EXPECT_EQ(Window->Mirrors().Changed, before.Changed);
    EXPECT_EQ(Window->Mirrors().Calls, before.Calls + 1);

    // A shorter line, even one the shown text starts with, replaces it.
    write([](ControlStore &store) { store.SetNews("...."); });
    Window->Mirror();
    EXPECT_EQ(Status(), "....");
    write([](ControlStore &store) { store.SetNews("Checked"); });
    Window->Mirror();
    EXPECT_EQ(Status(), "Checked");
}

// Every row, column and group holds 1..9 once, read from the square buttons' captions, and
// every given of `puzzle` is kept.
::testing::AssertionResult ShowsASolution(const MainWindow &window, std::string_view puzzle)
{
    std::array<int, SquareCount> digits{};
    for (int square = 0; square < SquareCount; ++square) {
        const QPushButton &button = *window.SquareButton(square);
        const QString caption = button.text();
        if (button.isHidden() || caption.size() != 1 || caption.front() < u'1'
            || caption.front() > u'9')
            return ::testing::AssertionFailure() << "square " << square << " shows no digit";
        digits[square] = caption.front().unicode() - u'0';
        if (puzzle[square] != '.' && puzzle[square] - '0' != digits[square])
            return ::testing::AssertionFailure() << "square " << square << " lost its given";
    }
    for (int unit = 0; unit < 9; ++unit) {
        unsigned row = 0;
        unsigned column = 0;
        unsigned group = 0;
        for (int k = 0; k < 9; ++k) {
            row |= 1U << digits[unit * 9 + k];
            column |= 1U << digits[k * 9 + unit];
            group |= 1U << digits[(unit / 3 * 3 + k / 3) * 9 + unit % 3 * 3 + k % 3];
        }
        if (row != 0x3FE || column != 0x3FE || group != 0x3FE)
            return ::testing::AssertionFailure() << "unit " << unit << " repeats a digit";
    }
    return ::testing::AssertionSuccess();
}

TEST_F(WindowTest, AutoSolvesHardPuzzlesAndShowsTheGrid)
{
    for (const std::string_view puzzle : {HardPuzzle, HardestPuzzle}) {
        SCOPED_TRACE(std::string(puzzle));
        Click(Mode(ModeReset));
        TypePuzzle(puzzle);
        Click(Mode(ModeAuto));
        EXPECT_TRUE(Status() == "Found a solution - but might not be unique"
                    || Status() == "Success!  Unique solution found")
            << Status();
        EXPECT_TRUE(ShowsASolution(*Window, puzzle));
        for (int candidate = 0; candidate < CandidateCount; ++candidate)
            ASSERT_TRUE(Window->CandidateButton(candidate)->isHidden()) << candidate;
        EXPECT_FALSE(Mode(ModeCheckUnique)->isHidden());
        EXPECT_FALSE(Window->Timer()->isActive());
    }
}

TEST_F(WindowTest, SaveClickedDuringARunSuspendsItAndKeepsThatBoard)
{
    TypePuzzle(HardPuzzle);
    Snapshot atClick;
    long long clickedAt = 0;
    // Posted in the second yield, so that the click is one of the events the third yield
    // lets run.
    AtYield(2, [&] {
        clickedAt = Window->Host().Yields;
        std::copy_n(Form().Board().Grid.begin(), SquareCount, atClick.Grid.begin());
        std::copy_n(Form().Controls().CandidateBits.begin(), SquareCount,
                    atClick.Candidates.begin());
        Click(Mode(ModeSave));
    });
    Click(Mode(ModeAuto));

    EXPECT_EQ(clickedAt, 3);
    // The run ends at the top of the cycle after the click, without yielding again.
    EXPECT_EQ(Window->Host().Yields, 3);
    EXPECT_EQ(Status(), "Auto mode suspended");
    EXPECT_TRUE(Mode(ModeCheckUnique)->isHidden());
    ASSERT_TRUE(Form().Snapshots().SaveSlotUsed);
    EXPECT_EQ(Form().Snapshots().SaveSlot.Grid, atClick.Grid);
    EXPECT_EQ(Form().Snapshots().SaveSlot.Candidates, atClick.Candidates);
    // The run went on for one more cycle after the save.
    EXPECT_NE(Form().Board().Grid, atClick.Grid);
}

// A second Auto click after the run's first guess runs a whole run nested in the first, on a
// search of its own; the first then goes on with its own guesses and finds the solution.
TEST_F(WindowTest, SecondAutoClickDuringARunStillEndsWithTheSolution)
{
    constexpr std::string_view OneSolution =
        "21.95...4.9..6..37...7...........3.892.....158.5...........2...68..1..4.1...47.96";
    constexpr std::string_view Solution =
        "217953864598264137346781952761495328924378615835126479479632581682519743153847296";
    TypePuzzle(OneSolution);
    std::string nested;
    AtYield(1, [&] {
        Click(Mode(ModeAuto));
        nested = Status();
    });
    Click(Mode(ModeAuto));
    EXPECT_EQ(nested, "This one seems to be impossible");
    EXPECT_EQ(Status(), "Found a solution - but might not be unique");
    EXPECT_EQ(GridText(Form().Board().Grid), Solution);
    EXPECT_EQ(Form().Dispatch().AutoDepth, 0);
}

TEST_F(WindowTest, ClosingTheWindowDuringARunEndsItAndTheApplication)
{
    TypePuzzle(HardPuzzle);
    long long closedAt = 0;
    long long yieldsAfterClose = 0;
    Window->Host().OnDoEvents = [&] {
        if (closedAt != 0 && Window->Host().Yields > closedAt)
            ++yieldsAfterClose;
        if (Window->Host().Yields == 2)
            QTimer::singleShot(0, Window.get(), [&] {
                closedAt = Window->Host().Yields;
                Window->close();
            });
    };

    // The click comes from the application's own event loop, as the user's would; closing
    // the last window must end the run and then that loop.
    QTimer::singleShot(0, Window.get(), [this] { Click(Mode(ModeAuto)); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(guard.isActive()) << "the application did not quit";

    EXPECT_EQ(closedAt, 3);
    EXPECT_EQ(yieldsAfterClose, 0);
    EXPECT_EQ(Window->Host().Yields, 3);
    EXPECT_EQ(Form().Dispatch().AutoDepth, 0);
    EXPECT_FALSE(Window->isVisible());
}

} // namespace
} // namespace quorix::qt::testing

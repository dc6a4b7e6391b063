// The Hint command on the real window: its button and its key, what it draws, what it tells
// screen readers.
#include "view/drawing.h"
#include "window_fixture.h"

#include <QAccessible>

namespace quorix::qt::testing {
namespace {

// Next is stuck on it after 15 steps; Hint then goes on with a two-string kite, and after that
// with a chain of one digit whose squares it marks.
constexpr std::string_view Diabolical =
    "1.3.7...2.......4..9...5..1.2.1..5.3..7...2..4.5..2.6.2..8...3..5.......8...2.7.9";

class WindowHintTest : public WindowTest
{
protected:
    void StartAtTricky()
    {
        Window->PasteText(QString::fromUtf8(Diabolical.data(), Diabolical.size()));
        Click(Mode(ModeStart));
        for (int i = 0; i < 15; ++i)
            Click(Mode(ModeNext));
        ASSERT_EQ(Status(), "Tricky... save this, then have a guess and carry on");
    }
    void HintKey() { Press(0, Qt::Key_H, Qt::ControlModifier); }
};

TEST_F(WindowHintTest, TheButtonAndCtrlHClimbTheSameLadder)
{
    StartAtTricky();
    const std::size_t steps = Form().History().UndoSteps();
    Click(Window->HintButton());
    EXPECT_EQ(Status().rfind("Hint: look for a digit with two places in a row", 0), 0U) << Status();
    HintKey();
    EXPECT_EQ(Status(), "Hint: look at the 3s in row 9, column 1 and group 7");
    Click(Window->HintButton());
    EXPECT_TRUE(Window->Timer()->isActive()) << "rung 3 blinks the square frame";
    EXPECT_EQ(Form().History().UndoSteps(), steps);
    HintKey();
    EXPECT_EQ(Status(), "Hint: struck 3 from row 5, column 6");
    EXPECT_FALSE(Window->CandidateButton((4 * 9 + 5) * 9 + 2)->isVisible());
    EXPECT_EQ(Form().History().UndoSteps(), steps + 1);
    Press(0, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Window->CandidateButton((4 * 9 + 5) * 9 + 2)->isVisible());
}

TEST_F(WindowHintTest, MarksAreDrawnDashedAndGoWithTheNextCommand)
{
    StartAtTricky();
    for (int press = 0; press < 4; ++press)
        Click(Window->HintButton());
    Click(Mode(ModeNext));
    Click(Window->HintButton());
    Click(Window->HintButton());
    ASSERT_EQ(Status(), "Hint: look at the 7s in the marked squares");
    const SquareSet marks = Form().Controls().HintMarks;
    int square = 0;
    while (!marks.Contains(square))
        ++square;
    QCoreApplication::processEvents();
    const QImage shown = Window->grab().toImage();
    const QColor mark = ToQColor(HintMarkColour);
    const QRegion dashes = MarkRegion(square, LayoutScale()); // the window at its own size
    const QRect outline = ToPixels(layout::FrameGeometry(square, 1, 1));
    int marked = 0, gaps = 0;
    for (int x = outline.left(); x <= outline.right(); ++x) {
        const bool dash = dashes.contains(QPoint(x, outline.top()));
        const bool drawn = shown.pixelColor(x, outline.top()) == mark;
        marked += dash && drawn ? 1 : 0;
        gaps += !dash && !drawn ? 1 : 0;
    }
    EXPECT_GT(marked, 0) << "the dashes are drawn";
    EXPECT_GT(gaps, 0) << "and broken: a shape, not only a colour";
    Click(Mode(ModeCheck));
    QCoreApplication::processEvents();
    EXPECT_NE(Window->grab().toImage().pixelColor(dashes.begin()->topLeft()), mark);
}

TEST_F(WindowHintTest, TheButtonIsDescribedWithItsKey)
{
    QPushButton *hint = Window->HintButton();
    EXPECT_EQ(hint->text(), QStringLiteral("Hint"));
    EXPECT_EQ(hint->accessibleName(), QStringLiteral("Hint"));
    EXPECT_TRUE(hint->toolTip().contains(QStringLiteral("Ctrl+H")))
        << hint->toolTip().toStdString();
    EXPECT_FALSE(hint->accessibleDescription().isEmpty());
    EXPECT_GT(hint->toolTipDuration(), 0);
}

TEST_F(WindowHintTest, EveryRungIsAnnounced)
{
    StartAtTricky();
    const long long before = Window->Mirrors().Announcements;
    Click(Window->HintButton());
    HintKey();
    Click(Window->HintButton());
    EXPECT_EQ(Window->Mirrors().Announcements, before + 3);
}

TEST_F(WindowHintTest, DuringAutoTheButtonDoesNothing)
{
    TypePuzzle(HardestPuzzle);
    std::uint64_t revision = 0, after = 0;
    AtYield(2, [&] {
        revision = Form().Controls().NewsChanges();
        Window->HintButton()->click();
        after = Form().Controls().NewsChanges();
    });
    Click(Mode(ModeAuto));
    EXPECT_NE(revision, 0U);
    EXPECT_EQ(after, revision);
    EXPECT_EQ(Form().State().Hint.Shown, 0);
}

} // namespace
} // namespace quorix::qt::testing

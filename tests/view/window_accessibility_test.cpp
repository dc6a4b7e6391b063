// What the real window tells a screen reader: names and descriptions from the store, kept up to
// date, and the status line announced when it changes.
#include "window_fixture.h"

#include <QAccessible>
#include <QTimer>

namespace quorix::qt::testing {
namespace {

class WindowAccessibilityTest : public WindowTest
{
protected:
    static std::string Name(QWidget *widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).toStdString();
    }
    static std::string Description(QWidget *widget)
    {
        return QAccessible::queryAccessibleInterface(widget)
            ->text(QAccessible::Description)
            .toStdString();
    }
    // Status lines passed on to assistive technology (the offscreen platform has no bridge to
    // one, so the window's own count stands in for the events it sends; atspi_status.sh hears
    // them on a real bus).
    long long NewsAnnouncements() const { return Window->Mirrors().Announcements - AtStart; }
    long long AtStart = 0;
};

TEST_F(WindowAccessibilityTest, SquaresSayWhereTheyAreAndWhatTheyHold)
{
    EXPECT_EQ(Name(Square(21)), "Square 22: row 3, column 4, empty");
    Type(21, '5');
    EXPECT_EQ(Name(Square(21)), "Square 22: row 3, column 4, 5, given");
    EXPECT_FALSE(Description(Square(21)).empty());
    TypePuzzle(Puzzle);
    Click(Mode(ModeStart));
    EXPECT_EQ(Name(Square(0)), "Square 1: row 1, column 1, 5, given");

    // A candidate names its square and digit; struck, its button is gone from the window.
    QPushButton *candidate = Window->CandidateButton(2 * 9 + 0);
    EXPECT_EQ(Name(candidate), "Row 1, column 3: candidate 1");
    EXPECT_EQ(Description(candidate), "Strike candidate 1 from square 3");
    Click(candidate);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(candidate)->state().invisible);

    // A step places a digit that is no given.
    Click(Mode(ModeNext));
    Click(Mode(ModeNext));
    EXPECT_EQ(Name(Square(70)), "Square 71: row 8, column 8, 3");
}

TEST_F(WindowAccessibilityTest, ButtonsSayWhatAClickDoes)
{
    EXPECT_EQ(Name(Window->NumberButton(3)), "Digit 4");
    EXPECT_EQ(Description(Window->NumberButton(3)), "Carry out the next deduction about 4");
    EXPECT_EQ(Name(Mode(ModeCheckUnique)), "Check Unique");
    EXPECT_EQ(Description(Mode(ModeAuto)), "Solve on its own; any command click stops it");
}

TEST_F(WindowAccessibilityTest, TheStatusLineIsAnnouncedWhenItChanges)
{
    AtStart = Window->Mirrors().Announcements;
    Click(Mode(ModeCheck));
    EXPECT_EQ(Name(Window->NewsLabel()), "Status: Not enough squares set - please set some more");
    EXPECT_EQ(NewsAnnouncements(), 1);
}

// The events it sends are heard through the real accessibility bus (atspi_status.sh); the
// offscreen platform has no bridge that would pass them on.
TEST_F(WindowAccessibilityTest, TheStatusLineIsAStatusBarWhoseTextIsTheWholeLine)
{
    QAccessibleInterface *news = QAccessible::queryAccessibleInterface(Window->NewsLabel());
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(news->role(), QAccessible::StatusBar);
    QAccessibleTextInterface *text = news->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()).toStdString(), SetupText);
    Click(Mode(ModeCheck));
    EXPECT_EQ(text->text(0, -1).toStdString(), "Not enough squares set - please set some more");

    // A line longer than the label shows is read whole.
    const std::string longLine = std::string(290, 'x') + "0123456789";
    FormState state = Form().State();
    state.Controls.SetNews(longLine);
    Form().Seed(std::move(state));
    Window->Mirror();
    EXPECT_LT(Status().size(), longLine.size()) << "the label shows only its start";
    EXPECT_EQ(text->text(0, text->characterCount()).toStdString(), longLine);
    EXPECT_EQ(text->text(290, 400).toStdString(), "0123456789");
    EXPECT_EQ(text->text(-5, 2).toStdString(), "xx");
}

TEST_F(WindowAccessibilityTest, AnAutoRunIsAnnouncedOnceWhenItEnds)
{
    TypePuzzle(HardestPuzzle);
    AtStart = Window->Mirrors().Announcements;
    Click(Mode(ModeAuto));
    EXPECT_GT(Window->Host().Yields, 50) << "many progress lines went by";
    EXPECT_EQ(NewsAnnouncements(), 1);
    EXPECT_EQ(Name(Window->NewsLabel()), "Status: " + Status());
}

} // namespace
} // namespace quorix::qt::testing

// How the window looks: the default look pixel for pixel as it was made, the digits drawn on
// the candidates as an option, and the window at twice the scale.
#include "view/drawing.h"
#include "view/face_button.h"
#include "window_fixture.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QRegion>
#include <QTimer>

#include <cstdlib>

namespace quorix::qt::testing {
namespace {

// The reference picture of the default look, and the font it was drawn with: on a machine
// without that font the comparison says nothing and is skipped.
constexpr const char *ReferenceImage = QUORIX_QT_TEST_DIR "/reference/solving_after_next.png";
// The reference was drawn before the Hint button was added; the button's own rectangle is
// compared with a picture of its own.
constexpr const char *HintButtonImage = QUORIX_QT_TEST_DIR "/reference/hint_button.png";
constexpr const char *ReferenceFamily = "DejaVu Sans";

class WindowLookTest : public WindowTest
{
protected:
    // How many pixels of `rect` (of both images) differ between `a` and `b`.
    static int Differing(const QImage &a, const QImage &b, const QRect &rect)
    {
        int differing = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        return differing;
    }
};

TEST_F(WindowLookTest, DefaultLookIsPixelForPixelTheReference)
{
    const QImage shown = SolvingAfterNext();
    const QRect hint = ToPixels(layout::HintGeometry);
    if (const char *write = std::getenv("QUORIX_WRITE_REFERENCE")) {
        ASSERT_TRUE(shown.copy(hint).save(QString::fromLocal8Bit(write)));
        GTEST_SKIP() << "the Hint button's reference written to " << write;
    }
    if (QFontInfo(Mode(ModeStart)->font()).family() != QLatin1String(ReferenceFamily))
        GTEST_SKIP() << "the reference was drawn with " << ReferenceFamily;
    const QImage reference =
        QImage(QString::fromLatin1(ReferenceImage)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << ReferenceImage;
    ASSERT_EQ(shown.size(), reference.size());
    EXPECT_EQ(Differing(shown, reference, shown.rect()) - Differing(shown, reference, hint), 0)
        << "outside the Hint button, every pixel is as it was";
    const QImage button =
        QImage(QString::fromLatin1(HintButtonImage)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(button.size(), hint.size()) << HintButtonImage;
    EXPECT_EQ(Differing(shown.copy(hint), button, button.rect()), 0);
    EXPECT_GT(Differing(shown, reference, hint), 0) << "the button is drawn in its place";
}

TEST_F(WindowLookTest, TheHintButtonLiesInFreeSpace)
{
    const QRect hint = Window->HintButton()->geometry();
    EXPECT_EQ(hint, ToPixels(layout::HintGeometry));
    EXPECT_FALSE(hint.intersects(Window->NewsLabel()->geometry()));
    for (QWidget *other : Window->findChildren<QWidget *>()) {
        if (other == Window->HintButton() || other->parentWidget() != Window.get())
            continue;
        EXPECT_FALSE(hint.intersects(other->geometry())) << other->metaObject()->className();
    }
    // Nor the frame round any square.
    for (int square = 0; square < SquareCount; ++square)
        EXPECT_FALSE(hint.intersects(ToPixels(layout::FrameGeometry(square, 1, 1))));
}

// The pixels of `image` (device pixels) covered by the visible candidate buttons' faces, by
// candidate, inside their bevels.
std::vector<std::pair<int, QRect>> CandidateFaces(MainWindow &window, qreal scale)
{
    std::vector<std::pair<int, QRect>> faces;
    for (int candidate = 0; candidate < CandidateCount; ++candidate) {
        QWidget *button = window.CandidateButton(candidate);
        if (!button->isVisible())
            continue;
        const QRect logical = button->geometry().adjusted(1, 1, -1, -1);
        faces.push_back(
            {candidate,
             QRect(QPoint(qRound(logical.left() * scale), qRound(logical.top() * scale)),
                   QSize(qRound(logical.width() * scale), qRound(logical.height() * scale)))});
    }
    return faces;
}

TEST_F(WindowLookTest, DigitsOnTheCandidatesChangeNothingElse)
{
    const QImage plain = SolvingAfterNext();
    Window->SetCandidateDigits(true);
    QCoreApplication::processEvents();
    const QImage digits = Shot();
    const auto faces = CandidateFaces(*Window, 1.0);
    ASSERT_GT(faces.size(), 100U);
    QRegion inside;
    for (const auto &[candidate, face] : faces) {
        inside += face;
        EXPECT_GT(Differing(digits, plain, face), 4)
            << "candidate " << candidate << " shows its digit";
    }
    int outside = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (!inside.contains(QPoint(x, y)) && digits.pixel(x, y) != plain.pixel(x, y))
                ++outside;
    EXPECT_EQ(outside, 0) << "only the digits differ";

    Window->SetCandidateDigits(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(Shot(), plain);
}

TEST_F(WindowLookTest, CtrlDTurnsTheDigitsOverAndSaysSo)
{
    std::vector<bool> told;
    Window->OnCandidateDigitsChanged = [&told](bool shown) { told.push_back(shown); };
    EXPECT_FALSE(Window->CandidateDigits()) << "off by default";
    Press(0, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(Window->CandidateDigits());
    Press(0, Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(Window->CandidateDigits());
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
}

// Twice the window's size in device pixels: at QT_SCALE_FACTOR=2 (a test of its own in the
// suite), as on a high-density screen, or else with the window made twice as large.
TEST_F(WindowLookTest, AtTwiceTheScaleEverythingScalesAndNothingIsClipped)
{
    if (Window->devicePixelRatio() == 1.0)
        Window->resize(2 * 676, 2 * 535);
    const QImage plain = SolvingAfterNext();
    if (plain.devicePixelRatio() * Window->Scale().Factor() != 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2 or none";
    EXPECT_EQ(plain.size(), QSize(2 * 676, 2 * 535));
    // The thick outer grid line (three pixels from x = 23) is six device pixels thick.
    const int y = 2 * 200;
    EXPECT_NE(plain.pixelColor(2 * 23 - 1, y), QColor(0, 0, 0));
    for (int x = 2 * 23; x < 2 * 26; ++x)
        EXPECT_EQ(plain.pixelColor(x, y), QColor(0, 0, 0)) << "x " << x;
    EXPECT_NE(plain.pixelColor(2 * 26, y), QColor(0, 0, 0));
    // Every caption fits on its button, and the status line on its label.
    for (QPushButton *button : Window->findChildren<QPushButton *>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 4)
            << button->text().toStdString();
        EXPECT_LE(button->fontMetrics().height(), button->height()) << button->text().toStdString();
    }
    const QLabel *news = Window->NewsLabel();
    EXPECT_LE(news->fontMetrics().horizontalAdvance(news->text()), news->contentsRect().width());
    EXPECT_TRUE(Window->rect().contains(news->geometry()));
    // The digits, drawn at the finer scale, mark every visible candidate.
    Window->SetCandidateDigits(true);
    QCoreApplication::processEvents();
    const QImage digits = Shot();
    for (const auto &[candidate, face] : CandidateFaces(*Window, plain.devicePixelRatio()))
        EXPECT_GT(Differing(digits, plain, face), 16) << "candidate " << candidate;
    if (const char *write = std::getenv("QUORIX_WRITE_SCALED"))
        digits.save(QString::fromLocal8Bit(write));
}

} // namespace
} // namespace quorix::qt::testing

// The window at any size: the layout scaled by one factor and centred, the zoom keys, and the
// size kept between runs. At its own size the window is drawn as it always was.
#include "view/window_settings.h"
#include "window_fixture.h"

#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <array>

namespace quorix::qt::testing {
namespace {

class WindowSizeTest : public WindowTest
{
protected:
    // Resizes the window and lets it draw itself anew.
    QImage ShotAt(QSize size)
    {
        Window->resize(size);
        QCoreApplication::processEvents();
        return Shot();
    }

    // The lengths of the runs of `ink` pixels along row `y` of `image`, left to right, among
    // pixels no widget covers; any other colour there than `ink` and `ground` is counted in
    // `blurred`.
    std::vector<int> InkRuns(const QImage &image, int y, QColor ink, QColor ground, int &blurred)
    {
        std::vector<int> runs;
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (Window->childAt(x, y) != nullptr)
                continue;
            const QColor colour = image.pixelColor(x, y);
            if (colour == ink) {
                ++run;
                continue;
            }
            blurred += colour == ground ? 0 : 1;
            if (run > 0)
                runs.push_back(run);
            run = 0;
        }
        return runs;
    }
};

// The colours of the pixels of `image` at most `radius` away from `at` (a square), channel by
// channel: the lowest and the highest.
struct Spread
{
    std::array<int, 3> Low{255, 255, 255};
    std::array<int, 3> High{0, 0, 0};
};
Spread Near(const QImage &image, QPoint at, int radius)
{
    Spread spread;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QRgb pixel = image.pixel(std::clamp(at.x() + dx, 0, image.width() - 1),
                                           std::clamp(at.y() + dy, 0, image.height() - 1));
            const int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            for (int c = 0; c < 3; ++c) {
                spread.Low[c] = std::min(spread.Low[c], channels[c]);
                spread.High[c] = std::max(spread.High[c], channels[c]);
            }
        }
    }
    return spread;
}

// How many pixels of `large` differ from `small` scaled by two beyond anti-aliasing. Outside
// `text` (small's pixels), every pixel is the very colour of the one it comes from: lines,
// bevels, faces and frames scale exactly. Text is drawn anew at twice its size, with shades of
// its own: there, a pixel far from any ink (all nine nearest small pixels of one colour) is
// that colour, and one near ink may be any shade no lighter than the small pixels around.
int PixelsNotScaledByTwo(const QImage &small, const QImage &large, const QRegion &text)
{
    std::vector<bool> inText(static_cast<std::size_t>(small.width() * small.height()));
    for (const QRect &rect : text)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                inText[static_cast<std::size_t>(y * small.width() + x)] = true;
    int outside = 0;
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            const QPoint from(x / 2, y / 2);
            const QRgb pixel = large.pixel(x, y);
            if (pixel == small.pixel(from))
                continue;
            if (!inText[static_cast<std::size_t>(from.y() * small.width() + from.x())]) {
                ++outside;
                continue;
            }
            const Spread nearest = Near(small, from, 1);
            const Spread around = Near(small, from, 2);
            const int channels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            for (int c = 0; c < 3; ++c) {
                if (nearest.Low[c] == nearest.High[c] || channels[c] > around.High[c]) {
                    ++outside;
                    break;
                }
            }
        }
    }
    return outside;
}

// Where the window shows text: the captions' faces inside their bevels and the status line.
QRegion TextAreas(const MainWindow &window)
{
    QRegion text = window.NewsLabel()->geometry();
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        if (!button->isHidden() && !button->text().isEmpty())
            text += button->geometry().adjusted(2, 2, -2, -2);
    }
    return text;
}

TEST_F(WindowSizeTest, TwiceTheSizeIsTheOwnSizeScaledByTwo)
{
    const QImage own = SolvingAfterNext();
    const QRegion text = TextAreas(*Window);
    const QImage twice = ShotAt(2 * DesignSize);
    ASSERT_EQ(twice.size(), 2 * own.size());
    EXPECT_EQ(Window->Scale().Factor(), 2.0);
    EXPECT_EQ(PixelsNotScaledByTwo(own, twice, text), 0);
    if (const char *write = std::getenv("QUORIX_WRITE_TWICE")) {
        own.save(QString::fromLocal8Bit(write) + "-own.png");
        twice.save(QString::fromLocal8Bit(write) + "-twice.png");
    }

    // Back at its own size, not a pixel differs from before.
    EXPECT_EQ(ShotAt(DesignSize), own);
}

TEST_F(WindowSizeTest, AMaximisedWindowOnAFullHdScreenIsFilledCrisply)
{
    // What a maximised window of a 1920 x 1080 screen keeps, title bar and panel aside.
    const QSize maximised(1920, 1040);
    const QImage shot = ShotAt(maximised);
    const double factor = Window->Scale().Factor();
    EXPECT_DOUBLE_EQ(factor, 1040.0 / 535);
    // The layout fills the height and stands in the middle of the width.
    const QRect layout = Window->Scale().Map(QRect(QPoint(0, 0), DesignSize));
    EXPECT_EQ(layout.top(), 0);
    EXPECT_EQ(layout.height(), 1040);
    EXPECT_LE(std::abs(layout.left() - (1920 - layout.right() - 1)), 1);

    // Nothing clipped: every widget inside the layout, every caption on its button.
    for (QWidget *child : Window->findChildren<QWidget *>()) {
        if (child->isHidden())
            continue;
        EXPECT_TRUE(layout.contains(child->geometry())) << child->accessibleName().toStdString();
    }
    for (QPushButton *button : Window->findChildren<QPushButton *>()) {
        if (button->isHidden() || button->text().isEmpty())
            continue;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8);
        EXPECT_LE(button->fontMetrics().height(), button->height());
    }
    const QLabel *news = Window->NewsLabel();
    EXPECT_LE(news->fontMetrics().horizontalAdvance(news->text()), news->contentsRect().width());

    // Nothing blurred: across the grid, between the squares, only ink and background, and the
    // ten lines each as wide as its design width times the factor, rounded.
    int blurred = 0;
    const int y = layout.top() + qRound(200 * factor);
    const std::vector<int> runs = InkRuns(shot, y, QColor(0, 0, 0), QColor(212, 208, 200), blurred);
    EXPECT_EQ(blurred, 0);
    std::vector<int> expected;
    for (int k = 0; k <= 9; ++k)
        expected.push_back(qRound(layout::GridLineWidth(k) * factor));
    EXPECT_EQ(runs, expected);
}

TEST_F(WindowSizeTest, AtAnOddSizeEveryLineIsWholePixelsAndOfOneWidth)
{
    const QImage shot = ShotAt(QSize(1000, 700));
    const double factor = Window->Scale().Factor();
    ASSERT_DOUBLE_EQ(factor, 700.0 / 535);
    int blurred = 0;
    const int y = Window->Scale().Map(QRect(0, 200, 1, 1)).top();
    const std::vector<int> runs = InkRuns(shot, y, QColor(0, 0, 0), QColor(212, 208, 200), blurred);
    EXPECT_EQ(blurred, 0);
    EXPECT_EQ(runs, (std::vector<int>{4, 1, 1, 3, 1, 1, 3, 1, 1, 4}));
    // Squares are all of one size, whatever the rounding of their places.
    std::vector<QSize> sizes;
    for (int square = 0; square < SquareCount; ++square)
        sizes.push_back(Square(square)->size());
    EXPECT_LE(std::ranges::max(sizes, {}, &QSize::width).width()
                  - std::ranges::min(sizes, {}, &QSize::width).width(),
              1);
}

TEST_F(WindowSizeTest, ZoomKeysStepTheSizeAndCtrl0GoesBack)
{
    Type(0, '5');
    Square(0)->setFocus();
    const QImage own = Shot();
    Press(0, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Window->size(), QSize(507, 401));
    EXPECT_NEAR(Window->Scale().Factor(), 0.75, 0.002);
    Press(0, Qt::Key_Minus, Qt::ControlModifier);
    Press(0, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Window->size(), QSize(338, 268)) << "no smaller than half";

    Press(0, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Window->size(), DesignSize);
    EXPECT_EQ(Form().Board().Grid[0], 4) << "Ctrl+0 is no digit typed on a square";
    EXPECT_EQ(Window->focusWidget(), Square(0));
    EXPECT_EQ(Shot(), own);

    // Larger, up to what the screen holds.
    Press(0, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(Window->Scale().Factor(), 1.0);
    const QSize room = Window->screen()->availableGeometry().size();
    EXPECT_LE(Window->width(), room.width());
    EXPECT_LE(Window->height(), room.height());
    Press(0, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_LE(Window->height(), room.height());
}

TEST_F(WindowSizeTest, TheSizeIsKeptBetweenRuns)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);

    MainWindow first;
    RestoreWindowSize(settings, first);
    EXPECT_EQ(first.size(), DesignSize) << "nothing kept yet";
    first.show();
    first.resize(507, 401);
    QCoreApplication::processEvents();
    RememberWindowSize(settings, first);
    first.close();

    MainWindow second;
    RestoreWindowSize(settings, second);
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    EXPECT_EQ(second.size(), QSize(507, 401));
    EXPECT_NEAR(second.Scale().Factor(), 0.75, 0.002);
    EXPECT_EQ(second.SquareButton(80)->geometry(), second.Scale().Map(QRect(416, 416, 33, 33)));
}

} // namespace
} // namespace quorix::qt::testing

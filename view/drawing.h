// What the window's files share to show the store: layout units in pixels, the scale the
// layout is drawn at, colours, faces, text.
#pragma once

#include "core/ground/controls.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <string>
#include <utility>

namespace quorix::qt {

// Layout units to pixels at the window's 96 dots per inch.
constexpr int Px(int layoutUnits)
{
    return layoutUnits / layout::TwipsPerPixel;
}
[[nodiscard]] QRect ToPixels(const Rect &rect);

// The window's own size, at which the layout is drawn pixel for pixel as designed.
constexpr QSize DesignSize{Px(layout::ClientWidth), Px(layout::ClientHeight)};

// How the design's pixels are drawn in a window of any size: every position, length and font
// times one factor, the scaled layout centred in the window. The default maps every design
// pixel onto itself.
class LayoutScale
{
public:
    LayoutScale() = default;
    LayoutScale(double factor, QPoint origin) : Scale(factor), Origin(origin) {}
    // The largest scale at which the whole layout fits `window`, centred in it.
    [[nodiscard]] static LayoutScale Fitting(QSize window);

    [[nodiscard]] double Factor() const { return Scale; }
    // A rectangle of design pixels in window pixels. Each edge is rounded on its own, so that
    // rectangles that touch in the design touch at every scale and nothing falls between
    // pixels.
    [[nodiscard]] QRect Map(const QRect &design) const;
    // A line width in window pixels: never below one, and the same wherever the line lies,
    // so that lines of one width in the design stay of one width.
    [[nodiscard]] int Thickness(int designPixels) const;
    // The window pixels `[start, start + width)` of a line that covers `width` design pixels
    // from `start` along one axis (0 horizontal, 1 vertical): its centre scaled, its width in
    // Thickness.
    [[nodiscard]] std::pair<int, int> Band(int start, int width, int axis) const;

    friend bool operator==(const LayoutScale &, const LayoutScale &) = default;

private:
    [[nodiscard]] int Edge(int design, int axis) const;

    double Scale = 1.0;
    QPoint Origin;
};

// Maps a store colour (RGB or system colour) to the colour drawn.
[[nodiscard]] QColor ToQColor(Colour colour);

// The face of the command buttons, the digit buttons and the status line, at `scale` times
// its size. Where the classic face is missing any plain sans-serif face at the same size
// stands in.
[[nodiscard]] QFont CommandFont(int tenthPoints, double scale = 1.0);
// Square buttons keep the window's default face; only their size is set.
[[nodiscard]] QFont SquareFont(int tenthPoints, double scale = 1.0);

// The store's text (UTF-8) as Qt text.
[[nodiscard]] inline QString ToQString(const std::string &text)
{
    return QString::fromStdString(text);
}

// The pixels a frame covers at `scale`: an outline of its width inside its rectangle.
[[nodiscard]] QRegion FrameRegion(const Frame &frame, const LayoutScale &scale);

// The colour of the Hint command's marks on squares.
constexpr Colour HintMarkColour = Rgb(224, 112, 0);
// The pixels of the mark round `square`: a dashed outline where a square frame would stand,
// so that it differs from the frames by its shape as well as by its colour.
[[nodiscard]] QRegion MarkRegion(int square, const LayoutScale &scale);

} // namespace quorix::qt

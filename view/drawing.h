// What the window's files share to show the store: layout units in pixels, colours, faces,
// text.
#pragma once

#include "core/ground/controls.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRegion>
#include <QString>

#include <string>

namespace quorix::qt {

// Layout units to pixels at the window's 96 dots per inch.
constexpr int Px(int layoutUnits)
{
    return layoutUnits / layout::TwipsPerPixel;
}
[[nodiscard]] QRect ToPixels(const Rect &rect);

// Maps a store colour (RGB or system colour) to the colour drawn.
[[nodiscard]] QColor ToQColor(Colour colour);

// The face of the command buttons, the digit buttons and the status line. Where the classic
// face is missing any plain sans-serif face at the same size stands in.
[[nodiscard]] QFont CommandFont(int tenthPoints);
// Square buttons keep the window's default face; only their size is set.
[[nodiscard]] QFont SquareFont(int tenthPoints);

// The store's text (UTF-8) as Qt text.
[[nodiscard]] inline QString ToQString(const std::string &text)
{
    return QString::fromStdString(text);
}

// The pixels a frame covers: an outline of its width inside its rectangle.
[[nodiscard]] QRegion FrameRegion(const Frame &frame);

// The colour of the Hint command's marks on squares.
constexpr Colour HintMarkColour = Rgb(224, 112, 0);
// The pixels of the mark round `square`: a dashed outline where a square frame would stand,
// so that it differs from the frames by its shape as well as by its colour.
[[nodiscard]] QRegion MarkRegion(int square);

} // namespace quorix::qt

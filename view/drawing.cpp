#include "view/drawing.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace quorix::qt {

QRect ToPixels(const Rect &rect)
{
    return {Px(rect.X), Px(rect.Y), Px(rect.Width), Px(rect.Height)};
}

LayoutScale LayoutScale::Fitting(QSize window)
{
    const double factor = std::min(double(window.width()) / DesignSize.width(),
                                   double(window.height()) / DesignSize.height());
    if (!(factor > 0))
        return {};
    const int width = qRound(DesignSize.width() * factor);
    const int height = qRound(DesignSize.height() * factor);
    return {factor, QPoint((window.width() - width) / 2, (window.height() - height) / 2)};
}

int LayoutScale::Edge(int design, int axis) const
{
    return (axis == 0 ? Origin.x() : Origin.y()) + qRound(design * Scale);
}

QRect LayoutScale::Map(const QRect &design) const
{
    const int left = Edge(design.x(), 0);
    const int top = Edge(design.y(), 1);
    return {left, top, Edge(design.x() + design.width(), 0) - left,
            Edge(design.y() + design.height(), 1) - top};
}

int LayoutScale::Thickness(int designPixels) const
{
    return std::max(1, qRound(designPixels * Scale));
}

std::pair<int, int> LayoutScale::Band(int start, int width, int axis) const
{
    const int thickness = Thickness(width);
    const double centre = (start + width / 2.0) * Scale;
    const int from = static_cast<int>(std::floor(centre - thickness / 2.0 + 0.5));
    return {(axis == 0 ? Origin.x() : Origin.y()) + from, thickness};
}

QColor ToQColor(Colour colour)
{
    switch (colour) {
    case SystemButtonFace:
        return {240, 240, 240};
    case SystemInactiveBorder:
        return {212, 208, 200};
    case SystemWindowText:
        return {0, 0, 0};
    default:
        break;
    }
    if (IsSystemColour(colour))
        return {240, 240, 240};
    return {static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>(colour & 0xFF)};
}

QFont CommandFont(int tenthPoints, double scale)
{
    static const bool haveClassicFace = QFontDatabase::families().contains("MS Sans Serif");
    QFont font;
    if (haveClassicFace) {
        font.setFamily(QStringLiteral("MS Sans Serif"));
    } else {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setWeight(QFont::Normal);
    font.setPointSizeF(tenthPoints / 10.0 * scale);
    return font;
}

QFont SquareFont(int tenthPoints, double scale)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(tenthPoints / 10.0 * scale);
    return font;
}

QRegion FrameRegion(const Frame &frame, const LayoutScale &scale)
{
    const QRect outer = scale.Map(ToPixels(frame.Geometry));
    const int width = scale.Thickness(frame.WidthPixels);
    return QRegion(outer) - QRegion(outer.adjusted(width, width, -width, -width));
}

QRegion MarkRegion(int square, const LayoutScale &scale)
{
    constexpr int Width = 2, Dash = 4, Gap = 3;
    Frame outline;
    outline.Geometry = layout::FrameGeometry(square, 1, 1);
    outline.WidthPixels = Width;
    const QRect outer = scale.Map(ToPixels(outline.Geometry));
    const int dash = scale.Thickness(Dash), gap = scale.Thickness(Gap);
    // Gaps cut across the outline: vertical strips through the top and bottom edges,
    // horizontal ones through the sides, each starting a dash's length from the corner.
    QRegion gaps;
    for (int x = outer.left() + dash; x < outer.right() - dash; x += dash + gap)
        gaps += QRect(x, outer.top(), gap, outer.height());
    for (int y = outer.top() + dash; y < outer.bottom() - dash; y += dash + gap)
        gaps += QRect(outer.left(), y, outer.width(), gap);
    return FrameRegion(outline, scale) - gaps;
}

} // namespace quorix::qt

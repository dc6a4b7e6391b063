#include "view/drawing.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace quorix::qt {

QRect ToPixels(const Rect &rect)
{
    return {Px(rect.X), Px(rect.Y), Px(rect.Width), Px(rect.Height)};
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

QFont CommandFont(int tenthPoints)
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
    font.setPointSizeF(tenthPoints / 10.0);
    return font;
}

QFont SquareFont(int tenthPoints)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(tenthPoints / 10.0);
    return font;
}

QRegion FrameRegion(const Frame &frame)
{
    const QRect outer = ToPixels(frame.Geometry);
    const int width = frame.WidthPixels;
    return QRegion(outer) - QRegion(outer.adjusted(width, width, -width, -width));
}

QRegion MarkRegion(int square)
{
    constexpr int Width = 2, Dash = 4, Gap = 3;
    Frame outline;
    outline.Geometry = layout::FrameGeometry(square, 1, 1);
    outline.WidthPixels = Width;
    const QRect outer = ToPixels(outline.Geometry);
    // Gaps cut across the outline: vertical strips through the top and bottom edges,
    // horizontal ones through the sides, each starting a dash's length from the corner.
    QRegion gaps;
    for (int x = outer.left() + Dash; x < outer.right() - Dash; x += Dash + Gap)
        gaps += QRect(x, outer.top(), Gap, outer.height());
    for (int y = outer.top() + Dash; y < outer.bottom() - Dash; y += Dash + Gap)
        gaps += QRect(outer.left(), y, outer.width(), Gap);
    return FrameRegion(outline) - gaps;
}

} // namespace quorix::qt

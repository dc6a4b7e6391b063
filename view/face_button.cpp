#include "view/face_button.h"

#include "view/drawing.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace quorix::qt {

namespace {

// The bevel shades stay the same whatever the face colour, as on a classic desktop.
const QPalette &BevelPalette()
{
    static const QPalette palette = [] {
        QPalette shades;
        shades.setColor(QPalette::Light, QColor(255, 255, 255));
        shades.setColor(QPalette::Midlight, QColor(227, 227, 227));
        shades.setColor(QPalette::Dark, QColor(160, 160, 160));
        shades.setColor(QPalette::Shadow, QColor(105, 105, 105));
        shades.setColor(QPalette::Mid, QColor(160, 160, 160));
        return shades;
    }();
    return palette;
}

// One ring of the bevel, `line` pixels wide just inside `bounds`: lit on its top and left,
// shaded on its bottom and right, where the shade also takes the two corners they share with
// the lit sides.
void PaintRing(QPainter &painter, const QRect &bounds, int line, const QColor &lit,
               const QColor &shaded)
{
    painter.fillRect(QRect(bounds.left(), bounds.top(), bounds.width() - line, line), lit);
    painter.fillRect(QRect(bounds.left(), bounds.top(), line, bounds.height() - line), lit);
    painter.fillRect(QRect(bounds.left(), bounds.bottom() + 1 - line, bounds.width(), line),
                     shaded);
    painter.fillRect(QRect(bounds.right() + 1 - line, bounds.top(), line, bounds.height()), shaded);
}

} // namespace

FaceButton::FaceButton(int index, int bevelWidth, QWidget *parent)
    : QPushButton(parent), ElementIndex(index), BevelWidth(bevelWidth), FaceColour(240, 240, 240)
{
    // Every pixel is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FaceButton::SetFace(const QColor &colour)
{
    if (colour == FaceColour)
        return;
    FaceColour = colour;
    update();
}

void FaceButton::SetMark(const QString &mark)
{
    if (mark == Mark)
        return;
    Mark = mark;
    update();
}

void FaceButton::SetPlace(const QRect &design, const LayoutScale &scale)
{
    const int line = scale.Thickness(1);
    if (line != LinePixels) {
        LinePixels = line;
        update();
    }
    setGeometry(scale.Map(design));
}

// Full-size buttons have two rings (outer: light over shadow, inner: face over dark; sunken,
// the other way round), candidates one (light over dark).
void FaceButton::PaintBevel(QPainter &painter, bool sunken) const
{
    const QPalette &shades = BevelPalette();
    const QRect bounds = rect();
    const int line = LinePixels;
    const int inset = BevelWidth * line;
    if (bounds.width() <= 2 * inset || bounds.height() <= 2 * inset) {
        painter.fillRect(bounds, FaceColour);
        return;
    }
    if (BevelWidth >= 2) {
        const QColor light = shades.color(QPalette::Light);
        const QColor shadow = shades.color(QPalette::Shadow);
        const QColor dark = shades.color(QPalette::Dark);
        const QColor face = shades.color(QPalette::Button);
        const QRect inner = bounds.adjusted(line, line, -line, -line);
        PaintRing(painter, bounds, line, sunken ? shadow : light, sunken ? light : shadow);
        PaintRing(painter, inner, line, sunken ? dark : face, sunken ? face : dark);
    } else {
        const QColor light = shades.color(QPalette::Light);
        const QColor dark = shades.color(QPalette::Dark);
        PaintRing(painter, bounds, line, sunken ? dark : light, sunken ? light : dark);
    }
    painter.fillRect(bounds.adjusted(inset, inset, -inset, -inset), FaceColour);
}

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect bounds = rect();
    const bool sunken = isDown();
    const int line = LinePixels;
    PaintBevel(painter, sunken);

    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
        painter.setFont(font());
        const QRect textArea = sunken ? bounds.translated(line, line) : bounds;
        painter.drawText(textArea, Qt::AlignCenter, text());
    }

    const int inset = BevelWidth * line;
    if (!Mark.isEmpty()) {
        // Dark on a light face, light on a dark one; the glyph fills most of the face, so that
        // it reads at twelve pixels and sharpens with the scale factor.
        painter.setPen(qGray(FaceColour.rgb()) >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255));
        QFont small = font();
        small.setPixelSize(std::max(6, bounds.height() - 2 * inset));
        painter.setFont(small);
        painter.drawText(bounds.adjusted(inset, inset, -inset, -inset), Qt::AlignCenter, Mark);
    }

    if (hasFocus()) {
        const int margin = inset + line;
        painter.setPen(QPen(QColor(0, 0, 0), line, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds.adjusted(margin, margin, -margin - line, -margin - line));
    }
}

} // namespace quorix::qt

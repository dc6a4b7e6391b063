#include "view/face_button.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

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

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect bounds = rect();
    const bool sunken = isDown();
    const QBrush fill(FaceColour);
    if (BevelWidth >= 2)
        qDrawWinButton(&painter, bounds, BevelPalette(), sunken, &fill);
    else
        qDrawShadePanel(&painter, bounds, BevelPalette(), sunken, 1, &fill);

    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(128, 128, 128));
        painter.setFont(font());
        const QRect textArea = sunken ? bounds.translated(1, 1) : bounds;
        painter.drawText(textArea, Qt::AlignCenter, text());
    }

    if (!Mark.isEmpty()) {
        // Dark on a light face, light on a dark one; the glyph fills most of the face, so that
        // it reads at twelve pixels and sharpens with the scale factor.
        painter.setPen(qGray(FaceColour.rgb()) >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255));
        QFont small = font();
        small.setPixelSize(std::max(6, bounds.height() - 2 * BevelWidth));
        painter.setFont(small);
        painter.drawText(bounds.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth),
                         Qt::AlignCenter, Mark);
    }

    if (hasFocus()) {
        const int margin = BevelWidth + 1;
        painter.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds.adjusted(margin, margin, -margin - 1, -margin - 1));
    }
}

} // namespace quorix::qt

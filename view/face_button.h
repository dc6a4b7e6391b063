// A push button whose background colour fills the whole face, drawn with a classic bevel.
#pragma once

#include <QColor>
#include <QPushButton>

namespace quorix::qt {

class LayoutScale;

class FaceButton : public QPushButton
{
public:
    // `index` is the element index of the control array the button belongs to; `bevelWidth`
    // is 2 for full-size buttons and 1 for the small candidate buttons, so that most of their
    // twelve pixels show colour.
    FaceButton(int index, int bevelWidth, QWidget *parent = nullptr);

    [[nodiscard]] int Index() const { return ElementIndex; }
    void SetFace(const QColor &colour);
    // A small mark drawn over the face in a colour that stands out from it (the digit of a
    // candidate, when the window shows them); empty for none.
    void SetMark(const QString &mark);
    // Puts the button at `design` (design pixels) drawn at `scale`: its place and size, and
    // the width of its bevel's lines.
    void SetPlace(const QRect &design, const LayoutScale &scale);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void PaintBevel(QPainter &painter, bool sunken) const;

    int ElementIndex;
    int BevelWidth;
    int LinePixels = 1; // one line of the bevel, in window pixels
    QColor FaceColour;
    QString Mark;
};

} // namespace quorix::qt

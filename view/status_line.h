// The status line: a label that assistive technology reads as a status bar with text, and is
// told of every new line.
#pragma once

#include <QLabel>
#include <QString>

namespace quorix::qt {

class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

    // Makes `line` what assistive technology reads (the whole line, also where the label shows
    // only its start), under the name `name`, and tells it: the text that went and the text
    // that came (and an announcement, where Qt has them). What the label shows is its own.
    void Announce(const QString &line, const QString &name);
    // The line as assistive technology reads it: the one last announced.
    [[nodiscard]] const QString &Spoken() const { return SpokenLine; }

private:
    QString SpokenLine;
};

} // namespace quorix::qt

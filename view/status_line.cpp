#include "view/status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>

namespace quorix::qt {

namespace {

// A status bar whose text is the spoken line. Screen readers on Linux follow a status line
// through its text and the text-changed events the bridge sends for it; a plain label offers
// them no text and only a change of name, which they do not read out unless it has the focus.
class StatusLineAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit StatusLineAccessible(StatusLine *line)
        : QAccessibleWidget(line, QAccessible::StatusBar)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The name and the description are the widget's; the text is below.
    using QAccessibleWidget::text;

    // Read only, without a caret or a selection.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}

    QString text(int startOffset, int endOffset) const override
    {
        const QString &line = Line().Spoken();
        const int start = std::clamp(startOffset, 0, int(line.size()));
        const int end =
            endOffset < 0 ? int(line.size()) : std::clamp(endOffset, start, int(line.size()));
        return line.mid(start, end - start);
    }
    int characterCount() const override { return int(Line().Spoken().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    const StatusLine &Line() const { return *static_cast<const StatusLine *>(widget()); }
};

QAccessibleInterface *StatusLineInterface(const QString &, QObject *object)
{
    if (auto *line = qobject_cast<StatusLine *>(object))
        return new StatusLineAccessible(line);
    return nullptr;
}

} // namespace

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    // Once for all status lines, and before any is asked for its interface.
    static const bool installed = [] {
        QAccessible::installFactory(&StatusLineInterface);
        return true;
    }();
    (void)installed;
}

void StatusLine::Announce(const QString &line, const QString &name)
{
    const QString gone = SpokenLine;
    SpokenLine = line;
    // Sends a name change of its own.
    setAccessibleName(name);
    QAccessibleTextUpdateEvent changed(this, 0, gone, line);
    QAccessible::updateAccessibility(&changed);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(this, line);
    QAccessible::updateAccessibility(&announcement);
#endif
}

} // namespace quorix::qt

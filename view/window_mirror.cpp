// Mirroring the store on the widgets: only what changed since the last time is touched.
#include "view/drawing.h"
#include "view/face_button.h"
#include "view/main_window.h"
#include "view/status_line.h"

#include <QByteArray>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace quorix::qt {

namespace {

const QString AppTitle = QStringLiteral("Kelb's Quorix Solver");

bool SameFrame(const Frame &a, const Frame &b)
{
    return a.Visible == b.Visible && a.Geometry == b.Geometry && a.Border == b.Border
           && a.WidthPixels == b.WidthPixels;
}

// Applies the properties every button kind shares; `was` is what the widget shows now.
// Returns whether anything was applied.
template <typename Props>
bool ApplyButton(FaceButton &button, const Props &now, const Props &was, bool all,
                 QFont (*fontFor)(int, double), const LayoutScale &scale)
{
    bool changed = false;
    if (all || now.Background != was.Background) {
        button.SetFace(ToQColor(now.Background));
        changed = true;
    }
    if (all || now.FontTenthPoints != was.FontTenthPoints) {
        button.setFont(fontFor(now.FontTenthPoints, scale.Factor()));
        changed = true;
    }
    if (all || now.Geometry != was.Geometry) {
        button.SetPlace(ToPixels(now.Geometry), scale);
        changed = true;
    }
    if (all || now.Enabled != was.Enabled) {
        button.setEnabled(now.Enabled);
        changed = true;
    }
    if (all || now.Visible != was.Visible) {
        button.setVisible(now.Visible);
        changed = true;
    }
    return changed;
}

} // namespace

void MainWindow::Mirror()
{
    if (News == nullptr)
        return; // the load event runs before the widgets exist; the first full mirror follows
    const bool all = !AppliedOnce;
    bool changed = MirrorLook(all);
    changed |= MirrorTimer(all);
    MirrorAccessibility(all);
    MirrorTitle();
    AppliedOnce = true;
    ++MirrorTally.Calls;
    if (changed)
        ++MirrorTally.Changed;
}

bool MainWindow::MirrorLook(bool all)
{
    bool changed = MirrorSquares(all);
    changed |= MirrorCandidates(all);
    changed |= MirrorButtons(all);
    changed |= MirrorNews(all);
    changed |= MirrorFrames(all);
    changed |= MirrorMarks(all);
    return changed;
}

bool MainWindow::MirrorSquares(bool all)
{
    const auto &store = TheForm.Controls().Squares;
    bool changed = false;
    for (int square = 0; square < SquareCount; ++square) {
        const auto &now = store[square];
        auto &was = Applied.Squares[square];
        if (all || now.Caption != was.Caption) {
            Squares[square]->setText(now.Caption == 0 ? QString()
                                                      : QString(QLatin1Char(now.Caption)));
            changed = true;
        }
        changed |= ApplyButton(*Squares[square], now, was, all, &SquareFont, Layout);
        was = now;
    }
    return changed;
}

bool MainWindow::MirrorCandidates(bool all)
{
    const ControlStore &store = TheForm.Controls();
    bool changed = false;
    // Colours and geometry are the same in every store: the first mirror applies them for good.
    if (all) {
        for (int candidate = 0; candidate < CandidateCount; ++candidate) {
            Candidates[candidate]->SetFace(ToQColor(ControlStore::CandidateColours[candidate]));
            Candidates[candidate]->SetPlace(ToPixels(ControlStore::CandidateGeometry[candidate]),
                                            Layout);
        }
        changed = true;
    }
    for (int square = 0; square < SquareCount; ++square) {
        const std::uint16_t now = store.CandidateBits[square];
        const std::uint16_t flipped = all ? AllCandidates : (now ^ Applied.CandidateBits[square]);
        if (flipped == 0)
            continue;
        for (int digitCode = 0; digitCode < DigitCount; ++digitCode) {
            if ((flipped >> digitCode) & 1U)
                Candidates[square * 9 + digitCode]->setVisible((now >> digitCode) & 1U);
        }
        Applied.CandidateBits[square] = now;
        changed = true;
    }
    return changed;
}

bool MainWindow::MirrorButtons(bool all)
{
    const ControlStore &store = TheForm.Controls();
    bool changed = false;
    const auto apply = [this, all, &changed](FaceButton &button, const Button &now, Button &was) {
        if (all || now.Caption != was.Caption) {
            button.setText(QString::fromStdString(now.Caption));
            changed = true;
        }
        changed |= ApplyButton(button, now, was, all, &CommandFont, Layout);
        was = now;
    };
    for (int digitCode = 0; digitCode < DigitCount; ++digitCode)
        apply(*Numbers[digitCode], store.Numbers[digitCode], Applied.Numbers[digitCode]);
    for (int index = 0; index < ModeButtonCount; ++index) {
        if (Modes[index] != nullptr)
            apply(*Modes[index], store.Modes[index], Applied.Modes[index]);
    }
    if (all) { // Hint is no control of the store's: only the window's size moves it
        Hint->setFont(CommandFont(135, Layout.Factor()));
        Hint->SetPlace(ToPixels(layout::HintGeometry), Layout);
    }
    return changed;
}

bool MainWindow::MirrorNews(bool all)
{
    const ControlStore &store = TheForm.Controls();
    if (!all && store.NewsChanges() == Applied.NewsRevision)
        return false;
    if (all) {
        News->setFont(CommandFont(135, Layout.Factor()));
        News->setGeometry(Layout.Map(ToPixels(layout::NewsGeometry)));
    }
    Applied.NewsRevision = store.NewsChanges();
    const std::string_view text = store.News();
    // Once the label is covered, a line that only grows at its end (the progress dots) looks
    // the same: what it adds lies beyond the right edge.
    if (!all && Applied.NewsCut && text.starts_with(Applied.NewsPrefix))
        return false;
    const QString shown = VisibleNews(text);
    const QByteArray shownBytes = shown.toUtf8();
    const std::string_view prefix(shownBytes.constData(),
                                  static_cast<std::size_t>(shownBytes.size()));
    Applied.NewsCut = prefix.size() < text.size();
    if (!all && prefix == Applied.NewsPrefix)
        return false;
    Applied.NewsPrefix.assign(prefix);
    News->setText(shown);
    return true;
}

QString MainWindow::VisibleNews(std::string_view text) const
{
    // No glyph is narrower than one pixel, so a cut at the label's width in characters loses
    // nothing visible and bounds the measuring below.
    const int width = News->contentsRect().width();
    const std::string_view bounded = text.substr(0, static_cast<std::size_t>(std::max(1, width)));
    const QString line = QString::fromUtf8(bounded.data(), static_cast<qsizetype>(bounded.size()));
    const QFontMetrics metrics = News->fontMetrics();
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    // The shortest start that reaches the right edge: every later character would begin
    // beyond it and never be seen, so the label is never laid out with them.
    qsizetype low = 1;
    qsizetype high = line.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (metrics.horizontalAdvance(line.left(middle)) >= width)
            high = middle;
        else
            low = middle + 1;
    }
    return line.left(low);
}

bool MainWindow::MirrorFrames(bool all)
{
    const ControlStore &store = TheForm.Controls();
    QRegion dirty;
    for (int frame = 0; frame < 2; ++frame) {
        const Frame &now = store.Highlights[frame];
        Frame &was = Applied.Highlights[frame];
        if (!all && SameFrame(now, was))
            continue;
        if (was.Visible)
            dirty += FrameRegion(was, Layout);
        if (now.Visible)
            dirty += FrameRegion(now, Layout);
        was = now;
    }
    if (all || store.FrontFrame != Applied.FrontFrame) {
        Applied.FrontFrame = store.FrontFrame;
        for (const Frame &frame : Applied.Highlights) {
            if (frame.Visible)
                dirty += FrameRegion(frame, Layout);
        }
    }
    if (dirty.isEmpty())
        return false;
    update(dirty);
    return true;
}

bool MainWindow::MirrorMarks(bool all)
{
    const SquareSet now = TheForm.Controls().HintMarks;
    if (!all && now == Applied.HintMarks)
        return false;
    QRegion dirty;
    for (int square = 0; square < SquareCount; ++square)
        if (now.Contains(square) || Applied.HintMarks.Contains(square))
            dirty += MarkRegion(square, Layout);
    Applied.HintMarks = now;
    if (dirty.isEmpty())
        return false;
    update(dirty);
    return true;
}

// The program's name, after the collection's file and place when one is walked.
void MainWindow::MirrorTitle()
{
    const PuzzleCollection &collection = TheForm.Collection();
    QString title = AppTitle;
    if (!collection.Empty())
        title = QStringLiteral("%1: %2 of %3 - %4")
                    .arg(QString::fromStdString(collection.Name))
                    .arg(collection.Position + 1)
                    .arg(collection.Size())
                    .arg(AppTitle);
    if (title != windowTitle())
        setWindowTitle(title);
}

bool MainWindow::MirrorTimer(bool all)
{
    const quorix::BlinkTimer &now = TheForm.Controls().Timer;
    bool changed = false;
    if (all || now.PeriodMs != Applied.Timer.PeriodMs) {
        Timer1->setInterval(std::max(1, now.PeriodMs));
        changed = true;
    }
    if (now.Enabled != Timer1->isActive()) {
        if (now.Enabled)
            Timer1->start();
        else
            Timer1->stop();
        changed = true;
    }
    Applied.Timer = now;
    return changed;
}

} // namespace quorix::qt

#include "window/qt/main_window.h"

#include "window/qt/face_button.h"

#include <QByteArray>
#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QTimer>

#include <algorithm>
#include <cassert>

namespace quorix::qt {

namespace {

constexpr int Px(int layoutUnits)
{
    return layoutUnits / layout::TwipsPerPixel;
}

QRect ToPixels(const Rect &rect)
{
    return {Px(rect.X), Px(rect.Y), Px(rect.Width), Px(rect.Height)};
}

// The face of the command buttons, the digit buttons and the status line. Where the classic
// face is missing any plain sans-serif face at the same size stands in.
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

// Square buttons keep the window's default face; only their size is set.
QFont SquareFont(int tenthPoints)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(tenthPoints / 10.0);
    return font;
}

bool SameFrame(const Frame &a, const Frame &b)
{
    return a.Visible == b.Visible && a.Geometry == b.Geometry && a.Border == b.Border
           && a.WidthPixels == b.WidthPixels;
}

// The pixels a frame covers: an outline of its width inside its rectangle.
QRegion FrameRegion(const Frame &frame)
{
    const QRect outer = ToPixels(frame.Geometry);
    const int width = frame.WidthPixels;
    return QRegion(outer) - QRegion(outer.adjusted(width, width, -width, -width));
}

// Applies the properties every button kind shares; `was` is what the widget shows now.
// Returns whether anything was applied.
template <typename Props>
bool ApplyButton(FaceButton &button, const Props &now, const Props &was, bool all,
                 QFont (*fontFor)(int))
{
    bool changed = false;
    if (all || now.Background != was.Background) {
        button.SetFace(ToQColor(now.Background));
        changed = true;
    }
    if (all || now.FontTenthPoints != was.FontTenthPoints) {
        button.setFont(fontFor(now.FontTenthPoints));
        changed = true;
    }
    if (all || now.Geometry != was.Geometry) {
        button.setGeometry(ToPixels(now.Geometry));
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

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), HostPlatform(*this), TheForm(HostPlatform)
{
    setWindowTitle(QStringLiteral("Kelb's Quorix Solver"));
    setFixedSize(Px(layout::ClientWidth), Px(layout::ClientHeight));
    setAttribute(Qt::WA_OpaquePaintEvent);

    TheForm.Form_Load();
    BuildWidgets();
    Mirror();
    Squares[0]->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildWidgets()
{
    // Creation order is stacking order (later lies on top) and the default focus chain, so
    // candidates come after squares, and the buttons in the order Tab visits them.
    for (int square = 0; square < SquareCount; ++square) {
        auto *button = new FaceButton(square, 2, this);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, square] {
            const auto &props = TheForm.Controls.Squares[square];
            if (!props.Visible || !props.Enabled)
                return;
            Dispatch([&] { TheForm.cmdSquare_Click(static_cast<std::int16_t>(square)); });
        });
        Squares[square] = button;
    }
    for (int candidate = 0; candidate < CandidateCount; ++candidate) {
        auto *button = new FaceButton(candidate, 1, this);
        connect(button, &QPushButton::clicked, this, [this, candidate] {
            if (!TheForm.Controls.CandidateVisible(candidate))
                return;
            Dispatch([&] { TheForm.cmdEle_Click(static_cast<std::int16_t>(candidate)); });
        });
        Candidates[candidate] = button;
    }

    const auto makeNumber = [this](int digitCode) {
        auto *button = new FaceButton(digitCode, 2, this);
        connect(button, &QPushButton::clicked, this, [this, digitCode] {
            const auto &props = TheForm.Controls.Numbers[digitCode];
            if (!props.Visible || !props.Enabled)
                return;
            Dispatch([&] { TheForm.cmdNumber_Click(static_cast<std::int16_t>(digitCode)); });
        });
        Numbers[digitCode] = button;
    };
    const auto makeMode = [this](int index) {
        auto *button = new FaceButton(index, 2, this);
        connect(button, &QPushButton::clicked, this, [this, index] {
            const auto &props = TheForm.Controls.Modes[index];
            if (!props.Visible || !props.Enabled)
                return;
            Dispatch([&] { TheForm.cmdMode_Click(static_cast<std::int16_t>(index)); });
        });
        Modes[index] = button;
    };
    makeMode(ModeStart);
    makeMode(ModeCheck);
    for (int digitCode = 0; digitCode < DigitCount; ++digitCode)
        makeNumber(digitCode);
    for (const int index :
         {ModeReset, ModeAuto, ModeRestart, ModeNext, ModeSave, ModeRestore, ModeCheckUnique})
        makeMode(index);

    News = new QLabel(this);
    News->setTextFormat(Qt::PlainText);
    News->setWordWrap(false);
    News->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    News->setFocusPolicy(Qt::NoFocus);
    News->setFont(CommandFont(135));
    News->setGeometry(ToPixels(layout::NewsGeometry));

    QWidget *previous = nullptr;
    const auto chain = [&previous](QWidget *next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (auto *button : Squares)
        chain(button);
    for (auto *button : Candidates)
        chain(button);
    chain(Modes[ModeStart]);
    chain(Modes[ModeCheck]);
    for (auto *button : Numbers)
        chain(button);
    for (const int index :
         {ModeReset, ModeAuto, ModeRestart, ModeNext, ModeSave, ModeRestore, ModeCheckUnique})
        chain(Modes[index]);

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, [this] { Dispatch([&] { TheForm.Timer1_Timer(); }); });
}

template <typename Handler> void MainWindow::Dispatch(Handler &&handler)
{
    handler();
    Mirror();
}

QPushButton *MainWindow::SquareButton(int square) const
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    return Squares[square];
}

QPushButton *MainWindow::CandidateButton(int candidate) const
{
    assert(candidate >= 0 && candidate < CandidateCount && "candidate out of range");
    return Candidates[candidate];
}

QPushButton *MainWindow::NumberButton(int digitCode) const
{
    assert(digitCode >= 0 && digitCode < DigitCount && "digit code out of range");
    return Numbers[digitCode];
}

QPushButton *MainWindow::ModeButton(int index) const
{
    assert(index >= 0 && index < ModeButtonCount && index != 2 && "no such command button");
    return Modes[index];
}

void MainWindow::Mirror()
{
    if (News == nullptr)
        return; // the load event runs before the widgets exist; the first full mirror follows
    const bool all = !AppliedOnce;
    bool changed = MirrorSquares(all);
    changed |= MirrorCandidates(all);
    changed |= MirrorButtons(all);
    changed |= MirrorNews(all);
    changed |= MirrorFrames(all);
    changed |= MirrorTimer(all);
    AppliedOnce = true;
    ++MirrorTally.Calls;
    if (changed)
        ++MirrorTally.Changed;
}

bool MainWindow::MirrorSquares(bool all)
{
    const auto &store = TheForm.Controls.Squares;
    bool changed = false;
    for (int square = 0; square < SquareCount; ++square) {
        const auto &now = store[square];
        auto &was = Applied.Squares[square];
        if (all || now.Caption != was.Caption) {
            Squares[square]->setText(now.Caption == 0 ? QString()
                                                      : QString(QLatin1Char(now.Caption)));
            changed = true;
        }
        changed |= ApplyButton(*Squares[square], now, was, all, &SquareFont);
        was = now;
    }
    return changed;
}

bool MainWindow::MirrorCandidates(bool all)
{
    const ControlStore &store = TheForm.Controls;
    bool changed = false;
    for (int candidate = 0; candidate < CandidateCount; ++candidate) {
        if (all || store.CandidateColours[candidate] != Applied.CandidateColours[candidate]) {
            Candidates[candidate]->SetFace(ToQColor(store.CandidateColours[candidate]));
            Applied.CandidateColours[candidate] = store.CandidateColours[candidate];
            changed = true;
        }
        if (all || store.CandidateGeometry[candidate] != Applied.CandidateGeometry[candidate]) {
            Candidates[candidate]->setGeometry(ToPixels(store.CandidateGeometry[candidate]));
            Applied.CandidateGeometry[candidate] = store.CandidateGeometry[candidate];
            changed = true;
        }
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
    const ControlStore &store = TheForm.Controls;
    bool changed = false;
    const auto apply = [all, &changed](FaceButton &button, const Button &now, Button &was) {
        if (all || now.Caption != was.Caption) {
            button.setText(QString::fromStdString(now.Caption));
            changed = true;
        }
        changed |= ApplyButton(button, now, was, all, &CommandFont);
        was = now;
    };
    for (int digitCode = 0; digitCode < DigitCount; ++digitCode)
        apply(*Numbers[digitCode], store.Numbers[digitCode], Applied.Numbers[digitCode]);
    for (int index = 0; index < ModeButtonCount; ++index) {
        if (Modes[index] != nullptr)
            apply(*Modes[index], store.Modes[index], Applied.Modes[index]);
    }
    return changed;
}

bool MainWindow::MirrorNews(bool all)
{
    const ControlStore &store = TheForm.Controls;
    if (!all && store.NewsChanges() == Applied.NewsRevision)
        return false;
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
    const ControlStore &store = TheForm.Controls;
    QRegion dirty;
    for (int frame = 0; frame < 2; ++frame) {
        const Frame &now = store.Highlights[frame];
        Frame &was = Applied.Highlights[frame];
        if (!all && SameFrame(now, was))
            continue;
        if (was.Visible)
            dirty += FrameRegion(was);
        if (now.Visible)
            dirty += FrameRegion(now);
        was = now;
    }
    if (all || store.FrontFrame != Applied.FrontFrame) {
        Applied.FrontFrame = store.FrontFrame;
        for (const Frame &frame : Applied.Highlights) {
            if (frame.Visible)
                dirty += FrameRegion(frame);
        }
    }
    if (dirty.isEmpty())
        return false;
    update(dirty);
    return true;
}

bool MainWindow::MirrorTimer(bool all)
{
    const quorix::BlinkTimer &now = TheForm.Controls.Timer;
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

void MainWindow::MoveFocusOn()
{
    focusNextChild();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(SystemInactiveBorder));

    // Grid lines, centred on their position; each is lengthened by its own width so that
    // the thick outer lines meet in square corners.
    const QColor ink = ToQColor(SystemWindowText);
    const int from = Px(layout::GridLineStart);
    const int to = Px(layout::GridLineEnd);
    for (int k = 0; k <= 9; ++k) {
        const int width = layout::GridLineWidth(k);
        const int at = Px(layout::GridLineStart + layout::GridLinePitch * k) - width / 2;
        const int start = from - width / 2;
        const int length = to - from + width;
        painter.fillRect(QRect(at, start, width, length), ink);
        painter.fillRect(QRect(start, at, length, width), ink);
    }

    // The front frame is drawn last so that it lies over the other where they cross.
    const int front = Applied.FrontFrame == 0 ? 0 : 1;
    for (const int frame : {1 - front, front}) {
        const Frame &shown = Applied.Highlights[frame];
        if (!shown.Visible)
            continue;
        const QColor colour = ToQColor(shown.Border);
        for (const QRect &strip : FrameRegion(shown))
            painter.fillRect(strip, colour);
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running auto loop sits in a handler below us; it ends at its next cycle, and the
    // event loop then exits.
    TheForm.RequestShutdown();
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *button = static_cast<FaceButton *>(watched);
    const QString text = static_cast<QKeyEvent *>(event)->text();
    if (text.size() != 1 || text.front() < u'0' || text.front() > u'9')
        return false;
    const int square = button->Index();
    if (!TheForm.Controls.Squares[square].Visible)
        return false;
    Dispatch([&] {
        TheForm.cmdSquare_KeyPress(static_cast<std::int16_t>(square),
                                   static_cast<std::int16_t>(text.front().unicode()));
    });
    // The key goes on to the button: the handler neither changes nor swallows it.
    return false;
}

} // namespace quorix::qt

#include "view/main_window.h"

#include "view/drawing.h"
#include "view/face_button.h"
#include "view/status_line.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cassert>

namespace quorix::qt {

namespace {

// The command buttons made after the digit buttons, in the order Tab visits them.
constexpr int LaterModes[] = {ModeReset, ModeAuto,    ModeRestart,    ModeNext,
                              ModeSave,  ModeRestore, ModeCheckUnique};

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), HostPlatform(*this), TheForm(HostPlatform)
{
    // Any size goes: the layout is drawn at the scale that fits (see resizeEvent), down to
    // half its own size, where the candidates are six pixels wide.
    resize(DesignSize);
    setMinimumSize(DesignSize / 2);
    setAttribute(Qt::WA_OpaquePaintEvent);

    setAcceptDrops(true);

    TheForm.Form_Load();
    BuildWidgets();
    DescribeControls();
    MakeShortcuts();
    MakeFileShortcuts();
    Mirror();
    Squares[0]->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildWidgets()
{
    // Creation order is stacking order (later lies on top) and the default focus chain, so
    // candidates come after squares, and the buttons in the order Tab visits them.
    for (int square = 0; square < SquareCount; ++square) {
        Squares[square] = MakeButton(square, 2, [this, square] {
            const auto &props = TheForm.Controls().Squares[square];
            if (props.Visible && props.Enabled)
                Dispatch([&] { TheForm.cmdSquare_Click(square); });
        });
        Squares[square]->installEventFilter(this);
    }
    for (int candidate = 0; candidate < CandidateCount; ++candidate) {
        Candidates[candidate] = MakeButton(candidate, 1, [this, candidate] {
            if (TheForm.Controls().CandidateVisible(candidate))
                Dispatch([&] { TheForm.cmdEle_Click(candidate); });
        });
    }
    const auto makeMode = [this](int index) {
        Modes[index] = MakeButton(index, 2, [this, index] { ClickMode(index); });
    };
    makeMode(ModeStart);
    makeMode(ModeCheck);
    for (int digitCode = 0; digitCode < DigitCount; ++digitCode) {
        Numbers[digitCode] = MakeButton(digitCode, 2, [this, digitCode] {
            const auto &props = TheForm.Controls().Numbers[digitCode];
            if (props.Visible && props.Enabled)
                Dispatch([&] { TheForm.cmdNumber_Click(digitCode); });
        });
    }
    for (const int index : LaterModes)
        makeMode(index);
    // Not a control of the store's: it never changes, so it is built once as it stays.
    Hint = MakeButton(-1, 2, [this] { HintStep(); });
    Hint->setText(QStringLiteral("Hint"));
    Hint->setFont(CommandFont(135));
    Hint->SetFace(ToQColor(SystemButtonFace));
    Hint->setGeometry(ToPixels(layout::HintGeometry));

    News = new StatusLine(this);
    News->setTextFormat(Qt::PlainText);
    News->setWordWrap(false);
    News->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    News->setFocusPolicy(Qt::NoFocus);

    ChainFocus();
    Timer1 = new QTimer(this);
    // A tick only blinks the square frame, which is no step of the user's to take back.
    connect(Timer1, &QTimer::timeout, this, [this] {
        TheForm.Timer1_Timer();
        Mirror();
    });
}

template <typename OnClick>
FaceButton *MainWindow::MakeButton(int index, int bevel, OnClick onClick)
{
    auto *button = new FaceButton(index, bevel, this);
    connect(button, &QPushButton::clicked, this, std::move(onClick));
    return button;
}

// Tab visits the squares, then the candidates, then the buttons in the order they were made.
void MainWindow::ChainFocus()
{
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
    for (const int index : LaterModes)
        chain(Modes[index]);
    chain(Hint);
}

QPushButton *MainWindow::SquareButton(int square) const
{
    assert(square >= 0 && square < SquareCount && "square out of range");
    return Squares[square];
}

void MainWindow::FocusSquareButton(int square)
{
    SquareButton(square)->setFocus(Qt::OtherFocusReason);
}

int MainWindow::FocusedSquare() const
{
    const auto found = std::find(Squares.begin(), Squares.end(), focusWidget());
    return found == Squares.end() ? -1 : static_cast<int>(found - Squares.begin());
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

QLabel *MainWindow::NewsLabel() const
{
    return News;
}

QPushButton *MainWindow::ModeButton(int index) const
{
    assert(index >= 0 && index < ModeButtonCount && index != 2 && "no such command button");
    return Modes[index];
}

QPushButton *MainWindow::HintButton() const
{
    return Hint;
}

void MainWindow::MoveFocusOn()
{
    focusNextChild();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(SystemInactiveBorder));

    // Grid lines, centred on their position. Every line runs the whole length of the grid,
    // over the thick outer lines, so that those meet in square corners.
    const QColor ink = ToQColor(SystemWindowText);
    const auto band = [this](int k, int axis) {
        const int width = layout::GridLineWidth(k);
        return Layout.Band(Px(layout::GridLineStart + layout::GridLinePitch * k) - width / 2, width,
                           axis);
    };
    for (int axis = 0; axis < 2; ++axis) {
        const int from = band(0, 1 - axis).first;
        const auto [last, lastWidth] = band(9, 1 - axis);
        const int length = last + lastWidth - from;
        for (int k = 0; k <= 9; ++k) {
            const auto [at, width] = band(k, axis);
            painter.fillRect(
                axis == 0 ? QRect(at, from, width, length) : QRect(from, at, length, width), ink);
        }
    }

    // The Hint command's marks lie under the frames, which keep their look where they meet.
    const QColor markColour = ToQColor(HintMarkColour);
    for (int square = 0; square < SquareCount; ++square)
        if (Applied.HintMarks.Contains(square))
            for (const QRect &strip : MarkRegion(square, Layout))
                painter.fillRect(strip, markColour);
    // The front frame is drawn last so that it lies over the other where they cross.
    const int front = Applied.FrontFrame == 0 ? 0 : 1;
    for (const int frame : {1 - front, front}) {
        const Frame &shown = Applied.Highlights[frame];
        if (!shown.Visible)
            continue;
        const QColor colour = ToQColor(shown.Border);
        for (const QRect &strip : FrameRegion(shown, Layout))
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
    const int square = static_cast<FaceButton *>(watched)->Index();
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!TheForm.Controls().Squares[square].Visible)
        return false;
    if (HandleGridKey(square, key->key()))
        return true;
    const QString text = key->text();
    if (text.size() != 1 || text.front() < u'0' || text.front() > u'9')
        return false;
    Dispatch([&] { TheForm.cmdSquare_KeyPress(square, text.front().unicode()); });
    // The key goes on to the button: the handler neither changes nor swallows it.
    return false;
}

} // namespace quorix::qt

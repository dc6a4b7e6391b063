// What the window tells those who do not see it as drawn: tooltips, the names and
// descriptions that screen readers read out, the keys that give the commands, and the digits
// drawn on the candidates.
#include "core/operations/text/control_texts.h"
#include "view/drawing.h"
#include "view/face_button.h"
#include "view/main_window.h"
#include "view/status_line.h"

#include <QLabel>

namespace quorix::qt {

namespace {

// The command buttons' keys. Ctrl and a letter of the command or of what its tooltip says it
// does; digits, Delete, BackSpace, Tab and the arrows belong to the squares, and the letters
// C, V, Z, Y, D, O and H are taken or kept for commands of their own.
struct ModeKey
{
    int Index;
    QKeyCombination Keys;
};
constexpr ModeKey ModeKeys[] = {
    {ModeStart, Qt::CTRL | Qt::Key_T},       {ModeCheck, Qt::CTRL | Qt::Key_K},
    {ModeReset, Qt::CTRL | Qt::Key_E},       {ModeAuto, Qt::CTRL | Qt::Key_A},
    {ModeRestart, Qt::CTRL | Qt::Key_R},     {ModeNext, Qt::CTRL | Qt::Key_N},
    {ModeCheckUnique, Qt::CTRL | Qt::Key_U}, {ModeSave, Qt::CTRL | Qt::Key_S},
    {ModeRestore, Qt::CTRL | Qt::Key_L},
};

// Tooltips stay up briefly: the status line below the grid must not stay covered.
constexpr int ToolTipMs = 4000;

// An empty name leaves the widget's own (a square's follows the board; see
// MirrorAccessibility).
void Describe(QWidget *widget, const QString &name, const QString &toolTip,
              const QString &description)
{
    if (!name.isEmpty())
        widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
    widget->setToolTip(toolTip);
    widget->setToolTipDuration(ToolTipMs);
}

// For the buttons whose tooltip also describes them.
void Describe(QWidget *widget, const std::string &name, const std::string &toolTip)
{
    const QString text = ToQString(toolTip);
    Describe(widget, ToQString(name), text, text);
}

} // namespace

QKeySequence MainWindow::ModeShortcut(int index)
{
    for (const ModeKey &key : ModeKeys) {
        if (key.Index == index)
            return QKeySequence(key.Keys);
    }
    return {};
}

void MainWindow::DescribeControls()
{
    const QString squareDescription = ToQString(SquareAccessibleDescription());
    for (int square = 0; square < SquareCount; ++square)
        Describe(Squares[square], QString(), ToQString(SquareToolTip(square)), squareDescription);
    for (int candidate = 0; candidate < CandidateCount; ++candidate)
        Describe(Candidates[candidate], CandidateAccessibleName(candidate),
                 CandidateToolTip(candidate));
    for (int digitCode = 0; digitCode < DigitCount; ++digitCode)
        Describe(Numbers[digitCode], NumberAccessibleName(digitCode), NumberToolTip(digitCode));
    for (int index = 0; index < ModeButtonCount; ++index) {
        if (Modes[index] == nullptr)
            continue;
        const std::string &caption = TheForm.Controls().Modes[index].Caption;
        const QString does = ToQString(ModeToolTip(index));
        const QString keys = ModeShortcut(index).toString(QKeySequence::NativeText);
        Describe(Modes[index], ToQString(caption), does + QStringLiteral(" (%1)").arg(keys), does);
    }
    Describe(Hint, std::string("Hint"), HintToolTip());
    News->setAccessibleDescription(QStringLiteral("The program's messages"));
}

void MainWindow::MirrorAccessibility(bool all)
{
    // A square's name is rebuilt only when what it says (value, given or not) has changed.
    for (int square = 0; square < SquareCount; ++square) {
        const int key = SquareNameKey(TheForm.Board(), square);
        if (all || key != Applied.SquareNameKeys[square]) {
            Squares[square]->setAccessibleName(
                ToQString(SquareAccessibleName(TheForm.Board(), square)));
            Applied.SquareNameKeys[square] = key;
        }
    }
    const std::uint64_t revision = TheForm.Controls().NewsChanges();
    if ((all || revision != Applied.AnnouncedNews) && TheForm.Dispatch().AutoDepth == 0) {
        // The whole line, also where the label shows only its start; a name of its own keeps
        // the label from announcing every text it is given.
        News->Announce(ToQString(TheForm.Controls().News()),
                       ToQString(NewsAccessibleName(TheForm.Controls())));
        ++MirrorTally.Announcements;
        Applied.AnnouncedNews = revision;
    }
}

void MainWindow::SetCandidateDigits(bool shown)
{
    DigitsShown = shown;
    for (int candidate = 0; candidate < CandidateCount; ++candidate)
        static_cast<FaceButton *>(Candidates[candidate])
            ->SetMark(shown ? QString(QLatin1Char(static_cast<char>('1' + candidate % 9)))
                            : QString());
}

} // namespace quorix::qt

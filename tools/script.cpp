#include "tools/script.h"

#include "window/puzzle_text.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>

namespace quorix {

namespace {

constexpr std::pair<std::string_view, ModeIndex> CommandNames[] = {
    {"Start", ModeStart},
    {"Check", ModeCheck},
    {"Reset", ModeReset},
    {"Auto", ModeAuto},
    {"Restart", ModeRestart},
    {"Next", ModeNext},
    {"CheckUnique", ModeCheckUnique},
    {"Save", ModeSave},
    {"Restore", ModeRestore},
};

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// Splits off the first word of `rest`.
std::string_view NextWord(std::string_view &rest)
{
    rest = Trim(rest);
    const auto end = rest.find_first_of(" \t");
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    return word;
}

bool ParseNumber(std::string_view word, long long low, long long high, long long &value)
{
    if (word.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && ptr == word.data() + word.size() && value >= low && value <= high;
}

void AppendFrame(std::string &out, const char *name, const Frame &frame)
{
    out += name;
    out += frame.Visible ? " 1 " : " 0 ";
    out += std::to_string(frame.Geometry.X) + ' ' + std::to_string(frame.Geometry.Y) + ' '
           + std::to_string(frame.Geometry.Width) + ' ' + std::to_string(frame.Geometry.Height)
           + '\n';
}

} // namespace

std::string FormatState(const Form1 &form)
{
    const auto &board = form.Board;
    const auto &controls = form.Controls;
    std::string out = "grid " + GridText(board.Grid) + "\ngivens " + GridText(board.Givens);
    out += "\nsquares ";
    for (int s = 0; s < SquareCount; ++s)
        out += controls.Squares[s].Visible ? 'V' : 'H';
    out += "\ncands";
    for (int s = 0; s < SquareCount; ++s) {
        out += ' ';
        const std::uint16_t bits = controls.CandidateBits[s];
        if (bits == 0)
            out += '-';
        for (int d = 0; d < DigitCount; ++d)
            if ((bits >> d) & 1U)
                out += char('1' + d);
    }
    out += "\nstep " + std::to_string(board.StepKind) + ' ' + std::to_string(board.StepTarget) + ' '
           + std::to_string(board.StepDigit);
    out += "\nmarks " + std::to_string(board.HighlightSquare) + ' '
           + std::to_string(board.HighlightUnit) + ' ' + std::to_string(board.HighlightUnitType)
           + '\n';
    AppendFrame(out, "frame0", controls.Highlights[0]);
    AppendFrame(out, "frame1", controls.Highlights[1]);
    out += "timer " + std::string(controls.Timer.Enabled ? "1 " : "0 ")
           + std::to_string(controls.Timer.PeriodMs);
    out += "\nunique " + std::string(controls.Modes[ModeCheckUnique].Visible ? "1" : "0");
    out += "\nguessed " + std::string(board.Guessed ? "1" : "0") + '\n';
    return out;
}

ScriptRunner::ScriptRunner(Form1 &form, std::ostream &out) : Form(form), Out(out)
{
    OnShow = [this] { Out << FormatState(Form); };
}

void ScriptRunner::OnYield()
{
    ++YieldsSeen;
    auto [first, last] = Scheduled.equal_range(YieldsSeen);
    std::vector<std::string> due;
    for (auto it = first; it != last; ++it)
        due.push_back(it->second);
    Scheduled.erase(first, last);
    for (const auto &command : due) {
        std::string error;
        // A scheduled command was checked when its line was read.
        RunCommand(command, error, true);
    }
}

void ScriptRunner::OnDialog(std::string_view text)
{
    Out << "dialog [" << text << "]\n";
}

bool ScriptRunner::RunLine(std::string_view line, std::string &error)
{
    line = Trim(line);
    if (line.empty() || line.front() == '#')
        return true;
    return RunCommand(line, error, true);
}

bool ScriptRunner::RunCommand(std::string_view line, std::string &error, bool printStatus)
{
    std::string_view rest = line;
    const std::string_view command = NextWord(rest);
    rest = Trim(rest);
    long long a = 0, b = 0;
    std::string_view word;

    if (command == "show") {
        if (!rest.empty()) {
            error = "show takes no argument";
            return false;
        }
        OnShow();
        return true;
    }
    if (command == "at") {
        word = NextWord(rest);
        rest = Trim(rest);
        if (!ParseNumber(word, 1, 1'000'000'000'000LL, a) || rest.empty()) {
            error = "usage: at <k >= 1> <command>";
            return false;
        }
        // Check the scheduled command now, so a bad one fails at its own line.
        const std::string_view scheduled = rest;
        const std::string_view nested = NextWord(rest);
        static constexpr std::string_view Known[] = {"enter",  "click", "square", "key", "number",
                                                     "strike", "tick",  "at",     "show"};
        if (std::find(std::begin(Known), std::end(Known), nested) == std::end(Known)) {
            error = "unknown command '" + std::string(nested) + "'";
            return false;
        }
        Scheduled.emplace(YieldsSeen + a, std::string(scheduled));
        return true;
    }

    if (command == "enter") {
        if (rest.size() != SquareCount) {
            error = "enter needs exactly 81 characters";
            return false;
        }
        TypePuzzle(Form, rest);
    } else if (command == "click") {
        const auto it = std::find_if(std::begin(CommandNames), std::end(CommandNames),
                                     [&](const auto &entry) { return entry.first == rest; });
        if (it == std::end(CommandNames)) {
            error = "unknown command button '" + std::string(rest) + "'";
            return false;
        }
        Form.cmdMode_Click(it->second);
    } else if (command == "square") {
        if (!ParseNumber(rest, 0, SquareCount - 1, a)) {
            error = "usage: square <0..80>";
            return false;
        }
        Form.cmdSquare_Click(static_cast<int>(a));
    } else if (command == "key") {
        word = NextWord(rest);
        rest = Trim(rest);
        if (!ParseNumber(word, 0, SquareCount - 1, a) || rest.size() != 1) {
            error = "usage: key <0..80> <one character>";
            return false;
        }
        Form.cmdSquare_KeyPress(static_cast<int>(a), static_cast<unsigned char>(rest[0]));
    } else if (command == "number") {
        if (!ParseNumber(rest, 0, DigitCount - 1, a)) {
            error = "usage: number <0..8>";
            return false;
        }
        Form.cmdNumber_Click(static_cast<int>(a));
    } else if (command == "strike") {
        if (!ParseNumber(rest, 0, CandidateCount - 1, b)) {
            error = "usage: strike <0..728>";
            return false;
        }
        Form.cmdEle_Click(static_cast<int>(b));
    } else if (command == "tick") {
        if (!rest.empty()) {
            error = "tick takes no argument";
            return false;
        }
        Form.Timer1_Timer();
    } else {
        error = "unknown command '" + std::string(command) + "'";
        return false;
    }
    if (printStatus)
        Out << "status [" << Form.Controls.News() << "]\n";
    return true;
}

int ScriptRunner::Run(std::istream &in, std::ostream &err)
{
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string error;
        if (!RunLine(line, error)) {
            Out.flush();
            err << "line " << number << ": " << error << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace quorix

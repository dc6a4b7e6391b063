#include "tools/script.h"

#include "core/operations/text/puzzle_lines.h"
#include "tools/tool_support.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>
#include <vector>

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

using Kind = ScriptCommand::Kind;

constexpr std::pair<std::string_view, GridKey> KeyNames[] = {
    {"Up", GridKey::Up},       {"Down", GridKey::Down},     {"Left", GridKey::Left},
    {"Right", GridKey::Right}, {"Delete", GridKey::Delete}, {"BackSpace", GridKey::BackSpace},
};

// `paste`'s text: the two characters \n stand for a line break.
std::string PastedText(std::string_view written)
{
    std::string text;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\\' && i + 1 < written.size() && written[i + 1] == 'n') {
            text += '\n';
            ++i;
        } else {
            text += written[i];
        }
    }
    return text;
}

// The reverse, for what `copy` prints.
std::string WrittenText(std::string_view text)
{
    std::string written;
    for (const char c : text) {
        if (c == '\n')
            written += "\\n";
        else
            written += c;
    }
    return written;
}

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
    rest = end == std::string_view::npos ? std::string_view() : Trim(rest.substr(end));
    return word;
}

bool ParseNumber(std::string_view word, long long low, long long high, long long &value)
{
    if (word.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && ptr == word.data() + word.size() && value >= low && value <= high;
}

// `square`, `number` and `strike`: one number in its range.
bool ParseIndex(std::string_view rest, int last, const char *usage, ScriptCommand &command,
                std::string &error)
{
    long long value = 0;
    if (!ParseNumber(rest, 0, last, value)) {
        error = usage;
        return false;
    }
    command.Index = static_cast<int>(value);
    return true;
}

// The commands that take no argument.
bool ParseBare(std::string_view word, std::string_view rest, ScriptCommand &command,
               std::string &error)
{
    command.What = word == "show"   ? Kind::Show
                   : word == "tick" ? Kind::Tick
                   : word == "undo" ? Kind::Undo
                   : word == "redo" ? Kind::Redo
                   : word == "hint" ? Kind::Hint
                                    : Kind::Focus;
    if (rest.empty())
        return true;
    error = std::string(word) + " takes no argument";
    return false;
}

bool ParseClick(std::string_view rest, ScriptCommand &command, std::string &error)
{
    command.What = Kind::Click;
    const auto it = std::find_if(std::begin(CommandNames), std::end(CommandNames),
                                 [&](const auto &entry) { return entry.first == rest; });
    if (it != std::end(CommandNames)) {
        command.Index = it->second;
        return true;
    }
    error = "unknown command button " + QuoteForMessage(rest);
    return false;
}

// `key <square> <character>`, or a grid key by name.
bool ParseKey(std::string_view rest, ScriptCommand &command, std::string &error)
{
    long long value = 0;
    command.What = Kind::Key;
    const std::string_view square = NextWord(rest);
    const auto named = std::find_if(std::begin(KeyNames), std::end(KeyNames),
                                    [&](const auto &entry) { return entry.first == rest; });
    if (!ParseNumber(square, 0, SquareCount - 1, value)
        || (rest.size() != 1 && named == std::end(KeyNames))) {
        error = "usage: key <0..80> <one character, or Up, Down, Left, Right, Delete, BackSpace>";
        return false;
    }
    command.Index = static_cast<int>(value);
    if (rest.size() == 1) {
        command.Key = static_cast<unsigned char>(rest[0]);
    } else {
        command.What = Kind::GridKey;
        command.Key = static_cast<int>(named->second);
    }
    return true;
}

bool ParseText(std::string_view word, std::string_view rest, ScriptCommand &command,
               std::string &error)
{
    if (word == "enter") {
        command.What = Kind::Enter;
        command.Text = rest;
        if (rest.size() == SquareCount)
            return true;
        error = "enter needs exactly 81 characters";
        return false;
    }
    if (word == "paste") {
        command.What = Kind::Paste;
        command.Text = PastedText(rest);
        return true;
    }
    command.What = rest.empty() ? Kind::Copy : Kind::CopyCandidates;
    if (rest.empty() || rest == "candidates")
        return true;
    error = "usage: copy [candidates]";
    return false;
}

bool ParseArguments(std::string_view word, std::string_view rest, ScriptCommand &command,
                    std::string &error)
{
    if (word == "show" || word == "tick" || word == "undo" || word == "redo" || word == "focus"
        || word == "hint")
        return ParseBare(word, rest, command, error);
    if (word == "enter" || word == "paste" || word == "copy")
        return ParseText(word, rest, command, error);
    if (word == "click")
        return ParseClick(rest, command, error);
    if (word == "key")
        return ParseKey(rest, command, error);
    if (word == "square") {
        command.What = Kind::Square;
        return ParseIndex(rest, SquareCount - 1, "usage: square <0..80>", command, error);
    }
    if (word == "number") {
        command.What = Kind::Number;
        return ParseIndex(rest, DigitCount - 1, "usage: number <0..8>", command, error);
    }
    if (word == "strike") {
        command.What = Kind::Strike;
        return ParseIndex(rest, CandidateCount - 1, "usage: strike <0..728>", command, error);
    }
    error = "unknown command " + QuoteForMessage(word);
    return false;
}

} // namespace

std::shared_ptr<const ScriptCommand> ParseScriptCommand(std::string_view line, std::string &error)
{
    std::string_view rest = line;
    const std::string_view word = NextWord(rest);
    auto command = std::make_shared<ScriptCommand>();
    if (word == "at") {
        long long yield = 0;
        const std::string_view count = NextWord(rest);
        if (!ParseNumber(count, 1, 1'000'000'000'000LL, yield) || rest.empty()) {
            error = "usage: at <k >= 1> <command>";
            return nullptr;
        }
        // The scheduled command is checked now, exactly as it would be at the top level.
        auto nested = ParseScriptCommand(rest, error);
        if (!nested)
            return nullptr;
        command->What = Kind::At;
        command->Yield = yield;
        command->Nested = std::move(nested);
        return command;
    }
    if (!ParseArguments(word, rest, *command, error))
        return nullptr;
    return command;
}

ScriptRunner::ScriptRunner(Form1 &form, std::ostream &out) : Form(form), Out(out)
{
    OnShow = [this] { Out << FormatState(Form); };
}

void ScriptRunner::OnYield()
{
    ++YieldsSeen;
    auto [first, last] = Scheduled.equal_range(YieldsSeen);
    std::vector<std::shared_ptr<const ScriptCommand>> due;
    for (auto it = first; it != last; ++it)
        due.push_back(it->second);
    Scheduled.erase(first, last);
    for (const auto &command : due)
        Execute(*command);
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
    const auto command = ParseScriptCommand(line, error);
    if (!command)
        return false;
    Execute(*command);
    return true;
}

void ScriptRunner::Execute(const ScriptCommand &command)
{
    switch (command.What) {
    case Kind::Show:
        OnShow();
        return;
    case Kind::At:
        Scheduled.emplace(YieldsSeen + command.Yield, command.Nested);
        return;
    case Kind::Copy:
    case Kind::CopyCandidates:
        Out << "copy ["
            << WrittenText(command.What == Kind::Copy ? Form.CopyLine() : Form.CopyCandidates())
            << "]\n";
        return;
    case Kind::Focus:
        Out << "focus " << Form.Host().FocusedSquare() << '\n';
        return;
    case Kind::Undo:
        Form.Undo();
        break;
    case Kind::Redo:
        Form.Redo();
        break;
    default:
        Form.AsUserStep([&] { Deliver(command); });
        break;
    }
    Out << "status [" << Form.Controls().News() << "]\n";
}

void ScriptRunner::Deliver(const ScriptCommand &command)
{
    switch (command.What) {
    case Kind::Enter:
        for (int s = 0; s < SquareCount; ++s) {
            const char c = command.Text[s] == '.' ? '0' : command.Text[s];
            Form.Host().FocusSquare(s);
            Form.cmdSquare_KeyPress(s, static_cast<unsigned char>(c));
        }
        break;
    case Kind::Click:
        Form.cmdMode_Click(command.Index);
        break;
    case Kind::Square:
        Form.cmdSquare_Click(command.Index);
        break;
    case Kind::Key:
        // A key press lands on the square that has the focus.
        Form.Host().FocusSquare(command.Index);
        Form.cmdSquare_KeyPress(command.Index, command.Key);
        break;
    case Kind::GridKey:
        Form.Host().FocusSquare(command.Index);
        Form.cmdSquare_KeyDown(command.Index, static_cast<GridKey>(command.Key));
        break;
    case Kind::Number:
        Form.cmdNumber_Click(command.Index);
        break;
    case Kind::Strike:
        Form.cmdEle_Click(command.Index);
        break;
    case Kind::Tick:
        Form.Timer1_Timer();
        break;
    case Kind::Paste:
        Form.Paste(command.Text);
        break;
    case Kind::Hint:
        Form.Hint();
        break;
    default:
        break;
    }
}

ScriptRunner::Outcome ScriptRunner::Run(std::istream &in, std::ostream &err,
                                        const std::function<void()> &afterLine)
{
    BoundedLineReader reader(in);
    for (PuzzleLine line; reader.NextLine(line);) {
        std::string error;
        if (line.TooLong() && !reader.LineSkipped())
            error = "the line is too long: " + std::to_string(line.Length) + " characters";
        if (!error.empty() || !RunLine(line.Text, error)) {
            Out.flush();
            err << "line " << line.Number << ": " << error << '\n';
            return BadLine;
        }
        if (afterLine)
            afterLine();
        if (!Out)
            return OutputFailed;
    }
    if (reader.Stopped() == BoundedLineReader::Stop::End)
        return Completed;
    Out.flush();
    err << reader.StopReason() << '\n';
    return ReadFailed;
}

} // namespace quorix

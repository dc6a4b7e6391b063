#include "core/control/saved_picture.h"

#include <charconv>

namespace quorix {

namespace {

// Where each kind of line starts in a picture.
constexpr int SquareLines = 0;
constexpr int NumberLines = SquareLines + SquareCount;
constexpr int ModeLines = NumberLines + DigitCount;
constexpr int FrameLines = ModeLines + ModeButtonCount;
constexpr int FrontLine = FrameLines + 2;
constexpr int TimerLine = FrontLine + 1;
constexpr int NewsLine = TimerLine + 1;
constexpr int ColoursLine = NewsLine + 1;
constexpr int ExplanationLine = ColoursLine + 1;
constexpr int HighlightLine = ExplanationLine + 1;
constexpr int StepLine = HighlightLine + 1;
constexpr int GuessedLine = StepLine + 1;
constexpr int PlaceLine = GuessedLine + 1;
constexpr int HintLine = PlaceLine + 1;
static_assert(HintLine + 1 == PictureLines);

constexpr const char Hex[] = "0123456789abcdef";

void AppendInt(std::string &out, long long value, int base = 10)
{
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, base);
    out.push_back(' ');
    out.append(digits, written.ptr);
}

void AppendRect(std::string &out, const Rect &rect)
{
    AppendInt(out, rect.X);
    AppendInt(out, rect.Y);
    AppendInt(out, rect.Width);
    AppendInt(out, rect.Height);
}

std::string Keyed(std::string_view key, int index = -1)
{
    std::string line(key);
    if (index >= 0)
        AppendInt(line, index);
    return line;
}

std::string ButtonLine(std::string_view key, int index, const Button &button)
{
    std::string line = Keyed(key, index);
    AppendInt(line, button.Background, 16);
    AppendInt(line, button.FontTenthPoints);
    AppendRect(line, button.Geometry);
    AppendInt(line, button.Visible);
    AppendInt(line, button.Enabled);
    line.push_back(' ');
    AppendTextToken(line, button.Caption);
    return line;
}

std::string SquareLine(const ControlStore &controls, const BoardState &board, int s)
{
    const auto &square = controls.Squares[s];
    std::string line = Keyed("sq", s);
    line.push_back(' ');
    line.push_back(square.Caption == 0 ? '-' : square.Caption);
    AppendInt(line, square.Background, 16);
    AppendInt(line, square.FontTenthPoints);
    AppendRect(line, square.Geometry);
    AppendInt(line, square.Visible);
    AppendInt(line, square.Enabled);
    AppendInt(line, controls.CandidateBits[s], 16);
    AppendInt(line, board.Grid[s]);
    AppendInt(line, board.Givens[s]);
    return line;
}

std::string TextLine(std::string_view key, std::string_view text)
{
    std::string line(key);
    line.push_back(' ');
    AppendTextToken(line, text);
    return line;
}

} // namespace

void AppendTextToken(std::string &out, std::string_view text)
{
    out.push_back('\'');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || byte == '%') {
            out.push_back('%');
            out.push_back(Hex[byte >> 4]);
            out.push_back(Hex[byte & 15]);
        } else {
            out.push_back(c);
        }
    }
}

bool ReadTextToken(std::string_view token, std::string &text)
{
    if (token.empty() || token[0] != '\'')
        return false;
    text.clear();
    for (std::size_t i = 1; i < token.size(); ++i) {
        if (token[i] != '%') {
            text.push_back(token[i]);
            continue;
        }
        long long byte = 0;
        if (i + 2 >= token.size() || !ReadNumber(token.substr(i + 1, 2), 0, 255, byte, 16))
            return false;
        text.push_back(static_cast<char>(byte));
        i += 2;
    }
    return true;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t space = line.find(' ', start);
        const std::size_t end = space == std::string_view::npos ? line.size() : space;
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool ReadNumber(std::string_view field, long long low, long long high, long long &value, int base)
{
    if (field.empty() || field.size() > 20)
        return false;
    const char *end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value, base);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

void AppendValues(std::string &out, const std::int16_t *values)
{
    for (int s = 0; s < SquareCount; ++s)
        out.push_back(values[s] < 0 ? '.' : static_cast<char>('1' + values[s]));
}

void AppendMasks(std::string &out, const std::uint16_t *masks)
{
    for (int s = 0; s < SquareCount; ++s)
        for (const int shift : {8, 4, 0})
            out.push_back(Hex[(masks[s] >> shift) & 15]);
}

bool ReadValues(std::string_view field, std::int16_t *values)
{
    if (field.size() != SquareCount)
        return false;
    for (int s = 0; s < SquareCount; ++s) {
        const char c = field[s];
        if (c != '.' && (c < '1' || c > '9'))
            return false;
        values[s] = static_cast<std::int16_t>(c == '.' ? Empty : c - '1');
    }
    return true;
}

bool ReadMasks(std::string_view field, std::uint16_t *masks)
{
    if (field.size() != 3 * SquareCount)
        return false;
    for (int s = 0; s < SquareCount; ++s) {
        long long mask = 0;
        if (!ReadNumber(field.substr(3 * s, 3), 0, AllCandidates, mask, 16))
            return false;
        masks[s] = static_cast<std::uint16_t>(mask);
    }
    return true;
}

PictureText WritePicture(const HistoryEntry &entry)
{
    const ControlStore &controls = entry.Controls;
    const BoardState &board = entry.Board;
    PictureText lines;
    lines.reserve(PictureLines);
    for (int s = 0; s < SquareCount; ++s)
        lines.push_back(SquareLine(controls, board, s));
    for (int d = 0; d < DigitCount; ++d)
        lines.push_back(ButtonLine("num", d, controls.Numbers[d]));
    for (int m = 0; m < ModeButtonCount; ++m)
        lines.push_back(ButtonLine("mode", m, controls.Modes[m]));
    for (int f = 0; f < 2; ++f) {
        const Frame &frame = controls.Highlights[f];
        std::string line = Keyed("frame", f);
        AppendInt(line, frame.Visible);
        AppendRect(line, frame.Geometry);
        AppendInt(line, frame.Border, 16);
        AppendInt(line, frame.WidthPixels);
        lines.push_back(std::move(line));
    }
    lines.push_back(Keyed("front") + ' ' + std::to_string(controls.FrontFrame));
    std::string timer = Keyed("timer");
    AppendInt(timer, controls.Timer.Enabled);
    AppendInt(timer, controls.Timer.PeriodMs);
    lines.push_back(std::move(timer));
    lines.push_back(TextLine("news", controls.News()));
    std::string colours = Keyed("colours");
    for (const Colour colour : board.DigitColours)
        AppendInt(colours, colour, 16);
    lines.push_back(std::move(colours));
    lines.push_back(TextLine("explanation", board.Explanation));
    std::string highlight = Keyed("highlight");
    for (const int value : {board.HighlightSquare, board.HighlightUnit, board.HighlightUnitType})
        AppendInt(highlight, value);
    lines.push_back(std::move(highlight));
    std::string step = Keyed("step");
    for (const int value : {static_cast<int>(board.StepKind), board.StepTarget, board.StepDigit})
        AppendInt(step, value);
    lines.push_back(std::move(step));
    lines.push_back(Keyed("guessed") + ' ' + (board.Guessed ? '1' : '0'));
    lines.push_back(Keyed("place") + ' ' + std::to_string(entry.CollectionPosition));
    lines.push_back(Keyed("hint") + ' ' + (entry.HintPuzzle.empty() ? "-" : entry.HintPuzzle));
    return lines;
}

int PictureLineIndex(std::string_view line)
{
    const std::string_view key = line.substr(0, line.find(' '));
    struct Kind
    {
        std::string_view Key;
        int First, Count;
    };
    static constexpr Kind Kinds[] = {
        {"sq", SquareLines, SquareCount},
        {"num", NumberLines, DigitCount},
        {"mode", ModeLines, ModeButtonCount},
        {"frame", FrameLines, 2},
        {"front", FrontLine, 0},
        {"timer", TimerLine, 0},
        {"news", NewsLine, 0},
        {"colours", ColoursLine, 0},
        {"explanation", ExplanationLine, 0},
        {"highlight", HighlightLine, 0},
        {"step", StepLine, 0},
        {"guessed", GuessedLine, 0},
        {"place", PlaceLine, 0},
        {"hint", HintLine, 0},
    };
    for (const Kind &kind : Kinds) {
        if (kind.Key != key)
            continue;
        if (kind.Count == 0)
            return kind.First;
        const auto fields = SplitFields(line);
        long long index = 0;
        if (fields.size() < 2 || !ReadNumber(fields[1], 0, kind.Count - 1, index))
            return -1;
        return kind.First + static_cast<int>(index);
    }
    return -1;
}

} // namespace quorix

// Reading a picture back: every line checked whole, every field within its bounds, before
// anything is taken from it.
#include "core/control/saved_picture.h"
#include "core/ground/units.h"
#include "core/operations/text/collection.h"

namespace quorix {

namespace {

// Positions and sizes no layout comes near, to keep a damaged file from placing a widget where
// arithmetic on it would overflow.
constexpr long long GeometryBound = 1'000'000;
constexpr long long FontBound = 10'000;
constexpr long long PeriodBound = 3'600'000;
constexpr long long ColourBound = 0xFFFFFFFF;

// The fields of one line, read left to right; the first failure sticks.
class Fields
{
public:
    Fields(std::string_view line, std::size_t expected)
        : All(SplitFields(line)), Good(All.size() == expected)
    {
    }
    [[nodiscard]] bool Ok() const { return Good; }

    long long Number(long long low, long long high, int base = 10)
    {
        long long value = 0;
        if (Good && Next < All.size() && ReadNumber(All[Next], low, high, value, base)) {
            ++Next;
            return value;
        }
        Good = false;
        return 0;
    }
    bool Flag() { return Number(0, 1) != 0; }
    Colour Hue() { return static_cast<Colour>(Number(0, ColourBound, 16)); }
    Rect Place()
    {
        Rect rect;
        rect.X = static_cast<std::int32_t>(Number(-GeometryBound, GeometryBound));
        rect.Y = static_cast<std::int32_t>(Number(-GeometryBound, GeometryBound));
        rect.Width = static_cast<std::int32_t>(Number(0, GeometryBound));
        rect.Height = static_cast<std::int32_t>(Number(0, GeometryBound));
        return rect;
    }
    std::string Text()
    {
        std::string text;
        if (!Good || Next >= All.size() || !ReadTextToken(All[Next], text))
            Good = false;
        ++Next;
        return text;
    }
    std::string_view Raw()
    {
        if (Next >= All.size()) {
            Good = false;
            return {};
        }
        return All[Next++];
    }

private:
    std::vector<std::string_view> All;
    bool Good;
    std::size_t Next = 2; // past the key and the index
};

bool ReadSquare(std::string_view line, int s, HistoryEntry &entry)
{
    Fields fields(line, 14);
    auto &square = entry.Controls.Squares[s];
    const std::string_view caption = fields.Raw();
    if (caption.size() != 1 || (caption[0] != '-' && (caption[0] < '1' || caption[0] > '9')))
        return false;
    square.Caption = caption[0] == '-' ? 0 : caption[0];
    square.Background = fields.Hue();
    square.FontTenthPoints = static_cast<int>(fields.Number(1, FontBound));
    square.Geometry = fields.Place();
    square.Visible = fields.Flag();
    square.Enabled = fields.Flag();
    entry.Controls.CandidateBits[s] =
        static_cast<std::uint16_t>(fields.Number(0, AllCandidates, 16));
    entry.Board.Grid[s] = static_cast<std::int16_t>(fields.Number(Empty, DigitCount - 1));
    entry.Board.Givens[s] = static_cast<std::int16_t>(fields.Number(Empty, DigitCount - 1));
    return fields.Ok();
}

bool ReadButton(std::string_view line, Button &button)
{
    Fields fields(line, 11);
    button.Background = fields.Hue();
    button.FontTenthPoints = static_cast<int>(fields.Number(1, FontBound));
    button.Geometry = fields.Place();
    button.Visible = fields.Flag();
    button.Enabled = fields.Flag();
    button.Caption = fields.Text();
    return fields.Ok();
}

bool ReadFrame(std::string_view line, Frame &frame)
{
    Fields fields(line, 9);
    frame.Visible = fields.Flag();
    frame.Geometry = fields.Place();
    frame.Border = fields.Hue();
    frame.WidthPixels = static_cast<int>(fields.Number(0, 1000));
    return fields.Ok();
}

// A pending step the board model can carry out without reading outside its arrays.
bool ReadStep(std::string_view line, BoardState &board)
{
    const std::string padded = "step - " + std::string(line.substr(line.find(' ') + 1));
    Fields fields(padded, 5);
    const auto kind = fields.Number(0, StepNothingFound);
    board.StepTarget = static_cast<int>(fields.Number(-1, CandidateCount - 1));
    board.StepDigit = static_cast<int>(fields.Number(-1, DigitCount - 1));
    if (!fields.Ok())
        return false;
    switch (kind) {
    case StepPlace:
        if (board.StepTarget < 0 || board.StepTarget >= SquareCount || board.StepDigit < 0)
            return false;
        break;
    case StepStrike:
        if (board.StepTarget < 0)
            return false;
        break;
    case StepNone:
    case StepRestrike:
    case StepNothingFound:
        break;
    default:
        return false;
    }
    board.StepKind = static_cast<PendingStepKind>(kind);
    return true;
}

// The puzzle the Hint command works from: `-` before the first, else 81 values.
bool ReadHintPuzzle(std::string_view line, std::string &puzzle)
{
    const auto fields = SplitFields(line);
    if (fields.size() != 2)
        return false;
    if (fields[1] == "-") {
        puzzle.clear();
        return true;
    }
    std::int16_t values[SquareCount];
    if (!ReadValues(fields[1], values))
        return false;
    puzzle = std::string(fields[1]);
    return true;
}

// The lines without an index, read as "key - fields" so that Fields skips the key alike.
// `line` is known to start with the key of line `index`.
bool ReadSingle(int index, std::string_view line, HistoryEntry &entry, std::string &news)
{
    const std::string padded = "k - " + std::string(line.substr(line.find(' ') + 1));
    BoardState &board = entry.Board;
    ControlStore &controls = entry.Controls;
    switch (index - (SquareCount + DigitCount + ModeButtonCount + 2)) {
    case 0: {
        Fields fields(padded, 3);
        controls.FrontFrame = static_cast<int>(fields.Number(0, 1));
        return fields.Ok();
    }
    case 1: {
        Fields fields(padded, 4);
        controls.Timer.Enabled = fields.Flag();
        controls.Timer.PeriodMs = static_cast<int>(fields.Number(1, PeriodBound));
        return fields.Ok();
    }
    case 2: {
        Fields fields(padded, 3);
        news = fields.Text();
        return fields.Ok();
    }
    case 3: {
        Fields fields(padded, 12);
        for (Colour &colour : board.DigitColours)
            colour = fields.Hue();
        return fields.Ok();
    }
    case 4: {
        Fields fields(padded, 3);
        board.Explanation = fields.Text();
        return fields.Ok();
    }
    case 5: {
        Fields fields(padded, 5);
        board.HighlightSquare = static_cast<int>(fields.Number(-1, SquareCount - 1));
        board.HighlightUnit = static_cast<int>(fields.Number(-1, 8));
        board.HighlightUnitType = static_cast<int>(fields.Number(-1, UnitGroup));
        return fields.Ok();
    }
    case 6:
        return ReadStep(line, board);
    case 7: {
        Fields fields(padded, 3);
        board.Guessed = fields.Flag();
        return fields.Ok();
    }
    case 8: {
        Fields fields(padded, 3);
        entry.CollectionPosition = static_cast<int>(fields.Number(0, MaxCollectionSize - 1));
        return fields.Ok();
    }
    case 9:
        return ReadHintPuzzle(line, entry.HintPuzzle);
    default:
        return false;
    }
}

} // namespace

bool ReadPicture(const PictureText &lines, HistoryEntry &entry, std::string &reason)
{
    if (lines.size() != PictureLines) {
        reason = "a picture of " + std::to_string(lines.size()) + " lines";
        return false;
    }
    std::string news;
    for (int i = 0; i < PictureLines; ++i) {
        const std::string &line = lines[i];
        bool good = false;
        if (PictureLineIndex(line) != i)
            good = false;
        else if (i < SquareCount)
            good = ReadSquare(line, i, entry);
        else if (i < SquareCount + DigitCount)
            good = ReadButton(line, entry.Controls.Numbers[i - SquareCount]);
        else if (i < SquareCount + DigitCount + ModeButtonCount)
            good = ReadButton(line, entry.Controls.Modes[i - SquareCount - DigitCount]);
        else if (i < SquareCount + DigitCount + ModeButtonCount + 2)
            good = ReadFrame(
                line, entry.Controls.Highlights[i - SquareCount - DigitCount - ModeButtonCount]);
        else
            good = ReadSingle(i, line, entry, news);
        if (!good) {
            reason = "a bad line: " + line.substr(0, 40);
            return false;
        }
    }
    entry.Controls.SetNews(news);
    return true;
}

} // namespace quorix

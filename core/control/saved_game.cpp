#include "core/control/saved_game.h"

#include "core/control/saved_picture.h"
#include "core/operations/text/puzzle_text.h"

#include <algorithm>
#include <vector>

namespace quorix {

namespace {

const std::string Header = std::string(SavedGameMark) + std::to_string(SavedGameVersion);

void AppendLine(std::string &out, std::string_view line)
{
    out.append(line);
    out.push_back('\n');
}

void AppendSnapshot(std::string &out, std::string_view key, const Snapshot &snapshot)
{
    out.append(key);
    out.push_back(' ');
    AppendValues(out, snapshot.Grid.data());
    out.push_back(' ');
    AppendMasks(out, snapshot.Candidates.data());
    out.push_back('\n');
}

void AppendCollection(std::string &out, const PuzzleCollection &collection)
{
    out.append("collection " + std::to_string(collection.Size()) + " "
               + std::to_string(collection.Position) + " ");
    AppendTextToken(out, collection.Name);
    out.push_back('\n');
    for (int k = 0; k < collection.Size(); ++k) {
        out.append("p " + std::to_string(collection.LineNumbers[static_cast<std::size_t>(k)])
                   + " ");
        AppendTextToken(out, collection.Puzzles[static_cast<std::size_t>(k)]);
        out.push_back('\n');
    }
}

// `steps` from the back (the one nearest the present) on, at most SavedStepLimit, each as the
// lines of its picture that differ from the one written before it.
void AppendSteps(std::string &out, std::string_view key, const std::deque<HistoryEntry> &steps,
                 PictureText previous)
{
    const std::size_t count = std::min(steps.size(), SavedStepLimit);
    out.append(key);
    out.append(" " + std::to_string(count) + "\n");
    for (std::size_t k = 0; k < count; ++k) {
        const HistoryEntry &entry = steps[steps.size() - 1 - k];
        PictureText picture = WritePicture(entry);
        AppendLine(out, "entry");
        for (int i = 0; i < PictureLines; ++i)
            if (picture[i] != previous[i])
                AppendLine(out, picture[i]);
        previous = std::move(picture);
    }
}

// The file's lines, read one at a time.
class Lines
{
public:
    explicit Lines(std::string_view text) : Text(text) {}

    // The next line; false at the end of the text, or when the last line has no line break
    // or a line is too long (the file was cut short or is no saved game).
    bool Next(std::string_view &line)
    {
        if (At >= Text.size())
            return false;
        const std::size_t end = Text.find('\n', At);
        if (end == std::string_view::npos || end - At > MaxSavedLineLength)
            return false;
        line = Text.substr(At, end - At);
        Before = At;
        At = end + 1;
        ++Number;
        return true;
    }
    // Gives the line read last back, to be read again.
    void Back()
    {
        At = Before;
        --Number;
    }
    [[nodiscard]] bool AtEnd() const { return At == Text.size(); }
    [[nodiscard]] int LineNumber() const { return Number; }

private:
    std::string_view Text;
    std::size_t At = 0;
    std::size_t Before = 0;
    int Number = 0;
};

class Reader
{
public:
    Reader(std::string_view text, SavedGame &game) : In(text), Game(game) {}

    bool Read(std::string &reason);

private:
    bool Fail(std::string why)
    {
        Why = "line " + std::to_string(In.LineNumber()) + ": " + std::move(why);
        return false;
    }
    bool Expect(std::string_view wanted);
    bool Present();
    bool Keeps();
    bool Collection();
    bool Steps(std::string_view key, std::deque<HistoryEntry> &into);
    // The lines of a picture up to the first line that is none, written over `picture`.
    bool StepLines(PictureText &picture);
    bool Fields(std::string_view key, std::size_t count, std::vector<std::string_view> &fields);

    Lines In;
    SavedGame &Game;
    PictureText Current;
    int PresentPosition = 0; // the present picture's place, checked against the collection
    std::string Why;
};

bool Reader::Expect(std::string_view wanted)
{
    std::string_view line;
    if (!In.Next(line))
        return Fail("the file ends before \"" + std::string(wanted) + "\"");
    return line == wanted || Fail("\"" + std::string(wanted) + "\" expected");
}

bool Reader::Fields(std::string_view key, std::size_t count, std::vector<std::string_view> &fields)
{
    std::string_view line;
    if (!In.Next(line))
        return Fail("the file ends before \"" + std::string(key) + "\"");
    fields = SplitFields(line);
    if (fields.size() != count || fields[0] != key)
        return Fail("\"" + std::string(key) + "\" expected");
    return true;
}

bool Reader::Present()
{
    if (!Expect("present"))
        return false;
    std::string_view line;
    for (int i = 0; i < PictureLines; ++i) {
        if (!In.Next(line))
            return Fail("the file ends inside the board");
        Current.emplace_back(line);
    }
    HistoryEntry now{Game.State.Controls, Game.State.Board, {}, 0};
    if (!ReadPicture(Current, now, Why))
        return Fail(Why);
    Game.State.Controls.Restore(std::move(now.Controls));
    Game.State.Board = std::move(now.Board);
    Game.State.Hint.Puzzle = std::move(now.HintPuzzle);
    PresentPosition = now.CollectionPosition;
    return true;
}

bool Reader::Keeps()
{
    std::vector<std::string_view> fields;
    long long flag = 0, verdict = 0, status = 0;
    Snapshot &saved = Game.State.Snapshots.SaveSlot;
    if (!Fields("save", 4, fields) || !ReadNumber(fields[1], 0, 1, flag)
        || !ReadValues(fields[2], saved.Grid.data())
        || !ReadMasks(fields[3], saved.Candidates.data()))
        return Fail("a bad save line");
    Game.State.Snapshots.SaveSlotUsed = flag != 0;
    Snapshot &depth = Game.State.Guesses.DepthSlots[0];
    if (!Fields("depth0", 3, fields) || !ReadValues(fields[1], depth.Grid.data())
        || !ReadMasks(fields[2], depth.Candidates.data()))
        return Fail("a bad depth0 line");
    UniqueState &unique = Game.State.Unique;
    if (!Fields("unique", 4, fields) || !ReadNumber(fields[1], 0, 1, flag)
        || !ReadNumber(fields[2], 0, static_cast<int>(UniqueVerdict::AnotherSolution), verdict)
        || !ReadValues(fields[3], unique.FirstSolution.data()))
        return Fail("a bad unique line");
    unique.ReverseGuessOrder = flag != 0;
    unique.LastVerdict = static_cast<UniqueVerdict>(verdict);
    if (!Fields("lastauto", 2, fields) || !ReadNumber(fields[1], 0, StatusTooFew, status)
        || (status != 0 && status < StatusImpossible))
        return Fail("a bad lastauto line");
    Game.State.Dispatch.LastAutoStatus = static_cast<BoardStatus>(status);
    return true;
}

bool Reader::Collection()
{
    std::vector<std::string_view> fields;
    long long count = 0, position = 0, number = 0;
    PuzzleCollection &collection = Game.State.Collection;
    if (!Fields("collection", 4, fields) || !ReadNumber(fields[1], 0, MaxCollectionSize, count)
        || !ReadNumber(fields[2], 0, std::max(count - 1, 0LL), position)
        || !ReadTextToken(fields[3], collection.Name))
        return Fail("a bad collection line");
    collection.Puzzles.assign(static_cast<std::size_t>(count), {});
    collection.LineNumbers.assign(static_cast<std::size_t>(count), 0);
    collection.Position = static_cast<int>(position);
    if (collection.Position != PresentPosition)
        return Fail("the collection's place differs from the board's");
    PastedPuzzle puzzle;
    std::string error;
    for (std::size_t k = 0; k < collection.Puzzles.size(); ++k) {
        std::string &text = collection.Puzzles[k];
        if (!Fields("p", 3, fields) || !ReadNumber(fields[1], 1, 1'000'000'000, number)
            || !ReadTextToken(fields[2], text) || !ParsePuzzleText(text, puzzle, error))
            return Fail("a bad puzzle of the collection");
        collection.LineNumbers[k] = static_cast<int>(number);
    }
    return true;
}

bool Reader::StepLines(PictureText &picture)
{
    std::string_view line;
    while (In.Next(line)) {
        const int index = PictureLineIndex(line);
        if (index < 0) {
            In.Back();
            return true;
        }
        picture[index] = line;
    }
    return Fail("the file ends inside a step");
}

bool Reader::Steps(std::string_view key, std::deque<HistoryEntry> &into)
{
    std::vector<std::string_view> fields;
    long long count = 0;
    if (!Fields(key, 2, fields)
        || !ReadNumber(fields[1], 0, static_cast<long long>(SavedStepLimit), count))
        return Fail("a bad " + std::string(key) + " line");
    PictureText picture = Current;
    for (long long k = 0; k < count; ++k) {
        if (!Expect("entry") || !StepLines(picture))
            return false;
        HistoryEntry entry{Game.State.Controls, Game.State.Board, {}, 0};
        if (!ReadPicture(picture, entry, Why))
            return Fail(Why);
        into.push_front(std::move(entry)); // read from the present outwards
    }
    return true;
}

bool Reader::Read(std::string &reason)
{
    if (!Expect(Header))
        reason = "not a saved game of this version";
    else if (!Present() || !Keeps() || !Collection())
        reason = Why;
    else if (!Steps("undo", Game.Past))
        reason = Why;
    else if (!Steps("redo", Game.Future) || !Expect("end"))
        reason = Why;
    else if (!In.AtEnd())
        reason = "line " + std::to_string(In.LineNumber() + 1) + ": text after the end";
    else
        return true;
    return false;
}

} // namespace

std::string WriteSavedGame(const FormState &state, const UndoHistory &history)
{
    std::string out;
    AppendLine(out, Header);
    AppendLine(out, "present");
    const PictureText present =
        WritePicture({state.Controls, state.Board, state.Hint.Puzzle, state.Collection.Position});
    for (const std::string &line : present)
        AppendLine(out, line);
    out.append("save ");
    out.push_back(state.Snapshots.SaveSlotUsed ? '1' : '0');
    AppendSnapshot(out, "", state.Snapshots.SaveSlot);
    AppendSnapshot(out, "depth0", state.Guesses.DepthSlots[0]);
    out.append("unique ");
    out.append(state.Unique.ReverseGuessOrder ? "1 " : "0 ");
    out.append(std::to_string(static_cast<int>(state.Unique.LastVerdict)) + " ");
    AppendValues(out, state.Unique.FirstSolution.data());
    out.push_back('\n');
    AppendLine(out, "lastauto " + std::to_string(state.Dispatch.LastAutoStatus));
    AppendCollection(out, state.Collection);
    AppendSteps(out, "undo", history.PastSteps(), present);
    AppendSteps(out, "redo", history.FutureSteps(), present);
    AppendLine(out, "end");
    return out;
}

bool ReadSavedGame(std::string_view text, SavedGame &game, std::string &reason)
{
    if (text.size() > MaxSavedGameSize) {
        reason = "larger than any saved game";
        return false;
    }
    return Reader(text, game).Read(reason);
}

} // namespace quorix

#include "fuzz/event_harness.h"

#include "window/form1.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <optional>

namespace quorix::fuzz {

const std::vector<std::string_view> BuiltInPuzzles = {
    // Solved by singles; the same with one square left; already complete.
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..",
    "2564891733746159829817234565932748617128.6549468591327635147298127958634849362715",
    "974236158638591742125487936316754289742918563589362417867125394253649871491873625",
    // Unique, needing guesses; unique, by logic beyond singles.
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
    ".8.2..4..57....1....23.....82..9...5...715...7...2..41.....67....3....18..7..9.5.",
    // Several solutions; exactly two; sixteen givens and many solutions.
    "8.........95.......76.........426798...571243...893165......916....3.487....1.532",
    ".39...12....9.7...8..4.1..6.42...79...........91...54.5..1.9..3...8.5....14...87.",
    "...........5....9...4....1.2....3.5....7.....438...2......9.....1.4...6..........",
    // No solution: a given twice in a group, twice in a row; a square with no candidate; a
    // digit with no place in a row.
    "..9.7...5..21..9..1...28....7...5..1..851.....5....3.......3..68........21.....87",
    ".4.1..35.............2.5......4.89..26.....12.5.3....7..4...16.6....7....1..8..2.",
    "..9.287..8.6..4..5..3.....46.........2.71345.........23.....5..9..4..8.7..125.3..",
    "9..1....4.14.3.8....3....9....7.8..18....3..........3..21....7...9.4.5..5...16..3",
    // Too few squares set: nine givens; a single given.
    "..3.2.6..9..3.5..1..18...........................................................",
    "........................................1........................................",
};

constexpr std::array<std::int16_t, 9> CommandIndexes = {0, 1, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<std::string_view, 10> CommandNames = {
    "Start", "Check", "?", "Reset", "Auto", "Restart", "Next", "CheckUnique", "Save", "Restore"};

// --- encoding

EventWriter &EventWriter::Put(Op op, std::initializer_list<int> args)
{
    Data.push_back(static_cast<std::uint8_t>(op));
    for (const int arg : args)
        Data.push_back(static_cast<std::uint8_t>(arg));
    return *this;
}

EventWriter &EventWriter::Key(int square, char key)
{
    return Put(Op::Key, {square, static_cast<unsigned char>(key)});
}
EventWriter &EventWriter::Square(int square)
{
    return Put(Op::Square, {square});
}
EventWriter &EventWriter::Candidate(int candidate)
{
    return Put(Op::Candidate, {candidate >> 8, candidate & 0xFF});
}
EventWriter &EventWriter::CandidateOf(int square, int n)
{
    return Put(Op::CandidateOf, {square, n});
}
EventWriter &EventWriter::Number(int digitCode)
{
    return Put(Op::Number, {digitCode});
}
EventWriter &EventWriter::Command(int index)
{
    for (std::size_t i = 0; i < CommandIndexes.size(); ++i)
        if (CommandIndexes[i] == index)
            return Put(Op::Command, {static_cast<int>(i)});
    std::abort(); // no such command button
}
EventWriter &EventWriter::Tick()
{
    return Put(Op::Tick, {});
}
EventWriter &EventWriter::At(int k)
{
    return Put(Op::At, {k - 1});
}
EventWriter &EventWriter::Enter(int puzzle)
{
    return Put(Op::Enter, {puzzle});
}
EventWriter &EventWriter::Type(std::string_view puzzle)
{
    for (int s = 0; s < SquareCount && s < static_cast<int>(puzzle.size()); ++s)
        Key(s, puzzle[s] == '.' ? '0' : puzzle[s]);
    return *this;
}

namespace {

// --- decoding

struct Event
{
    Op Kind = Op::Tick;
    int A = 0;
    int B = 0;
    std::shared_ptr<const Event> Child; // for At: the event to run inside the yield
};

class Reader
{
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}
    bool Next(int &value)
    {
        if (Position >= Bytes.size())
            return false;
        value = Bytes[Position++];
        return true;
    }

private:
    std::span<const std::uint8_t> Bytes;
    std::size_t Position = 0;
};

bool Decode(Reader &in, Event &event, int nesting = 0)
{
    int op = 0, a = 0, b = 0;
    if (!in.Next(op))
        return false;
    event = {};
    event.Kind = static_cast<Op>(op % static_cast<int>(Op::OpCount));
    switch (event.Kind) {
    case Op::Key:
    case Op::CandidateOf:
        if (!in.Next(a) || !in.Next(b))
            return false;
        event.A = a % SquareCount;
        event.B = b;
        return true;
    case Op::Square:
        if (!in.Next(a))
            return false;
        event.A = a % SquareCount;
        return true;
    case Op::Candidate:
        if (!in.Next(a) || !in.Next(b))
            return false;
        event.A = (a * 256 + b) % CandidateCount;
        return true;
    case Op::Number:
        if (!in.Next(a))
            return false;
        event.A = a % DigitCount;
        return true;
    case Op::Command:
        if (!in.Next(a))
            return false;
        event.A = CommandIndexes[a % CommandIndexes.size()];
        return true;
    case Op::Tick:
        return true;
    case Op::At: {
        if (!in.Next(a))
            return false;
        event.A = 1 + a % 64;
        // Deep chains of At only delay an event; they add nothing but stack.
        if (nesting > 8)
            return false;
        auto child = std::make_shared<Event>();
        if (!Decode(in, *child, nesting + 1))
            return false;
        event.Child = std::move(child);
        return true;
    }
    case Op::Enter:
        if (!in.Next(a))
            return false;
        event.A = a % static_cast<int>(BuiltInPuzzles.size());
        return true;
    case Op::OpCount:
        break;
    }
    return false;
}

std::string Describe(const Event &event)
{
    switch (event.Kind) {
    case Op::Key:
        return "key " + std::to_string(event.A) + " code " + std::to_string(event.B);
    case Op::Square:
        return "square " + std::to_string(event.A);
    case Op::Candidate:
        return "strike " + std::to_string(event.A);
    case Op::CandidateOf:
        return "strike visible #" + std::to_string(event.B) + " of square "
               + std::to_string(event.A);
    case Op::Number:
        return "number " + std::to_string(event.A);
    case Op::Command:
        return "click " + std::string(CommandNames[event.A]);
    case Op::Tick:
        return "tick";
    case Op::At:
        return "at +" + std::to_string(event.A) + " " + Describe(*event.Child);
    case Op::Enter:
        return "enter " + std::string(BuiltInPuzzles[event.A]);
    case Op::OpCount:
        break;
    }
    return "?";
}

// --- status line grammar

// A piece of a message: literal text, or a number written as one space and its decimal digits,
// within 1..Max.
struct Piece
{
    std::string_view Text;
    int Max = 0; // 0: literal
};
constexpr Piece Sq{"", 81};
constexpr Piece Dg{"", 9};
constexpr Piece Un{"", 9};

bool MatchPieces(std::string_view text, std::span<const Piece> pieces)
{
    for (const Piece &piece : pieces) {
        if (piece.Max == 0) {
            if (!text.starts_with(piece.Text))
                return false;
            text.remove_prefix(piece.Text.size());
            continue;
        }
        if (text.size() < 2 || text[0] != ' ' || text[1] < '1' || text[1] > '9')
            return false;
        text.remove_prefix(1);
        int value = 0;
        while (!text.empty() && text[0] >= '0' && text[0] <= '9' && value <= piece.Max) {
            value = value * 10 + (text[0] - '0');
            text.remove_prefix(1);
        }
        if (value > piece.Max)
            return false;
    }
    return text.empty();
}

template <std::size_t N> bool Match(std::string_view text, const Piece (&pieces)[N])
{
    return MatchPieces(text, std::span<const Piece>(pieces, N));
}

// What CheckBoard writes into Explanation.
bool IsCheckExplanation(std::string_view text)
{
    for (const std::string_view unit : {" in row", " in column", " in group"}) {
        const Piece pieces[] = {{"More than one"}, Dg, {unit}, Un};
        if (Match(text, pieces))
            return true;
    }
    const Piece dead[] = {{"No possibilities left for square"}, Sq};
    return Match(text, dead);
}

// What the deduction rules write into Explanation.
bool IsStepExplanation(std::string_view text)
{
    const Piece single[] = {{"Square"}, Sq, {" can only be a"}, Dg};
    if (Match(text, single))
        return true;
    for (const std::string_view unit : {"Row", "Column", "Group"}) {
        const Piece only[] = {{unit}, Un, {" has only one possible"}, Dg};
        if (Match(text, only))
            return true;
    }
    for (const auto &[from, to] :
         {std::pair<std::string_view, std::string_view>{"s in group", " in same column, so square"},
          {"s in group", " in same row, so square"},
          {"s in row", " in same group, so square"},
          {"s in column", " in same group, so square"}}) {
        const Piece line[] = {{"Only"}, Dg, {from}, Un, {to}, Sq, {" can't be a"}, Dg};
        if (Match(text, line))
            return true;
    }
    const Piece nakedPair[] = {
        {"Cell"}, Sq, {" can't be a"}, Dg, {" since it must be in either cell "}, Sq, {" or"}, Sq};
    const Piece hiddenPair[] = {{"Cell"}, Sq, {" can't be a"}, Dg, {" since cells"}, Sq,
                                {" and"}, Sq, {" must be"},    Dg, {" and"},         Dg};
    const Piece nakedTriple[] = {
        {"Cell"}, Sq, {" can't be a"}, Dg, {" since it must be in either cell "}, Sq,
        {","},    Sq, {" or"},         Sq};
    return Match(text, nakedPair) || Match(text, hiddenPair) || Match(text, nakedTriple);
}

bool IsSystemText(std::string_view text)
{
    static constexpr std::string_view Fixed[] = {
        "",
        SetupMessage,
        "Nothing entered yet - please set some squares",
        "Not enough squares set - please set some more",
        "Not started yet",
        "Seems OK so far",
        "Success!",
        "Success!  Found a solution.",
        "Guess was wrong.  Oh well, try again.",
        "Tricky... save this, then have a guess and carry on",
        "Setting up.",
        "Nothing to do - please set some squares",
        "Not enough squares set",
        "This one seems to be impossible",
        "Found a solution - but might not be unique",
        "Success!  Unique solution found",
        "Auto mode suspended",
        "Checked out - Solution is unique",
        "Another solution found - solution is not unique",
        "Nothing saved yet",
    };
    for (const std::string_view fixed : Fixed)
        if (text == fixed)
            return true;
    if (text.starts_with("Thinking...")
        && text.find_first_not_of('.', std::string_view("Thinking").size())
               == std::string_view::npos)
        return true;
    const Piece guessing[] = {{"Guessing"}, Dg, {" for square"}, Sq};
    if (Match(text, guessing))
        return true;
    for (const std::string_view prefix : {"Impossible.  ", "Hang on, this is impossible!  "})
        if (text.starts_with(prefix) && IsCheckExplanation(text.substr(prefix.size())))
            return true;
    return IsStepExplanation(text);
}

// --- the session

// What a Save followed at once by a Restore must leave as it was.
struct BoardImage
{
    std::array<std::int16_t, 82> Grid{};
    std::array<std::int16_t, 82> Givens{};
    std::array<std::uint16_t, SquareCount> Candidates{};
    std::array<ControlStore::SquareButton, SquareCount> Squares{};
};

BoardImage TakeImage(const Form1 &form)
{
    return {form.Board.Grid, form.Board.Givens, form.Controls.CandidateBits, form.Controls.Squares};
}

bool SameButton(const ControlStore::SquareButton &a, const ControlStore::SquareButton &b)
{
    return a.Caption == b.Caption && a.Background == b.Background && a.Visible == b.Visible
           && a.Enabled == b.Enabled;
}

class Session
{
public:
    Session(const HarnessOptions &options, RunStats &stats) : Options(options), Stats(stats)
    {
        Host.OnDoEvents = [this] { OnYield(); };
        Window = std::make_unique<Form1>(Host);
        Window->Form_Load();
        ExpectedGivens.fill(Empty);
        CheckInvariants("after start-up");
    }

    void RunTopLevel(const Event &event)
    {
        YieldsThisEvent = 0;
        Deliver(event);
        if (Window->Dispatch.AutoDepth != 0)
            Fail("an auto run is still in progress after its click returned");
        if (Options.Log && event.Kind != Op::At)
            Options.Log("  -> [" + Window->Controls.News() + "]");
    }

private:
    Form1 &Form() { return *Window; }

    [[noreturn]] void Fail(const std::string &what)
    {
        std::fprintf(stderr, "\n*** invariant broken: %s\n*** after these events:\n", what.c_str());
        for (const auto &line : History)
            std::fprintf(stderr, "    %s\n", line.c_str());
        std::fprintf(stderr, "*** status line: [%s]\n", Window->Controls.News().c_str());
        std::abort();
    }

    void Note(std::string line)
    {
        if (Options.Log)
            Options.Log(line);
        History.push_back(std::move(line));
        if (History.size() > 60)
            History.pop_front();
    }

    // Like the toolkit, a click or key press reaches only a control visible at that moment.
    void Deliver(const Event &event)
    {
        auto &form = Form();
        auto &controls = form.Controls;
        const std::string indent(static_cast<std::size_t>(Depth) * 2, ' ');
        const std::string where =
            YieldNesting > 0 ? " (inside yield " + std::to_string(YieldsSeen) + ")" : "";
        auto deliverable = [&](bool visible) {
            if (!visible)
                ++Stats.Ignored;
            else
                Note(indent + Describe(event) + where);
            return visible;
        };
        ++Depth;
        switch (event.Kind) {
        case Op::Key: {
            const auto &square = controls.Squares[event.A];
            if (!deliverable(square.Visible && square.Enabled))
                break;
            if (event.B >= '0' && event.B <= '9')
                ExpectedGivens[event.A] =
                    static_cast<std::int16_t>(event.B == '0' ? Empty : event.B - '1');
            Counted();
            form.cmdSquare_KeyPress(static_cast<std::int16_t>(event.A),
                                    static_cast<std::int16_t>(event.B));
            CheckInvariants("key press");
            break;
        }
        case Op::Square: {
            const auto &square = controls.Squares[event.A];
            if (!deliverable(square.Visible && square.Enabled))
                break;
            // A blank caption starts the cycle at 1; a digit moves one step on, 9 to blank.
            const std::int16_t grid = form.Board.Grid[event.A];
            ExpectedGivens[event.A] =
                square.Caption == 0 ? 0 : static_cast<std::int16_t>(grid >= 8 ? Empty : grid + 1);
            Counted();
            form.cmdSquare_Click(static_cast<std::int16_t>(event.A));
            if (form.Board.Grid[event.A] != ExpectedGivens[event.A])
                Fail("a square click did not step the square to the next digit");
            CheckInvariants("square click");
            break;
        }
        case Op::Candidate:
            if (!deliverable(controls.CandidateVisible(event.A)))
                break;
            Counted();
            form.cmdEle_Click(static_cast<std::int16_t>(event.A));
            if (controls.CandidateVisible(event.A))
                Fail("a clicked candidate is still visible");
            CheckInvariants("candidate click");
            break;
        case Op::CandidateOf: {
            const std::uint16_t bits = controls.CandidateBits[event.A];
            const int count = std::popcount(bits);
            if (!deliverable(count > 0))
                break;
            int n = event.B % count, digit = 0;
            for (; digit < DigitCount; ++digit)
                if (((bits >> digit) & 1U) && n-- == 0)
                    break;
            const int candidate = event.A * DigitCount + digit;
            Counted();
            form.cmdEle_Click(static_cast<std::int16_t>(candidate));
            CheckInvariants("candidate click");
            break;
        }
        case Op::Number:
            if (!deliverable(controls.Numbers[event.A].Visible
                             && controls.Numbers[event.A].Enabled))
                break;
            Counted();
            form.cmdNumber_Click(static_cast<std::int16_t>(event.A));
            CheckInvariants("digit button click");
            break;
        case Op::Command:
            if (!deliverable(controls.Modes[event.A].Visible && controls.Modes[event.A].Enabled))
                break;
            Click(static_cast<std::int16_t>(event.A));
            break;
        case Op::Tick:
            if (!deliverable(controls.Timer.Enabled))
                break;
            Counted();
            form.Timer1_Timer();
            CheckInvariants("timer tick");
            break;
        case Op::At:
            Note(indent + Describe(event));
            Scheduled.emplace(YieldsSeen + event.A, event.Child);
            break;
        case Op::Enter: {
            Note(indent + Describe(event));
            const std::string_view puzzle = BuiltInPuzzles[event.A];
            for (int s = 0; s < SquareCount; ++s) {
                Event key;
                key.Kind = Op::Key;
                key.A = s;
                key.B = puzzle[s] == '.' ? '0' : puzzle[s];
                Deliver(key);
            }
            break;
        }
        case Op::OpCount:
            break;
        }
        --Depth;
    }

    void Counted() { ++Stats.Events; }

    void Click(std::int16_t index)
    {
        auto &form = Form();
        // Save then Restore at once, with nothing run in between, must give the board back.
        const bool restoreRightAfterSave = index == ModeRestore && LastSaveEvent == Stats.Events
                                           && LastSaveYield == YieldsSeen && LastSaveDepth == Depth;
        // Restore with nothing saved must say so and leave the board alone.
        const bool nothingSaved = index == ModeRestore && !form.Snapshots.SaveSlotUsed;
        const std::optional<BoardImage> before =
            nothingSaved ? std::optional<BoardImage>(TakeImage(form)) : std::nullopt;
        Counted();
        form.cmdMode_Click(index);
        if (before) {
            const BoardImage now = TakeImage(form);
            if (now.Grid != before->Grid || now.Candidates != before->Candidates)
                Fail("Restore with nothing saved changed the board");
            if (form.Controls.News() != "Nothing saved yet")
                Fail("Restore with nothing saved did not say so");
        }
        if (index == ModeSave) {
            LastSaveEvent = Stats.Events;
            LastSaveYield = YieldsSeen;
            LastSaveDepth = Depth;
            Saved = TakeImage(form);
        }
        if (restoreRightAfterSave)
            CheckSaveRestore();
        if (index == ModeReset)
            ExpectedGivens.fill(Empty);
        CheckInvariants(std::string("click on ") + std::string(CommandNames[index]));
    }

    void CheckSaveRestore()
    {
        const auto &form = Form();
        const BoardImage now = TakeImage(form);
        if (now.Grid != Saved.Grid || now.Givens != Saved.Givens)
            Fail("Save then Restore changed the values");
        if (now.Candidates != Saved.Candidates)
            Fail("Save then Restore changed the candidates");
        for (int s = 0; s < SquareCount; ++s) {
            // A snapshot keeps values and candidates only: an empty square in setup form comes
            // back in solving form, as every restore lays empty squares out.
            const auto &before = Saved.Squares[s];
            if (Saved.Grid[s] < 0 && before.Visible)
                continue;
            if (!SameButton(before, now.Squares[s]))
                Fail("Save then Restore changed square " + std::to_string(s));
        }
    }

    // The auto loop's yield: runs what was scheduled for it, and stops a run that has been
    // going for too long with a click, as a user would.
    void OnYield()
    {
        ++Stats.Yields;
        ++YieldsSeen;
        ++YieldsThisEvent;
        if (Form().Dispatch.AutoDepth <= 0)
            Fail("the auto loop yielded while no auto run was counted");
        CheckInvariants("at a yield");
        auto [first, last] = Scheduled.equal_range(YieldsSeen);
        std::vector<std::shared_ptr<const Event>> due;
        for (auto it = first; it != last; ++it)
            due.push_back(it->second);
        Scheduled.erase(first, last);
        ++YieldNesting;
        for (const auto &event : due)
            Deliver(*event);
        --YieldNesting;
        if (YieldsThisEvent > Options.YieldBudget) {
            ++Stats.StopClicks;
            Note(std::string(static_cast<std::size_t>(Depth) * 2, ' ') + "click Check (stop)");
            ++YieldNesting;
            Click(ModeCheck);
            --YieldNesting;
        }
    }

    // A CheckBoard that leaves no trace: it writes the explanation and the marks and hides
    // the frames, so those are put back afterwards.
    std::int32_t ProbeCheckBoard()
    {
        auto &form = Form();
        const std::string explanation = form.Board.Explanation;
        const auto square = form.Board.HighlightSquare;
        const auto unit = form.Board.HighlightUnit;
        const auto unitType = form.Board.HighlightUnitType;
        const auto frames = form.Controls.Highlights;
        const BoardImage before = TakeImage(form);
        const std::int32_t status = form.CheckBoard();
        const BoardImage after = TakeImage(form);
        if (before.Grid != after.Grid || before.Candidates != after.Candidates)
            Fail("CheckBoard changed the board");
        form.Board.Explanation = explanation;
        form.Board.HighlightSquare = square;
        form.Board.HighlightUnit = unit;
        form.Board.HighlightUnitType = unitType;
        form.Controls.Highlights = frames;
        return status;
    }

    void CheckInvariants(const std::string &when)
    {
        auto &form = Form();
        const auto &board = form.Board;
        const auto &controls = form.Controls;
        auto fail = [&](const std::string &what) { Fail(what + " (" + when + ")"); };

        for (int s = 0; s < SquareCount; ++s) {
            const std::int16_t value = board.Grid[s];
            const std::string at = " at square " + std::to_string(s);
            if (value < -1 || value > 8)
                fail("Grid holds " + std::to_string(value) + at);
            if (board.Givens[s] < -1 || board.Givens[s] > 8)
                fail("Givens holds " + std::to_string(board.Givens[s]) + at);
            if (board.Givens[s] != ExpectedGivens[s])
                fail("the puzzle as entered changed without being typed" + at);
            const auto &button = controls.Squares[s];
            const std::uint16_t bits = controls.CandidateBits[s];
            if (bits & ~AllCandidates)
                fail("candidate bits beyond the nine digits" + at);
            if (value >= 0) {
                if (bits != 0)
                    fail("a set square shows candidates" + at);
                if (!button.Visible)
                    fail("a set square's button is hidden" + at);
                if (button.Caption != '1' + value || button.Background != board.DigitColours[value])
                    fail("a set square does not show its digit" + at);
            } else {
                if (button.Caption != 0 || button.Background != SystemButtonFace)
                    fail("an empty square shows a digit" + at);
                if (button.Visible && bits != 0)
                    fail("an empty square in setup form shows candidates" + at);
            }
        }

        for (const std::int16_t index : CommandIndexes)
            if (index != ModeCheckUnique && !controls.Modes[index].Visible)
                fail("command button " + std::string(CommandNames[index]) + " is hidden");
        if (controls.Modes[2].Visible)
            fail("the command button that does not exist is shown");

        const auto kind = board.StepKind;
        if (kind != StepNone && kind != StepPlace && kind != StepStrike && kind != StepRestrike
            && kind != StepNothingFound)
            fail("unknown pending step kind " + std::to_string(kind));
        if (kind == StepPlace
            && (board.StepTarget < 0 || board.StepTarget >= SquareCount || board.StepDigit < 0
                || board.StepDigit > 8))
            fail("a pending placement outside the board");
        if (kind == StepStrike && (board.StepTarget < 0 || board.StepTarget >= CandidateCount))
            fail("a pending strike outside the candidates");
        if (board.HighlightSquare < -1 || board.HighlightSquare >= SquareCount
            || board.HighlightUnit < -1 || board.HighlightUnit > 8 || board.HighlightUnitType < -1
            || board.HighlightUnitType > 2)
            fail("a highlight mark outside the board");
        if (form.Guesses.GuessDepth < -1 || form.Guesses.GuessDepth >= DepthSlotCount)
            fail("the guess stack depth is out of range");

        if (!IsSystemText(controls.News()))
            fail("the status line is not one of the program's texts");
        if (!Host.Messages.empty())
            fail("a message box opened: " + Host.Messages.front());

        const std::int32_t status = ProbeCheckBoard();
        if (status < StatusImpossible || status > StatusTooFew)
            fail("CheckBoard returned " + std::to_string(status));
        if (status == StatusSolved)
            CheckSolvedGrid(fail);
    }

    template <typename FailFn> void CheckSolvedGrid(FailFn &fail)
    {
        const auto &grid = Form().Board.Grid;
        for (int t = 0; t < 3; ++t)
            for (int u = 0; u < 9; ++u) {
                unsigned seen = 0;
                for (int p = 0; p < 9; ++p) {
                    const int d = grid[UnitSquare(u, p, t)];
                    if (d >= 0)
                        seen |= 1U << d;
                }
                if (seen != AllCandidates)
                    fail("CheckBoard calls a board solved that is not a valid full grid");
            }
    }

    const HarnessOptions &Options;
    RunStats &Stats;
    HeadlessPlatform Host;
    std::unique_ptr<Form1> Window;
    std::array<std::int16_t, SquareCount> ExpectedGivens{};
    std::multimap<long long, std::shared_ptr<const Event>> Scheduled;
    std::deque<std::string> History;
    long long YieldsSeen = 0;
    long long YieldsThisEvent = 0;
    long long LastSaveEvent = -1;
    long long LastSaveYield = -1;
    int LastSaveDepth = -1;
    int YieldNesting = 0;
    BoardImage Saved;
    int Depth = 0;
};

} // namespace

void RunInput(std::span<const std::uint8_t> input, const HarnessOptions &options, RunStats &stats)
{
    Session session(options, stats);
    Reader in(input);
    Event event;
    while (Decode(in, event))
        session.RunTopLevel(event);
}

} // namespace quorix::fuzz

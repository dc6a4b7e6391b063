// The saved game as text: what is written comes back whole, and a file that is cut short or
// damaged anywhere is refused with the line that gave it away.
#include "core/control/saved_picture.h"
#include "test_support.h"
#include "tools/script.h"

#include <memory>
#include <random>

namespace quorix::testing {
namespace {

class SavedGameTest : public FormTest
{
protected:
    template <typename Action> void Step(Action action) { Form.AsUserStep(action); }
    void ClickStep(ModeIndex index)
    {
        Step([&] { Form.cmdMode_Click(index); });
    }

    // What a person can see of a form and get back from it, as one text.
    static std::string Seen(const Form1 &form)
    {
        const auto &snapshots = form.Snapshots();
        return FormatState(form) + "status [" + form.Controls().News() + "]\n"
               + form.CopyCandidates() + "\nsave " + std::to_string(snapshots.SaveSlotUsed)
               + quorix::GridText(snapshots.SaveSlot.Grid) + "\nunique "
               + std::to_string(form.Unique().ReverseGuessOrder)
               + quorix::GridText(form.Unique().FirstSolution) + " "
               + std::to_string(form.Dispatch().LastAutoStatus) + "\nsteps "
               + std::to_string(form.History().UndoSteps()) + " "
               + std::to_string(form.History().RedoSteps()) + "\ncollection "
               + form.Collection().Name + " " + std::to_string(form.Collection().Position) + " "
               + std::to_string(form.Collection().Size()) + " "
               + (form.Collection().Empty() ? "" : form.Collection().Puzzles.back()) + " "
               + (form.Collection().Empty() ? ""
                                            : std::to_string(form.Collection().LineNumbers.back()))
               + "\nhint [" + form.State().Hint.Puzzle + "]\n";
    }

    // A session with something of everything: typed squares, a paste, strikes, Save, Next,
    // Auto and Check Unique, and steps taken back so that some can be redone.
    void PlayASession()
    {
        Step([&] { Form.cmdSquare_KeyPress(3, '4'); });
        Step([&] { Form.Paste(EasyPuzzle); });
        ClickStep(ModeStart);
        Form.Hint(); // the puzzle Hint keeps, now and in the steps behind
        Step([&] { Form.cmdEle_Click(2 * 9 + 0); });
        Step([&] { Form.cmdEle_Click(5 * 9 + 1); });
        ClickStep(ModeSave);
        ClickStep(ModeNext);
        ClickStep(ModeNext);
        ClickStep(ModeAuto);
        ClickStep(ModeCheckUnique);
        Form.Undo();
        Form.Undo();
        ClickStep(ModeNext); // explains: a frame, a pending step, an explanation
        PuzzleCollection collection;
        ASSERT_TRUE(SplitCollection(
            std::string(EasyPuzzle) + "\n# x\n" + std::string(EasyPuzzle) + "\n", collection));
        collection.Name = "a set of 'two'.txt";
        collection.Position = 1;
        FormState state = Form.State();
        state.Collection = collection;
        Form.Seed(std::move(state));
    }

    // A new form with `text` put back into it; null when it is refused.
    std::unique_ptr<Form1> Reopen(const std::string &text, std::string *reason = nullptr)
    {
        auto form = std::make_unique<Form1>(OtherPlatform);
        form->Form_Load();
        SavedGame game{form->State(), {}, {}};
        std::string why;
        if (!ReadSavedGame(text, game, why)) {
            if (reason != nullptr)
                *reason = why;
            return nullptr;
        }
        form->Resume(std::move(game));
        return form;
    }

    HeadlessPlatform OtherPlatform;
};

TEST_F(SavedGameTest, ASessionComesBackWholeWithEveryStepOfItsHistory)
{
    PlayASession();
    const std::string text = Form.SaveGame();
    std::string reason;
    const auto back = Reopen(text, &reason);
    ASSERT_TRUE(back) << reason;
    ASSERT_EQ(Seen(*back), Seen(Form));
    EXPECT_EQ(back->SaveGame(), text) << "written again, the same text";

    // Every step, back and forth, puts back the same on both.
    while (Form.History().UndoSteps() > 0) {
        EXPECT_EQ(back->Undo(), Form.Undo());
        ASSERT_EQ(Seen(*back), Seen(Form));
    }
    while (Form.History().RedoSteps() > 0) {
        EXPECT_EQ(back->Redo(), Form.Redo());
        ASSERT_EQ(Seen(*back), Seen(Form));
    }
    // The board kept by Save and the first solution of Check Unique work as before.
    ClickStep(ModeRestore);
    back->AsUserStep([&] { back->cmdMode_Click(ModeRestore); });
    EXPECT_EQ(Seen(*back), Seen(Form));
}

TEST_F(SavedGameTest, TheStartingWindowAndTextsWithAnyByteComeBack)
{
    EXPECT_EQ(Seen(*Reopen(Form.SaveGame())), Seen(Form)) << "nothing done yet";
    // A refused paste puts the pasted text on the status line, whatever bytes it holds.
    Step([&] { Form.Paste(std::string("x% \t'\x7f\x01\xc3\xa9\n-", 11)); });
    const auto back = Reopen(Form.SaveGame());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Controls().News(), Form.Controls().News());
}

TEST_F(SavedGameTest, AtMostTheWindowsOwnHistoryIsWritten)
{
    Step([&] { Form.Paste(EasyPuzzle); });
    for (std::size_t k = 0; k < SavedStepLimit + 5; ++k)
        Step([&] { Form.cmdSquare_Click(2); });
    const auto back = Reopen(Form.SaveGame());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->History().UndoSteps(), SavedStepLimit);
    EXPECT_EQ(Seen(*back), Seen(Form));
}

TEST_F(SavedGameTest, AFileCutShortAnywhereIsRefused)
{
    PlayASession();
    const std::string text = Form.SaveGame();
    std::string reason;
    for (std::size_t cut = 0; cut < text.size(); cut += cut < 2000 ? 1 : 37) {
        ASSERT_FALSE(Reopen(text.substr(0, cut), &reason)) << "cut at " << cut;
        EXPECT_FALSE(reason.empty());
    }
    // Cut at every line break, too, keeping whole lines.
    for (std::size_t at = text.find('\n'); at + 1 < text.size(); at = text.find('\n', at + 1))
        ASSERT_FALSE(Reopen(text.substr(0, at + 1))) << "cut after byte " << at;
}

// `text` with the first line that starts with `start` replaced by `line` (or removed when
// `line` is empty).
std::string Replaced(std::string text, std::string_view start, std::string_view line)
{
    const std::size_t at = ("\n" + text).find("\n" + std::string(start));
    EXPECT_NE(at, std::string::npos) << start;
    const std::size_t end = text.find('\n', at) + 1;
    return text.replace(at, end - at, line.empty() ? std::string() : std::string(line) + "\n");
}

TEST_F(SavedGameTest, ADamagedLineAnywhereRefusesTheWholeFile)
{
    PlayASession();
    const std::string text = Form.SaveGame();
    const std::string square0 =
        text.substr(text.find("\nsq 0 ") + 1,
                    text.find('\n', text.find("\nsq 0 ") + 1) - text.find("\nsq 0 ") - 1);
    const std::pair<std::string_view, std::string> damages[] = {
        {"quorix-state", "quorix-state 2"},
        {"sq 0 ", "sq 0 x F0000001 180 480 480 495 495 1 1 1FF -1 -1"},
        {"sq 0 ", "sq 0 - FF000001 180 480 480 495 495 1 1 200 -1 -1"}, // a tenth candidate
        {"sq 0 ", "sq 0 - FF000001 180 480 480 495 495 1 1 1FF 9 -1"},  // digit code 9
        {"sq 0 ", "sq 0 - FF000001 180 480 480 495 495 1 1 1FF -1"},    // a field short
        {"sq 0 ", "sq 81 - FF000001 180 480 480 495 495 1 1 1FF -1 -1"},
        {"sq 0 ", "sq 0 - FF000001 180 480 480 -1 495 1 1 1FF -1 -1"}, // a negative width
        {"sq 0 ", ""},
        {"step ", "step 1 100 4"}, // a placement outside the board
        {"step ", "step 4 0 0"},   // no such step
        {"highlight", "highlight 81 0 0"},
        {"news", "news 'a%2"},
        {"news", "news a"},
        {"timer", "timer 1 0"},
        {"save", "save 1 ..."},
        {"lastauto", "lastauto 2"},
        {"collection", "collection 2 2 'x"},
        {"collection", "collection 2 0 'x"}, // not the place the board says
        {"place", "place -1"},
        {"hint", "hint " + std::string(80, '.')},
        {"hint", "hint " + std::string(80, '.') + "0"},
        {"p 3", "p 3 '53..7"},
        {"unique", "unique 2 0 " + std::string(81, '.')},
        {"undo", "undo 99"},
        {"redo", "redo 1001"},
        {"end", "end\nmore"},
        {"present", "present\n" + square0}, // a line twice
        {"guessed", std::string(MaxSavedLineLength + 1, 'g')},
    };
    for (const auto &[start, line] : damages) {
        std::string reason;
        EXPECT_FALSE(Reopen(Replaced(text, start, line), &reason)) << start << " -> " << line;
        EXPECT_TRUE(reason.starts_with("line ") || reason.starts_with("not a saved game"))
            << reason;
    }
    EXPECT_TRUE(Reopen(text)) << "the undamaged text reads";
}

TEST_F(SavedGameTest, TextTokensKeepEveryByte)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    std::string token, back;
    AppendTextToken(token, all);
    EXPECT_EQ(token.find_first_of(std::string(" \n\r\t\0", 5)), std::string::npos);
    ASSERT_TRUE(ReadTextToken(token, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(ReadTextToken("no quote", back));
    EXPECT_FALSE(ReadTextToken("'%G0", back));
    EXPECT_FALSE(ReadTextToken("'%4", back));
}

// Files damaged at random in the fields a reader checks: each is refused, or, when every field
// is still within its bounds, the window it gives takes commands without reading out of its
// arrays (the sanitizer build checks that) and writes the same text once read again.
TEST_F(SavedGameTest, RandomlyDamagedFilesAreRefusedOrGiveAWorkingWindow)
{
    PlayASession();
    const std::string text = Form.SaveGame();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    static const std::string_view Values[] = {"-2", "-1", "0", "1", "2", "8", "9", "10",
                                              "80", "81", "82", "1ff", "200", "'", "-",
                                              "999999", "4294967295"};
    std::mt19937 random(7);
    int accepted = 0;
    for (int round = 0; round < 800; ++round) {
        std::vector<std::string> damaged = lines;
        for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k) {
            std::string &line = damaged[random() % damaged.size()];
            std::vector<std::string> fields;
            for (const auto field : SplitFields(line))
                fields.emplace_back(field);
            if (fields.size() < 2)
                continue;
            fields[1 + random() % (fields.size() - 1)] = Values[random() % std::size(Values)];
            line.clear();
            for (const std::string &field : fields)
                line += (line.empty() ? "" : " ") + field;
        }
        std::string file;
        for (const std::string &line : damaged)
            file += line + "\n";
        const auto back = Reopen(file);
        if (!back)
            continue;
        ++accepted;
        const std::string written = back->SaveGame();
        const auto again = Reopen(written);
        ASSERT_TRUE(again) << "round " << round;
        EXPECT_EQ(again->SaveGame(), written) << "round " << round;
        for (const int mode : {ModeCheck, ModeNext, ModeNext, ModeRestore})
            back->AsUserStep([&] { back->cmdMode_Click(mode); });
        back->Hint();
        back->Undo();
        back->Redo();
        back->AsUserStep([&] { back->cmdEle_Click(static_cast<int>(random() % CandidateCount)); });
        back->AsUserStep([&] { back->cmdSquare_Click(static_cast<int>(random() % SquareCount)); });
        for (std::size_t k = back->History().UndoSteps(); k > 0; --k)
            back->Undo();
    }
    EXPECT_GT(accepted, 80) << "the damage reaches past the reader";
}

} // namespace
} // namespace quorix::testing

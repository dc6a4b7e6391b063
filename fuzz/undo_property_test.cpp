// Undo over long random sequences of the harness's events: undoing a step puts back exactly what
// `show` printed and the status line before it, and redoing it what stood after it.
#include "core/operations/text/puzzle_text.h"
#include "fuzz/event_codec.h"
#include "tools/script.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

namespace quorix::fuzz {
namespace {

class UndoProperty : public ::testing::Test
{
protected:
    // A fresh window and nothing scheduled.
    void Restart()
    {
        Form = std::make_unique<Form1>(Host);
        Form->Form_Load();
        Host.OnDoEvents = [this] { OnYield(); };
        Scheduled.clear();
        Yields = 0;
    }

    std::string Seen() const
    {
        return FormatState(*Form) + "status [" + Form->Controls().News() + "]";
    }

    // One event as the user's input: a whole step of the undo history.
    void Deliver(const Event &event)
    {
        Form->AsUserStep([&] { Act(event); });
    }

    void Act(const Event &event)
    {
        Form1 &form = *Form;
        switch (event.Kind) {
        case Op::Key:
            form.cmdSquare_KeyPress(event.A, event.B);
            break;
        case Op::Square:
            form.cmdSquare_Click(event.A);
            break;
        case Op::Candidate:
            form.cmdEle_Click(event.A);
            break;
        case Op::CandidateOf:
            form.cmdEle_Click(event.A * 9 + event.B % 9);
            break;
        case Op::Number:
            form.cmdNumber_Click(event.A);
            break;
        case Op::Command:
            form.cmdMode_Click(event.A);
            break;
        case Op::Tick:
            form.Timer1_Timer();
            break;
        case Op::At:
            Scheduled.emplace(Yields + event.A, event.Child);
            break;
        case Op::AutoEach:
            for (int k = 1; k <= event.A; ++k)
                Scheduled.emplace(Yields + k, AutoClick);
            break;
        case Op::Enter:
            TypePuzzle(form, BuiltInPuzzles[event.A]);
            break;
        case Op::Paste:
            form.Paste(event.Text);
            break;
        case Op::PasteCopy:
            form.Paste(event.A == 1 ? form.CopyCandidates() : form.CopyLine());
            break;
        default:
            break;
        }
    }

    // Runs what is due in this yield, and stops a run that goes on too long, as a user would.
    void OnYield()
    {
        ++Yields;
        ++YieldsThisStep;
        auto [first, last] = Scheduled.equal_range(Yields);
        std::vector<std::shared_ptr<const Event>> due;
        for (auto it = first; it != last; ++it)
            due.push_back(it->second);
        Scheduled.erase(first, last);
        for (const auto &event : due)
            Deliver(*event);
        if (YieldsThisStep > 300)
            Form->cmdMode_Click(ModeCheck);
    }

    const std::shared_ptr<const Event> AutoClick =
        std::make_shared<Event>(Event{Op::Command, ModeAuto, 0, nullptr, {}});
    HeadlessPlatform Host;
    std::unique_ptr<Form1> Form;
    std::multimap<long long, std::shared_ptr<const Event>> Scheduled;
    long long Yields = 0;
    long long YieldsThisStep = 0;
};

TEST_F(UndoProperty, UndoAndRedoEveryStepOfRandomSessions)
{
    std::mt19937 random(20261208);
    long long checked = 0;
    for (int session = 0; session < 50; ++session) {
        Restart();
        std::vector<std::uint8_t> bytes(600);
        for (auto &byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        bytes[0] = static_cast<std::uint8_t>(Op::Enter); // start from a real puzzle
        Reader in(bytes);
        for (Event event;;) {
            // A paste takes as many bytes as its length says: keep it short, or the first one
            // would swallow the session.
            const std::size_t at = in.Offset();
            const auto paste = static_cast<std::uint8_t>(Op::Paste);
            if (at + 2 < bytes.size() && bytes[at] % static_cast<int>(Op::OpCount) == paste) {
                bytes[at + 1] = 0;
                bytes[at + 2] %= 64;
            }
            if (!Decode(in, event))
                break;
            const std::string before = Seen();
            const std::size_t steps = Form->History().UndoSteps();
            YieldsThisStep = 0;
            Deliver(event);
            if (Form->History().UndoSteps() == steps && steps < UndoHistory::MaxSteps)
                continue; // the board did not change: no step of its own
            const std::string after = Seen();
            Form->Undo();
            ASSERT_EQ(Seen(), before) << "session " << session << ", undoing " << checked;
            Form->Redo();
            ASSERT_EQ(Seen(), after) << "session " << session << ", redoing " << checked;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace quorix::fuzz

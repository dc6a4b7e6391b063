// The byte encoding: what EventWriter writes decodes to the event it meant, arguments are
// brought into range, and inputs cut short or nested too deeply end cleanly.
#include "fuzz/event_codec.h"
#include "window/form1.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorix::fuzz {
namespace {

std::vector<Event> DecodeAll(const std::vector<std::uint8_t> &bytes)
{
    Reader in(bytes);
    std::vector<Event> events;
    Event event;
    while (Decode(in, event))
        events.push_back(event);
    return events;
}

TEST(EventCodec, EveryWrittenEventDecodesToWhatWasMeant)
{
    EventWriter writer;
    writer.Key(80, '\xff').Square(40).Candidate(728).CandidateOf(3, 200).Number(8);
    writer.Command(ModeRestore).Tick().At(64).Command(ModeSave).Enter(SingleGiven);
    const auto events = DecodeAll(writer.Bytes());
    ASSERT_EQ(events.size(), 9U);
    const std::vector<std::string> described = {"key 80 code 255",
                                                "square 40",
                                                "strike 728",
                                                "strike visible #200 of square 3",
                                                "number 8",
                                                "click Restore",
                                                "tick",
                                                "at +64 click Save",
                                                "enter "
                                                    + std::string(BuiltInPuzzles[SingleGiven])};
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(Describe(events[i]), described[i]) << i;
    EXPECT_EQ(events[7].Kind, Op::At);
    EXPECT_EQ(events[7].Child->A, ModeSave);
}

TEST(EventCodec, ArgumentsWrapIntoRange)
{
    const auto op = [](Op kind) { return static_cast<std::uint8_t>(kind); };
    const std::uint8_t opCount = op(Op::OpCount);
    const auto events = DecodeAll({
        op(Op::Square), 81 + 5,                                // square 5
        op(Op::Candidate), 0xFF, 0xFF,                         // 65535 modulo 729
        op(Op::Number), 9 + 2,                                 // digit code 2
        op(Op::Command), 2,                                    // the third button: Reset
        op(Op::At), 255, std::uint8_t(opCount + op(Op::Tick)), // +64, then a tick
        op(Op::Enter), 14,                                     // the first puzzle again
    });
    ASSERT_EQ(events.size(), 6U);
    EXPECT_EQ(events[0].A, 5);
    EXPECT_EQ(events[1].A, 65535 % CandidateCount);
    EXPECT_EQ(events[2].A, 2);
    EXPECT_EQ(events[3].A, ModeReset);
    EXPECT_EQ(events[4].A, 64);
    EXPECT_EQ(events[4].Child->Kind, Op::Tick);
    EXPECT_EQ(events[5].A, 14 % static_cast<int>(BuiltInPuzzles.size()));
}

TEST(EventCodec, AnEventCutShortIsDropped)
{
    EventWriter writer;
    writer.Tick().Key(3, '4');
    auto bytes = writer.Bytes();
    bytes.pop_back();
    EXPECT_EQ(DecodeAll(bytes).size(), 1U);
    // An At whose event is missing is dropped as well.
    EXPECT_EQ(DecodeAll(EventWriter().Tick().At(2).Bytes()).size(), 1U);
}

TEST(EventCodec, AtChainsEndTheInputPastNineLevels)
{
    EventWriter nine;
    for (int i = 0; i < 9; ++i)
        nine.At(1);
    nine.Tick().Tick();
    EXPECT_EQ(DecodeAll(nine.Bytes()).size(), 2U);

    EventWriter ten;
    for (int i = 0; i < 10; ++i)
        ten.At(1);
    ten.Tick().Tick();
    EXPECT_TRUE(DecodeAll(ten.Bytes()).empty());
}

TEST(EventCodec, TypePressesOneKeyPerSquareWithZeroForDot)
{
    const auto events = DecodeAll(EventWriter().Type(BuiltInPuzzles[Easy]).Bytes());
    ASSERT_EQ(events.size(), 81U);
    for (int s = 0; s < 81; ++s) {
        const char c = BuiltInPuzzles[Easy][s];
        EXPECT_EQ(events[s].A, s);
        EXPECT_EQ(events[s].B, c == '.' ? '0' : c);
    }
}

TEST(EventCodec, BuiltInPuzzlesAreWholeBoards)
{
    EXPECT_EQ(BuiltInPuzzles.size(), static_cast<std::size_t>(SingleGiven) + 1);
    for (const std::string_view puzzle : BuiltInPuzzles) {
        EXPECT_EQ(puzzle.size(), 81U) << puzzle;
        EXPECT_EQ(puzzle.find_first_not_of(".123456789"), std::string_view::npos) << puzzle;
    }
}

} // namespace
} // namespace quorix::fuzz

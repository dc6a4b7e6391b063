// The byte encoding: what EventWriter writes decodes to the event it meant, arguments are
// brought into range, and inputs cut short or nested too deeply end cleanly.
#include "core/form/form1.h"
#include "fuzz/event_codec.h"

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
    writer.AutoEach(24).AutoEach(1);
    const auto events = DecodeAll(writer.Bytes());
    ASSERT_EQ(events.size(), 11U);
    const std::vector<std::string> described = {"key 80 code 255",
                                                "square 40",
                                                "strike 728",
                                                "strike visible #200 of square 3",
                                                "number 8",
                                                "click Restore",
                                                "tick",
                                                "at +64 click Save",
                                                "enter " + std::string(BuiltInPuzzles[SingleGiven]),
                                                "click Auto in each of the next 24 yields",
                                                "click Auto in the next yield"};
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
        op(Op::Enter), 15,                                     // the first puzzle again
        op(Op::AutoEach), 24 + 4,                              // five clicks
        std::uint8_t(opCount + op(Op::AutoEach)), 255,         // 256 modulo 24, plus one
    });
    ASSERT_EQ(events.size(), 8U);
    EXPECT_EQ(events[0].A, 5);
    EXPECT_EQ(events[1].A, 65535 % CandidateCount);
    EXPECT_EQ(events[2].A, 2);
    EXPECT_EQ(events[3].A, ModeReset);
    EXPECT_EQ(events[4].A, 64);
    EXPECT_EQ(events[4].Child->Kind, Op::Tick);
    EXPECT_EQ(events[5].A, Easy);
    EXPECT_EQ(events[6].Kind, Op::AutoEach);
    EXPECT_EQ(events[6].A, 5);
    EXPECT_EQ(events[7].Kind, Op::AutoEach);
    EXPECT_EQ(events[7].A, 1 + 255 % 24);
}

TEST(EventCodec, APasteCarriesItsTextAndIsCutByTheEndOfTheInput)
{
    const std::string grid = std::string("1 2\n\x00\xFF", 6) + std::string(300, '.');
    EventWriter writer;
    writer.Paste(grid).PasteCopy(true).PasteCopy(false).Paste("");
    auto events = DecodeAll(writer.Bytes());
    ASSERT_EQ(events.size(), 4U);
    EXPECT_EQ(events[0].Kind, Op::Paste);
    EXPECT_EQ(events[0].Text, grid);
    EXPECT_EQ(Describe(events[0]).substr(0, 23), "paste [1 2\\n\\x00\\xFF...");
    EXPECT_EQ(events[1].A, 1);
    EXPECT_EQ(Describe(events[2]), "paste the copy of the line");
    EXPECT_EQ(events[3].Text, "");

    // A length beyond the end takes what there is; a length cut short drops the event.
    auto bytes = EventWriter().Paste("abcdef").Bytes();
    bytes.resize(bytes.size() - 2);
    events = DecodeAll(bytes);
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].Text, "abcd");
    EXPECT_TRUE(DecodeAll({static_cast<std::uint8_t>(Op::Paste), 0}).empty());
}

TEST(EventCodec, AnEventCutShortIsDropped)
{
    EventWriter writer;
    writer.Tick().Key(3, '4');
    auto bytes = writer.Bytes();
    bytes.pop_back();
    EXPECT_EQ(DecodeAll(bytes).size(), 1U);
    // An At whose event is missing is dropped as well, and so is AutoEach without its count.
    EXPECT_EQ(DecodeAll(EventWriter().Tick().At(2).Bytes()).size(), 1U);
    auto autoEach = EventWriter().Tick().AutoEach(3).Bytes();
    autoEach.pop_back();
    EXPECT_EQ(DecodeAll(autoEach).size(), 1U);
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
    EXPECT_EQ(BuiltInPuzzles.size(), static_cast<std::size_t>(NeedsGuesses) + 1);
    for (const std::string_view puzzle : BuiltInPuzzles) {
        EXPECT_EQ(puzzle.size(), 81U) << puzzle;
        EXPECT_EQ(puzzle.find_first_not_of(".123456789"), std::string_view::npos) << puzzle;
    }
}

} // namespace
} // namespace quorix::fuzz

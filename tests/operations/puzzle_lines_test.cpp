// Reading text a line at a time within bounds: long lines held only in part and reported whole,
// one rule for blank and comment lines, and input that cannot be text stopping the reading.
#include "core/operations/text/puzzle_lines.h"

#include <gtest/gtest.h>

#include <ios>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace quorix {
namespace {

using Stop = BoundedLineReader::Stop;

struct Read
{
    std::vector<PuzzleLine> Lines;
    Stop Stopped = Stop::None;
    std::string Reason;
};

Read ReadAll(const std::string &text, bool everyLine = false, std::uint64_t sizeLimit = 0)
{
    std::istringstream in(text);
    BoundedLineReader reader(in, sizeLimit);
    Read read;
    for (PuzzleLine line; everyLine ? reader.NextLine(line) : reader.Next(line);)
        read.Lines.push_back(line);
    read.Stopped = reader.Stopped();
    read.Reason = reader.StopReason();
    return read;
}

TEST(BoundedLineReader, HoldsTheStartOfALongLineAndCountsAllOfIt)
{
    const std::string cap(MaxPuzzleLineLength, 'c');
    const Read read = ReadAll(std::string(100000, 'x') + "\r\n" + cap + "\r\n" + cap + "d\r\n"
                              + "last line" /* no line break */);
    ASSERT_EQ(read.Lines.size(), 4U);
    EXPECT_EQ(read.Lines[0].Length, 100000U);
    EXPECT_EQ(read.Lines[0].Text, std::string(MaxPuzzleLineLength + 1, 'x'));
    EXPECT_TRUE(read.Lines[0].TooLong());
    EXPECT_EQ(read.Lines[1].Text, cap) << "the longest line held whole, its return dropped";
    EXPECT_FALSE(read.Lines[1].TooLong());
    EXPECT_EQ(read.Lines[2].Text, cap + "d");
    EXPECT_EQ(read.Lines[2].Length, MaxPuzzleLineLength + 1);
    EXPECT_TRUE(read.Lines[2].TooLong());
    EXPECT_EQ(read.Lines[3].Number, 4);
    EXPECT_EQ(read.Lines[3].Text, "last line");
    EXPECT_EQ(read.Stopped, Stop::End);
    EXPECT_EQ(read.Reason, "");
}

// Whether a line is skipped depends on its first character other than whitespace, however far
// into the line that is: a long run of blanks hides nothing.
TEST(BoundedLineReader, SkipsBlankAndCommentLinesWhateverTheirLength)
{
    const std::string blanks(5000, ' ');
    const Read read = ReadAll("\xEF\xBB\xBF# mark, then a comment\n\n \t\r\n  # indented\n" + blanks
                              + "\n" + blanks + "garbage\n\f\v#" + std::string(9000, 'x') + "\n"
                              + blanks + "#\nkept\n" + std::string(3, '\0') + "\n");
    ASSERT_EQ(read.Lines.size(), 3U);
    EXPECT_EQ(read.Lines[0].Number, 6);
    EXPECT_EQ(read.Lines[0].Length, 5007U);
    EXPECT_EQ(read.Lines[0].Text, std::string(MaxPuzzleLineLength + 1, ' '));
    EXPECT_EQ(read.Lines[1].Number, 9);
    EXPECT_EQ(read.Lines[1].Text, "kept");
    EXPECT_EQ(read.Lines[2].Text, std::string(3, '\0')) << "a NUL is no blank";

    const Read every = ReadAll("\xEF\xBB\xBF\xEF\xBB\xBFx\n\n", true);
    ASSERT_EQ(every.Lines.size(), 2U);
    EXPECT_EQ(every.Lines[0].Text, "\xEF\xBB\xBFx") << "one mark at the start, no more";
    EXPECT_EQ(every.Lines[0].Length, 4U);
    EXPECT_EQ(every.Lines[1].Text, "");
}

TEST(BoundedLineReader, StopsAtALineWithNoBreakWithinTheLimit)
{
    const std::string longest(MaxUnbrokenLength, '7');
    const Read read = ReadAll("a\n" + longest + "\nb\n" + longest + "7\nnever read\n");
    ASSERT_EQ(read.Lines.size(), 3U);
    EXPECT_EQ(read.Lines[1].Length, MaxUnbrokenLength);
    EXPECT_EQ(read.Lines[2].Text, "b");
    EXPECT_EQ(read.Stopped, Stop::Unbroken);
    EXPECT_EQ(read.Reason, "line 4 has no line break within 1 MiB");
}

TEST(BoundedLineReader, StopsPastTheSizeLimit)
{
    EXPECT_EQ(ReadAll("ab\ncd\n", false, 6).Stopped, Stop::End);
    const Read read = ReadAll("ab\ncd\ne", false, 6);
    EXPECT_EQ(read.Lines.size(), 2U);
    EXPECT_EQ(read.Stopped, Stop::TooLarge);
    EXPECT_EQ(read.Reason, "the file is larger than 6 bytes");
}

// A source that hands out its text, then fails as a file buffer does on a read error.
class FailingBuffer : public std::streambuf
{
public:
    explicit FailingBuffer(std::string text) : Text(std::move(text))
    {
        setg(Text.data(), Text.data(), Text.data() + Text.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
    std::string Text;
};

TEST(BoundedLineReader, AReadErrorIsNoEndOfInput)
{
    FailingBuffer buffer("one\ntwo\nthr");
    std::istream in(&buffer);
    BoundedLineReader reader(in);
    PuzzleLine line;
    ASSERT_TRUE(reader.Next(line));
    ASSERT_TRUE(reader.Next(line));
    EXPECT_FALSE(reader.Next(line));
    EXPECT_EQ(reader.Stopped(), Stop::Failed);
    EXPECT_EQ(reader.StopReason(), "reading failed after line 2");
    EXPECT_TRUE(in.bad());
}

// An output whose text reaches `Delivered` only when it is flushed, as a pipe's does.
class HeldOutput : public std::stringbuf
{
public:
    std::string Delivered;

protected:
    int sync() override
    {
        Delivered += str();
        str("");
        return 0;
    }
};

// A trace that waits for its script's next line has already put out what the lines before it
// printed: the reader flushes the output tied to its input, as getline on std::cin would.
TEST(BoundedLineReader, FlushesTheTiedOutputBeforeEachLine)
{
    HeldOutput held;
    std::ostream out(&held);
    std::istringstream in("click Start\nclick Auto\n");
    in.tie(&out);
    BoundedLineReader reader(in);
    PuzzleLine line;
    out << "status [first]\n";
    ASSERT_TRUE(reader.NextLine(line));
    EXPECT_EQ(held.Delivered, "status [first]\n");
    out << "status [second]\n";
    ASSERT_TRUE(reader.NextLine(line));
    EXPECT_EQ(held.Delivered, "status [first]\nstatus [second]\n");
}

TEST(ReadPuzzleFileText, KeepsTheLineNumbersAndRefusesWhatCannotBeAPuzzle)
{
    const auto read = [](const std::string &bytes) {
        std::istringstream in(bytes);
        std::string text, reason;
        const bool ok = ReadPuzzleFileText(in, text, reason);
        return ok ? text : "refused: " + reason;
    };
    EXPECT_EQ(read("\xEF\xBB\xBF# title\r\n\r\n53..\r\n  # " + std::string(9000, '#') + "\n7.\n"),
              "\n\n53..\n\n7.\n");
    EXPECT_EQ(read("1\n\n" + std::string(5000, '.') + "\n"),
              "refused: line 3 is too long: 5000 characters");
    std::istringstream unreadable;
    unreadable.setstate(std::ios::failbit);
    std::string text, reason;
    EXPECT_FALSE(ReadPuzzleFileText(unreadable, text, reason));
    EXPECT_EQ(reason, "the file cannot be read");
}

} // namespace
} // namespace quorix

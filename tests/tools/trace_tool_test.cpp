// The trace script runner: the state block, `at`, and clear errors for lines it cannot run.
#include "test_support.h"
#include "tools/script.h"

#include <ios>
#include <sstream>
#include <streambuf>

namespace quorix::testing {
namespace {

class TraceToolTest : public FormTest
{
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Platform.OnDoEvents = [this] { Runner.OnYield(); };
        Platform.OnMessageBox = [this](std::string_view text) { Runner.OnDialog(text); };
    }
    // Runs a whole script; returns the exit code.
    int Run(const std::string &script)
    {
        std::istringstream in(script);
        return Runner.Run(in, Err);
    }
    std::ostringstream Out, Err;
    ScriptRunner Runner{Form, Out};
};

TEST_F(TraceToolTest, UnknownCommandIsAnErrorNotACrash)
{
    for (const char *line :
         {"frobnicate", "click Bogus", "click", "at 1 frobnicate", "at 0 tick", "square 81",
          "square -1", "strike 729", "number 9", "key 3 ab", "enter 123", "tick 1", "show now",
          "at 1 square 99", "at 1 click Bogus", "at 2 at 1 number 9", "at 1 show now", "hint 2",
          "hints"}) {
        SCOPED_TRACE(line);
        std::string error;
        EXPECT_FALSE(Runner.RunLine(line, error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(Out.str(), "") << "a rejected line prints no status";
}

TEST_F(TraceToolTest, ScriptStopsAtTheFirstBadLineWithNonZeroExit)
{
    EXPECT_EQ(Run("# comment\n\nclick Check\nfrobnicate 3\nclick Start\n"), 1);
    EXPECT_EQ(Out.str(), "status [Not enough squares set - please set some more]\n");
    EXPECT_EQ(Err.str(), "line 4: unknown command 'frobnicate'\n");
}

// A command for a later yield is checked when its line is read, with the message the same
// command gets at the top level, so a bad one can never be dropped silently at its yield.
TEST_F(TraceToolTest, ScheduledCommandsAreCheckedWhenRead)
{
    EXPECT_EQ(Run("click Check\nat 1 square 99\nclick Auto\n"), 1);
    EXPECT_EQ(Err.str(), "line 2: usage: square <0..80>\n");
    Err.str("");
    EXPECT_EQ(Run("at 3 at 1 click Bogus\n"), 1);
    EXPECT_EQ(Err.str(), "line 1: unknown command button 'Bogus'\n");
}

TEST_F(TraceToolTest, BadInputIsQuotedShortAndEscaped)
{
    EXPECT_EQ(Run(std::string(MaxPuzzleLineLength, 'x') + "\n"), 1);
    EXPECT_EQ(Err.str(), "line 1: unknown command '" + std::string(40, 'x') + "'...\n");
    Err.str("");
    EXPECT_EQ(Run("click \x1b[2J\xc3\xa9\n"), 1);
    EXPECT_EQ(Err.str(), "line 1: unknown command button '\\x1B[2J\\xC3\\xA9'\n");
}

// A line is held only up to the cap, and a script that cannot be read to its end is never run
// to success: a line too long stops it like any bad line, input without line breaks or a read
// error as input that is no script.
TEST_F(TraceToolTest, ALongLineOrInputThatIsNoTextStopsTheScript)
{
    EXPECT_EQ(Run("click Check\n# " + std::string(9000, '#') + "\n" + std::string(100000, ' ')
                  + "\npaste " + std::string(5000, '1') + "\nclick Check\n"),
              ScriptRunner::BadLine);
    EXPECT_EQ(Out.str(), "status [Not enough squares set - please set some more]\n")
        << "a long comment and a long blank line are skipped like short ones";
    EXPECT_EQ(Err.str(), "line 4: the line is too long: 5006 characters\n");

    Out.str("");
    Err.str("");
    EXPECT_EQ(Run("click Check\n" + std::string(MaxUnbrokenLength + 1, '\0')),
              ScriptRunner::ReadFailed);
    EXPECT_EQ(Out.str(), "status [Not enough squares set - please set some more]\n");
    EXPECT_EQ(Err.str(), "line 2 has no line break within 1 MiB\n");
}

TEST_F(TraceToolTest, AReadErrorIsNoCompletedScript)
{
    // Reads "click Check" and a line break, then fails as a file does on a read error.
    struct Failing : std::streambuf
    {
        std::string Text = "click Check\n";
        Failing() { setg(Text.data(), Text.data(), Text.data() + Text.size()); }
        int_type underflow() override { throw std::ios_base::failure("read error"); }
    } buffer;
    std::istream in(&buffer);
    EXPECT_EQ(Runner.Run(in, Err), ScriptRunner::ReadFailed);
    EXPECT_EQ(Out.str(), "status [Not enough squares set - please set some more]\n");
    EXPECT_EQ(Err.str(), "reading failed after line 1\n");
}

TEST_F(TraceToolTest, AByteOrderMarkAtTheStartIsSkipped)
{
    EXPECT_EQ(Run("\xEF\xBB\xBF"
                  "click Check\n"),
              0);
    EXPECT_EQ(Out.str(), "status [Not enough squares set - please set some more]\n");
    Out.str("");
    EXPECT_EQ(Run("click Check\n\xEF\xBB\xBF"
                  "click Check\n"),
              1)
        << "only at the start";
}

TEST_F(TraceToolTest, ShowOnAFreshWindow)
{
    EXPECT_EQ(Run("show\n"), 0);
    const std::string dots(81, '.');
    std::string cands;
    for (int s = 0; s < 81; ++s)
        cands += s == 0 ? "-" : " -";
    EXPECT_EQ(Out.str(), "grid " + dots + "\ngivens " + dots + "\nsquares " + std::string(81, 'V')
                             + "\ncands " + cands
                             + "\nstep 0 -1 0\nmarks 0 0 0\nframe0 0 0 0 0 0\nframe1 0 0 0 0 0\n"
                               "timer 0 100\nunique 0\nguessed 0\n");
}

TEST_F(TraceToolTest, NestedCommandPrintsItsStatusBeforeTheInterruptedOne)
{
    const std::string puzzle = PuzzleFromFile("hardest-11.txt", 2);
    EXPECT_EQ(Run("enter " + puzzle + "\nat 2 click Save\nclick Auto\n"), 0);
    EXPECT_EQ(Out.str(),
              "status [" + std::string(SetupText) + "]\nstatus []\nstatus [Auto mode suspended]\n");
}

TEST_F(TraceToolTest, MessageBoxPrintsADialogLine)
{
    Form.Host().MessageBox("Invalid type - something wrong");
    EXPECT_EQ(Out.str(), "dialog [Invalid type - something wrong]\n");
}

TEST_F(TraceToolTest, NestedAtSchedulesItsCommandOnALaterYield)
{
    const std::string puzzle = PuzzleFromFile("hardest-11.txt", 2);
    EXPECT_EQ(Run("enter " + puzzle + "\nat 1 at 1 click Save\nclick Auto\n"), 0);
    EXPECT_EQ(Platform.Yields, 2);
    EXPECT_EQ(Form.Controls().News(), "Auto mode suspended");
}

} // namespace
} // namespace quorix::testing

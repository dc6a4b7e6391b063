// The auto loop keeps what it knows about the board from cycle to cycle (struck, its candidate
// view, what each depth slot held). Whatever happens in its yields, a run must end as a run
// that works everything out afresh at every step: golden/auto_carry_meddled.expected holds
// the ends of these runs as recorded from a build whose loop was checked, run by run, against
// the loop written out plainly through the window's operations.
#include "test_support.h"
#include "tools/script.h"

#include <bit>
#include <fstream>
#include <sstream>

namespace quorix::testing {
namespace {

// Deterministic meddling at yield k: strikes by hand, a square emptied (which brings its
// candidates back), and depth slots saved over with the board of the moment, which the run
// restores later.
void Meddle(Form1 &form, long long k)
{
    const auto &bits = form.Controls().CandidateBits;
    const BoardState &board = form.Board();
    if (k % 9 == 2) {
        for (int s = 80; s >= 0; --s) {
            if (board.Grid[s] < 0 && std::popcount(static_cast<unsigned>(bits[s])) >= 2) {
                form.cmdEle_Click(static_cast<std::int16_t>(s * 9 + std::bit_width(bits[s]) - 1));
                break;
            }
        }
    } else if (k % 13 == 3) {
        for (int s = 80; s >= 0; --s) {
            if (board.Grid[s] >= 0 && board.Givens[s] < 0) {
                form.SetSquare(static_cast<std::int16_t>(s), Empty, true);
                break;
            }
        }
    } else if (k % 4 == 1 && form.Guesses().GuessDepth >= 0) {
        form.SaveSnapshot(form.Guesses().GuessDepth);
    }
}

// How a run ended: its status, the state block, and what else the search leaves behind.
std::string Solve(std::string_view puzzle, bool meddle)
{
    HeadlessPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    TypePuzzle(form, puzzle);
    if (meddle)
        platform.OnDoEvents = [&] { Meddle(form, platform.Yields); };
    form.RunAuto();
    const BoardState &board = form.Board();
    std::ostringstream out;
    out << "status " << form.Dispatch().LastAutoStatus << '\n'
        << FormatState(form) << "explanation [" << board.Explanation << "]\n"
        << "guess count " << form.Guesses().GuessCount << " depth " << form.Guesses().GuessDepth
        << '\n'
        << "cycles " << form.Stats().Cycles << " guesses " << form.Stats().Guesses << " yields "
        << platform.Yields << '\n';
    return out.str();
}

// The recorded ends, one block per run, each starting with its "run" line.
std::vector<std::string> RecordedRuns()
{
    const std::string path = QUORIX_TEST_DIR "/golden/auto_carry_meddled.expected";
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<std::string> runs;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("run "))
            runs.emplace_back();
        if (runs.empty())
            throw std::runtime_error(path + ": a line before the first run");
        runs.back() += line + '\n';
    }
    return runs;
}

TEST(AutoCarry, RunsEndAsTheyWereRecordedWhateverTheYieldsDo)
{
    const std::vector<std::string> recorded = RecordedRuns();
    std::size_t run = 0;
    for (const auto &[file, lines] : {std::pair{"hardest-11.txt", 11},
                                      {"hard-95.txt", 12},
                                      {"edge-invalid-17.txt", 17},
                                      {"multi-solution-1000.txt", 8}}) {
        for (int line = 1; line <= lines; ++line) {
            if (std::string_view(file) == "edge-invalid-17.txt" && line == 16)
                continue; // exhausts after some 170000 cycles: too long for a unit test
            const std::string puzzle = PuzzleFromFile(file, line);
            for (const bool meddle : {false, true}) {
                const std::string name = std::string("run ") + file + " line "
                                         + std::to_string(line)
                                         + (meddle ? " with meddling" : " left alone");
                ASSERT_LT(run, recorded.size()) << name << ": not recorded";
                EXPECT_EQ(name + '\n' + Solve(puzzle, meddle), recorded[run]);
                ++run;
            }
        }
    }
    EXPECT_EQ(run, recorded.size()) << "recorded runs left over";
}

} // namespace
} // namespace quorix::testing

// quorix-fuzz-tool: the event fuzzer's companion, built with any compiler.
//
//   quorix-fuzz-tool seeds <dir>            writes the seed corpus (one file per scenario)
//   quorix-fuzz-tool replay [-v] <path>...  runs files, or every file of a directory, through
//                                           the harness; -v lists each delivered event
//
// Replay is how a finding is reproduced and how the corpus runs as a regression test under
// the sanitizer build.
#include "fuzz/event_harness.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using quorix::fuzz::EventWriter;

namespace {

enum Command : int {
    Start = 0,
    Check = 1,
    Reset = 3,
    Auto = 4,
    Restart = 5,
    Next = 6,
    CheckUnique = 7,
    Save = 8,
    Restore = 9
};

// Indexes into BuiltInPuzzles.
enum Puzzle : int {
    Easy,
    OneLeft,
    Complete,
    Hard,
    LogicHard,
    Several,
    TwoSolutions,
    Sixteen,
    Duplicate,
    DuplicateRow,
    DeadSquare,
    NoPlace,
    NineGivens,
    SingleGiven
};

std::vector<std::pair<std::string, EventWriter>> Seeds()
{
    std::vector<std::pair<std::string, EventWriter>> seeds;
    auto add = [&](std::string name) -> EventWriter & {
        seeds.emplace_back(std::move(name), EventWriter());
        return seeds.back().second;
    };

    {
        // A real puzzle typed key by key, started and stepped through.
        auto &w = add("type_start_next20");
        w.Type(quorix::fuzz::BuiltInPuzzles[Easy]).Command(Start);
        for (int i = 0; i < 20; ++i)
            w.Command(Next);
        w.Command(Check);
    }
    add("auto_save_at_third_yield")
        .Enter(Hard)
        .Command(Start)
        .At(3)
        .Command(Save)
        .Command(Auto)
        .Command(Restore)
        .Command(Auto)
        .Command(CheckUnique);
    add("check_unique_unique").Enter(Hard).Command(Auto).Command(CheckUnique).Command(CheckUnique);
    add("check_unique_several").Enter(Several).Command(Auto).Command(CheckUnique).Command(Check);
    add("check_unique_two").Enter(TwoSolutions).Command(Auto).Command(CheckUnique);
    add("check_unique_stopped")
        .Enter(Several)
        .Command(Auto)
        .At(2)
        .Command(Save)
        .Command(CheckUnique);
    add("reset_mid_run")
        .Enter(Hard)
        .At(2)
        .Command(Reset)
        .Command(Auto)
        .Command(Check)
        .Command(Next);
    add("nested_auto")
        .Enter(Hard)
        .At(1)
        .Command(Auto)
        .At(4)
        .Command(Auto)
        .Command(Auto)
        .Command(CheckUnique);
    add("restore_before_save")
        .Command(Restore)
        .Enter(Easy)
        .Command(Restore)
        .Command(Start)
        .Command(Save)
        .Command(Restore)
        .Command(Next);
    add("save_restore_setup_and_solving")
        .Enter(Hard)
        .Command(Save)
        .Command(Restore)
        .Command(Start)
        .CandidateOf(1, 0)
        .Command(Save)
        .Command(Restore)
        .Command(Check);
    add("broken_puzzles")
        .Enter(Duplicate)
        .Command(Check)
        .Command(Next)
        .Command(Auto)
        .Command(Reset)
        .Enter(DuplicateRow)
        .Command(Next)
        .Command(Next)
        .Command(Auto)
        .Command(Reset)
        .Enter(DeadSquare)
        .Command(Next)
        .Command(Auto)
        .Command(Check)
        .Command(Reset)
        .Enter(NoPlace)
        .Command(Auto)
        .Command(Next)
        .Command(Check);
    add("too_few")
        .Enter(NineGivens)
        .Command(Auto)
        .Command(Next)
        .Command(Check)
        .Command(Reset)
        .Enter(SingleGiven)
        .Command(Start)
        .Command(Auto)
        .Command(Check);
    add("complete_and_one_left")
        .Enter(Complete)
        .Command(Check)
        .Command(Next)
        .Command(Auto)
        .Command(CheckUnique)
        .Command(Reset)
        .Enter(OneLeft)
        .Command(Next)
        .Command(Next)
        .Command(Next);
    {
        // Hand entry: click cycles, stray keys, strikes, digit buttons and the blink timer.
        auto &w = add("manual_session");
        for (int i = 0; i < 10; ++i)
            w.Square(0);
        w.Square(1).Square(1).Key(2, 'a').Key(2, '\0').Key(3, '\xff').Key(80, '7').Key(79, '0');
        w.Enter(Easy).Command(Start).Command(Next).Tick().Tick().Number(3).Number(8);
        w.Candidate(728)
            .Candidate(0)
            .CandidateOf(40, 2)
            .Square(2)
            .Key(4, '9')
            .Command(Next)
            .Command(Check)
            .Tick();
    }
    add("board_changed_under_auto")
        .Enter(Hard)
        .At(1)
        .Square(0)
        .At(2)
        .Key(4, '0')
        .At(2)
        .Number(4)
        .At(3)
        .CandidateOf(10, 0)
        .At(5)
        .Command(Restart)
        .Command(Auto)
        .Command(Next);
    // A blanked given leaves an empty square in setup form: the run finds nothing to do and
    // keeps cycling until a click stops it.
    add("endless_cycle_stopped")
        .Enter(Easy)
        .Command(Start)
        .At(1)
        .Key(2, '0')
        .Command(Auto)
        .Command(Check)
        .Key(2, '3')
        .Command(Auto);
    add("many_solutions").Enter(Sixteen).Command(Auto).Command(CheckUnique).Command(Next);
    add("logic_only")
        .Enter(LogicHard)
        .Command(Start)
        .Command(Next)
        .Command(Next)
        .Command(Auto)
        .Command(CheckUnique);
    add("digit_buttons_then_next")
        .Enter(Easy)
        .Command(Start)
        .Number(0)
        .Number(1)
        .Number(2)
        .Number(3)
        .Number(4)
        .Number(5)
        .Number(6)
        .Number(7)
        .Number(8)
        .Command(Next)
        .Command(Next)
        .Command(Auto);
    return seeds;
}

int WriteSeeds(const fs::path &dir)
{
    fs::create_directories(dir);
    for (const auto &[name, writer] : Seeds()) {
        std::ofstream out(dir / name, std::ios::binary);
        const auto &bytes = writer.Bytes();
        out.write(reinterpret_cast<const char *>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "cannot write " << (dir / name) << '\n';
            return 1;
        }
    }
    std::cout << "wrote " << Seeds().size() << " seeds to " << dir << '\n';
    return 0;
}

int Replay(const std::vector<std::string> &paths, bool verbose)
{
    std::vector<fs::path> files;
    for (const auto &path : paths) {
        if (fs::is_directory(path)) {
            for (const auto &entry : fs::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        } else {
            files.emplace_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    quorix::fuzz::HarnessOptions options;
    if (verbose)
        options.Log = [](std::string_view line) { std::cout << line << '\n'; };
    quorix::fuzz::RunStats stats;
    for (const auto &file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        if (verbose)
            std::cout << "== " << file.string() << '\n';
        quorix::fuzz::RunInput(bytes, options, stats);
    }
    std::cout << files.size() << " inputs, " << stats.Events << " events, " << stats.Yields
              << " yields, " << stats.StopClicks << " stop clicks: no invariant broken\n";
    return files.empty() ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "seeds")
        return WriteSeeds(args[1]);
    if (!args.empty() && args[0] == "replay") {
        bool verbose = false;
        std::vector<std::string> paths;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "-v")
                verbose = true;
            else
                paths.push_back(args[i]);
        }
        return Replay(paths, verbose);
    }
    std::cerr << "usage: quorix-fuzz-tool seeds <dir> | replay [-v] <file or dir>...\n";
    return 2;
}

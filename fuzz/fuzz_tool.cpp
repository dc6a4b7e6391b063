// quorix-fuzz-tool: the event fuzzer's companion, built with any compiler.
//
//   quorix-fuzz-tool seeds <dir>            writes the seed corpus (one file per scenario)
//   quorix-fuzz-tool replay [-v] <path>...  runs files, or every file of a directory, through
//                                           the harness; -v lists each delivered event
//
// Replay is how a finding is reproduced and how the corpus runs as a regression test under
// the sanitizer build.
#include "fuzz/event_harness.h"
#include "window/form1.h"

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
        w.Type(quorix::fuzz::BuiltInPuzzles[Easy]).Command(quorix::ModeStart);
        for (int i = 0; i < 20; ++i)
            w.Command(quorix::ModeNext);
        w.Command(quorix::ModeCheck);
    }
    add("auto_save_at_third_yield")
        .Enter(Hard)
        .Command(quorix::ModeStart)
        .At(3)
        .Command(quorix::ModeSave)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeRestore)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheckUnique);
    add("check_unique_unique").Enter(Hard).Command(quorix::ModeAuto).Command(quorix::ModeCheckUnique).Command(quorix::ModeCheckUnique);
    add("check_unique_several").Enter(Several).Command(quorix::ModeAuto).Command(quorix::ModeCheckUnique).Command(quorix::ModeCheck);
    add("check_unique_two").Enter(TwoSolutions).Command(quorix::ModeAuto).Command(quorix::ModeCheckUnique);
    add("check_unique_stopped")
        .Enter(Several)
        .Command(quorix::ModeAuto)
        .At(2)
        .Command(quorix::ModeSave)
        .Command(quorix::ModeCheckUnique);
    add("reset_mid_run")
        .Enter(Hard)
        .At(2)
        .Command(quorix::ModeReset)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheck)
        .Command(quorix::ModeNext);
    add("nested_auto")
        .Enter(Hard)
        .At(1)
        .Command(quorix::ModeAuto)
        .At(4)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheckUnique);
    add("restore_before_save")
        .Command(quorix::ModeRestore)
        .Enter(Easy)
        .Command(quorix::ModeRestore)
        .Command(quorix::ModeStart)
        .Command(quorix::ModeSave)
        .Command(quorix::ModeRestore)
        .Command(quorix::ModeNext);
    add("save_restore_setup_and_solving")
        .Enter(Hard)
        .Command(quorix::ModeSave)
        .Command(quorix::ModeRestore)
        .Command(quorix::ModeStart)
        .CandidateOf(1, 0)
        .Command(quorix::ModeSave)
        .Command(quorix::ModeRestore)
        .Command(quorix::ModeCheck);
    add("broken_puzzles")
        .Enter(Duplicate)
        .Command(quorix::ModeCheck)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeReset)
        .Enter(DuplicateRow)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeReset)
        .Enter(DeadSquare)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheck)
        .Command(quorix::ModeReset)
        .Enter(NoPlace)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeCheck);
    add("too_few")
        .Enter(NineGivens)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeCheck)
        .Command(quorix::ModeReset)
        .Enter(SingleGiven)
        .Command(quorix::ModeStart)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheck);
    add("complete_and_one_left")
        .Enter(Complete)
        .Command(quorix::ModeCheck)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheckUnique)
        .Command(quorix::ModeReset)
        .Enter(OneLeft)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeNext);
    {
        // Hand entry: click cycles, stray keys, strikes, digit buttons and the blink timer.
        auto &w = add("manual_session");
        for (int i = 0; i < 10; ++i)
            w.Square(0);
        w.Square(1).Square(1).Key(2, 'a').Key(2, '\0').Key(3, '\xff').Key(80, '7').Key(79, '0');
        w.Enter(Easy).Command(quorix::ModeStart).Command(quorix::ModeNext).Tick().Tick().Number(3).Number(8);
        w.Candidate(728)
            .Candidate(0)
            .CandidateOf(40, 2)
            .Square(2)
            .Key(4, '9')
            .Command(quorix::ModeNext)
            .Command(quorix::ModeCheck)
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
        .Command(quorix::ModeRestart)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeNext);
    // A blanked given leaves an empty square in setup form: the run finds nothing to do and
    // keeps cycling until a click stops it.
    add("endless_cycle_stopped")
        .Enter(Easy)
        .Command(quorix::ModeStart)
        .At(1)
        .Key(2, '0')
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheck)
        .Key(2, '3')
        .Command(quorix::ModeAuto);
    add("many_solutions").Enter(Sixteen).Command(quorix::ModeAuto).Command(quorix::ModeCheckUnique).Command(quorix::ModeNext);
    add("logic_only")
        .Enter(LogicHard)
        .Command(quorix::ModeStart)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto)
        .Command(quorix::ModeCheckUnique);
    add("digit_buttons_then_next")
        .Enter(Easy)
        .Command(quorix::ModeStart)
        .Number(0)
        .Number(1)
        .Number(2)
        .Number(3)
        .Number(4)
        .Number(5)
        .Number(6)
        .Number(7)
        .Number(8)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeNext)
        .Command(quorix::ModeAuto);
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

// quorix-fuzz-tool: the event fuzzer's companion, built with any compiler.
//
//   quorix-fuzz-tool seeds <dir>            writes the seed corpus (one file per scenario)
//   quorix-fuzz-tool check-seeds <dir>      checks that <dir> holds every seed byte for byte
//   quorix-fuzz-tool replay [-v] <path>...  runs files, or every file of a directory, through
//                                           the harness; -v lists each delivered event
//
// Replay is how a finding is reproduced and how the corpus runs as a regression test under
// the sanitizer build. Exit status: 0 done; 1 no input to replay, or a seed missing or
// different; 2 bad usage, or a file or folder that cannot be read or written. A broken
// invariant aborts.
#include "fuzz/event_harness.h"
#include "fuzz/seed_corpus.h"
#include "tools/tool_support.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <ios>
#include <iostream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Tool = "quorix-fuzz-tool";

std::string Quoted(const fs::path &path)
{
    return quorix::QuoteForMessage(path.string(), 200);
}

// The whole file; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    try {
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (in.bad())
            return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure &) { // a read error, e.g. on a directory
        return std::nullopt;
    }
}

int WriteSeeds(const fs::path &dir)
{
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) {
        std::cerr << Tool << ": cannot create folder " << Quoted(dir) << ": " << error.message()
                  << '\n';
        return 2;
    }
    const auto seeds = quorix::fuzz::SeedCorpus();
    for (const auto &seed : seeds) {
        const fs::path file = dir / seed.Name;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char *>(seed.Bytes.data()),
                  static_cast<std::streamsize>(seed.Bytes.size()));
        out.close();
        if (!out) {
            std::cerr << Tool << ": cannot write " << Quoted(file) << '\n';
            return 2;
        }
    }
    std::cout << "wrote " << seeds.size() << " seeds to " << dir << '\n';
    return 0;
}

std::string FirstDifference(const std::vector<std::uint8_t> &found,
                            const std::vector<std::uint8_t> &seed)
{
    const auto where = std::mismatch(found.begin(), found.end(), seed.begin(), seed.end());
    return "first difference at byte " + std::to_string(where.first - found.begin())
           + " (the file has " + std::to_string(found.size()) + " bytes, the seed "
           + std::to_string(seed.size()) + ")";
}

// Extra files in `dir` (findings) are fine; only the seeds must be there as written.
int CheckSeeds(const fs::path &dir)
{
    std::error_code error;
    if (!fs::is_directory(dir, error)) {
        std::cerr << Tool << ": not a folder: " << Quoted(dir) << '\n';
        return 2;
    }
    const auto seeds = quorix::fuzz::SeedCorpus();
    std::set<std::string_view> names;
    for (const auto &seed : seeds) {
        if (!names.insert(seed.Name).second) {
            std::cerr << Tool << ": two seeds are named " << seed.Name << '\n';
            return 1;
        }
        const fs::path file = dir / seed.Name;
        const auto bytes = ReadFile(file);
        if (!bytes) {
            std::error_code missing;
            std::cerr << Tool << ": seed " << seed.Name
                      << (fs::exists(file, missing) ? " cannot be read: " : " is missing: ")
                      << Quoted(file) << '\n';
            return 1;
        }
        if (*bytes != seed.Bytes) {
            std::cerr << Tool << ": seed " << seed.Name << " differs from " << Quoted(file) << ": "
                      << FirstDifference(*bytes, seed.Bytes) << '\n';
            return 1;
        }
    }
    std::cout << seeds.size() << " seeds match " << dir << '\n';
    return 0;
}

// The files named and the regular files of the folders named, in path order; nothing when a
// path does not exist or a folder cannot be listed, which is said on stderr.
std::optional<std::vector<fs::path>> CollectInputs(const std::vector<std::string> &paths)
{
    std::vector<fs::path> files;
    for (const auto &path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status)) {
            std::cerr << Tool << ": cannot read " << Quoted(path) << ": "
                      << (error ? error.message() : "no such file or folder") << '\n';
            return std::nullopt;
        }
        if (!fs::is_directory(status)) {
            files.emplace_back(path);
            continue;
        }
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
            if (it->is_regular_file(error))
                files.push_back(it->path());
        if (error) {
            std::cerr << Tool << ": cannot list " << Quoted(path) << ": " << error.message()
                      << '\n';
            return std::nullopt;
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

int Replay(const std::vector<std::string> &paths, bool verbose)
{
    const auto files = CollectInputs(paths);
    if (!files)
        return 2;
    quorix::fuzz::HarnessOptions options;
    if (verbose)
        options.Log = [](std::string_view line) { std::cout << line << '\n'; };
    quorix::fuzz::RunStats stats;
    for (const auto &file : *files) {
        const auto bytes = ReadFile(file);
        if (!bytes) {
            std::cerr << Tool << ": cannot read " << Quoted(file) << '\n';
            return 2;
        }
        if (verbose)
            std::cout << "== " << file.string() << '\n';
        quorix::fuzz::RunInput(*bytes, options, stats);
    }
    std::cout << files->size() << " inputs, " << stats.Events << " events, " << stats.Yields
              << " yields, " << stats.StopClicks << " stop clicks, " << stats.Pastes
              << " pastes: no invariant broken\n";
    return files->empty() ? 1 : 0;
}

int Run(const std::vector<std::string> &args)
{
    if (args.size() == 2 && args[0] == "seeds")
        return WriteSeeds(args[1]);
    if (args.size() == 2 && args[0] == "check-seeds")
        return CheckSeeds(args[1]);
    if (!args.empty() && args[0] == "replay") {
        bool verbose = false;
        std::vector<std::string> paths;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "-v")
                verbose = true;
            else
                paths.push_back(args[i]);
        }
        if (!paths.empty())
            return Replay(paths, verbose);
    }
    std::cerr << "usage: " << Tool
              << " seeds <dir> | check-seeds <dir> | replay [-v] <file or dir>...\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    const int status = Run(std::vector<std::string>(argv + 1, argv + argc));
    return quorix::FinishStandardOutput(Tool) ? status : 2;
}

// The seed corpus: short scenarios that take the fuzzer straight to the states worth mutating
// (auto runs with events inside their yields, Save and Restore, Check Unique, broken puzzles,
// hand entry). The files in fuzz/corpus under these names are exactly what this writes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorix::fuzz {

struct SeedFile
{
    std::string_view Name;
    std::vector<std::uint8_t> Bytes;
};

// Every seed, in a fixed order; names are unique.
[[nodiscard]] std::vector<SeedFile> SeedCorpus();

} // namespace quorix::fuzz

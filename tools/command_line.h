// The window program's command line: quorix [--digits | --no-digits] [PUZZLE | FILE [LINE]],
// --help, --version.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorix {

struct AppRequest
{
    enum class Kind { Open, Help, Version, Error };
    Kind What = Kind::Open;
    // For Open: the text to paste into the window at start (empty: none). For Help and
    // Version: what to print. For Error: the one-line reason.
    std::string Text;
    // For Error: the reason is the puzzle, file or line named, which cannot be opened; the
    // window opens all the same, with an empty board, and says why (someone who started it
    // from a file manager sees no terminal). Otherwise the arguments themselves are wrong.
    bool OpenEmpty = false;
    // --digits or --no-digits: draw the candidates' digits, or not (otherwise as last time).
    std::optional<bool> CandidateDigits;
};

// Reads the arguments after the program's name. PUZZLE is a puzzle in any form Paste reads
// for one line; FILE holds one puzzle a line, and LINE (from 1, default: the first puzzle in
// the file) picks one. An argument that names an existing file is read as FILE.
[[nodiscard]] AppRequest ReadCommandLine(const std::vector<std::string> &arguments);

// The usage text of --help.
[[nodiscard]] std::string AppUsage();

} // namespace quorix

// Text read a line at a time within bounds, for every reader of puzzles and scripts: however
// long a line is, only its start is held, and input that never breaks its line (a device, a
// binary file) or runs past a limit stops the reading instead of filling memory or running on
// for ever. One rule for what is no line to read: blank lines, and comment lines, whose first
// character other than whitespace is '#'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace quorix {

// The longest line read as it is: no way of writing a puzzle or a script command on one line
// comes near it. Of a longer line, one character more than this is held.
inline constexpr std::size_t MaxPuzzleLineLength = 4096;
// Input with no line break within this many characters is no text: reading stops there.
inline constexpr std::uint64_t MaxUnbrokenLength = std::uint64_t{1} << 20;
// The most the window reads of a file for a paste (a dropped file).
inline constexpr std::uint64_t MaxPuzzleFileSize = std::uint64_t{8} << 20;

struct PuzzleLine
{
    int Number = 0;   // from 1, counting every line
    std::string Text; // without its line end; when TooLong(), only its start
    // The whole line's length, its line end (and a byte-order mark) aside.
    std::uint64_t Length = 0;

    [[nodiscard]] bool TooLong() const { return Length > MaxPuzzleLineLength; }
};

// Reads lines off a stream's buffer, character by character, so that a line typed at a terminal
// is handed on as soon as it is complete; like a formatted read, it flushes the stream tied to
// the input (standard output, for standard input) before each line. A UTF-8 byte-order mark at the
// start of the input and a carriage return at the end of a line are not part of the text.
class BoundedLineReader
{
public:
    enum class Stop {
        None,     // still reading
        End,      // the input ended
        Unbroken, // a line ran past MaxUnbrokenLength
        TooLarge, // the input ran past the size limit
        Failed,   // the stream reported a read error
    };

    // Reads `in`, and at most `sizeLimit` bytes of it (0: no limit). `in` must outlive the reader.
    explicit BoundedLineReader(std::istream &in, std::uint64_t sizeLimit = 0);

    // The next line, whatever it holds; false once reading has stopped (see Stopped).
    bool NextLine(PuzzleLine &line);
    // The next line that is neither blank nor a comment.
    bool Next(PuzzleLine &line);
    // Whether the line read last is blank or a comment, which only its start may not show.
    [[nodiscard]] bool LineSkipped() const { return LastSkipped; }

    [[nodiscard]] Stop Stopped() const { return Stopping; }
    // Why reading stopped short: "line 3 has no line break within 1 MiB", "the file is larger
    // than 8 MiB", "reading failed after line 3"; empty while reading and at the end.
    [[nodiscard]] std::string StopReason() const;

private:
    bool ReadLine(PuzzleLine &line);

    std::istream &In;
    std::uint64_t SizeLimit;
    std::uint64_t Consumed = 0;
    int Lines = 0;
    Stop Stopping = Stop::None;
    bool LastSkipped = false;
};

// The text of a file to paste: its lines as they are, with the lines a paste skips anyway left
// blank and the numbering kept. False with the reason when the file cannot be a puzzle to
// paste: a line too long for one ("line 3 is too long: 5000 characters"), more than
// MaxPuzzleFileSize bytes, no line break, a read error.
[[nodiscard]] bool ReadPuzzleFileText(std::istream &in, std::string &text, std::string &reason);

} // namespace quorix

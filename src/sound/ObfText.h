#pragma once
// Compiled record files: text lines stored as length-prefixed records, padded and scrambled so
// the file does not read as text. TObfText reads one back; Compile writes one from a text file.
// The scrambling takes no key: the file's own blocks are its only input.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// Decides whether a source line is kept, and may change it.
using TLineFilter = std::function<bool(std::string& line)>;

// Reads one text line byte by byte: a line feed ends it and is dropped, a tab becomes a space,
// the other bytes 0 to 31 and 127 to 159 are dropped, and at most MaxTextLine bytes are kept.
// A last line without a line feed is returned as well; nothing is returned only when the stream
// has no byte left.
std::optional<std::string> ReadTextLine(std::istream& stream);
inline constexpr std::size_t MaxTextLine = 255;

class TObfText {
  public:
    // Reads and unscrambles the whole file; a missing file reads as empty. Throws
    // std::filesystem::filesystem_error when something else of that name cannot be read.
    explicit TObfText(const std::string& fileName);
    // Unscrambles bytes of a compiled file.
    explicit TObfText(std::vector<std::uint8_t> bytes);

    // The next record. At the end, or at a length byte of 255 (which is not passed), the line is
    // empty.
    std::string ReadLine();
    bool AtEnd() const { return Position >= Data.size(); }
    std::size_t GetPosition() const { return Position; }

    // Compiles the text file source into target, which is replaced whole or not at all; throws
    // std::filesystem::filesystem_error when the source cannot be read or the target cannot be
    // written. Without a filter, lines are trimmed and empty ones skipped; a record keeps at most
    // 254 bytes of its line.
    static void Compile(const std::string& source, const std::string& target,
                        const TLineFilter& filter = {});
    // The compiled, scrambled bytes of a text.
    static std::vector<std::uint8_t> CompileText(std::istream& source,
                                                 const TLineFilter& filter = {});

  private:
    std::vector<std::uint8_t> Data;
    std::size_t Position = 0;
};

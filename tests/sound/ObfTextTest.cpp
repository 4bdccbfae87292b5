// Compiled record files: reading text lines, the exact scrambled bytes, and reading back (the
// sound table's tests compile and read whole files).

#include "sound/ObfText.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {
std::vector<std::uint8_t> Compiled(const std::string& text) {
    std::istringstream source(text);
    return TObfText::CompileText(source);
}
} // namespace

TEST(ObfText, ReadTextLineKeepsPrintableBytesAndTheLastLine) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"\n", {""}},
        {"one\r\ntwo\n", {"one", "two"}},
        {"a\tb", {"a b"}}, // the last line has no line break and is kept
        {std::string("\x01x\x7f\x80\x9fy\xa0\xff\0z\n", 11), {"xy\xa0\xffz"}},
        {std::string(300, 'a') + "\nb", {std::string(255, 'a'), "b"}},
    };
    for (const auto& [bytes, expected] : cases) {
        std::istringstream stream(bytes);
        std::vector<std::string> lines;
        while (std::optional<std::string> line = ReadTextLine(stream)) {
            lines.push_back(*line);
        }
        EXPECT_EQ(lines, expected) << bytes;
    }
}

TEST(ObfText, CompiledBytesArePaddedAndScrambledExactly) {
    // 10 record bytes get 2 zero bytes: blocks of 3, each XORed with the next, the last with the
    // new first.
    EXPECT_EQ(Compiled("abcd\n  efgh  \n\n   \n"),
              (std::vector<std::uint8_t>{0x67, 0x05, 0x66, 0x06, 0x02, 0x63, 0x0D, 0x66, 0x67, 0x0F,
                                         0x05, 0x66}));
    // 12 record bytes get 4; nothing at all still gives one block of padding.
    EXPECT_EQ(std::pair(Compiled("abcde\nfghij\n").size(), Compiled("").size()),
              std::pair(std::size_t{16}, std::size_t{4}));
}

// Large tables are scrambled in more than four blocks, and sizes where padding would change the
// block count still read back.
TEST(ObfText, LargeTablesReadBack) {
    for (const std::size_t total :
         {std::size_t{261119}, std::size_t{261120}, std::size_t{326402}, std::size_t{700000}}) {
        // Records of 100 bytes and one with the rest.
        std::string text;
        std::vector<std::string> lines;
        for (std::size_t written = 0; written < total; written += lines.back().size() + 1) {
            std::string line = "line" + std::to_string(lines.size());
            line.resize(std::min<std::size_t>(99, total - written - 1), 'x');
            lines.push_back(line);
            text += line + "\n";
        }
        // Every record up to the end, but the empty ones of the padding.
        TObfText read(Compiled(text));
        std::vector<std::string> records;
        while (!read.AtEnd()) {
            records.push_back(read.ReadLine());
        }
        while (!records.empty() && records.back().empty()) {
            records.pop_back();
        }
        EXPECT_EQ(records, lines) << total << " record bytes";
    }
}

TEST(ObfText, ReadLineStopsAtLength255AndUnscramblesOnlyWholeBlocks) {
    // Five bytes do not divide into four blocks, so they are taken as they are.
    TObfText text(std::vector<std::uint8_t>{2, 'h', 'i', 255, 'x'});
    EXPECT_EQ((std::vector<std::string>{text.ReadLine(), text.ReadLine()}),
              (std::vector<std::string>{"hi", ""}));
    EXPECT_EQ(text.GetPosition(), 3U) << "a length of 255 is not passed";
    EXPECT_FALSE(text.AtEnd());

    // A record longer than what is left gives what is left.
    TObfText cut(std::vector<std::uint8_t>{9, 'a', 'b'});
    EXPECT_EQ(cut.ReadLine(), "ab");
    EXPECT_TRUE(cut.AtEnd());
}

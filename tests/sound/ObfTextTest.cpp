// Compiled record files: the exact scrambled bytes and reading back (the sound table's tests
// compile and read whole files, and how text lines are read).

#include "sound/ObfText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

TEST(ObfText, CompiledBytesArePaddedScrambledExactlyAndReadBack) {
    const auto Compiled = [](const std::string& text) {
        std::istringstream source(text);
        return TObfText::CompileText(source);
    };
    // 10 record bytes get 2 zero bytes: blocks of 3, each XORed with the next, the last with the
    // new first. 12 record bytes get 4; nothing at all still gives one block of padding.
    EXPECT_EQ(Compiled("abcd\n  efgh  \n\n   \n"),
              (std::vector<std::uint8_t>{0x67, 0x05, 0x66, 0x06, 0x02, 0x63, 0x0D, 0x66, 0x67, 0x0F,
                                         0x05, 0x66}));
    EXPECT_EQ(std::pair(Compiled("abcde\nfghij\n").size(), Compiled("").size()),
              std::pair(std::size_t{16}, std::size_t{4}));
    TObfText longLine(Compiled(std::string(255, 'x') + "\nafter\n"));
    EXPECT_EQ(longLine.ReadLine(), std::string(254, 'x'));
    EXPECT_EQ(longLine.ReadLine(), "after") << "a length byte of 255 would end the table";

    // Large tables are scrambled in more than four blocks, and sizes where padding would change
    // the block count still read back: records of 100 bytes and one with the rest.
    for (const std::size_t total : {261119U, 261120U, 326402U, 700000U}) {
        std::string text;
        for (int n = 0; text.size() < total; ++n) {
            const std::string line = "line" + std::to_string(n) + std::string(99, 'x');
            text += line.substr(0, std::min<std::size_t>(99, total - text.size() - 1)) + "\n";
        }
        TObfText read(Compiled(text));
        std::string back;
        while (!read.AtEnd()) {
            back += read.ReadLine() + "\n";
        }
        EXPECT_EQ(back.substr(0, text.size()), text) << total << " record bytes";
        EXPECT_EQ(back.find_first_not_of('\n', text.size()), std::string::npos) << "padding only";
    }
}

TEST(ObfText, ReadLineStopsAtLength255AndUnscramblesOnlyWholeBlocks) {
    // Five bytes do not divide into four blocks, so they are taken as they are; a length of 255
    // is not passed; a record longer than what is left gives what is left.
    TObfText text(std::vector<std::uint8_t>{2, 'h', 'i', 255, 'x'});
    TObfText cut(std::vector<std::uint8_t>{9, 'a', 'b'});
    EXPECT_EQ((std::tuple<std::string, std::string, std::size_t, bool, std::string, bool>{
                  text.ReadLine(), text.ReadLine(), text.GetPosition(), text.AtEnd(),
                  cut.ReadLine(), cut.AtEnd()}),
              std::tuple("hi", "", 3U, false, "ab", true));
}

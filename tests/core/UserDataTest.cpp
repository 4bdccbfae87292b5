// The data files of a system installation: each user reads their own copy of a file when there
// is one and the shipped file otherwise, and saves only their copy.

#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {
namespace fs = std::filesystem;

constexpr char Words[] = "cat\r\ncot\r\ndog\r\n";
constexpr char OnePuzzle[] = "cat\r\ncot\r\nc\r\n\r\n";
constexpr char TwoPuzzles[] = "cat\r\ncot\r\nc\r\n\r\ncot\r\ncat\r\nc\r\n\r\n";

TEST(UserData, ReadTheUsersCopyOrTheShippedFileAndSaveOnlyTheCopy) {
    TempFolder temp;
    const std::string shipped = temp.MakeFolder("usr/dat");
    temp.Write("usr/dat/vocab.txt", Words);
    temp.Write("usr/dat/puzzle.txt", OnePuzzle);
    const fs::path ann = temp / "ann/.local/share/Ladderly";
    const fs::path bob = temp / "bob/.local/share/Ladderly";
    FakeUserInterface ui; // answers Yes to saving

    TPuzzleCore annCore(shipped, ann);
    annCore.LoadGameData();
    EXPECT_EQ(annCore.PuzzleCount, 1);
    annCore.AddVocabularyWord("cog");
    annCore.SaveVocabulary(); // makes the user's folder
    EXPECT_TRUE(annCore.LoadVocabulary()) << "the file to read is now the user's copy";
    EXPECT_TRUE(annCore.IsInVocabulary("cog"));
    for (int save = 0; save < 2; ++save) {
        annCore.LoadPuzzles();
        annCore.PuzzlesModified = true;
        annCore.SavePuzzles();
    }
    EXPECT_EQ(temp.Read("ann/.local/share/Ladderly/puzzle.txt"), OnePuzzle);
    EXPECT_EQ(temp.Read("ann/.local/share/Ladderly/puzzle.bak"), OnePuzzle);
    EXPECT_EQ(temp.Read("usr/dat/vocab.txt"), Words);
    EXPECT_EQ(temp.Read("usr/dat/puzzle.txt"), OnePuzzle);
    EXPECT_FALSE(fs::exists(temp / "usr/dat/puzzle.bak") || fs::exists(temp / "usr/dat/vocab.bak"));

    // An upgrade ships more puzzles: a user who never saved any gets them, Ann keeps her own.
    temp.Write("usr/dat/puzzle.txt", TwoPuzzles);
    TPuzzleCore bobCore(shipped, bob);
    bobCore.LoadGameData();
    EXPECT_FALSE(bobCore.IsInVocabulary("cog"));
    EXPECT_EQ(bobCore.PuzzleCount, 2);
    TPuzzleCore annAgain(shipped, ann);
    annAgain.LoadGameData();
    EXPECT_EQ(annAgain.PuzzleCount, 1);

    // A copy that appears while the game runs is read even when it is older than the shipped
    // file; one that goes sends the game back to the shipped file.
    temp.Write("bob/.local/share/Ladderly/vocab.txt", "bob\r\n");
    fs::last_write_time(bob / "vocab.txt",
                        fs::last_write_time(temp / "usr/dat/vocab.txt") - std::chrono::hours(1));
    EXPECT_TRUE(bobCore.LoadVocabulary());
    EXPECT_EQ(bobCore.Vocabulary, std::vector<std::string>{"bob"});
    EXPECT_FALSE(bobCore.LoadVocabulary());
    fs::remove(bob / "vocab.txt");
    EXPECT_TRUE(bobCore.LoadVocabulary());
    EXPECT_TRUE(bobCore.IsInVocabulary("dog"));
}
} // namespace

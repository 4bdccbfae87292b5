#include "core/PuzzleCore.h"

#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>

using Lines = std::vector<std::string>;
using namespace std::literals;
namespace fs = std::filesystem;

// Blank lines go, a word keeps its first spelling, the list is sorted; the file is read again
// only when its time is later than at the last load, and a file gone keeps the list. (The line
// ends are the text file's.)
TEST(VocabularyStore, LoadsWhenNewer) {
    TempFolder folder;
    TPuzzleCore core(folder.Path());
    EXPECT_FALSE(core.LoadVocabulary() || core.VocabFileDate) << "missing file";
    folder.Write("vocab.txt", "Cat\r\ndog\r\n\r\n  \t\r\n cat\r\nCAT\r\ndogsleds\r\nx-ray\r\n");
    ASSERT_TRUE(core.LoadVocabulary());
    const Lines loaded = {" cat", "Cat", "dog", "dogsleds", "x-ray"};
    EXPECT_TRUE(core.Vocabulary == loaded && core.IsInVocabulary("CAT"));
    core.AddVocabularyWord("Zoo");
    core.AddVocabularyWord("CAT");
    EXPECT_EQ(core.Vocabulary.size(), loaded.size() + 1) << "one spelling of a word";
    EXPECT_FALSE(core.LoadVocabulary()) << "same time";
    fs::last_write_time(folder / "vocab.txt", fs::last_write_time(folder / "vocab.txt") + 20s);
    EXPECT_TRUE(core.LoadVocabulary() && core.Vocabulary == loaded) << "newer: additions go";
    fs::remove(folder / "vocab.txt");
    EXPECT_TRUE(!core.LoadVocabulary() && core.Vocabulary == loaded) << "file gone: the list stays";
}

// A folder or a FIFO of the vocabulary's name is not read (and does not block), and a save
// refuses to replace it, naming it and leaving it and the backup alone.
TEST(VocabularyStore, OddFilesAreLeftAlone) {
    for (const bool fifo : {false, true}) {
        TempFolder folder;
        folder.Write("vocab.bak", "kept\r\n");
        const fs::path file = folder / "vocab.txt";
        if (fifo) {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else {
            fs::create_directory(file);
        }
        TPuzzleCore core(folder.Path());
        EXPECT_FALSE(core.LoadVocabulary()) << fifo;
        core.AddVocabularyWord("dog");
        try {
            core.SaveVocabulary();
            ADD_FAILURE() << fifo << ": saved over it";
        } catch (const fs::filesystem_error& e) {
            EXPECT_EQ(e.path1(), file);
            EXPECT_NE(std::string(e.what()).find("could not be read"), std::string::npos);
        }
        EXPECT_EQ(fs::status(file).type(), fifo ? fs::file_type::fifo : fs::file_type::directory);
        EXPECT_EQ(folder.Read("vocab.bak"), "kept\r\n") << fifo;
    }
}

// Each user of a system installation reads their own copy of a file when there is one and the
// shipped file otherwise, and saves only their copy.
constexpr char Words[] = "cat\r\ncot\r\ndog\r\n";
constexpr char OnePuzzle[] = "cat\r\ncot\r\nc\r\n\r\n";
constexpr char TwoPuzzles[] = "cat\r\ncot\r\nc\r\n\r\ncot\r\ncat\r\nc\r\n\r\n";

TEST(UserData, ReadTheUsersCopyOrTheShippedFileAndSaveOnlyTheCopy) {
    TempFolder temp;
    const std::string shipped = temp.MakeFolder("usr");
    temp.Write("usr/vocab.txt", Words);
    temp.Write("usr/puzzle.txt", OnePuzzle);
    const fs::path ann = temp / "ann";
    const fs::path bob = temp / "bob";
    FakeUserInterface ui; // answers Yes to saving
    TPuzzleCore annCore(shipped, ann);
    annCore.LoadGameData();
    annCore.AddVocabularyWord("cog");
    annCore.SaveVocabulary(); // makes the user's folder
    EXPECT_TRUE(annCore.LoadVocabulary() && annCore.IsInVocabulary("cog")) << "now the user's copy";
    for (int save = 0; save < 2; ++save) {
        annCore.LoadPuzzles();
        annCore.PuzzlesModified = true;
        annCore.SavePuzzles();
    }
    EXPECT_EQ(temp.Read("ann/puzzle.txt") + temp.Read("ann/puzzle.bak") +
                  temp.Read("usr/vocab.txt") + temp.Read("usr/puzzle.txt"),
              std::string(OnePuzzle) + OnePuzzle + Words + OnePuzzle);
    EXPECT_FALSE(fs::exists(temp / "usr/puzzle.bak") || fs::exists(temp / "usr/vocab.bak"));

    // An upgrade ships more puzzles: a user who never saved any gets them, Ann keeps her own.
    temp.Write("usr/puzzle.txt", TwoPuzzles);
    TPuzzleCore bobCore(shipped, bob);
    bobCore.LoadGameData();
    TPuzzleCore annAgain(shipped, ann);
    annAgain.LoadGameData();
    EXPECT_EQ(std::tuple(bobCore.IsInVocabulary("cog"), bobCore.PuzzleCount, annAgain.PuzzleCount),
              std::tuple(false, 2, 1));

    // A copy that appears while the game runs is read even when it is older than the shipped
    // file; one that goes sends the game back to the shipped file.
    temp.Write("bob/vocab.txt", "bob\r\n");
    fs::last_write_time(bob / "vocab.txt", fs::last_write_time(temp / "usr/vocab.txt") - 1h);
    EXPECT_TRUE(bobCore.LoadVocabulary() && bobCore.Vocabulary == Lines{"bob"});
    fs::remove(bob / "vocab.txt");
    EXPECT_TRUE(bobCore.LoadVocabulary() && bobCore.IsInVocabulary("dog"));
}

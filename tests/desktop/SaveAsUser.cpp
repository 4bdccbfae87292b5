// save-as-user GAME_FOLDER: what the game does with the data files for the user who runs it, on
// an installed game folder: locates the folders as start-up does, loads the vocabulary and the
// puzzles, prints the number of puzzles read and the user's data folder, then deletes the first
// puzzle and saves the collection as the game does when it closes and the player agrees.

#include "app/InitGame.h"
#include "core/PuzzleCore.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/FakeUserInterface.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: save-as-user GAME_FOLDER\n";
        return 2;
    }
    FakeUserInterface ui; // answers Yes to saving
    FakeSettingsStore store;
    store.Set(GameKey, DirectoryValue, argv[1]);
    store.Set(GameKey, SoundValue, 1);
    store.Set(GameKey, SplashValue, 1);
    GameSettings settings;
    InitSettings(settings, store, argv[1], {});
    if (settings.StartupFailed) {
        std::cerr << ui.boxes.at(0).text << '\n';
        return 1;
    }
    TPuzzleCore core(settings.DataFolder, settings.UserDataFolder);
    core.LoadGameData();
    std::cout << core.PuzzleCount << ' ' << settings.UserDataFolder << '\n';
    core.SetPuzzleDeleted(1, true);
    core.RemoveDeletedPuzzles();
    core.SavePuzzles();
    return 0;
}

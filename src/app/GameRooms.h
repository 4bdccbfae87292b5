#pragma once
// The rooms start-up gives the world: the game room "GAME".

#include <string>

class IGameDialogs;

// Registers the factory the world makes its game room with: a TGameRoom over the puzzles and
// vocabulary of dataFolder and this user's copies of them in userFolder, calling its dialogs
// through dialogs (not owned; nullptr while the game has none, and the room then says the
// dialog is not available). The room's sound effects go to the sound table's PlaySound,
// silent while no sound manager runs. The player's progress is kept in journalFile (none when
// empty); resume starts at the first unsolved puzzle.
void RegisterGameRoom(const std::string& dataFolder, const std::string& userFolder,
                      IGameDialogs* dialogs, const std::string& journalFile = {},
                      bool resume = false);

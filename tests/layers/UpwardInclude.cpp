// Built with the core layer's include root: the game room is a layer above, out of its sight.
#include "core/PuzzleCore.h"
#include "screens/GameRoom.h"

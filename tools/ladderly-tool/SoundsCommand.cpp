// ladderly-tool sounds: compiles a sound table as the game does, so an installation can ship
// "sounds.dat" and never has to write it at run time.

#include "Commands.h"

#include "sound/AppSound.h"
#include "sound/ObfText.h"

#include <iostream>

namespace {
constexpr std::string_view Help =
    "usage: ladderly-tool sounds TEXT COMPILED\n"
    "\n"
    "Compiles the sound table TEXT (such as dat/sounds.txt: one wave name per line, the first\n"
    "word only; lines starting with '#' or '[' are comments) into COMPILED (dat/sounds.dat),\n"
    "the form the game reads. Exit status 0 on success, 1 when TEXT cannot be read or COMPILED\n"
    "cannot be written, 2 for a usage error.\n";
} // namespace

int SoundsCommand(const std::vector<std::string>& args, std::istream& /*in*/, std::ostream& out,
                  std::ostream& err) {
    if (IsHelp(args)) {
        out << Help;
        return 0;
    }
    if (args.size() != 2) {
        err << Help;
        return 2;
    }
    TObfText::Compile(args[0], args[1], SoundLineFilter);
    return 0;
}

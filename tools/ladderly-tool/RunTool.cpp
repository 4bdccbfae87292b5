// Dispatches ladderly-tool's first argument to its subcommand.

#include "Commands.h"

#include <exception>
#include <iostream>
#include <string_view>

namespace {
struct CommandEntry {
    std::string_view name;
    std::string_view summary;
    ToolCommand run;
};

// One line per subcommand.
constexpr CommandEntry Commands[] = {
    {"step", "step CODE FROM TO   check one step of a ladder (no arguments: read steps from input)",
     StepCommand},
    {"validate",
     "validate DIR        check DIR/vocab.txt and DIR/puzzle.txt as the game loads them",
     ValidateCommand},
    {"solve", "solve DIR [N...]    solve puzzles under their codes and hints, count solutions",
     SolveCommand},
    {"ladder", "ladder [-d DIR] FROM TO  a shortest ladder between two words with any actions",
     LadderCommand},
    {"suggest", "suggest [-d DIR] WORD  every word one step from WORD, by action", SuggestCommand},
    {"check", "check DIR           check the shipped data's rules and print its figures",
     CheckCommand},
    {"px8", "px8 list|extract|pack  list, extract and pack the pictures of an image library",
     Px8Command},
    {"sounds", "sounds TEXT COMPILED  compile a sound table (sounds.txt into sounds.dat)",
     SoundsCommand},
};

void PrintUsage(std::ostream& stream) {
    stream << "usage: ladderly-tool COMMAND [ARGS...]\n\ncommands:\n";
    for (const CommandEntry& command : Commands) {
        stream << "  " << command.summary << '\n';
    }
    stream << "\nladderly-tool COMMAND --help shows the help of a command.\n";
}
} // namespace

int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(out);
        return 0;
    }
    for (const CommandEntry& command : Commands) {
        if (args[0] == command.name) {
            try {
                return command.run(std::vector<std::string>(args.begin() + 1, args.end()), in, out,
                                   err);
            } catch (const std::exception& e) {
                // A file that cannot be read, for one: the command's result is a failure.
                err << "ladderly-tool " << args[0] << ": " << e.what() << '\n';
                return 1;
            }
        }
    }
    err << "ladderly-tool: unknown command '" << args[0] << "'\n";
    PrintUsage(err);
    return 2;
}

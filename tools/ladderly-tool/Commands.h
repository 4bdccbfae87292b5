#pragma once
// The subcommands of ladderly-tool. Each takes the arguments after its name and the streams to
// work on, and returns the process exit status: 0 success, 1 a negative result or a failure,
// 2 a usage error.

#include <iosfwd>
#include <string>
#include <vector>

// Whether the arguments ask for a command's help: "--help" or "-h" alone.
inline bool IsHelp(const std::vector<std::string>& args) {
    return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

using ToolCommand = int (*)(const std::vector<std::string>& args, std::istream& in,
                            std::ostream& out, std::ostream& err);

// step CODE FROM TO, or step alone for lines "CODE FROM TO" from in.
int StepCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

// validate DIR: loads DIR/vocab.txt and DIR/puzzle.txt as the game does.
int ValidateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// solve DIR [N...]: solutions of puzzles under their codes and hints, counted.
int SolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

// ladder [-d DIR] FROM TO: a shortest ladder with any actions.
int LadderCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);

// suggest [-d DIR] WORD: the game's suggestion listing.
int SuggestCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// check DIR: the rules of the shipped vocabulary and puzzles, with the collection's figures.
int CheckCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

// px8 list|extract|pack: the pictures of an image library file.
int Px8Command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

// sounds TEXT COMPILED: compiles a sound table as the game reads it.
int SoundsCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);

// Runs the command named by args[0] (the program's arguments without its name).
int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err);

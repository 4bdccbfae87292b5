#pragma once
// The subcommands of ladderly-tool. Each takes the arguments after its name and the streams to
// work on, and returns the process exit status: 0 success, 1 a negative result or a failure,
// 2 a usage error.

#include <iosfwd>
#include <string>
#include <vector>

using ToolCommand = int (*)(const std::vector<std::string>& args, std::istream& in,
                            std::ostream& out, std::ostream& err);

// step CODE FROM TO, or step alone for lines "CODE FROM TO" from in.
int StepCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

// validate DIR: loads DIR/vocab.txt and DIR/puzzle.txt as the game does.
int ValidateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// px8 list|extract|pack: the pictures of an image library file.
int Px8Command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

// Runs the command named by args[0] (the program's arguments without its name).
int RunTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
            std::ostream& err);

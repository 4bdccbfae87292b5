// ladderly-tool step: judges steps with the game's own IsValidStep.

#include "Commands.h"

#include "core/StepActions.h"

#include <iostream>
#include <sstream>

namespace {
constexpr std::string_view Help =
    "usage: ladderly-tool step CODE FROM TO\n"
    "       ladderly-tool step < steps.txt\n"
    "\n"
    "Prints 'valid' and exits 0 when TO follows from FROM by the action CODE, else prints\n"
    "'invalid' and exits 1. CODE is one of A (add 1 letter), C (change 1 letter), M (move 1\n"
    "letter), R (remove 1 letter), S (scramble letters) or X (swap 2 letters).\n"
    "\n"
    "Without arguments every input line 'CODE FROM TO' gets one output line 'valid' or\n"
    "'invalid'; a line that is not three fields gets 'invalid' and a message on standard\n"
    "error, and the exit status is then 2, else 0.\n";

bool Judge(const std::string& code, const std::string& from, const std::string& to) {
    return code.size() == 1 && IsValidStep(code[0], from, to);
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err) {
    int status = 0;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        std::string code;
        std::string from;
        std::string to;
        std::string extra;
        if (!(fields >> code >> from >> to) || (fields >> extra)) {
            err << "ladderly-tool step: line " << number << ": expected CODE FROM TO\n";
            status = 2;
            out << "invalid\n";
            continue;
        }
        out << (Judge(code, from, to) ? "valid" : "invalid") << '\n';
    }
    return status;
}
} // namespace

int StepCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (IsHelp(args)) {
        out << Help;
        return 0;
    }
    if (args.empty()) {
        return RunBatch(in, out, err);
    }
    if (args.size() != 3) {
        err << Help;
        return 2;
    }
    const bool valid = Judge(args[0], args[1], args[2]);
    out << (valid ? "valid" : "invalid") << '\n';
    return valid ? 0 : 1;
}

// ladderly-tool: command-line helpers for puzzle designers and packagers.

#include "Commands.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        return RunTool(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                       std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "ladderly-tool: " << e.what() << '\n';
        return 1;
    }
}

#include <iostream>
#include <string>
#include <vector>

#include "cli/TvrTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunTvrTool(args, std::cin, std::cout, std::cerr);
}

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/TvrTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = RunTvrTool(args, std::cin, std::cout, std::cerr);
    // Some file systems report a failed write only when the file is closed. Standard output
    // is already flushed, so nothing is written to it after this.
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF && code != kExitCannotWrite) {
        std::cerr << "tvrtool: cannot write standard output: " << std::strerror(errno) << '\n';
        code = kExitCannotWrite;
    }
    return code;
}

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/TvrTool.h"

namespace {

// Standard input read with read(2). std::cin takes a failed read (a folder on standard input)
// for the end of the input; here it throws, which the stream turns into badbit.
class StdinBuffer : public std::streambuf {
protected:
    int_type underflow() override {
        ssize_t got = 0;
        do {
            got = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            throw std::ios_base::failure(std::strerror(errno));
        }
        if (got == 0) {
            return traits_type::eof();
        }
        setg(buffer_, buffer_, buffer_ + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    char buffer_[65536];
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    StdinBuffer stdinBuffer;
    std::istream in(&stdinBuffer);
    int code = RunTvrTool(args, in, std::cout, std::cerr);
    // Some file systems report a failed write only when the file is closed. Standard output
    // is already flushed, so nothing is written to it after this.
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF && code != kExitCannotWrite) {
        std::cerr << "tvrtool: cannot write standard output: " << std::strerror(errno) << '\n';
        code = kExitCannotWrite;
    }
    return code;
}

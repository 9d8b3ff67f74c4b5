#include <cstdio>
#include <cstring>

#include "gui/app/TimerApp.h"

namespace {

constexpr const char* kUsage =
    "Usage: tavrel-timer [FILE]\n"
    "\n"
    "Edits programs for the programmable timer and sends them to the device through the\n"
    "screen. FILE, a timer file (.tvr), is opened at the start.\n"
    "\n"
    "Options:\n"
    "  -h, --help     this text\n"
    "  --version      the version\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well. tvrtool, the\n"
    "command-line companion, reads and checks timer files without a window.\n";

// Answered before the application object exists: a QApplication needs a display, and these
// must work on a terminal without one. Returns -1 when the window is wanted.
int AnswerOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* text = nullptr;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            text = kUsage;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            text = "tavrel-timer " TIMER_VERSION "\n";
        }
        if (text != nullptr) {
            const bool written = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
            if (!written) {
                std::perror("tavrel-timer: cannot write standard output");
            }
            return written ? 0 : 1;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int code = AnswerOnTerminal(argc, argv); code >= 0) {
        return code;
    }
    TimerApp app(argc, argv);
    return app.Run();
}

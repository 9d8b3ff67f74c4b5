#pragma once

// Keeps another core busy while a measurement runs: a child process that spins until it is
// killed, as a compile or another program on a two-core machine would.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

class BusyLoad {
public:
    explicit BusyLoad(bool enabled) {
        if (!enabled) {
            return;
        }
        child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive the measurement
            volatile unsigned long spins = 0;
            for (;;) {
                spins = spins + 1;
            }
        }
    }
    ~BusyLoad() {
        if (child > 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    BusyLoad(const BusyLoad&) = delete;
    BusyLoad& operator=(const BusyLoad&) = delete;

    bool Running() const { return child > 0; }

private:
    pid_t child = -1;
};

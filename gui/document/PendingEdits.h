#pragma once

// Typing that is not yet part of the program. A command on the whole program (save, open,
// close, program, print, export, exit) asks the window's editor to commit it first, so what the
// command uses is what shows.
class PendingEdits {
public:
    virtual ~PendingEdits() = default;
    // Commits the typing in progress. False when some typing does not read: the user has been
    // told which, the focus is in it, and the command must not go on.
    virtual bool CommitPendingEdits() = 0;
};

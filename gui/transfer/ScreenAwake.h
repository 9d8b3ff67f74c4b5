#pragma once

#include <memory>
#include <string>

// Asks the desktop not to blank the screen or start its screen saver while a transfer runs.
// Hold and Release come in pairs; a Release without a granted hold does nothing.
class ScreenAwake {
public:
    virtual ~ScreenAwake() = default;
    virtual void Hold(const std::string& reason) = 0;
    virtual void Release() = 0;
};

// The desktop's own service where there is one (org.freedesktop.ScreenSaver on the session
// bus); without it, a request that does nothing, so a run goes on without it.
std::unique_ptr<ScreenAwake> MakeScreenAwake();

// Holds the screen awake for its own lifetime, so every way out of a run releases it.
class ScreenAwakeHold {
public:
    ScreenAwakeHold(ScreenAwake& awake, const std::string& reason) : awake(awake) {
        awake.Hold(reason);
    }
    ~ScreenAwakeHold() { awake.Release(); }
    ScreenAwakeHold(const ScreenAwakeHold&) = delete;
    ScreenAwakeHold& operator=(const ScreenAwakeHold&) = delete;

private:
    ScreenAwake& awake;
};

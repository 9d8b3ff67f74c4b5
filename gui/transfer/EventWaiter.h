#pragma once

#include <QTimer>
#include <cstdint>

// Sleeps in the event dispatcher instead of polling: Wait returns once it has handled events
// (a click on Cancel, a repaint) or when a precise timer set for the wait fires.
class EventWaiter {
public:
    EventWaiter();
    // At most microseconds, rounded down to whole milliseconds; under one it returns at once.
    void Wait(std::int64_t microseconds);

private:
    QTimer wakeUp;
};

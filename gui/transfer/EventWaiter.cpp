#include "gui/transfer/EventWaiter.h"

#include <QAbstractEventDispatcher>
#include <chrono>

EventWaiter::EventWaiter() {
    wakeUp.setTimerType(Qt::PreciseTimer);
    wakeUp.setSingleShot(true);
}

void EventWaiter::Wait(std::int64_t microseconds) {
    const std::int64_t milliseconds = microseconds / 1000;
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (milliseconds <= 0 || dispatcher == nullptr) {
        return;
    }
    // The timer's own event is what wakes the dispatcher; it needs no slot.
    wakeUp.start(std::chrono::milliseconds(milliseconds));
    dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
    wakeUp.stop();
}

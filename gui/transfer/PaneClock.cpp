#include "gui/transfer/PaneClock.h"

#include <QGuiApplication>

#ifdef TIMER_HAVE_WAYLAND_CLOCK
#include "gui/transfer/WaylandPaneClock.h"
#endif
#ifdef TIMER_HAVE_PRESENT_CLOCK
#include "gui/transfer/PresentPaneClock.h"
#endif

std::unique_ptr<PaneClock> MakePaneClock() {
    const QString platform = QGuiApplication::platformName();
#ifdef TIMER_HAVE_WAYLAND_CLOCK
    if (platform == QLatin1String("wayland")) {
        return std::make_unique<WaylandPaneClock>();
    }
#endif
#ifdef TIMER_HAVE_PRESENT_CLOCK
    if (platform == QLatin1String("xcb")) {
        return std::make_unique<PresentPaneClock>();
    }
#endif
    return nullptr;
}

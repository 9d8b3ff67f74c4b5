#include "gui/transfer/WaylandPaneClock.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QEvent>
#include <QGuiApplication>
#include <QRegion>
#include <QWidget>
#include <QWindow>
#include <cstring>
#include <ctime>

#include "core/FrameScheduler.h"
#include "presentation-time-client-protocol.h"

namespace {

constexpr std::int64_t kWatchdogUs = 100'000;
constexpr int kWatchdogPeriodMs = 50;

void OnSyncOutput(void*, struct wp_presentation_feedback*, wl_output*) {}

void OnFeedbackPresented(void* data, struct wp_presentation_feedback* feedback,
                         std::uint32_t secondsHigh, std::uint32_t secondsLow,
                         std::uint32_t nanoseconds, std::uint32_t refreshNs,
                         std::uint32_t counterHigh, std::uint32_t counterLow, std::uint32_t flags) {
    const auto seconds = static_cast<std::int64_t>((std::uint64_t{secondsHigh} << 32) | secondsLow);
    const std::int64_t us = seconds * 1'000'000 + nanoseconds / 1'000;
    const auto counter = static_cast<std::int64_t>((std::uint64_t{counterHigh} << 32) | counterLow);
    // Without VSYNC the compositor follows no hardware refresh: its counter and its refresh
    // are its own guesses.
    const bool vsync = (flags & WP_PRESENTATION_FEEDBACK_KIND_VSYNC) != 0 && counter != 0;
    static_cast<WaylandPaneClock*>(data)->OnPresented(
        feedback, us, vsync ? std::optional(counter) : std::nullopt, vsync ? refreshNs : 0);
}

void OnFeedbackDiscarded(void* data, struct wp_presentation_feedback* feedback) {
    static_cast<WaylandPaneClock*>(data)->OnDiscarded(feedback);
}

const wp_presentation_feedback_listener kFeedbackListener = {OnSyncOutput, OnFeedbackPresented,
                                                             OnFeedbackDiscarded};

void OnClockId(void* data, wp_presentation*, std::uint32_t id) {
    static_cast<WaylandPaneClock*>(data)->OnClockId(id);
}
const wp_presentation_listener kPresentationListener = {OnClockId};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    if (std::strcmp(interface, wp_presentation_interface.name) == 0) {
        static_cast<WaylandPaneClock*>(data)->OnPresentationGlobal(static_cast<wp_presentation*>(
            wl_registry_bind(registry, name, &wp_presentation_interface, 1)));
    }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

}  // namespace

WaylandPaneClock::WaylandPaneClock() {
    watchdog.setInterval(kWatchdogPeriodMs);
    connect(&watchdog, &QTimer::timeout, this, &WaylandPaneClock::OnWatchdog);
}

WaylandPaneClock::~WaylandPaneClock() {
    End();
    Detach();
}

bool WaylandPaneClock::Attach() {
    if (presentation != nullptr) {
        return true;
    }
    QWindow* window = host.dialog->windowHandle();
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (QGuiApplication::platformName() != QLatin1String("wayland") || window == nullptr ||
        native == nullptr) {
        return false;
    }
    display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
    if (display == nullptr || surface == nullptr) {
        return false;
    }
    queue = wl_display_create_queue(display);
    // Through a wrapper the registry, and all bound from it, is on our queue from the start,
    // with no race against Qt's reading of the socket.
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    wl_registry_add_listener(registry, &kRegistryListener, this);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    if (presentation == nullptr) {
        Detach();
        return false;
    }
    wp_presentation_add_listener(presentation, &kPresentationListener, this);
    wl_display_roundtrip_queue(display, queue);
    return true;
}

void WaylandPaneClock::Detach() {
    for (const auto& entry : pending) {
        wp_presentation_feedback_destroy(entry.first);
    }
    pending.clear();
    if (presentation != nullptr) {
        wp_presentation_destroy(presentation);
        presentation = nullptr;
    }
    if (queue != nullptr) {
        wl_event_queue_destroy(queue);
        queue = nullptr;
    }
}

bool WaylandPaneClock::Begin(PaneClockHost newHost) {
    host = std::move(newHost);
    if (host.dialog == nullptr || !Attach()) {
        return false;
    }
    ForgetPresented();
    nominalHz = 0;
    lastPresentedUs = -1;
    running = true;
    lastFrameUs = NowUs();
    host.dialog->windowHandle()->installEventFilter(this);
    host.dialog->installEventFilter(this);
    host.dialog->windowHandle()->requestUpdate();
    watchdog.start();
    return true;
}

void WaylandPaneClock::End() {
    if (!running) {
        return;
    }
    running = false;
    scheduler = nullptr;
    watchdog.stop();
    if (QWindow* window = host.dialog->windowHandle()) {
        window->removeEventFilter(this);
    }
    host.dialog->removeEventFilter(this);
    // What changed meanwhile besides the panes.
    host.dialog->update();
    Poll();
}

std::int64_t WaylandPaneClock::NowUs() const {
    timespec now{};
    clock_gettime(static_cast<clockid_t>(clockId), &now);
    return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1'000;
}

bool WaylandPaneClock::eventFilter(QObject* watched, QEvent* event) {
    if (!running || event->type() != QEvent::UpdateRequest) {
        return false;
    }
    if (watched == host.dialog) {
        // The dialog's own repaint of a text would commit too, replacing the clock's commit
        // before the display showed it, and its feedback with it. The clock's next commit
        // paints whatever changed.
        return !committing;
    }
    if (watched != host.dialog->windowHandle()) {
        return false;
    }
    // The window's own answer would repaint all of it; this frame commits only what changes.
    lastFrameUs = NowUs();
    Poll();
    ++commits;
    const bool swap = scheduler != nullptr && scheduler->OnFrameEvent(commits, lastFrameUs);
    if (swap) {
        host.swapColours();
    }
    Commit(swap);
    host.dialog->windowHandle()->requestUpdate();
    return true;
}

void WaylandPaneClock::Commit(bool swap) {
    // Feedback is for the surface's next commit; the repaint below makes it.
    struct wp_presentation_feedback* feedback = wp_presentation_feedback(presentation, surface);
    wp_presentation_feedback_add_listener(feedback, &kFeedbackListener, this);
    pending.emplace(feedback, commits);
    // A pixel of a pane's black frame, which never changes, is enough for a commit and so for
    // the next frame callback.
    QRegion region(QRect(host.leftPane().topLeft(), QSize(1, 1)));
    if (swap) {
        region += host.leftPane();
        region += host.rightPane();
    }
    committing = true;
    host.dialog->repaint(region);
    committing = false;
}

void WaylandPaneClock::Poll() {
    if (queue != nullptr) {
        wl_display_dispatch_queue_pending(display, queue);
    }
}

std::int64_t WaylandPaneClock::Forget(struct wp_presentation_feedback* feedback) {
    const auto found = pending.find(feedback);
    const std::int64_t commit = found != pending.end() ? found->second : -1;
    if (found != pending.end()) {
        pending.erase(found);
    }
    wp_presentation_feedback_destroy(feedback);
    return commit;
}

void WaylandPaneClock::OnPresented(struct wp_presentation_feedback* feedback, std::int64_t us,
                                   std::optional<std::int64_t> counter, std::uint32_t refreshNs) {
    const std::int64_t commit = Forget(feedback);
    if (us != lastPresentedUs) {
        NotePresented(us);  // two commits shown on one refresh are one frame
        lastPresentedUs = us;
    }
    nominalHz = refreshNs > 0 ? 1e9 / refreshNs : 0.0;
    if (scheduler != nullptr && commit >= 0) {
        scheduler->OnPresented(commit, us, counter);
    }
}

void WaylandPaneClock::OnWatchdog() {
    Poll();
    QWindow* window = host.dialog->windowHandle();
    // Qt 6.4 takes a window whose frame callback is 100 ms late for hidden and, once it comes,
    // never delivers the update still asked for: a commit of our own brings the next one.
    if (running && window != nullptr && window->isExposed() &&
        NowUs() - lastFrameUs > kWatchdogUs) {
        lastFrameUs = NowUs();
        host.dialog->repaint(QRect(host.leftPane().topLeft(), QSize(1, 1)));
        window->requestUpdate();
    }
}

#pragma once

#include <QTimer>
#include <cstdint>
#include <map>
#include <optional>

#include "gui/transfer/PaneClock.h"

struct wl_display;
struct wl_event_queue;
struct wl_surface;
struct wp_presentation;
struct wp_presentation_feedback;

// Wayland: the window's frame callbacks pace the dialog (QWindow::requestUpdate, caught by an
// event filter on the window), and every frame commits: the panes on a swap frame, otherwise
// one pixel that never changes. Presentation-time feedback (wp_presentation, bound on a private
// event queue, since Qt 6.4 does not use it) says when each commit was shown.
class WaylandPaneClock : public PaneClock {
public:
    WaylandPaneClock();
    ~WaylandPaneClock() override;

    bool Begin(PaneClockHost newHost) override;
    double NominalHz() const override { return nominalHz; }
    void Send(FrameScheduler& newScheduler) override { scheduler = &newScheduler; }
    void End() override;
    std::int64_t NowUs() const override;

    // From the listeners.
    void OnPresented(wp_presentation_feedback* feedback, std::int64_t us,
                     std::optional<std::int64_t> counter, std::uint32_t refreshNs);
    void OnDiscarded(wp_presentation_feedback* feedback) { Forget(feedback); }
    void OnClockId(std::uint32_t id) { clockId = static_cast<int>(id); }
    void OnPresentationGlobal(wp_presentation* bound) { presentation = bound; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Attach();
    void Detach();
    void Commit(bool swap);
    std::int64_t Forget(wp_presentation_feedback* feedback);
    void Poll();
    void OnWatchdog();

    PaneClockHost host;
    FrameScheduler* scheduler = nullptr;
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    wl_surface* surface = nullptr;
    wp_presentation* presentation = nullptr;
    int clockId = 1;  // CLOCK_MONOTONIC until the compositor says
    double nominalHz = 0;
    std::map<wp_presentation_feedback*, std::int64_t> pending;  // feedback -> commit
    std::int64_t commits = 0;
    std::int64_t lastPresentedUs = -1;
    std::int64_t lastFrameUs = 0;
    bool running = false;
    bool committing = false;
    QTimer watchdog;
};

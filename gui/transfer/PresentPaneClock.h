#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "gui/transfer/PaneClock.h"

struct xcb_connection_t;
class QSocketNotifier;

// X11, XWayland included: the panes are a native child window that Qt never paints. Both of
// their states are drawn once into pixmaps, and each swap is queued with the Present extension
// for its exact frame, a few ahead; PresentCompleteNotify says when each was shown. Between
// swaps the server shows nothing new, so the GUI thread's timing no longer matters.
class PresentPaneClock : public PaneClock {
public:
    PresentPaneClock() = default;
    ~PresentPaneClock() override;

    bool Begin(PaneClockHost newHost) override;
    double NominalHz() const override { return nominalHz; }
    void Send(FrameScheduler& newScheduler) override;
    void End() override;
    std::int64_t NowUs() const override;

private:
    bool Connect();
    void DrawPixmaps();
    void Queue();
    void OnEvents();
    void Disconnect();

    PaneClockHost host;
    FrameScheduler* scheduler = nullptr;
    xcb_connection_t* connection = nullptr;
    QSocketNotifier* notifier = nullptr;  // child of this
    QWidget* surface = nullptr;           // child of the dialog while running
    std::uint8_t presentOpcode = 0;
    std::uint32_t window = 0;
    std::uint32_t eventId = 0;
    std::uint32_t pixmaps[2] = {0, 0};  // left black, left white
    std::uint64_t lastFrame = 0;        // the latest frame counter the server reported
    double nominalHz = 0;
    std::uint32_t queued = 0;     // swaps queued
    std::uint32_t completed = 0;  // swaps shown
    bool running = false;
};

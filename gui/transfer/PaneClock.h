#pragma once

#include <QObject>
#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class FrameScheduler;
class QWidget;

// What a frame clock needs of the programming dialog.
struct PaneClockHost {
    QWidget* dialog = nullptr;
    // Where the two panes are, in the dialog.
    std::function<QRect()> leftPane;
    std::function<QRect()> rightPane;
    // The next swap is about to be shown: the dialog's colours change with it.
    std::function<void()> swapColours;
};

// Runs the panes on the display's own frames: it learns when each frame is shown, and shows
// the swaps a FrameScheduler places on the frames it planned. One per platform; the dialog
// falls back to its free-running timer where none starts.
class PaneClock : public QObject {
    Q_OBJECT

public:
    // Starts the frame loop on the dialog's window (shown); false where the display offers no
    // frame timing.
    virtual bool Begin(PaneClockHost host) = 0;
    // Microseconds on the display's clock when each frame since Begin was shown.
    const std::vector<std::int64_t>& Presented() const { return presented; }
    // The rate the display claims, to hold the measured one to; 0 where it follows no
    // hardware refresh.
    virtual double NominalHz() const = 0;
    // Shows the scheduler's swaps from now on and tells it where each was shown.
    virtual void Send(FrameScheduler& scheduler) = 0;
    // Stops the frame loop and leaves the panes to the dialog's painting.
    virtual void End() = 0;
    // Microseconds on the display's clock now.
    virtual std::int64_t NowUs() const = 0;

protected:
    using QObject::QObject;
    void ForgetPresented() { presented.clear(); }
    void NotePresented(std::int64_t us) {
        if (presented.size() < kPresentedKept) {
            presented.push_back(us);
        }
    }
    static constexpr std::size_t kPresentedKept = 4'096;

private:
    std::vector<std::int64_t> presented;
};

// The clock for the platform the application runs on: Wayland's presentation feedback, X11's
// Present extension; nothing elsewhere (offscreen).
std::unique_ptr<PaneClock> MakePaneClock();

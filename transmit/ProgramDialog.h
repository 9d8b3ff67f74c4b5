#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>

#include "FlashTransmitter.h"

class QPushButton;
class TextProgressCtrl;

// Where the bar and the two panes go in a client area of the given size.
QRect ProgressBarRect(QSize client);
struct PaneRects {
    QRect left;
    QRect right;
};
PaneRects ComputePaneRects(QSize client);

// The window that sends a transfer frame to the device: Start runs a three-second countdown and
// then the transfer, both as polling loops inside OnStart that pump events themselves, with no
// timers, sleeps or threads. The two panes are painted in the transmitter's colours; the text
// progress bar carries the status and how far the frame has gone.
class ProgramDialog : public QDialog {
    Q_OBJECT

public:
    // The frame is not copied and must outlive the dialog. Times are in microseconds.
    ProgramDialog(const std::uint8_t* data, std::int32_t size, std::int32_t zeroTime,
                  std::int32_t oneTime, std::int32_t syncTime, QWidget* parent = nullptr);

    // The counter both loops read; std::chrono::steady_clock unless replaced. Tests give a
    // simulated one so a whole run takes no real time.
    void SetCounter(Counter newCounter) { counter = std::move(newCounter); }

    // A swap whose new colours have just been painted.
    struct PaintedSwap {
        std::int32_t swapNumber;  // 1 for the first swap of the run
        std::int64_t reading;     // the counter once the paint was done
        ColorRef leftColor;
    };
    // Called for every swap that became visible, in order. Swaps coalesced into one paint show
    // no change on the screen and are not reported. Unset, it costs nothing.
    void SetPaintRecorder(std::function<void(const PaintedSwap&)> recorder) {
        paintRecorder = std::move(recorder);
    }

    const FlashTransmitter& GetTransmitter() const { return transmitter; }

    // Start: one run, countdown and transfer; returns when the run has ended.
    void OnStart();
    // Done, Esc or the close box: closes the dialog when idle, otherwise cancels the run.
    void OnCancel();
    void reject() override { OnCancel(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void OnInitDialog();
    bool PumpEvent();
    void RecordPaintedSwap();
    void RepaintForSwap();
    QRect SettlingPixel(std::int32_t swapNumber) const;

    FlashTransmitter transmitter;
    QPushButton* startButton = nullptr;
    QPushButton* doneButton = nullptr;
    TextProgressCtrl* progress = nullptr;

    Counter counter = SteadyCounter();
    std::int64_t runFrequency = 0;  // read once per run

    std::function<void(const PaintedSwap&)> paintRecorder;
    std::int32_t swapsRequested = 0;  // swaps of this run so far
    std::int32_t swapsPainted = 0;    // swaps of this run the last paint showed
    ColorRef paintedLeft = FlashTransmitter::kBlack;
    bool inUpdateRequest = false;
    std::optional<PaintedSwap> pendingSwap;

    bool sending = false;   // the transfer loop is running
    bool settling = false;  // the last update asked for was the lone settling pixel
};

#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/FlashTransmitter.h"
#include "core/FrameScheduler.h"
#include "core/TransferEstimate.h"
#include "gui/transfer/EventWaiter.h"
#include "gui/transfer/PaneClock.h"
#include "gui/transfer/ScreenAwake.h"

class QFontMetrics;
class QLabel;
class QPushButton;
class QSpacerItem;
class TextProgressBar;

struct PaneRects {
    QRect left;
    QRect right;
};
// The two panes in the area the dialog's layout keeps for them.
PaneRects ComputePaneRects(const QRect& area);
// The least area for the panes in a dialog whose font has these metrics.
QSize PanesLeastSize(const QFontMetrics& metrics);

// How long the transfer of a frame of frameBytes takes, and how many of them are the program's
// (the figure the status line shows) and why the frame is longer: "About 1 min 13 s for the
// program's 11 bytes (15 with …)".
QString FrameSizeText(std::int32_t frameBytes, std::int64_t totalUs);

// The warning shown before Start on a screen that refreshes too slowly for the device to tell
// a one from a zero; empty when the rate is high enough or unknown (zero or less).
QString LowRefreshWarning(double refreshHz);

// What the dialog says where the swaps cannot be tied to the display's frames.
QString UnpacedNote();

// Why a frame-locked transfer stopped: the gap that may have been misread.
QString DamagedText(const DamagedGap& gap);

// The window that sends a transfer frame to the device. Before Start it says how long the
// transfer takes and how to hold the device; Start runs a three-second countdown and then the
// transfer, both inside OnStart. Where the display has a frame clock (PaneClock), the countdown
// measures its refresh and every swap goes out on its planned frame, judged from the display's
// feedback; otherwise OnStart sleeps in the event loop until shortly before each swap is due,
// sleeps the rest precisely and then reads the counter, and the dialog says so. The two panes are
// painted in the transmitter's colours; the text progress bar carries the status, the time left and
// how far the frame has gone. The dialog can be resized, and remembers its size.
class ProgramDialog : public QDialog {
    Q_OBJECT

public:
    // The frame is not copied and must outlive the dialog. Times are in microseconds.
    ProgramDialog(const std::uint8_t* data, std::int32_t size, std::int32_t zeroTime,
                  std::int32_t oneTime, std::int32_t syncTime, QWidget* parent = nullptr);
    ~ProgramDialog() override;

    // The counter both loops read; std::chrono::steady_clock unless replaced. Tests give a
    // simulated one so a whole run takes no real time.
    void SetCounter(Counter newCounter) { counter = std::move(newCounter); }
    // How the loops sleep: wait for at most the given microseconds, handling events meanwhile,
    // and pause for exactly that long without them, just before a step. The real ones sleep in
    // the event dispatcher and in the system; tests move their simulated counter instead.
    void SetWaiter(std::function<void(std::int64_t)> wait,
                   std::function<void(std::int64_t)> pause) {
        waiter = std::move(wait);
        pauser = std::move(pause);
    }
    // The request that keeps the screen awake during a run; the desktop's unless replaced.
    void SetScreenAwake(std::unique_ptr<ScreenAwake> awake) { screenAwake = std::move(awake); }
    // The display's frame clock; the platform's unless replaced, none to time swaps freely.
    void SetPaneClock(std::unique_ptr<PaneClock> clock);

    // A swap whose new colours have just been painted.
    struct PaintedSwap {
        std::int32_t swapNumber;  // 1 for the first swap of the run
        std::int64_t reading;     // the counter once the paint was done
        Rgb leftColor;
    };
    // Called for every swap that became visible, in order. Swaps coalesced into one paint show
    // no change on the screen and are not reported. Unset, it costs nothing.
    void SetPaintRecorder(std::function<void(const PaintedSwap&)> recorder) {
        paintRecorder = std::move(recorder);
    }

    // The device check's warnings on the program: it is sent all the same, and the dialog names
    // them above the panes so they are read before Start.
    void SetWarnings(const QStringList& warnings);

    const FlashTransmitter& GetTransmitter() const { return transmitter; }
    const TransferEstimate& GetEstimate() const { return estimate; }
    // The last run's swaps on the display's frames; none when it was not frame-locked.
    const std::optional<FrameScheduler>& LastFrameRun() const { return lastFrameRun; }
    PaneRects GetPaneRects() const;

    // Start: one run, countdown and transfer; returns when the run has ended.
    void OnStart();
    // Done, Esc or the close box: closes the dialog when idle, otherwise cancels the run.
    void OnCancel();
    void reject() override { OnCancel(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Why a run ended before every byte was sent.
    enum class Stop { None, User, Counter, Display, Damaged };

    void BuildControls();
    // The least size that shows every text and the panes at their least size.
    void FitMinimumSize();
    void UpdateDisplayWarning();
    bool PumpEvent();
    void Wait(std::int64_t microseconds);
    bool DisplayLost() const;
    bool RunCountdown();
    void ReportProgress(std::int32_t position);
    QString CanceledText() const;
    // In ProgramDialogFrames.cpp: the transfer, on the display's frames where it can.
    bool SendFrame();
    void PlanEstimateForScreen();
    bool SendOnFrames(double periodUs);
    bool BeginPaneClock();
    bool FrameLockedDisplayLost();
    void RecordPaintedSwap();
    void RepaintForSwap();
    QRect SettlingPixel(std::int32_t swapNumber) const;

    FlashTransmitter transmitter;
    TransferEstimate estimate;
    QPushButton* startButton = nullptr;
    QPushButton* doneButton = nullptr;
    TextProgressBar* progress = nullptr;
    QLabel* advice = nullptr;
    QLabel* displayWarning = nullptr;
    QLabel* programWarnings = nullptr;
    QSpacerItem* paneSpace = nullptr;  // owned by the layout

    Counter counter = SteadyCounter();
    std::int64_t runFrequency = 0;  // read once per run
    EventWaiter eventWaiter;
    std::function<void(std::int64_t)> waiter;
    std::function<void(std::int64_t)> pauser;
    std::unique_ptr<ScreenAwake> screenAwake;
    bool running = false;  // countdown or transfer
    Stop stopReason = Stop::None;

    std::function<void(const PaintedSwap&)> paintRecorder;
    std::int32_t swapsRequested = 0;  // swaps of this run so far
    std::int32_t swapsPainted = 0;    // swaps of this run the last paint showed
    Rgb paintedLeft = FlashTransmitter::kBlack;
    bool inUpdateRequest = false;
    std::optional<PaintedSwap> pendingSwap;

    bool sending = false;   // the transfer loop is running
    bool settling = false;  // the last update asked for was the lone settling pixel

    std::unique_ptr<PaneClock> paneClock;
    bool clockRunning = false;         // since the countdown began
    bool unpaced = false;              // the swaps are not tied to the display
    std::optional<DamagedGap> damage;  // why the last run stopped
    std::optional<FrameScheduler> lastFrameRun;
    std::optional<std::int32_t> bytesOnFrames;   // bytes shown in a frame-locked run
    std::optional<std::int64_t> unexposedSince;  // on the display's clock
};

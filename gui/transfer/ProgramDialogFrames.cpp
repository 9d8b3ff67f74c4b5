// The programming dialog's transfer: on the display's frames where a frame clock runs, else on
// its own timer.
#include <QCoreApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "core/FramePlan.h"
#include "core/RefreshMeasure.h"
#include "gui/transfer/ProgramDialog.h"

namespace {

// The countdown's last presented frames measure the refresh; the first ones after the window
// appeared are often slow.
constexpr std::size_t kMeasuredFrames = 60;
// How long the loop sleeps at most between looks at the display; any event wakes it sooner.
constexpr std::int64_t kLookUs = 20'000;
// A display that shows nothing for this long has stopped.
constexpr std::int64_t kNoFrameUs = 2'000'000;
// Qt takes a Wayland window for hidden while its compositor is late with a frame; only this
// long a spell means the panes really cannot be seen.
constexpr std::int64_t kUnexposedUs = 1'000'000;

}  // namespace

QString UnpacedNote() {
    return QCoreApplication::translate(
        "ProgramDialog",
        "The swaps cannot be tied to this display's refresh here, so the device may read a bit "
        "wrong. If programming fails, try another screen.");
}

QString DamagedText(const DamagedGap& gap) {
    return QCoreApplication::translate("ProgramDialog",
                                       "The screen missed frames at byte %1; the device may have "
                                       "read it wrong. Start again.")
        .arg(ByteOfGap(gap.gap) + 1);
}

void ProgramDialog::SetPaneClock(std::unique_ptr<PaneClock> clock) {
    paneClock = std::move(clock);
    unpaced = !paneClock;
    UpdateDisplayWarning();
}

void ProgramDialog::PlanEstimateForScreen() {
    // Until the countdown has measured the display, its nominal rate is the best guess.
    const QScreen* display = screen();
    if (paneClock && display != nullptr && display->refreshRate() > 0) {
        estimate = TransferEstimate(
            std::span(transmitter.GetData(), static_cast<std::size_t>(transmitter.GetSize())),
            transmitter.GetZeroTime(), transmitter.GetOneTime(), transmitter.GetSyncTime(),
            1e6 / display->refreshRate());
    }
}

bool ProgramDialog::BeginPaneClock() {
    if (!paneClock) {
        return false;
    }
    const bool begun = paneClock->Begin({
        .dialog = this,
        .leftPane = [this] { return GetPaneRects().left; },
        .rightPane = [this] { return GetPaneRects().right; },
        .swapColours = [this] { transmitter.SwapColors(); },
    });
    if (!begun && !unpaced) {
        unpaced = true;
        UpdateDisplayWarning();
    }
    return begun;
}

bool ProgramDialog::SendFrame() {
    transmitter.Begin();
    lastFrameRun.reset();
    if (clockRunning) {
        const std::vector<std::int64_t>& presented = paneClock->Presented();
        const std::size_t from =
            presented.size() > kMeasuredFrames ? presented.size() - kMeasuredFrames : 0;
        const RefreshReading refresh =
            MeasureRefresh(std::span(presented).subspan(from), paneClock->NominalHz());
        if (refresh.paced) {
            return SendOnFrames(refresh.periodUs);
        }
        paneClock->End();
        clockRunning = false;
        if (!unpaced) {
            unpaced = true;
            UpdateDisplayWarning();
        }
    }
    swapsRequested = 0;
    swapsPainted = 0;
    sending = true;
    settling = false;
    const bool complete = transmitter.RunTransfer();
    sending = false;
    if (transmitter.CounterFailed()) {
        stopReason = Stop::Counter;
    }
    return complete;
}

bool ProgramDialog::SendOnFrames(double periodUs) {
    const std::span frame(transmitter.GetData(), static_cast<std::size_t>(transmitter.GetSize()));
    const std::int32_t zero = transmitter.GetZeroTime();
    const std::int32_t one = transmitter.GetOneTime();
    const std::int32_t sync = transmitter.GetSyncTime();
    estimate = TransferEstimate(frame, zero, one, sync, periodUs);
    FrameScheduler& scheduler =
        lastFrameRun.emplace(PlanTransfer(frame, zero, one, sync, periodUs));
    bytesOnFrames = 0;
    unexposedSince.reset();
    paneClock->Send(scheduler);
    std::size_t shown = 0;
    std::int64_t shownAt = paneClock->NowUs();
    while (!transmitter.IsStopped()) {
        if (const std::optional<DamagedGap> unsafe = scheduler.Unsafe()) {
            damage = unsafe;
            stopReason = Stop::Damaged;
            transmitter.Cancel();
            break;
        }
        if (scheduler.AllShown()) {
            break;
        }
        const std::int64_t now = paneClock->NowUs();
        if (scheduler.SwapsShown() != shown) {
            shown = scheduler.SwapsShown();
            shownAt = now;
            bytesOnFrames = shown < 2 ? 0 : ByteOfGap(shown - 2);
            ReportProgress(static_cast<std::int32_t>(shown + 1));
        } else if (now - shownAt > kNoFrameUs || FrameLockedDisplayLost()) {
            stopReason = Stop::Display;
            transmitter.Cancel();
            break;
        }
        waiter(kLookUs);
    }
    paneClock->End();
    clockRunning = false;
    const bool complete = scheduler.AllShown() && stopReason == Stop::None;
    if (complete) {
        bytesOnFrames = transmitter.GetSize();
        ReportProgress(static_cast<std::int32_t>(scheduler.SwapCount() + 1));
    }
    transmitter.Cancel();  // the panes at rest
    update();
    return complete;
}

bool ProgramDialog::FrameLockedDisplayLost() {
    const QWindow* window = windowHandle();
    if (!isVisible() || (windowState() & Qt::WindowMinimized) != 0 || window == nullptr) {
        return true;
    }
    if (window->isExposed()) {
        unexposedSince.reset();
        return false;
    }
    const std::int64_t now = paneClock->NowUs();
    unexposedSince = unexposedSince.value_or(now);
    return now - *unexposedSince > kUnexposedUs;
}

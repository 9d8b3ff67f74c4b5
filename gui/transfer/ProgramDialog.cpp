#include "gui/transfer/ProgramDialog.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpacerItem>
#include <QStringList>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "core/ShortSlice.h"
#include "core/TransferFrame.h"
#include "gui/common/LabelAccessibility.h"
#include "gui/common/Prompter.h"
#include "gui/common/SystemColors.h"
#include "gui/transfer/TextProgressBar.h"

namespace {

constexpr std::int64_t kCountdownSecondUs = 1'000'000;
constexpr int kCountdownSeconds = 3;
// Short enough that the wake-up before a swap preempts whatever else runs on the core.
constexpr std::int64_t kSliceUs = 300;
constexpr char kSizeKey[] = "ProgramDialog/size";

void PaintPane(QPainter& painter, const QRect& pane, Rgb color) {
    painter.fillRect(pane, ToQColor(color));
    // A 1-pixel black frame inside the pane's rectangle.
    const QColor black = QColor(Qt::black);
    painter.fillRect(QRect(pane.left(), pane.top(), pane.width(), 1), black);
    painter.fillRect(QRect(pane.left(), pane.bottom(), pane.width(), 1), black);
    painter.fillRect(QRect(pane.left(), pane.top(), 1, pane.height()), black);
    painter.fillRect(QRect(pane.right(), pane.top(), 1, pane.height()), black);
}

QString Duration(std::int64_t microseconds, Rounding rounding = Rounding::Nearest) {
    return QString::fromStdString(FormatDuration(microseconds, rounding));
}

}  // namespace

PaneRects ComputePaneRects(const QRect& area) {
    // Two panes side by side, 4 pixels apart.
    const int middle = area.left() + area.width() / 2;
    QRect left = area;
    left.setRight(middle - 3);
    QRect right = area;
    right.setLeft(middle + 2);
    return {left, right};
}

ProgramDialog::ProgramDialog(const std::uint8_t* data, std::int32_t size, std::int32_t zeroTime,
                             std::int32_t oneTime, std::int32_t syncTime, QWidget* parent)
    : QDialog(parent),
      transmitter(data, size, zeroTime, oneTime, syncTime),
      estimate(std::span(data, static_cast<std::size_t>(transmitter.GetSize())), zeroTime, oneTime,
               syncTime),
      waiter([this](std::int64_t microseconds) { eventWaiter.Wait(microseconds); }),
      pauser(PauseOnSteadyClock),
      paneClock(MakePaneClock()),
      unpaced(!paneClock) {
    transmitter.SetHooks({
        .counter = {[this] { return runFrequency; }, [this] { return counter.reading(); }},
        .pumpEvent = [this] { return PumpEvent(); },
        .requestRepaint =
            [this] {
                ++swapsRequested;
                RepaintForSwap();
            },
        .reportProgress = [this](std::int32_t position) { ReportProgress(position); },
        .waitForEvents = [this](std::int64_t microseconds) { Wait(microseconds); },
        .pause = [this](std::int64_t microseconds) { pauser(microseconds); },
    });
    BuildControls();
}

ProgramDialog::~ProgramDialog() = default;

void ProgramDialog::BuildControls() {
    setObjectName(QStringLiteral("programDialog"));
    InstallLabelAccessibility();
    setWindowTitle(tr("Program"));
    setAccessibleName(tr("Program the timer"));
    // Resizable, so the panes can be made a bigger target.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);

    startButton = new QPushButton(tr("&Start"), this);
    startButton->setObjectName(QStringLiteral("start"));
    startButton->setDefault(true);
    doneButton = new QPushButton(tr("&Done"), this);
    doneButton->setObjectName(QStringLiteral("done"));
    // A name holds what the button reads, so a voice command of its text reaches it.
    startButton->setAccessibleName(tr("Start programming"));
    doneButton->setAccessibleDescription(tr("Closes this window"));
    connect(startButton, &QPushButton::clicked, this, &ProgramDialog::OnStart);
    connect(doneButton, &QPushButton::clicked, this, &ProgramDialog::reject);

    progress = new TextProgressBar(this);
    progress->setObjectName(QStringLiteral("progressBar"));
    progress->setAccessibleName(tr("Programming progress"));
    progress->setRange(0, 10 * transmitter.GetSize());
    progress->SetPos(0);
    progress->SetText(tr("Ready to program"));

    // The labels have no accessible names of their own: a reader names them by their text.
    advice = new QLabel(this);
    advice->setObjectName(QStringLiteral("advice"));
    advice->setWordWrap(true);
    PlanEstimateForScreen();
    advice->setText(FrameSizeText(transmitter.GetSize(), estimate.TotalUs()) + u' ' +
                    // "\u201c" ends its literal: lupdate would read the D of Done as a hex digit.
                    tr("Turn the screen brightness all the way up, hold the device's sensor flat "
                       "against the two panes and keep it still until \u201c"
                       "Done\u201d.\nThe panes flash several times a second."));
    displayWarning = new QLabel(this);
    displayWarning->setObjectName(QStringLiteral("displayWarning"));
    displayWarning->setWordWrap(true);
    QPalette warningPalette = displayWarning->palette();
    warningPalette.setColor(QPalette::WindowText, Qt::darkRed);
    displayWarning->setPalette(warningPalette);
    displayWarning->hide();
    programWarnings = new QLabel(this);
    programWarnings->setObjectName(QStringLiteral("programWarnings"));
    programWarnings->setWordWrap(true);
    programWarnings->setPalette(warningPalette);
    programWarnings->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton);
    buttons->addStretch(1);
    buttons->addWidget(doneButton);
    // The panes are painted by the dialog itself, so every swap is one paint of one window;
    // the layout only keeps their place.
    const QSize panes = PanesLeastSize(fontMetrics());
    paneSpace = new QSpacerItem(panes.width(), panes.height(), QSizePolicy::MinimumExpanding,
                                QSizePolicy::MinimumExpanding);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progress);
    layout->addLayout(buttons);
    layout->addWidget(advice);
    layout->addWidget(programWarnings);
    layout->addWidget(displayWarning);
    // The texts read as apart from the panes, which flash.
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addItem(paneSpace);
    UpdateDisplayWarning();

    FitMinimumSize();
    QSize initial = QSettings().value(QString::fromLatin1(kSizeKey)).toSize();
    initial = initial.isValid() ? initial.expandedTo(minimumSize()) : minimumSize();
    if (const QScreen* display = screen()) {
        initial = initial.boundedTo(display->availableSize()).expandedTo(minimumSize());
    }
    resize(initial);
    layout->activate();
    startButton->setFocus();
}

QSize PanesLeastSize(const QFontMetrics& metrics) {
    // About the size the device's sensor was made for, growing with the font as the texts do.
    return QSize(64 * metrics.averageCharWidth(), 15 * metrics.height());
}

PaneRects ProgramDialog::GetPaneRects() const {
    return ComputePaneRects(paneSpace->geometry());
}

void ProgramDialog::FitMinimumSize() {
    // The labels wrap: at the least width they are tallest, so that height fits every width.
    QLayout* top = layout();
    top->invalidate();
    const int width = top->minimumSize().width();
    setMinimumSize(width, top->hasHeightForWidth() ? top->totalHeightForWidth(width)
                                                   : top->minimumSize().height());
}

void ProgramDialog::SetWarnings(const QStringList& warnings) {
    programWarnings->setText(
        warnings.isEmpty()
            ? QString()
            : tr("The device takes this program, but it may not do what you meant:") + u'\n' +
                  ShortList(warnings));
    programWarnings->setVisible(!warnings.isEmpty());
    FitMinimumSize();
}

void ProgramDialog::UpdateDisplayWarning() {
    const QScreen* display = screen();
    QStringList warnings;
    for (const QString& warning :
         {LowRefreshWarning(display != nullptr ? display->refreshRate() : 0.0),
          unpaced ? UnpacedNote() : QString()}) {
        if (!warning.isEmpty()) {
            warnings << warning;
        }
    }
    const bool shown = !warnings.isEmpty();
    displayWarning->setText(warnings.join(u'\n'));
    if (shown == displayWarning->isHidden()) {
        displayWarning->setVisible(shown);
        FitMinimumSize();
    }
}

void ProgramDialog::hideEvent(QHideEvent* event) {
    QSettings().setValue(QString::fromLatin1(kSizeKey), size());
    QDialog::hideEvent(event);
}

bool ProgramDialog::PumpEvent() {
    const bool handled = QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
    if (running && !transmitter.IsStopped() && DisplayLost()) {
        // The device can no longer see the panes: never let the run go on to "Done" unseen.
        stopReason = Stop::Display;
        transmitter.Cancel();
        return true;
    }
    return handled;
}

void ProgramDialog::Wait(std::int64_t microseconds) {
    waiter(microseconds);
    // Whatever arrived during the sleep was handled there; look at the window too.
    if (running && !transmitter.IsStopped() && DisplayLost()) {
        stopReason = Stop::Display;
        transmitter.Cancel();
    }
}

bool ProgramDialog::DisplayLost() const {
    const QWindow* window = windowHandle();
    return !isVisible() || (windowState() & Qt::WindowMinimized) != 0 || window == nullptr ||
           !window->isExposed();
}

// The countdown: three seconds on the counter, sleeping between them. False when it was
// cancelled or the counter failed.
bool ProgramDialog::RunCountdown() {
    int count = kCountdownSeconds;
    std::int64_t secondStart = counter.reading();
    while (!transmitter.IsStopped()) {
        if (PumpEvent()) {
            continue;
        }
        const std::int64_t elapsed =
            ElapsedMicroseconds(secondStart, counter.reading(), runFrequency);
        if (elapsed < 0) {
            stopReason = Stop::Counter;
            transmitter.Cancel();
            break;
        }
        if (elapsed < kCountdownSecondUs) {
            Wait(kCountdownSecondUs - elapsed);
            continue;
        }
        secondStart = counter.reading();
        if (--count == 0) {
            return true;
        }
        progress->SetText(tr("Starting in %1\u2026").arg(count));
    }
    return false;
}

void ProgramDialog::ReportProgress(std::int32_t position) {
    progress->SetPos(position);
    const std::int32_t top = progress->maximum();
    const int percent = top > 0 ? static_cast<int>(std::min(100LL, 100LL * position / top)) : 100;
    const QString text = tr("Programming\u2026 %1 %, %2 left")
                             .arg(percent)
                             .arg(Duration(estimate.RemainingUs(position), Rounding::Up));
    if (text != progress->text()) {
        progress->SetText(text);
    }
}

QString ProgramDialog::CanceledText() const {
    const std::int32_t size = transmitter.GetSize();
    const std::int32_t sent = bytesOnFrames.value_or(transmitter.GetByteIndex());
    switch (stopReason) {
        case Stop::Counter:
            return tr("Canceled: the clock failed after %1 of %n byte(s)", nullptr, size).arg(sent);
        case Stop::Display:
            return tr("Canceled: the panes could not be seen after %1 of %n byte(s)", nullptr, size)
                .arg(sent);
        case Stop::Damaged:
            return damage ? DamagedText(*damage) : QString();
        case Stop::None:
        case Stop::User:
            break;
    }
    return tr("Canceled after %1 of %n byte(s)", nullptr, size).arg(sent);
}

void ProgramDialog::OnStart() {
    if (running) {
        return;
    }
    runFrequency = counter.frequency && counter.reading ? counter.frequency() : 0;
    stopReason = Stop::None;
    transmitter.ClearStop();
    running = true;
    startButton->setEnabled(false);
    startButton->setText(tr("&Start"));
    damage.reset();
    bytesOnFrames.reset();
    doneButton->setText(tr("&Cancel"));
    doneButton->setAccessibleName(tr("Cancel programming"));
    doneButton->setAccessibleDescription(tr("Stops sending the program"));
    progress->SetText(tr("Starting in %1\u2026").arg(kCountdownSeconds));
    progress->SetPos(0);
    if (!screenAwake) {
        screenAwake = MakeScreenAwake();
    }
    {
        // The desktop may show the reason, e.g. while it holds off the screen saver.
        const ScreenAwakeHold awake(*screenAwake,
                                    tr("Sending a program to the timer").toStdString());
        const ShortSlice slice(kSliceUs);
        // The frame clock runs through the countdown, which measures the display's refresh.
        clockRunning = BeginPaneClock();
        // Without a usable counter there is nothing to count down with; the transfer loop then
        // ends the run at once as cancelled.
        const bool counted = runFrequency <= 0 || RunCountdown();
        if (!counted) {
            progress->SetText(stopReason == Stop::User ? tr("Canceled before sending")
                                                       : CanceledText());
        } else {
            progress->SetText(tr("Programming\u2026"));
            const std::int64_t begun = runFrequency > 0 ? counter.reading() : 0;
            const bool complete = SendFrame();
            const std::int64_t took =
                runFrequency > 0 ? ElapsedMicroseconds(begun, counter.reading(), runFrequency) : 0;
            progress->SetText(
                complete ? tr("Done: %n byte(s) sent in %1", nullptr, transmitter.GetSize())
                               .arg(Duration(took))
                         : CanceledText());
            update();
        }
        if (clockRunning) {
            paneClock->End();
            clockRunning = false;
        }
    }
    running = false;
    if (stopReason == Stop::Damaged) {
        startButton->setText(tr("&Start again"));
    }
    startButton->setEnabled(true);
    doneButton->setText(tr("&Done"));
    doneButton->setAccessibleName({});
    doneButton->setAccessibleDescription(tr("Closes this window"));
    // Enter starts the next run, as before the first one.
    startButton->setDefault(true);
    startButton->setFocus();
}

void ProgramDialog::OnCancel() {
    if (transmitter.IsStopped()) {
        QDialog::reject();
        return;
    }
    stopReason = Stop::User;
    transmitter.Cancel();
    update();
}

void ProgramDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const PaneRects panes = GetPaneRects();
    PaintPane(painter, panes.left, transmitter.GetLeftColor());
    PaintPane(painter, panes.right, transmitter.GetRightColor());
    if (paintRecorder) {
        RecordPaintedSwap();
    }
    paintedLeft = transmitter.GetLeftColor();
}

void ProgramDialog::RecordPaintedSwap() {
    if (swapsPainted == swapsRequested) {
        return;
    }
    swapsPainted = swapsRequested;
    const Rgb left = transmitter.GetLeftColor();
    if (left == paintedLeft) {
        return;  // an even number of swaps since the last paint: nothing changed on the screen
    }
    const PaintedSwap swap{swapsRequested, 0, left};
    if (inUpdateRequest) {
        pendingSwap = swap;  // reported once the whole window has been painted and flushed
    } else if (counter.reading) {
        paintRecorder({swap.swapNumber, counter.reading(), swap.leftColor});
    }
}

// Qt's X11 backing store shares the window image with the X server, and before painting over
// any part of what it last sent it waits for the server to be done with it: a round trip whose
// length varies by milliseconds with how soon the server gets to run. On a swap that wait would
// fall between the step and the new colours reaching the screen. So every swap leaves out one
// pixel of a pane's black frame (it never changes), and once anything else has been painted
// during the transfer, the pixel the next swap will leave out is repainted on its own: the wait
// happens then, in the pause before the next step, and the next swap has nothing to wait for.
// Two pixels take turns, since the settling paint must touch what the last swap sent.
QRect ProgramDialog::SettlingPixel(std::int32_t swapNumber) const {
    const PaneRects panes = GetPaneRects();
    return QRect((swapNumber % 2 == 0 ? panes.left : panes.right).topLeft(), QSize(1, 1));
}

void ProgramDialog::RepaintForSwap() {
    // Only the panes change; the texts above them would only add to every swap's paint.
    const PaneRects panes = GetPaneRects();
    update((QRegion(panes.left) + panes.right) - SettlingPixel(swapsRequested));
}

bool ProgramDialog::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal) {
        UpdateDisplayWarning();
    }
    if (event->type() == QEvent::LayoutRequest) {
        // The layout has moved the panes' place; no child widget repaints it.
        const bool handled = QDialog::event(event);
        update();
        return handled;
    }
    if (event->type() != QEvent::UpdateRequest) {
        return QDialog::event(event);
    }
    inUpdateRequest = true;
    const bool handled = QDialog::event(event);
    inUpdateRequest = false;
    if (pendingSwap && paintRecorder && counter.reading) {
        pendingSwap->reading = counter.reading();
        paintRecorder(*pendingSwap);
    }
    pendingSwap.reset();

    if (sending) {
        if (settling) {
            settling = false;  // that was the lone pixel
        } else {
            settling = true;
            update(SettlingPixel(swapsRequested + 1));
        }
    }
    return handled;
}

#include "ProgramDialog.h"

#include <QAbstractEventDispatcher>
#include <QEvent>
#include <QPainter>
#include <QPushButton>

#include "ControlIds.h"
#include "DialogUnits.h"
#include "ProgramDialogTemplate.h"
#include "SystemColors.h"
#include "TextProgressCtrl.h"

namespace {

constexpr std::int64_t kCountdownSecondUs = 1'000'000;
constexpr int kCountdownSeconds = 3;

void PaintPane(QPainter& painter, const QRect& pane, ColorRef color) {
    painter.fillRect(pane, ToQColor(color));
    // A 1-pixel black frame inside the pane's rectangle.
    const QColor black = ToQColor(kBlack);
    painter.fillRect(QRect(pane.left(), pane.top(), pane.width(), 1), black);
    painter.fillRect(QRect(pane.left(), pane.bottom(), pane.width(), 1), black);
    painter.fillRect(QRect(pane.left(), pane.top(), 1, pane.height()), black);
    painter.fillRect(QRect(pane.right(), pane.top(), 1, pane.height()), black);
}

}  // namespace

QRect ProgressBarRect(QSize client) {
    return QRect(QPoint(10, 10), QPoint(client.width() - 10 - 1, 35 - 1));
}

PaneRects ComputePaneRects(QSize client) {
    const int w = client.width();
    const int h = client.height();
    // Edges as left, top, right, bottom with right and bottom exclusive.
    auto edges = [](int left, int top, int right, int bottom) {
        return QRect(left, top, right - left, bottom - top);
    };
    return {edges(10, 70, w / 2 - 2, h - 10), edges(w / 2 + 2, 70, w - 10, h - 10)};
}

ProgramDialog::ProgramDialog(const std::uint8_t* data, std::int32_t size, std::int32_t zeroTime,
                             std::int32_t oneTime, std::int32_t syncTime, QWidget* parent)
    : QDialog(parent), transmitter(data, size, zeroTime, oneTime, syncTime) {
    transmitter.SetHooks({
        .counter = {[this] { return runFrequency; }, [this] { return counter.reading(); }},
        .pumpEvent = [this] { return PumpEvent(); },
        .requestRepaint =
            [this] {
                ++swapsRequested;
                RepaintForSwap();
            },
        .reportProgress = [this](std::int32_t position) { progress->SetPos(position); },
    });
    OnInitDialog();
}

void ProgramDialog::OnInitDialog() {
    using namespace ProgramDialogTemplate;
    setProperty(ControlIds::kProperty, ControlIds::kProgramDialog);
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(DluToPixelsX(kWidth), DluToPixelsY(kHeight));

    for (const Button& entry : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(entry.text), this);
        button->setProperty(ControlIds::kProperty, entry.id);
        button->setGeometry(DluRect(entry.x, entry.y, entry.width, entry.height));
        button->setDefault(entry.isDefault);
        (entry.id == ControlIds::kStart ? startButton : doneButton) = button;
    }
    connect(startButton, &QPushButton::clicked, this, &ProgramDialog::OnStart);
    connect(doneButton, &QPushButton::clicked, this, &ProgramDialog::reject);

    progress = new TextProgressCtrl(this);
    progress->setProperty(ControlIds::kProperty, ControlIds::kProgressBar);
    progress->setGeometry(ProgressBarRect(size()));
    progress->setRange(0, 10 * transmitter.GetSize());
    progress->SetPos(0);
    progress->SetText(QStringLiteral("Ready to program"));

    startButton->setFocus();
}

bool ProgramDialog::PumpEvent() {
    return QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
}

void ProgramDialog::OnStart() {
    runFrequency = counter.frequency && counter.reading ? counter.frequency() : 0;
    transmitter.ClearStop();
    startButton->setEnabled(false);
    doneButton->setText(QStringLiteral("Cancel"));
    progress->SetText(QStringLiteral("Starting in...%1").arg(kCountdownSeconds));
    progress->SetPos(0);

    // Without a usable counter there is nothing to count down with; the transfer loop then
    // ends the run at once as cancelled.
    bool countdownOver = runFrequency <= 0;
    int count = kCountdownSeconds;
    std::int64_t secondStart = countdownOver ? 0 : counter.reading();
    bool cancelled = false;
    while (!countdownOver) {
        if (!PumpEvent() && ElapsedMicroseconds(secondStart, counter.reading(), runFrequency) >=
                                kCountdownSecondUs) {
            secondStart = counter.reading();
            --count;
            progress->SetText(QStringLiteral("Starting in...%1").arg(count));
            countdownOver = count == 0;
        }
        if (transmitter.IsStopped()) {
            progress->SetText(QStringLiteral("Ready to program"));
            cancelled = true;
            break;
        }
    }

    if (!cancelled) {
        progress->SetText(QStringLiteral("Programming..."));
        transmitter.Begin();
        swapsRequested = 0;
        swapsPainted = 0;
        sending = true;
        settling = false;
        const bool complete = transmitter.RunTransfer();
        sending = false;
        progress->SetText(complete ? QStringLiteral("Programming...Done")
                                   : QStringLiteral("Programming...Canceled"));
        update();
    }
    startButton->setEnabled(true);
    doneButton->setText(QStringLiteral("Done"));
}

void ProgramDialog::OnCancel() {
    if (transmitter.IsStopped()) {
        QDialog::reject();
        return;
    }
    transmitter.Cancel();
    update();
}

void ProgramDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const PaneRects panes = ComputePaneRects(size());
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
    const ColorRef left = transmitter.GetLeftColor();
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
    const PaneRects panes = ComputePaneRects(size());
    return QRect((swapNumber % 2 == 0 ? panes.left : panes.right).topLeft(), QSize(1, 1));
}

void ProgramDialog::RepaintForSwap() {
    update(QRegion(rect()) - SettlingPixel(swapsRequested));
}

bool ProgramDialog::event(QEvent* event) {
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

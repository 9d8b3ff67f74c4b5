// The application side of the glass benchmark: opens the real programming dialog on a random
// well-formed frame on the X display, tells where a pane is and what the frame is, waits for a
// line on standard input (the probe is watching), then presses Start and runs the transfer.
//   glass_driver [--bytes N] [--seed S] [--load]
// Prints "ready X Y HEX" (a pixel of the left pane in root coordinates, the frame), and at the
// end the dialog's status text.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "BusyLoad.h"
#include "ControlIds.h"
#include "ProgramDialog.h"
#include "TextProgressCtrl.h"
#include "TransferFrame.h"

namespace {

std::vector<std::uint8_t> MakeFrame(int bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(bytes));
    frame[0] = kFrameStartByte;
    frame[1] = static_cast<std::uint8_t>((bytes - 3) & 0xFF);
    unsigned sum = frame[1];
    for (std::size_t i = 2; i + 1 < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(random() & 0xFF);
        sum += frame[i];
    }
    frame.back() = static_cast<std::uint8_t>(sum & 0xFF);
    return frame;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int bytes = 16;
    unsigned seed = 1;
    bool load = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--load") {
            load = true;
        } else if ((arg == "--bytes" || arg == "--seed") && i + 1 < argc) {
            const long value = std::strtol(argv[++i], nullptr, 10);
            if (arg == "--bytes") {
                bytes = static_cast<int>(value);
            } else {
                seed = static_cast<unsigned>(value);
            }
        } else {
            std::fprintf(stderr, "usage: glass_driver [--bytes N] [--seed S] [--load]\n");
            return 2;
        }
    }
    if (bytes < 4 || bytes > 1000) {
        std::fprintf(stderr, "glass_driver: --bytes must be 4 to 1000\n");
        return 2;
    }
    const std::vector<std::uint8_t> frame = MakeFrame(bytes, seed);
    ProgramDialog dialog(frame.data(), static_cast<std::int32_t>(frame.size()), kZeroTimeUs,
                         kOneTimeUs, kSyncTimeUs);
    dialog.move(40, 40);
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        std::fprintf(stderr, "glass_driver: the dialog was not shown\n");
        return 2;
    }
    QTest::qWait(300);  // let the first paint reach the server
    const QPoint pixel = dialog.mapToGlobal(dialog.GetPaneRects().left.center());
    std::printf("ready %d %d ", pixel.x(), pixel.y());
    for (const std::uint8_t byte : frame) {
        std::printf("%02X", byte);
    }
    std::printf("\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);

    QPushButton* start = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->property(ControlIds::kProperty).toInt() == ControlIds::kStart) {
            start = button;
        }
    }
    if (start == nullptr) {
        return 2;
    }
    const BusyLoad busy(load);
    start->click();
    const QString status = dialog.findChild<TextProgressCtrl*>()->text();
    std::printf("status: %s\n", qPrintable(status));
    return status.startsWith(QStringLiteral("Done")) ? 0 : 1;
}

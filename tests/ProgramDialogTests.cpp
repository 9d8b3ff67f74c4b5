#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPushButton>
#include <QWindow>
#include <string>

#include "EditorTestSupport.h"
#include "ProgramDialog.h"
#include "TextProgressCtrl.h"

namespace {

const std::vector<std::uint8_t> kFrame = {0x55, 0x01, 0x00, 0x01};
constexpr std::int64_t kTick = 500;  // each reading of the simulated counter moves it this far

class ProgramDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.SetCounter({[] { return std::int64_t{1'000'000}; },
                           [this] {
                               now += kTick;
                               if (onReading) {
                                   onReading();
                               }
                               return now;
                           }});
        dialog.SetPaintRecorder(
            [this](const ProgramDialog::PaintedSwap& swap) { painted.push_back(swap); });
        start = FindById<QPushButton>(&dialog, ControlIds::kStart);
        done = FindById<QPushButton>(&dialog, ControlIds::kCancel);
        bar = FindById<TextProgressCtrl>(&dialog, ControlIds::kProgressBar);
        ASSERT_TRUE(start && done && bar);
        ASSERT_TRUE(ShowActive(dialog));
    }

    // Does what a user does, once, from the event loop, as soon as the condition holds.
    void ActWhen(std::function<bool()> condition, std::function<void()> act) {
        onReading = [condition, act, acted = false]() mutable {
            if (!acted && condition()) {
                acted = true;
                QMetaObject::invokeMethod(qApp, act, Qt::QueuedConnection);
            }
        };
    }
    // The dialog is at rest: Start enabled, Done, and the panes black and white in black frames.
    void ExpectIdle() {
        EXPECT_TRUE(start->isEnabled());
        EXPECT_EQ(done->text(), "Done");
        const PaneRects panes = ComputePaneRects(dialog.size());
        const QImage image = dialog.grab().toImage();
        EXPECT_EQ(image.pixel(panes.left.center()) & 0xFFFFFF, 0x000000u);
        EXPECT_EQ(image.pixel(panes.right.center()) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(panes.right.topLeft()) & 0xFFFFFF, 0x000000u);
    }

    // The frame of an empty program, with short times so a run is quick.
    ProgramDialog dialog{kFrame.data(), 4, 2'000, 4'000, 2'000};
    QPushButton* start = nullptr;
    QPushButton* done = nullptr;
    TextProgressCtrl* bar = nullptr;
    std::int64_t now = 0;
    std::function<void()> onReading;
    std::vector<ProgramDialog::PaintedSwap> painted;
};

// Notes the region of every paint of one widget.
class PaintRegions : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
    std::vector<QRegion> regions;
};

TEST_F(ProgramDialogTest, ACompleteRunCountsDownThenPaintsEverySwap) {
    // The status text and the buttons whenever they change, with the moment they did.
    std::vector<QString> states;
    std::vector<std::int64_t> times;
    onReading = [&] {
        const QString state =
            bar->text() + " / " + done->text() + (start->isEnabled() ? " / Start" : "");
        if (states.empty() || states.back() != state) {
            states.push_back(state);
            times.push_back(now);
        }
    };
    PaintRegions paints;
    dialog.installEventFilter(&paints);
    QTest::mouseClick(start, Qt::LeftButton);

    EXPECT_EQ(states,
              (std::vector<QString>{"Starting in...3 / Cancel", "Starting in...2 / Cancel",
                                    "Starting in...1 / Cancel", "Programming... / Cancel"}));
    for (std::size_t i = 1; i < times.size(); ++i) {
        EXPECT_NEAR(times[i] - times[i - 1], 1'000'000, 4 * kTick) << "second " << i;
    }
    EXPECT_EQ(bar->text(), "Programming...Done");
    EXPECT_EQ(bar->GetPos(), 40) << "positions 41 are held at the top of the range";
    ExpectIdle();

    // Every swap reached the screen, in order, alternating the colours.
    ASSERT_EQ(painted.size(), 40u);
    for (std::size_t i = 0; i < painted.size(); ++i) {
        EXPECT_EQ(painted[i].swapNumber, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(painted[i].leftColor,
                  i % 2 == 0 ? FlashTransmitter::kWhite : FlashTransmitter::kBlack);
    }

    // The X11 timing guard: see ProgramDialog::SettlingPixel.
    const PaneRects panes = ComputePaneRects(dialog.size());
    const QRect leftCorner(panes.left.topLeft(), QSize(1, 1));
    const QRect rightCorner(panes.right.topLeft(), QSize(1, 1));
    // S: a paint with one corner left out, named; P: a corner on its own.
    std::string sequence;
    for (const QRegion& region : paints.regions) {
        const bool left = region.intersects(leftCorner);
        if (region.boundingRect().size() == QSize(1, 1)) {
            sequence += left ? "PL" : "PR";
        } else if (left != region.intersects(rightCorner)) {
            sequence += left ? "SR" : "SL";
        }
    }
    // Swap 1 leaves out the right corner, swap 2 the left, and so on; before every swap the
    // corner it leaves out was painted on its own.
    std::string expected;
    for (int swap = 1; swap <= 40; ++swap) {
        expected += swap % 2 == 1 ? "PRSR" : "PLSL";
    }
    const auto firstSwap = sequence.find("PRSR");
    ASSERT_NE(firstSwap, std::string::npos) << sequence;
    EXPECT_EQ(sequence.substr(firstSwap, expected.size()), expected);
}

TEST_F(ProgramDialogTest, OpensReadyToProgramAndDoneBeforeStartCloses) {
    EXPECT_EQ(bar->text(), "Ready to program");
    EXPECT_EQ(bar->maximum(), 40);
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ProgramDialogTest, CancelInTheTransferThenInTheCountdownThenAWholeRun) {
    // The close box after 13 swaps, while the left pane is white: the run stops, the dialog stays.
    ActWhen([this] { return dialog.GetTransmitter().GetPosition() == 14; },
            [this] { dialog.windowHandle()->close(); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Programming...Canceled");
    EXPECT_GE(bar->GetPos(), 14);
    EXPECT_EQ(bar->GetPos(), dialog.GetTransmitter().GetPosition()) << "the bar keeps its place";
    ExpectIdle();

    painted.clear();
    ActWhen([this] { return bar->text() == "Starting in...2"; },
            [this] { QTest::mouseClick(done, Qt::LeftButton); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Ready to program");
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_TRUE(painted.empty()) << "nothing was sent";
    ExpectIdle();

    // The whole frame from its first byte; then the close box, idle, closes the dialog.
    onReading = nullptr;
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(painted.size(), 40u);
    EXPECT_EQ(painted.front().swapNumber, 1);
    dialog.windowHandle()->close();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ProgramDialogTest, WithoutAUsableCounterTheRunEndsAsCancelled) {
    dialog.SetCounter({[] { return std::int64_t{0}; }, [this] { return ++now; }});
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(bar->text(), "Programming...Canceled");
    ExpectIdle();
}

}  // namespace

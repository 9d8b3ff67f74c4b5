#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "ProgramDialog.h"
#include "TextProgressCtrl.h"

namespace {

// The frame of an empty program, sent with short times so a run is quick.
const std::vector<std::uint8_t> kFrame = {0x55, 0x01, 0x00, 0x01};
constexpr std::int32_t kZero = 2'000;
constexpr std::int32_t kOne = 4'000;
constexpr std::int32_t kSync = 2'000;

// Runs fn from the event loop, the way a user's click arrives during a run.
void Later(std::function<void()> fn) {
    QMetaObject::invokeMethod(qApp, std::move(fn), Qt::QueuedConnection);
}

class ProgramDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.SetCounter({[] { return std::int64_t{1'000'000}; },
                           [this] {
                               now += tick;
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

    void TearDown() override { onReading = nullptr; }

    // Notes every status text the moment it first shows, in simulated microseconds.
    void WatchStatus() {
        onReading = [this] {
            if (texts.empty() || texts.back() != bar->text()) {
                texts.push_back(bar->text());
                textTimes.push_back(now);
            }
            startEnabledDuringRun = startEnabledDuringRun || start->isEnabled();
            doneTexts.insert(done->text());
        };
    }

    // Does what a user does, once, from the event loop, as soon as the condition holds.
    void ActWhen(std::function<bool()> condition, std::function<void()> act) {
        acted = false;
        onReading = [this, condition, act] {
            if (!acted && condition()) {
                acted = true;
                Later(act);
            }
        };
    }
    void CancelWhen(std::function<bool()> condition) {
        ActWhen(condition, [this] { QTest::mouseClick(done, Qt::LeftButton); });
    }
    std::function<bool()> AtPosition(int position) {
        return [this, position] { return dialog.GetTransmitter().GetPosition() == position; };
    }

    // The dialog is back at rest: Start enabled, Done, and the panes black and white.
    void ExpectIdle() {
        EXPECT_TRUE(start->isEnabled());
        EXPECT_EQ(done->text(), "Done");
        const PaneRects panes = ComputePaneRects(dialog.size());
        const QImage image = dialog.grab().toImage();
        EXPECT_EQ(image.pixel(panes.left.center()) & 0xFFFFFF, 0x000000u);
        EXPECT_EQ(image.pixel(panes.right.center()) & 0xFFFFFF, 0xFFFFFFu);
    }

    ProgramDialog dialog{kFrame.data(), static_cast<std::int32_t>(kFrame.size()), kZero, kOne,
                         kSync};
    QPushButton* start = nullptr;
    QPushButton* done = nullptr;
    TextProgressCtrl* bar = nullptr;
    std::int64_t now = 0;
    std::int64_t tick = 500;  // each reading of the simulated counter moves it this far
    std::function<void()> onReading;
    std::vector<ProgramDialog::PaintedSwap> painted;
    std::vector<QString> texts;
    std::vector<std::int64_t> textTimes;
    std::set<QString> doneTexts;
    bool startEnabledDuringRun = false;
    bool acted = false;
};

TEST_F(ProgramDialogTest, OpensReadyToProgramWithTheTemplateLayout) {
    EXPECT_EQ(dialog.windowTitle(), "Program");
    EXPECT_EQ(dialog.size(), QSize(345, 268));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "not resizable";
    EXPECT_EQ(start->geometry(), QRect(10, 40, 75, 23));
    EXPECT_EQ(done->geometry(), QRect(259, 40, 75, 23));
    EXPECT_EQ(bar->geometry(), QRect(10, 10, 325, 25));
    EXPECT_TRUE(start->isDefault());
    EXPECT_TRUE(start->hasFocus());
    EXPECT_EQ(start->nextInFocusChain(), done) << "tab order: Start, then Done";
    EXPECT_EQ(bar->text(), "Ready to program");
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->GetPos(), 0);
    ExpectIdle();

    // The panes side by side below the buttons, each in a black frame.
    const PaneRects panes = ComputePaneRects(dialog.size());
    EXPECT_EQ(panes.left, QRect(QPoint(10, 70), QPoint(169, 257)));
    EXPECT_EQ(panes.right, QRect(QPoint(174, 70), QPoint(334, 257)));
    const QImage image = dialog.grab().toImage();
    const QRect right = panes.right;
    for (const QPoint corner : {right.topLeft(), right.topRight(), right.bottomLeft(),
                                right.bottomRight(), QPoint(right.center().x(), right.top())}) {
        EXPECT_EQ(image.pixel(corner) & 0xFFFFFF, 0x000000u) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(image.pixel(right.topLeft() + QPoint(1, 1)) & 0xFFFFFF, 0xFFFFFFu);
    const QRgb background = dialog.palette().color(QPalette::Window).rgb() & 0xFFFFFF;
    EXPECT_EQ(image.pixel(right.left() - 2, 100) & 0xFFFFFF, background) << "between the panes";
    // An odd width: w/2 truncates.
    EXPECT_EQ(ComputePaneRects(QSize(101, 100)).left.right(), 47);
    EXPECT_EQ(ComputePaneRects(QSize(101, 100)).right.left(), 52);
}

TEST_F(ProgramDialogTest, DoneOrEscapeBeforeStartClosesTheDialog) {
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    ASSERT_TRUE(ShowActive(dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ProgramDialogTest, ACompleteRunCountsDownThenSendsEverySwap) {
    WatchStatus();
    QTest::mouseClick(start, Qt::LeftButton);

    EXPECT_EQ(texts, (std::vector<QString>{"Starting in...3", "Starting in...2", "Starting in...1",
                                           "Programming..."}));
    ASSERT_EQ(textTimes.size(), 4u);
    for (std::size_t i = 1; i < textTimes.size(); ++i) {
        EXPECT_GE(textTimes[i] - textTimes[i - 1], 1'000'000) << "second " << i;
        EXPECT_LT(textTimes[i] - textTimes[i - 1], 1'000'000 + 4 * tick) << "second " << i;
    }
    EXPECT_FALSE(startEnabledDuringRun);
    EXPECT_EQ(doneTexts, std::set<QString>{"Cancel"});

    EXPECT_EQ(bar->text(), "Programming...Done");
    EXPECT_EQ(bar->GetPos(), 40) << "positions 41 are held at the top of the range";
    ExpectIdle();

    // Every swap reached the screen, in order, alternating the colours.
    ASSERT_EQ(painted.size(), 40u);
    for (std::size_t i = 0; i < painted.size(); ++i) {
        EXPECT_EQ(painted[i].swapNumber, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(painted[i].leftColor,
                  i % 2 == 0 ? FlashTransmitter::kWhite : FlashTransmitter::kBlack);
        if (i > 0) {
            EXPECT_GT(painted[i].reading, painted[i - 1].reading);
        }
    }
    // The first swap was painted one sync after the countdown ended, give or take the ticks
    // the loop and the paint took.
    EXPECT_GE(painted[0].reading - textTimes[3], kSync);
    EXPECT_LT(painted[0].reading - textTimes[3], kSync + 10 * tick);
}

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

TEST_F(ProgramDialogTest, EachSwapIsPaintedWithoutAPixelThatWasSettledOnItsOwnBefore) {
    PaintRegions paints;
    dialog.installEventFilter(&paints);
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(bar->text(), "Programming...Done");

    const PaneRects panes = ComputePaneRects(dialog.size());
    const QRegion interiors =
        QRegion(panes.left.adjusted(1, 1, -1, -1)) + panes.right.adjusted(1, 1, -1, -1);
    const QRect leftCorner(panes.left.topLeft(), QSize(1, 1));
    const QRect rightCorner(panes.right.topLeft(), QSize(1, 1));
    // S: a paint of both panes without one corner; P: a corner on its own.
    std::string sequence;
    for (const QRegion& region : paints.regions) {
        const bool left = region.intersects(leftCorner);
        const bool right = region.intersects(rightCorner);
        if ((region & interiors) == interiors) {
            if (left != right) {
                sequence += right ? "SL" : "SR";  // names the corner left out
            }
        } else if (region.rectCount() == 1 && region.boundingRect().size() == QSize(1, 1)) {
            sequence += left ? "PL" : "PR";
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

TEST_F(ProgramDialogTest, CancelDuringTheCountdownGoesBackToReady) {
    CancelWhen([this] { return bar->text() == "Starting in...2"; });
    QTest::mouseClick(start, Qt::LeftButton);

    EXPECT_TRUE(acted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Ready to program");
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_TRUE(painted.empty()) << "nothing was sent";
    ExpectIdle();

    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible()) << "a further Done closes the dialog";
}

TEST_F(ProgramDialogTest, CancelDuringTheTransferKeepsTheBarAndResetsThePanes) {
    // Cancel at position 14, after 13 swaps, while the left pane is white.
    CancelWhen(AtPosition(14));
    QTest::mouseClick(start, Qt::LeftButton);

    EXPECT_EQ(bar->text(), "Programming...Canceled");
    EXPECT_GE(bar->GetPos(), 14);
    EXPECT_EQ(bar->GetPos(), dialog.GetTransmitter().GetPosition()) << "the bar keeps its place";
    EXPECT_TRUE(dialog.isVisible());
    ExpectIdle();

    // Start again: the bar goes back to 0, the countdown starts at 3, the frame from byte 0.
    painted.clear();
    int firstCountdownPosition = -1;
    onReading = [&] {
        if (firstCountdownPosition < 0 && bar->text() == "Starting in...3") {
            firstCountdownPosition = bar->GetPos();
        }
    };
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(firstCountdownPosition, 0);
    EXPECT_EQ(bar->text(), "Programming...Done");
    ASSERT_EQ(painted.size(), 40u);
    EXPECT_EQ(painted.front().swapNumber, 1);
}

TEST_F(ProgramDialogTest, CloseBoxOrEscapeDuringARunCancelsButDoesNotClose) {
    // The platform's close box arrives as a close of the window.
    const auto closeBox = [this] { dialog.windowHandle()->close(); };
    ActWhen([this] { return bar->text() == "Starting in...1"; }, closeBox);
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(acted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Ready to program");

    ActWhen(AtPosition(22), closeBox);
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(acted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Programming...Canceled");

    ActWhen(AtPosition(5), [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(acted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Programming...Canceled");
    ExpectIdle();

    onReading = nullptr;
    dialog.windowHandle()->close();
    EXPECT_FALSE(dialog.isVisible()) << "a second use while idle closes the dialog";
}

TEST_F(ProgramDialogTest, WithoutAUsableCounterTheRunEndsAsCancelled) {
    dialog.SetCounter({[] { return std::int64_t{0}; }, [this] { return ++now; }});
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(bar->text(), "Programming...Canceled");
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_TRUE(painted.empty());
    EXPECT_EQ(now, 0) << "the counter was never read";
    ExpectIdle();
}

}  // namespace

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QWindow>
#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "EditorTestSupport.h"
#include "SimulatedDisplay.h"
#include "TestSupport.h"
#include "core/TransferFrame.h"
#include "gui/common/Language.h"
#include "gui/transfer/EventWaiter.h"
#include "gui/transfer/ProgramDialog.h"
#include "gui/transfer/TextProgressBar.h"

namespace {

// A button's text as it reads, without its mnemonic's marker.
QString Plain(const QAbstractButton* button) {
    return QString(button->text()).remove(u'&');
}

// The frame of an empty program with the startup flag off: 6 one bits, 2.35 s nominal.
const std::vector<std::uint8_t> kFrame = {0x55, 0x01, 0x00, 0x01};
constexpr std::int64_t kTick = 500;  // each reading of the simulated counter moves it this far

QWidget* FocusOr(QWidget& window) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : &window;
}

// Records the screen-awake requests; the dialog owns it, the test keeps the log.
struct AwakeLog {
    std::vector<std::string> calls;
    bool held = false;
};
class FakeScreenAwake : public ScreenAwake {
public:
    explicit FakeScreenAwake(AwakeLog& log) : log(log) {}
    void Hold(const std::string&) override {
        log.calls.push_back("hold");
        log.held = true;
    }
    void Release() override {
        log.calls.push_back("release");
        log.held = false;
    }

private:
    AwakeLog& log;
};

// The interface's language, there before the dialog is made.
class SpeakingLanguage {
protected:
    explicit SpeakingLanguage(const char* code) : language(QString::fromLatin1(code)) {}
    const AppLanguage language;
};

class ProgramDialogTest : protected SpeakingLanguage, public ::testing::Test {
protected:
    explicit ProgramDialogTest(const char* language = "en") : SpeakingLanguage(language) {}
    static void SetUpTestSuite() { QSettings().clear(); }

    void SetUp() override {
        Prepare(dialog);
        start = FindByName<QPushButton>(&dialog, "start");
        done = FindByName<QPushButton>(&dialog, "done");
        bar = FindByName<TextProgressBar>(&dialog, "progressBar");
        ASSERT_TRUE(start && done && bar);
        ASSERT_TRUE(ShowActive(dialog));
    }

    // A simulated counter; sleeping handles what is pending, or lets the time pass at once.
    void Prepare(ProgramDialog& target) {
        target.SetCounter({[] { return std::int64_t{1'000'000}; },
                           [this] {
                               now += kTick;
                               if (onReading) {
                                   onReading();
                               }
                               if (onLook) {
                                   onLook();
                               }
                               return now;
                           }});
        target.SetWaiter(
            [this](std::int64_t microseconds) {
                if (!QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents)) {
                    now += microseconds;
                }
                if (onWait) {
                    onWait();
                }
                if (onLook) {
                    onLook();
                }
            },
            [this](std::int64_t microseconds) { now += microseconds; });
        target.SetScreenAwake(std::make_unique<FakeScreenAwake>(awake));
        target.SetPaintRecorder(
            [this](const ProgramDialog::PaintedSwap& swap) { painted.push_back(swap); });
    }

    // Does what a user does, once, from the event loop, as soon as the condition holds; looked
    // at on every reading of the counter and after every wait.
    void ActWhen(std::function<bool()> condition, std::function<void()> act) {
        onLook = [condition, act, acted = false]() mutable {
            if (!acted && condition()) {
                acted = true;
                QMetaObject::invokeMethod(qApp, act, Qt::QueuedConnection);
            }
        };
    }
    // Clicks Start; each new `state` of the run with the counter's reading as it appeared, the
    // last one after the run.
    std::vector<std::pair<QString, std::int64_t>> Run(const std::function<QString()>& state) {
        std::vector<std::pair<QString, std::int64_t>> seen;
        const auto note = [&] {
            if (QString now_ = state(); seen.empty() || seen.back().first != now_) {
                seen.emplace_back(std::move(now_), now);
            }
        };
        onReading = note;
        QTest::mouseClick(start, Qt::LeftButton);
        note();
        onReading = nullptr;
        return seen;
    }
    // The first four states of a run: the countdown, then the transfer begun.
    static void ExpectCountdown(const std::vector<std::pair<QString, std::int64_t>>& seen,
                                const std::array<QString, 4>& texts) {
        ASSERT_GE(seen.size(), 6u);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(seen[i].first, texts[i]);
        }
    }
    // The dialog is at rest: Start enabled and default, Done, the panes black and white in
    // black frames, the screen free to sleep.
    void ExpectIdle() {
        EXPECT_TRUE(start->isEnabled());
        EXPECT_TRUE(start->isDefault());
        EXPECT_EQ(Plain(done), "Done");
        EXPECT_FALSE(awake.held);
        const PaneRects panes = dialog.GetPaneRects();
        const QImage image = dialog.grab().toImage();
        EXPECT_EQ(image.pixel(panes.left.center()) & 0xFFFFFF, 0x000000u);
        EXPECT_EQ(image.pixel(panes.right.center()) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(image.pixel(panes.right.topLeft()) & 0xFFFFFF, 0x000000u);
    }

    AwakeLog awake;
    ProgramDialog dialog{kFrame.data(), 4, kZeroTimeUs, kOneTimeUs, kSyncTimeUs};
    QPushButton* start = nullptr;
    QPushButton* done = nullptr;
    TextProgressBar* bar = nullptr;
    std::int64_t now = 0;
    std::function<void()> onReading;
    std::function<void()> onWait;
    std::function<void()> onLook;
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
    PaintRegions paints;
    dialog.installEventFilter(&paints);
    // The status text and the buttons whenever they change, with the moment they did.
    const auto seen = Run([this] {
        return bar->text() + " / " + Plain(done) + (start->isEnabled() ? " / Start" : "");
    });
    ExpectCountdown(seen, {"Starting in 3… / Cancel", "Starting in 2… / Cancel",
                           "Starting in 1… / Cancel", "Programming… / Cancel"});
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_NEAR(seen[i].second - seen[i - 1].second, 1'000'000, 4 * kTick) << "second " << i;
    }

    // During the transfer the time left counts down to the last second; the share done grows.
    const QRegularExpression pattern(QStringLiteral("^Programming… (\\d+) %, (\\d+) s left / "));
    std::vector<int> secondsLeft;
    int lastPercent = 0;
    for (std::size_t i = 4; i + 1 < seen.size(); ++i) {
        const QRegularExpressionMatch match = pattern.match(seen[i].first);
        ASSERT_TRUE(match.hasMatch()) << seen[i].first.toStdString();
        const int percent = match.captured(1).toInt();
        const int left = match.captured(2).toInt();
        EXPECT_GE(percent, lastPercent);
        lastPercent = percent;
        if (secondsLeft.empty() || secondsLeft.back() != left) {
            secondsLeft.push_back(left);
        }
    }
    EXPECT_EQ(secondsLeft, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(lastPercent, 100);
    EXPECT_EQ(seen.back().first, "Done: 4 bytes sent in 2 s / Done / Start");
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
    const PaneRects panes = dialog.GetPaneRects();
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

TEST_F(ProgramDialogTest, SaysHowLongAndHowBeforeStartAndAReaderHearsItAll) {
    EXPECT_EQ(bar->text(), "Ready to program");
    auto* advice = dialog.findChild<QLabel*>("advice");
    ASSERT_NE(advice, nullptr);
    EXPECT_TRUE(advice->text().startsWith("About 2 s for 4 bytes."))
        << advice->text().toStdString();
    auto* warning = dialog.findChild<QLabel*>("displayWarning");
    ASSERT_NE(warning, nullptr);
    // Offscreen there is no frame clock: a 60 Hz screen is fast enough, but the swaps are not
    // tied to it.
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(warning->text(), UnpacedNote());
    EXPECT_TRUE(LowRefreshWarning(30).startsWith("This screen refreshes 30 times a second;"));
    EXPECT_TRUE(LowRefreshWarning(50).isEmpty());
    EXPECT_TRUE(LowRefreshWarning(0).isEmpty()) << "an unknown rate is not a slow one";

    // A reader hears the warning on a slow screen as it shows.
    warning->setText(LowRefreshWarning(30));
    warning->show();
    EXPECT_TRUE(ExposesItsText(warning));
    warning->hide();
    // The bar's status and position reach a screen reader, also as they change.
    bar->SetPos(17);
    bar->SetText("Programming… 42 %, 2 s left");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(accessible->valueInterface(), nullptr);
    EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), 17);
    EXPECT_EQ(accessible->valueInterface()->maximumValue().toInt(), 40);
    EXPECT_EQ(accessible->text(QAccessible::Description), "Programming… 42 %, 2 s left");

    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(awake.calls.empty()) << "the screen is left alone until Start";
}

TEST_F(ProgramDialogTest, EveryWayARunEndsReleasesTheScreenAndSaysWhy) {
    // A transfer stopped at a swap of a different byte each time; the dialog stays.
    const struct {
        std::int32_t position;
        std::function<void()> act;
        const char* said;
    } stops[] = {
        // The close box after 13 swaps, while the left pane is white.
        {14, [this] { dialog.windowHandle()->close(); }, "Canceled after 1 of 4 bytes"},
        // Esc, with the focus wherever the run left it.
        {25, [this] { QTest::keyClick(FocusOr(dialog), Qt::Key_Escape); },
         "Canceled after 2 of 4 bytes"},
        // A counter that jumps back.
        {12, [this] { now -= 60'000'000; }, "Canceled: the clock failed after 1 of 4 bytes"},
        // Minimised: the device no longer sees the panes.
        {33, [this] { dialog.setWindowState(Qt::WindowMinimized); },
         "Canceled: the panes could not be seen after 3 of 4 bytes"},
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.said);
        bool heldDuringRun = false;
        ActWhen([this, &stop] { return dialog.GetTransmitter().GetPosition() == stop.position; },
                [this, &stop, &heldDuringRun] {
                    heldDuringRun = awake.held;
                    stop.act();
                });
        QTest::mouseClick(start, Qt::LeftButton);
        EXPECT_TRUE(heldDuringRun);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(bar->text(), stop.said);
        EXPECT_GE(bar->GetPos(), stop.position);
        EXPECT_EQ(bar->GetPos(), dialog.GetTransmitter().GetPosition())
            << "the bar keeps its place";
        dialog.setWindowState(Qt::WindowNoState);
        ASSERT_TRUE(ShowActive(dialog));
        ExpectIdle();
    }

    // Cancel in the countdown: nothing is sent.
    painted.clear();
    bool heldDuringRun = false;
    ActWhen([this] { return bar->text() == "Starting in 2…"; },
            [this, &heldDuringRun] {
                heldDuringRun = awake.held;
                QTest::mouseClick(done, Qt::LeftButton);
            });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(heldDuringRun);
    EXPECT_EQ(bar->text(), "Canceled before sending");
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_TRUE(painted.empty()) << "nothing was sent";
    ExpectIdle();

    // Enter starts the whole frame from its first byte; then the close box, idle, closes.
    onLook = nullptr;
    painted.clear();
    QTest::keyClick(FocusOr(dialog), Qt::Key_Return);
    EXPECT_EQ(painted.size(), 40u);
    EXPECT_TRUE(bar->text().startsWith("Done: 4 bytes sent"));
    ExpectIdle();
    dialog.windowHandle()->close();
    EXPECT_FALSE(dialog.isVisible());

    std::vector<std::string> pairs;
    for (int run = 0; run < 6; ++run) {
        pairs.insert(pairs.end(), {"hold", "release"});
    }
    EXPECT_EQ(awake.calls, pairs);
}

// The simulated display as the dialog's frame clock, on the test's counter: a frame event every
// period. Frames from `stallAt` on (the display stopped) have no event; what they would have
// shown comes with the next one.
class SimulatedPaneClock : public PaneClock {
public:
    SimulatedPaneClock(std::int64_t& now, double periodUs) : now(now) {
        display.hz = 1e6 / periodUs;
        display.phaseUs = 0;
    }
    bool Begin(PaneClockHost newHost) override {
        host = std::move(newHost);
        ForgetPresented();
        frame = static_cast<std::int64_t>(static_cast<double>(now) / display.PeriodUs());
        running = true;
        return true;
    }
    double NominalHz() const override { return 60; }
    void Send(FrameScheduler& newScheduler) override { scheduler = &newScheduler; }
    void End() override {
        running = false;
        scheduler = nullptr;
    }
    std::int64_t NowUs() const override { return now; }

    // Every frame up to now.
    void Advance() {
        while (running && display.StartOf(frame + 1) <= now) {
            ++frame;
            const bool stalled = stallAt && frame >= *stallAt && frame < *stallAt + stallFrames;
            if (!stalled && display.Frame(scheduler, static_cast<int>(frame), frame,
                                          [this](std::int64_t us) { NotePresented(us); })) {
                host.swapColours();
            }
        }
    }

    std::optional<std::int64_t> stallAt;
    std::int64_t stallFrames = 0;

private:
    std::int64_t& now;
    SimulatedDisplay display;
    PaneClockHost host;
    FrameScheduler* scheduler = nullptr;
    std::int64_t frame = 0;
    bool running = false;
};

class FrameLockedDialogTest : public ProgramDialogTest {
protected:
    void UseClock(double periodUs) {
        auto owned = std::make_unique<SimulatedPaneClock>(now, periodUs);
        clock = owned.get();
        dialog.SetPaneClock(std::move(owned));
        onWait = [this] { clock->Advance(); };
    }
    SimulatedPaneClock* clock = nullptr;
};

TEST_F(FrameLockedDialogTest, OnAPacedDisplayEveryGapIsOnItsFramesAndOnlyDamageStopsTheRun) {
    UseClock(1e6 / 60);
    auto* warning = dialog.findChild<QLabel*>("displayWarning");
    EXPECT_TRUE(warning->isHidden()) << "a frame clock and a 60 Hz screen: nothing to warn of";
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(bar->text().startsWith("Done: 4 bytes sent in ")) << bar->text().toStdString();
    const std::optional<FrameScheduler>& run = dialog.LastFrameRun();
    ASSERT_TRUE(run);
    EXPECT_EQ(run->SwapsShown(), 40u);
    EXPECT_TRUE(run->Damaged().empty());
    EXPECT_EQ(bar->GetPos(), 40);
    EXPECT_EQ(Plain(start), "Start");
    ExpectIdle();

    // The display stops for half a second in byte 2: the gap it hits is far too long. The run
    // stops there, says where, and offers to start again; it never says Done.
    clock->stallAt = static_cast<std::int64_t>(now / (1e6 / 60)) + 3 * 60 + 60;
    clock->stallFrames = 30;
    const auto seen = Run([this] { return bar->text(); });
    EXPECT_EQ(
        bar->text(),
        "The screen missed frames at byte 2; the device may have read it wrong. Start again.");
    EXPECT_TRUE(std::none_of(seen.begin(), seen.end(),
                             [](const auto& state) { return state.first.startsWith("Done"); }));
    ASSERT_TRUE(dialog.LastFrameRun() && dialog.LastFrameRun()->Unsafe());
    EXPECT_LT(dialog.LastFrameRun()->SwapsShown(), 40u) << "no swap goes out after the damage";
    EXPECT_EQ(Plain(start), "Start again");
    ExpectIdle();

    // Start again: a clean run, Done, and Start is Start again.
    clock->stallAt.reset();
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(bar->text().startsWith("Done: 4 bytes sent in "));
    EXPECT_EQ(Plain(start), "Start");
}

TEST_F(FrameLockedDialogTest, EscOrAMinimisedWindowStopsAFrameLockedRun) {
    UseClock(1e6 / 60);
    ActWhen([this] { return bar->GetPos() >= 14; },
            [this] { QTest::keyClick(FocusOr(dialog), Qt::Key_Escape); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(bar->text(), "Canceled after 1 of 4 bytes");
    ASSERT_TRUE(dialog.LastFrameRun());
    EXPECT_LT(dialog.LastFrameRun()->SwapsOut(), 20u) << "no swap goes out after Esc";
    ExpectIdle();

    ActWhen([this] { return bar->GetPos() >= 24; },
            [this] { dialog.setWindowState(Qt::WindowMinimized); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(bar->text(), "Canceled: the panes could not be seen after 2 of 4 bytes");
    dialog.setWindowState(Qt::WindowNoState);
    ASSERT_TRUE(ShowActive(dialog));
    ExpectIdle();
}

TEST_F(FrameLockedDialogTest, AClockThatIsNotTheDisplaysFallsBackToTheTimerAndSaysSo) {
    // Frames every 5 ms on a 60 Hz screen: a timer, not the display.
    UseClock(5'000);
    auto* warning = dialog.findChild<QLabel*>("displayWarning");
    EXPECT_TRUE(warning->isHidden());
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_TRUE(bar->text().startsWith("Done: 4 bytes sent in "));
    EXPECT_FALSE(dialog.LastFrameRun());
    EXPECT_EQ(painted.size(), 40u) << "every swap painted on the dialog's own timer";
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(warning->text(), UnpacedNote());
}

class GermanProgramDialogTest : public ProgramDialogTest {
protected:
    GermanProgramDialogTest() : ProgramDialogTest("de") {}
};

TEST_F(GermanProgramDialogTest, EveryTextARunShowsIsGerman) {
    const auto seen = Run([this] { return bar->text() + " / " + Plain(done); });
    ExpectCountdown(seen, {"Start in 3… / Abbrechen", "Start in 2… / Abbrechen",
                           "Start in 1… / Abbrechen", "Wird programmiert… / Abbrechen"});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Wird programmiert… \\d+ %, noch \\d"))
                    .match(seen[4].first)
                    .hasMatch())
        << seen[4].first.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Fertig: 4 Bytes in .* / Fertig$"))
                    .match(seen.back().first)
                    .hasMatch())
        << seen.back().first.toStdString();

    // Cancelled: the count sent and the frame's size in their places.
    ActWhen([this] { return dialog.GetTransmitter().GetPosition() == 25; },
            [this] { QTest::mouseClick(done, Qt::LeftButton); });
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(bar->text(), "Abgebrochen nach 2 von 4 Bytes");
}

// The size as the status line counts it, the frame's extra bytes explained; "(s)" and %n in
// both languages; the refresh rate with the language's decimal sign.
TEST(ProgramDialogText, CountsAgreeWithTheirNumberAndDecimalsFollowTheLanguage) {
    EXPECT_EQ(FrameSizeText(7 + kFrameExtraBytes, 73'000'000),
              "About 1 min 13 s for the program's 7 bytes (11 with the start byte, length, block "
              "count and checksum).");
    const int oneProgramByte = kFrameExtraBytes + 1;
    EXPECT_TRUE(FrameSizeText(oneProgramByte, 2'000'000)
                    .contains("for the program's 1 byte (5 with the start byte"));
    const AppLanguage german(QStringLiteral("de"));
    EXPECT_TRUE(FrameSizeText(oneProgramByte, 2'000'000)
                    .contains("für 1 Byte des Programms (5 mit Startbyte"));
    EXPECT_TRUE(FrameSizeText(oneProgramByte + 1, 2'000'000)
                    .contains("für 2 Bytes des Programms (6 mit Startbyte"));
    const QString warning = LowRefreshWarning(49.6);
    EXPECT_TRUE(warning.startsWith("Dieser Bildschirm hat eine Bildwiederholrate von 49,6 Hz;"))
        << warning.toStdString();
    EXPECT_TRUE(warning.contains("unter 50 Hz")) << warning.toStdString();
}

TEST(EventWaiter, HandlesAnEventThatArrivesWhileItSleeps) {
    EventWaiter waiter;
    bool handled = false;
    QTimer::singleShot(5, [&handled] { handled = true; });
    // Without the event it would sleep for half a minute.
    for (int turn = 0; turn < 100 && !handled; ++turn) {
        waiter.Wait(30'000'000);
    }
    EXPECT_TRUE(handled);
}

TEST_F(ProgramDialogTest, AltSStartsProgramming) {
    QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return bar->text().startsWith("Done"); }, 5000))
        << bar->text().toStdString();
    EXPECT_EQ(Plain(start), "Start");
}

}  // namespace

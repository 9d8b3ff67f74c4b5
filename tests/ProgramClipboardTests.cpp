// What Cut, Copy and Paste take and give: the clipboard's text and block starts, reading text
// from elsewhere, and how a paste fits into the program. Also the file stamp Save checks.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/EditorState.h"
#include "core/ProgramClipboard.h"
#include "core/TimerFile.h"

using testing_support::BlockData;
using testing_support::MakeProgram;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// Timer 4: ten intervals in two blocks (8 + 2), the second starting at row 8; timer 0: one.
EditorState TwoTimers() {
    std::vector<BlockData> blocks{{0, {{true, 0, 0, 5, 0}}}, {4, {}}, {4, {}}};
    for (std::uint32_t i = 0; i < 8; ++i) {
        blocks[1].steps.push_back({i % 2 == 0, 0, 2, i, i == 7 ? 30u : 0u});
    }
    blocks[2].steps = {{true, 1, 0, 0, 0}, {false, 0, 0, 0, 15}};
    return StateFromProgram(MakeProgram(blocks));
}

}  // namespace

TEST(ProgramClipboard, CopyGivesTheExactLinesSaveWritesAndCutTakesThem) {
    EditorState state = TwoTimers();
    state.selection = {1, -1};
    const ProgramClip clip = CopySelection(state);
    ASSERT_EQ(clip.timers.size(), 1u);
    const std::string expected =
        "Timer 4\r\nON - 00:02:00\r\nOFF - 00:02:01\r\nON - 00:02:02\r\nOFF - 00:02:03\r\n"
        "ON - 00:02:04\r\nOFF - 00:02:05\r\nON - 00:02:06\r\nOFF - 00:02:07:30\r\n"
        "Timer 4\r\nON - 01:00:00\r\nOFF - 00:00:00:15\r\n";
    EXPECT_EQ(ClipText(clip), expected);
    EXPECT_EQ(ClipBlockStarts(clip), "") << "the timer lines carry a timer's block starts";
    // The same lines a saved file has, after its header.
    EditorState alone;
    alone.panels = {state.panels[1]};
    EXPECT_EQ("TVRX\r\n1000\r\n" + expected, FormatTimerFile(ProgramFromState(alone)));

    // Rows 7 to 9 (Shift-selected upwards): the interval lines alone, and their block starts.
    state.selection = {1, 7, 9};
    const ProgramClip rows = CopySelection(state);
    EXPECT_EQ(ClipText(rows), "OFF - 00:02:07:30\r\nON - 01:00:00\r\nOFF - 00:00:00:15\r\n");
    EXPECT_EQ(ClipBlockStarts(rows), "010");
    state.selection = {-1, -1};
    EXPECT_TRUE(CopySelection(state).Empty());
    EXPECT_EQ(CutSelection(state), EditRefusal::NoSuchTimer);

    // Cut takes what Copy took, and a timer with all of its rows.
    state.selection = {1, 4, 2};
    ASSERT_EQ(CutSelection(state), EditRefusal::None);
    EXPECT_EQ(state.panels[1].rows.size(), 7u);
    EXPECT_EQ(RowText(state.panels[1].rows[2]), "00:02:05");
    EXPECT_EQ(state.selection, (EditorSelection{1, 2}));
    state.selection = {1, 0, 6};
    ASSERT_EQ(CutSelection(state), EditRefusal::None);
    EXPECT_EQ(state.panels.size(), 1u);
}

TEST(ProgramClipboard, PasteRoundTripsBlockStartsOfTimersAndOfIntervals) {
    EditorState state = TwoTimers();
    // A block start the user checked, where the rule does not need one.
    ASSERT_EQ(SetBlockStart(state, 1, 3, true), EditRefusal::None);
    const PanelState source = state.panels[1];

    state.selection = {1, -1};
    const ClipReading timer = ReadClipText(ClipText(CopySelection(state)));
    ASSERT_TRUE(timer.load.Ok());
    ASSERT_EQ(timer.clip.timers.size(), 1u);
    EXPECT_EQ(timer.clip.timers[0], source);

    state.selection = {1, 2, 4};
    const ProgramClip copied = CopySelection(state);
    const ClipReading rows = ReadClipText(ClipText(copied), ClipBlockStarts(copied));
    EXPECT_EQ(rows.clip.rows, copied.rows);
    // Pasted below timer 0's only row, the user's block start comes along.
    state.selection = {0, 0};
    const PasteOutcome outcome = PasteClip(state, rows.clip);
    EXPECT_EQ(outcome.rowsPasted, 3);
    const std::vector<RowState>& pasted = state.panels[0].rows;
    ASSERT_EQ(pasted.size(), 4u);
    EXPECT_EQ(std::vector<bool>({pasted[1].blockStart, pasted[2].blockStart, pasted[3].blockStart}),
              std::vector<bool>({false, true, false}));
    EXPECT_EQ(state.selection, (EditorSelection{0, 3, 1})) << "the pasted rows are selected";

    // Plain text alone cannot carry them; block starts that do not match the rows are ignored.
    EXPECT_FALSE(ReadClipText(ClipText(copied)).clip.rows[1].blockStart);
    EXPECT_FALSE(ReadClipText(ClipText(copied), "01").clip.rows[1].blockStart);
}

TEST(ProgramClipboard, PasteKeepsAFreeNumberAndRenumbersAUsedOneAndSaysSo) {
    EditorState state = TwoTimers();  // timers 0 and 4
    state.selection = {0, -1};
    ProgramClip clip;
    clip.timers = {TimerRows(4, 2)};
    PasteOutcome outcome = PasteClip(state, clip);
    ASSERT_EQ(state.panels.size(), 3u);
    EXPECT_EQ(state.panels[1].timerNumber, 1) << "the lowest free number, after the selected";
    EXPECT_EQ(state.selection, (EditorSelection{1, -1}));
    EXPECT_EQ(DescribePaste(outcome),
              "Pasted Timer 4 as Timer 1: Timer 4 is already in the program.");

    clip.timers = {TimerRows(7, 1), TimerRows(40, 1)};
    outcome = PasteClip(state, clip);
    EXPECT_EQ(state.panels[2].timerNumber, 7);
    EXPECT_EQ(state.panels[3].timerNumber, 2);
    EXPECT_EQ(DescribePaste(outcome),
              "Pasted Timer 7. Pasted Timer 40 as Timer 2: the device numbers its timers 0 to "
              "31.");

    // A full program takes no more, and says why.
    while (state.panels.size() < static_cast<std::size_t>(kTimerCount)) {
        state.panels.push_back(TimerRows(LowestFreeTimerNumber(state), 1));
    }
    const EditorState full = state;
    outcome = PasteClip(state, clip);
    EXPECT_FALSE(outcome.Changed());
    EXPECT_EQ(state.panels, full.panels);
    EXPECT_EQ(DescribePaste(outcome),
              "2 timers did not fit: the editor holds at most 32 timers. Delete a timer and "
              "paste again.");
}

TEST(ProgramClipboard, PasteIntoAFullTimerSaysWhatDidNotFit) {
    EditorState state;
    state.panels = {TimerRows(3, kMaxIntervalsPerTimer - 2)};
    state.selection = {0, 5};
    ProgramClip clip;
    for (int i = 0; i < 5; ++i) {
        clip.rows.push_back(Row(true, "00:00:09"));
    }
    PasteOutcome outcome = PasteClip(state, clip);
    EXPECT_EQ(state.panels[0].rows.size(), static_cast<std::size_t>(kMaxIntervalsPerTimer));
    EXPECT_TRUE(state.panels[0].rows[6].on && state.panels[0].rows[7].on);
    EXPECT_FALSE(state.panels[0].rows[8].on) << "inserted below the selected row";
    EXPECT_EQ(DescribePaste(outcome),
              "Pasted 2 of 5 intervals into Timer 3; 3 did not fit: a timer holds at most 49 "
              "intervals.");
    // The block rule holds over the inserted rows.
    PanelState ruled = state.panels[0];
    ApplyBlockRule(ruled);
    EXPECT_EQ(ruled, state.panels[0]);

    const EditorState before = state;
    outcome = PasteClip(state, clip);
    EXPECT_FALSE(outcome.Changed());
    EXPECT_EQ(state.panels, before.panels);
    EXPECT_EQ(DescribePaste(outcome),
              "Nothing was pasted: Timer 3 already has 49 intervals, the most a timer holds.");

    state.selection = {-1, -1};
    outcome = PasteClip(state, clip);
    EXPECT_TRUE(outcome.needsTimer);
    EXPECT_FALSE(outcome.Changed());
}

TEST(ProgramClipboard, TextFromElsewhereIsReadByTheFileReadersRules) {
    // Intervals alone, with junk: what reads is taken, the rest reported with its line.
    ClipReading read = ReadClipText(
        "Here are the steps:\nON - 00:00:05\nOFF 00:00:10\n\nOFF - 0:1:0  \r\nSTARTUP ON\n");
    ASSERT_TRUE(read.load.Ok());
    ASSERT_EQ(read.clip.rows.size(), 2u);
    EXPECT_EQ(read.clip.rows[0], (Row(true, "00:00:05", false)));
    EXPECT_EQ(read.clip.rows[1], (Row(false, "00:01:00", false)));
    ASSERT_EQ(read.load.skippedCount, 2u);
    EXPECT_EQ(read.load.skipped[0].number, 1u);
    EXPECT_EQ(read.load.skipped[1].number, 3u);

    // More than a block's eight intervals without a timer line are all taken.
    std::string many;
    for (int i = 0; i < 12; ++i) {
        many += "OFF - 00:00:01\n";
    }
    EXPECT_EQ(ReadClipText(many).clip.rows.size(), 12u);

    // Timers without the header: line numbers are the text's own.
    read = ReadClipText("Dear Bob,\nTimer 3\nON - 00:00:05\nTimer 9\nbye\n");
    ASSERT_EQ(read.clip.timers.size(), 1u) << "a timer line without intervals adds nothing";
    EXPECT_EQ(read.clip.timers[0].timerNumber, 3);
    ASSERT_EQ(read.load.skippedCount, 2u);
    EXPECT_EQ(read.load.skipped[0].number, 1u);
    EXPECT_EQ(read.load.skipped[1].number, 5u);

    // Nothing readable: nothing to paste.
    read = ReadClipText("Lunch at noon?\n");
    EXPECT_TRUE(read.clip.Empty());
    EXPECT_EQ(read.load.skippedCount, 1u);
    EXPECT_TRUE(ReadClipText("").clip.Empty());
}

TEST(FileStampTest, TellsAChangedFileFromATouchedUnchangedOrDeletedOne) {
    TempDir dir;
    const std::string path = dir.File("talk.tvr");
    namespace fs = std::filesystem;
    // The test sets the files' times itself, so nothing depends on the clock's resolution.
    const fs::file_time_type monday = fs::file_time_type::clock::now() - std::chrono::hours(48);
    const fs::file_time_type tuesday = monday + std::chrono::hours(24);
    WriteFile(path, "TVRX\r\n1000\r\nTimer 1\r\nON - 00:00:05\r\n");
    fs::last_write_time(path, monday);
    TimerProgram program;
    const LoadResult loaded = ReadTimerFile(path, program);
    ASSERT_TRUE(loaded.stamp.known);
    EXPECT_EQ(CheckFile(path, loaded.stamp), FileCheck::Unchanged);
    EXPECT_EQ(CheckFile(path, FileStamp{}), FileCheck::Unchanged) << "nothing remembered";

    fs::last_write_time(path, tuesday);
    EXPECT_EQ(CheckFile(path, loaded.stamp), FileCheck::Touched) << "same bytes, new time";
    // Same size, same time, other bytes: only the hash tells.
    WriteFile(path, "TVRX\r\n1000\r\nTimer 1\r\nON - 00:00:06\r\n");
    fs::last_write_time(path, monday);
    EXPECT_EQ(CheckFile(path, loaded.stamp), FileCheck::Changed);
    WriteFile(path, "TVRX\r\n1000\r\nTimer 1\r\n");
    EXPECT_EQ(CheckFile(path, loaded.stamp), FileCheck::Changed) << "another size";

    // A save's stamp is what it wrote.
    const SaveResult saved = WriteTimerFile(path, program);
    ASSERT_TRUE(saved.Ok());
    EXPECT_EQ(saved.stamp, StampOf(ReadFile(path), FileTime(path)));
    EXPECT_EQ(CheckFile(path, saved.stamp), FileCheck::Unchanged);
    fs::remove(path);
    EXPECT_EQ(CheckFile(path, saved.stamp), FileCheck::Gone);
}

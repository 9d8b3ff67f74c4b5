// The core's words in another language: the English plural rule, argument filling, the
// installed translator, and that every message the core builds for people goes through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "core/ProgramClipboard.h"
#include "core/ProgramFit.h"
#include "core/ProgramSummary.h"
#include "core/TimelineMath.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "core/TransferEstimate.h"
#include "core/Translate.h"

using testing_support::BlockData;
using testing_support::MakeProgram;

namespace {

// Installs a translator for one test and restores English after it, whatever happens.
class InstalledTranslator {
public:
    explicit InstalledTranslator(CoreTranslator translator) {
        SetCoreTranslator(std::move(translator));
    }
    ~InstalledTranslator() { SetCoreTranslator({}); }
    InstalledTranslator(const InstalledTranslator&) = delete;
    InstalledTranslator& operator=(const InstalledTranslator&) = delete;
};

}  // namespace

TEST(Translate, EnglishPluralDropsTheMarkForOneAndWritesSOtherwise) {
    EXPECT_EQ(EnglishPlural("%n block(s)", 0), "0 blocks");
    EXPECT_EQ(EnglishPlural("%n block(s)", 1), "1 block");
    EXPECT_EQ(EnglishPlural("%n timer(s) left, %n interval(s) each", 1),
              "1 timer left, 1 interval each");
    EXPECT_EQ(EnglishPlural("%n timer(s) left, %n interval(s) each", 12),
              "12 timers left, 12 intervals each");
    // %1 is not the count's to fill.
    EXPECT_EQ(EnglishPlural("%1 of %n", 2), "%1 of 2");
}

TEST(Translate, FillArgsPutsEachArgumentWhereItsNumberStands) {
    EXPECT_EQ(FillArgs("%2 before %1", {"one", "two"}), "two before one");
    EXPECT_EQ(FillArgs("Pasted %1 as %2: %1 is taken.", {"Timer 4", "Timer 7"}),
              "Pasted Timer 4 as Timer 7: Timer 4 is taken.");
    // An argument is text: a "%2" inside it is not filled in again.
    EXPECT_EQ(FillArgs("line %1: \"%2\"", {"3", "OFF %2 %1"}), "line 3: \"OFF %2 %1\"");
    // What has no argument stays as written.
    EXPECT_EQ(FillArgs("%1 of %3, 100%, %n", {"a"}), "a of %3, 100%, %n");
    EXPECT_EQ(FillArgs("ends in %", {"a"}), "ends in %");
}

namespace {

// A translation that writes every text in capitals (placeholders kept), so any English word
// left in a message shows as a lower-case letter.
std::string Capitals(const char*, const char* source, const char*, int n) {
    std::string text = n >= 0 ? EnglishPlural(source, n) : std::string(source);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            ++i;  // %1, %n: the placeholder stays as it is
        } else {
            text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        }
    }
    return text;
}

bool HasLowerCase(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

TEST(CoreTexts, EveryMessageForPeopleIsMadeOfTranslatedTexts) {
    InstalledTranslator capitals(Capitals);
    std::vector<std::string> messages;

    // Every device problem, with the tool's and the editor's advice: timer 40, an interval too
    // long, timer 3 in three places and timer 4 in two, an empty block, too much memory.
    std::vector<BlockData> blocks{{40, {{true, 0, 0, 5, 0}}},
                                  {3, {{true, 2500, 0, 0, 0}}},
                                  {4, {{false, 0, 0, 1, 0}}},
                                  {3, {{true, 0, 0, 1, 0}}},
                                  {4, {}},
                                  {3, {{false, 0, 0, 1, 0}}}};
    for (int t = 6; t < 12; ++t) {
        blocks.push_back({t, std::vector<testing_support::Step>(8, {true, 0, 0, 1, 0})});
    }
    const TimerProgram program = MakeProgram(blocks);
    std::vector<DeviceProblem> problems = CheckDeviceLimits(program);
    const std::vector<DeviceProblem> editor = CheckDeviceLimits(program, ProblemAdvice::Editor);
    problems.insert(problems.end(), editor.begin(), editor.end());
    EditorState startup;
    startup.startup = true;
    startup.panels = {PanelState{1, {Row(true, "00:00:01", true), Row(true, "00:00:00:60")}}};
    const std::vector<DeviceProblem> warnings = CheckEditorState(startup);
    problems.insert(problems.end(), warnings.begin(), warnings.end());
    for (const auto kind :
         {DeviceProblem::Kind::OutOfMemory, DeviceProblem::Kind::IntervalTooLong,
          DeviceProblem::Kind::BadTimerNumber, DeviceProblem::Kind::EmptyBlock,
          DeviceProblem::Kind::TimerInPlaces, DeviceProblem::Kind::StartupWithoutTimer,
          DeviceProblem::Kind::SixtiethsOverSecond}) {
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                                [kind](const DeviceProblem& p) { return p.kind == kind; }));
    }
    for (const DeviceProblem& problem : problems) {
        messages.push_back(problem.message);
        messages.push_back(ShortProblemText(problem));
    }

    // The reader's and the writer's verdicts.
    for (const auto status : {LoadStatus::CannotOpen, LoadStatus::NotTimerFile,
                              LoadStatus::UnsupportedVersion, LoadStatus::TooLarge}) {
        LoadResult load;
        load.status = status;
        load.detail = "NO SUCH FILE";
        load.version = "2000";
        messages.push_back(load.Message());
        messages.push_back(load.Reason());
    }
    for (const auto status : {SaveStatus::NoBlocks, SaveStatus::CannotCreate,
                              SaveStatus::WriteFailed, SaveStatus::CannotReplace}) {
        SaveResult save;
        save.status = status;
        save.detail = "DISK FULL";
        messages.push_back(save.Message());
    }
    TimerProgram read;
    const LoadResult many = ParseTimerFile(
        "TVRX\r\n1000\r\nON - 00:00:01\r\nTimer 1\r\nON - 0:0:1\r\nON - 0:0:1\r\nON - 0:0:1\r\n"
        "ON - 0:0:1\r\nON - 0:0:1\r\nON - 0:0:1\r\nON - 0:0:1\r\nON - 0:0:1\r\nON - 0:0:1\r\n" +
            std::string(300, 'X') + "\r\nHELLO\r\nA\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\nI\r\n",
        read);
    ASSERT_EQ(many.skippedCount, 13u);
    messages.push_back(FormatSkippedLines(many, "T.TVR"));
    const LoadResult single = ParseTimerFile("TVRX\r\n1000\r\nTimer 1\r\nHELLO\r\n", read);
    messages.push_back(FormatSkippedLines(single, "T.TVR"));

    // Paste outcomes of every kind.
    PasteOutcome timers;
    timers.timers = {{3, 3}, {4, 7}, {40, 8}};
    timers.timersLeftOut = 2;
    timers.rowsLeftOut = 1;
    messages.push_back(DescribePaste(timers));
    PasteOutcome noTimer;
    noTimer.needsTimer = true;
    messages.push_back(DescribePaste(noTimer));
    for (const auto& [pasted, leftOut] : {std::pair{0, 4}, std::pair{1, 0}, std::pair{3, 2}}) {
        PasteOutcome rows;
        rows.panel = 0;
        rows.timerNumber = 2;
        rows.rowsPasted = pasted;
        rows.rowsLeftOut = leftOut;
        messages.push_back(DescribePaste(rows));
    }

    // The timeline's hover text, ON and OFF, readable or not, with a problem under it.
    EditorState state;
    state.panels = {PanelState{
        3, {Row(true, "00:00:05", true), Row(false, "00:01:00:30"), Row(true, "2500:00:00")}}};
    TimelineLayout layout = LayoutTimeline(state);
    MarkProblems(layout, CheckEditorState(state));
    ASSERT_FALSE(layout.lanes.front().bars.back().problem.empty());
    for (const TimelineBar& bar : layout.lanes.front().bars) {
        messages.push_back(DescribeBar(layout.lanes.front(), bar));
    }

    // What the editor cannot show, ordinals of every English ending included.
    std::vector<BlockData> runs;
    for (int t = 0; t < 24; ++t) {
        runs.push_back({t % 2, {{true, 0, 0, 1, 0}}});
    }
    runs.front().steps.resize(3, {true, 0, 0, 1, 0});
    for (const int timers : {0, 24}) {
        const std::vector<std::string> lines = DescribeWhatDoesNotFit(MakeProgram(runs), timers, 2);
        messages.insert(messages.end(), lines.begin(), lines.end());
    }

    for (const std::int64_t us : {42'000'000, 120'000'000, 73'000'000}) {
        messages.push_back(FormatDuration(us));
    }
    messages.push_back(FormatSummaryLine(ProgramSummary{7, 2, 9'000'000}, 128));
    messages.push_back(IntervalName(3, 1));

    // Why an edit was refused, for every reason, the full memory's words included.
    EditorState full;
    full.panels = {PanelState{4, std::vector<RowState>(kMaxIntervalsPerTimer, Row(true, "1:0:0"))}};
    for (int r = static_cast<int>(EditRefusal::NoSuchTimer);
         r <= static_cast<int>(EditRefusal::BlockTooLong); ++r) {
        const RefusalWords words = DescribeRefusal(static_cast<EditRefusal>(r), full, 0, 1);
        messages.push_back(words.text);
        if (!words.detail.empty()) {
            messages.push_back(words.detail);
        }
    }

    for (const std::string& message : messages) {
        EXPECT_FALSE(message.empty());
        EXPECT_FALSE(HasLowerCase(message)) << message;
    }
}

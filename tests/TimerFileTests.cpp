#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/TimerFile.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// ---- writing -------------------------------------------------------------------------------

TEST(TimerFileWriter, WritesTheExactBytesWithCrLf) {
    const TimerProgram program = MakeProgram(
        {{0, {{true, 0, 0, 5, 0}, {false, 0, 0, 10, 30}}}, {3, {{true, 1, 0, 0, 0}}}}, true);
    EXPECT_EQ(FormatTimerFile(program),
              "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\n"
              "OFF - 00:00:10:30\r\nTimer 3\r\nON - 01:00:00\r\n");
    // Every block gets its own timer line, even one of the same timer or with no intervals.
    EXPECT_EQ(FormatTimerFile(MakeProgram({{-4, {{false, 0, 0, 1, 0}}}, {-4, {}}})),
              "TVRX\r\n1000\r\nTimer -4\r\nOFF - 00:00:01\r\nTimer -4\r\n");
}

TEST(TimerFileWriter, SaveThenLoadThenSaveIsByteIdenticalForRandomPrograms) {
    TempDir dir;
    const std::string first = dir.File("first.tvr");
    const std::string second = dir.File("second.tvr");
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const TimerProgram program = RandomProgram(seed);
        ASSERT_TRUE(program.SaveToFile(first)) << "seed " << seed;
        TimerProgram loaded;
        ASSERT_TRUE(loaded.LoadFromFile(first)) << "seed " << seed;
        EXPECT_EQ(Describe(loaded), Describe(program)) << "seed " << seed;
        EXPECT_EQ(loaded.GetStartup(), program.GetStartup()) << "seed " << seed;
        ASSERT_TRUE(loaded.SaveToFile(second)) << "seed " << seed;
        EXPECT_EQ(ReadFile(second), ReadFile(first)) << "seed " << seed;
    }
}

// ---- reading: the header -----------------------------------------------------------------

std::vector<BlockData> Load(const std::string& text, bool* startup = nullptr) {
    TimerProgram program;
    const LoadResult result = ParseTimerFile(text, program);
    EXPECT_TRUE(result.Ok()) << result.Message();
    if (startup != nullptr) {
        *startup = program.GetStartup();
    }
    return Describe(program);
}

TEST(TimerFileHeader, MagicAndVersionMustMatchAFailedLoadChangesNothingStartupIsExact) {
    TimerProgram program = MakeProgram({{1, {{true, 0, 0, 1, 0}}}});
    const auto status = [&](const std::string& text) {
        return ParseTimerFile(text, program).status;
    };
    EXPECT_EQ(status("tvrx\r\n1000\r\n"), LoadStatus::NotTimerFile);
    EXPECT_EQ(status("TVRX\r\nversion\r\n"), LoadStatus::NotTimerFile);
    EXPECT_EQ(status(""), LoadStatus::NotTimerFile);
    EXPECT_EQ(status("TVRX\r\n999\r\n"), LoadStatus::UnsupportedVersion);
    const LoadResult newer = ParseTimerFile("TVRX\r\n2000\r\nTimer 2\r\n", program);
    EXPECT_EQ(newer.status, LoadStatus::UnsupportedVersion);
    EXPECT_NE(newer.Message().find("2000"), std::string::npos);
    EXPECT_EQ(Describe(program), (std::vector<BlockData>{{1, {{true, 0, 0, 1, 0}}}}));
    // A byte-order mark only at the very start, once.
    EXPECT_EQ(status("\xEF\xBB\xBF\xEF\xBB\xBFTVRX\r\n1000\r\n"), LoadStatus::NotTimerFile);
    EXPECT_EQ(status("\r\n\xEF\xBB\xBFTVRX\r\n1000\r\n"), LoadStatus::NotTimerFile);
    // The header alone is an empty program.
    bool startup = false;
    EXPECT_TRUE(Load("TVRX\n1000").empty());
    EXPECT_TRUE(Load("TVRX\r\n1000\r\nSTARTUP ENABLED\r\n", &startup).empty());
    EXPECT_TRUE(startup);
    // STARTUP lines count anywhere, but only exact, and the last line needs no break.
    Load("TVRX\n1000\nTimer 1\nON - 00:00:01\nSTARTUP ON", &startup);
    EXPECT_TRUE(startup);
    Load("TVRX\n1000\nSTARTUP on\nSTARTUP  ON\nSTARTUP\n", &startup);
    EXPECT_FALSE(startup);
}

// ---- reading: the lines ------------------------------------------------------------------

TEST(TimerFileLines, MatchLikeScanf) {
    const std::string text =
        "TVRX\n1000\n"
        "Timer7\n"             // no blank needed
        "ON - 1:2:3\n"         // fewer digits than written
        "ON - 1: 2: 3\n"       // %d skips blanks before a number
        "ON - 1 :2:3\n"        // but a blank is no colon: ignored
        "OFF-00:00:04\n"       // a pattern blank matches an empty run
        "ON - 00:00:05:07\n"   // four numbers keep their ticks
        "OFF - 00:00:05:xx\n"  // the three-number rule takes it, ticks 0
        "ON - 00:00:05 trailing\n"
        "Timer 40\nON - 120:00:00\nOFF - -1:+5:0:250\nTimer -3\n";  // numbers as they stand
    EXPECT_EQ(Load(text),
              (std::vector<BlockData>{{7,
                                       {{true, 1, 2, 3, 0},
                                        {true, 1, 2, 3, 0},
                                        {false, 0, 0, 4, 0},
                                        {true, 0, 0, 5, 7},
                                        {false, 0, 0, 5, 0},
                                        {true, 0, 0, 5, 0}}},
                                      {40, {{true, 120, 0, 0, 0}, {false, 4294967295u, 5, 0, 250}}},
                                      {-3, {}}}));
}

TEST(TimerFileLines, ALineOf255CharactersIsReadALongerOneIgnoredWhole) {
    std::string line = "ON - 00:00:02";
    line.append(255 - line.size(), ' ');
    EXPECT_EQ(Load("TVRX\n1000\nTimer 1\n" + line + "\n"),
              (std::vector<BlockData>{{1, {{true, 0, 0, 2, 0}}}}));
    EXPECT_EQ(Load("TVRX\n1000\nTimer 1\n" + line + "x\n"), (std::vector<BlockData>{{1, {}}}));
    // Cut at 255 characters, this line would start a block for timer 5 and then one for 9;
    // whole, it starts none, and the interval under it joins no timer.
    const std::string longLine = "Timer 5" + std::string(248, ' ') + "Timer 9";
    EXPECT_EQ(Load("TVRX\n1000\nTimer 1\n" + longLine + "\nON - 00:00:01\n"),
              (std::vector<BlockData>{{1, {}}}));
}

// ---- reading: what was skipped -------------------------------------------------------------

struct Skip {
    std::size_t number;
    std::string text;
    SkipReason reason;
};

void ExpectSkipped(const LoadResult& result, const std::vector<Skip>& expected) {
    EXPECT_EQ(result.skippedCount, expected.size());
    ASSERT_EQ(result.skipped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.skipped[i].number, expected[i].number) << i;
        EXPECT_EQ(result.skipped[i].text, expected[i].text) << i;
        EXPECT_EQ(result.skipped[i].reason, expected[i].reason) << i;
    }
}

TEST(TimerFileSkipped, EveryUnusedLineIsNamedWithItsNumberAndReasonAndTheProgramIsUnchanged) {
    std::string text =
        "TVRX\r\n1000\r\n"
        "ON - 00:00:09\r\n"  // 3
        "Timer 1\r\n"
        "\r\n"              // 5: blank lines hold nothing and are not reported
        "ON 00:00:05\r\n";  // 6
    for (int i = 1; i <= 8; ++i) {
        text += "ON - 00:00:0" + std::to_string(i) + "\r\n";  // 7 to 14
    }
    text += "OFF - 00:00:09\r\n";                         // 15
    text += "STARTUP ENABLED\r\n";                        // 16 is used
    text += "Timer 2 " + std::string(300, 'x') + "\r\n";  // 17
    text += "Timer 2\r\n \t\r\nSTARTUP ENABLE\r\n\r\n";   // 19 blank, 20, 21 the last break

    TimerProgram program;
    const LoadResult result = ParseTimerFile(text, program);
    ASSERT_TRUE(result.Ok());
    ExpectSkipped(result, {{3, "ON - 00:00:09", SkipReason::BeforeFirstTimer},
                           {6, "ON 00:00:05", SkipReason::NotTimerOrInterval},
                           {15, "OFF - 00:00:09", SkipReason::BlockFull},
                           {17, "Timer 2 " + std::string(32, 'x') + "...", SkipReason::TooLong},
                           {20, "STARTUP ENABLE", SkipReason::NotTimerOrInterval}});
    std::vector<Step> eight;
    for (std::uint32_t i = 1; i <= 8; ++i) {
        eight.push_back({true, 0, 0, i, 0});
    }
    EXPECT_EQ(Describe(program), (std::vector<BlockData>{{1, eight}, {2, {}}}));
    EXPECT_TRUE(program.GetStartup());
}

TEST(TimerFileSkipped, IntervalsUnderATimerLineThatCouldNotBeReadJoinNoTimer) {
    const std::string text =
        "\xEF\xBB\xBFTVRX\n1000\n"
        "Timer: 1\n"       // 3: before any timer that reads
        "ON - 00:00:01\n"  // 4
        "Timer 2\n"
        "ON - 00:00:02\n"
        "timer 3\n"          // 7
        "ON - 00:00:03\n"    // 8
        "STARTUP ENABLED\n"  // read, yet the timer is still unknown
        "OFF - 00:00:04\n"   // 10
        "Timer 4\n"
        "ON - 00:00:05\n"
        "# pump on\n"  // 13: names no timer, cuts nothing off
        "OFF - 00:00:06\n";
    TimerProgram program;
    const LoadResult result = ParseTimerFile(text, program);
    ASSERT_TRUE(result.Ok());
    ExpectSkipped(result, {{3, "Timer: 1", SkipReason::NotTimerOrInterval},
                           {4, "ON - 00:00:01", SkipReason::UnderSkippedTimer},
                           {7, "timer 3", SkipReason::NotTimerOrInterval},
                           {8, "ON - 00:00:03", SkipReason::UnderSkippedTimer},
                           {10, "OFF - 00:00:04", SkipReason::UnderSkippedTimer},
                           {13, "# pump on", SkipReason::NotTimerOrInterval}});
    EXPECT_EQ(Describe(program),
              (std::vector<BlockData>{{2, {{true, 0, 0, 2, 0}}},
                                      {4, {{true, 0, 0, 5, 0}, {false, 0, 0, 6, 0}}}}));
    EXPECT_TRUE(program.GetStartup());
    EXPECT_EQ(DescribeSkippedLine(result.skipped[1]),
              "line 4: \"ON - 00:00:01\" (an interval under a timer line that could not be read)");
}

TEST(TimerFileSkipped, LineNumbersCountTheHeaderAsWritten) {
    TimerProgram program;
    // Blank lines before the magic, and the version line's rest after the number.
    ExpectSkipped(ParseTimerFile("\n\n  TVRX\n1000\nbad\n", program),
                  {{5, "bad", SkipReason::NotTimerOrInterval}});
    ExpectSkipped(
        ParseTimerFile("TVRX 1000 junk\nTimer 1\nbad", program),
        {{1, "junk", SkipReason::NotTimerOrInterval}, {3, "bad", SkipReason::NotTimerOrInterval}});
    ExpectSkipped(ParseTimerFile("TVRX\r\n1000\r\nTimer 1\r\n", program), {});
}

TEST(TimerFileSkipped, ExcerptsArePrintableAndShort) {
    const struct {
        std::string line;
        std::string excerpt;
    } cases[] = {
        {"say \"hi\" \\ bye", "say \\\"hi\\\" \\\\ bye"},
        {std::string("\x01\xff\t\0", 4), "\\x01\\xFF\\x09\\x00"},
        // An escape is never cut in half.
        {std::string(38, 'a') + "\x7f", std::string(38, 'a') + "..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintableExcerpt(c.line), c.excerpt) << c.line;
    }
}

std::string BadLines(int count) {
    std::string text = "TVRX\n1000\n";
    for (int i = 1; i <= count; ++i) {
        text += "bad " + std::to_string(i) + "\n";
    }
    return text;
}

TEST(TimerFileSkipped, ReportForAPersonListsTheFirstTenAndCountsTheRest) {
    TimerProgram program;
    EXPECT_EQ(FormatSkippedLines(ParseTimerFile(BadLines(0), program), "a.tvr"), "");
    EXPECT_EQ(FormatSkippedLines(ParseTimerFile(BadLines(1), program), "a.tvr"),
              "One line of a.tvr could not be read and was skipped:\n"
              "  line 3: \"bad 1\" (not a timer or interval line)\n"
              "The rest of the program was loaded. Saving writes it without this line.");

    const std::string report = FormatSkippedLines(ParseTimerFile(BadLines(312), program), "b.tvr");
    EXPECT_TRUE(report.starts_with("312 lines of b.tvr could not be read and were skipped:\n"))
        << report;
    EXPECT_NE(report.find("  line 12: \"bad 10\" (not a timer or interval line)\n"
                          "  and 302 more.\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("bad 11"), std::string::npos) << report;
    // Exactly ten shown: the stored hundred are not all listed.
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 12) << report;
}

// ---- files ------------------------------------------------------------------------------

TEST(TimerFileRead, ReasonsAFileDoesNotLoad) {
    TempDir dir;
    TimerProgram program;
    const LoadResult missing = ReadTimerFile(dir.File("missing.tvr"), program);
    EXPECT_EQ(missing.status, LoadStatus::CannotOpen);
    const LoadResult folder = ReadTimerFile(dir.Path().string(), program);
    EXPECT_EQ(folder.status, LoadStatus::CannotOpen);
    // The reasons in a few words, as they follow the file's name in the editor's message.
    EXPECT_EQ(missing.Reason(), "No such file or directory");
    EXPECT_EQ(folder.Reason(), "Is a directory");
    EXPECT_EQ(ParseTimerFile(std::string(kMaxTimerFileSize + 1, 'x'), program).Reason(),
              "larger than 1 MiB");
    EXPECT_EQ(ParseTimerFile("TVRX\r\n1000\r\n", program).Reason(), "");
}

TEST(TimerFileSave, RefusesNoBlocksAMissingFolderAndAPipeWithoutTouchingAnything) {
    TempDir dir;
    WriteFile(dir.File("old.tvr"), "precious");
    EXPECT_EQ(WriteTimerFile(dir.File("old.tvr"), MakeProgram({})).status, SaveStatus::NoBlocks);
    EXPECT_EQ(ReadFile(dir.File("old.tvr")), "precious");

    const SaveResult result =
        WriteTimerFile(dir.File("no/such/folder/a.tvr"), MakeProgram({{1, {{true, 0, 0, 1, 0}}}}));
    EXPECT_EQ(result.status, SaveStatus::CannotCreate);
    EXPECT_NE(result.Message().find("No such file"), std::string::npos) << result.Message();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    // A pipe or device is never renamed over; as root that would replace /dev/null.
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const SaveResult pipe =
        WriteTimerFile(dir.File("pipe"), MakeProgram({{1, {{true, 0, 0, 1, 0}}}}));
    EXPECT_EQ(pipe.status, SaveStatus::CannotReplace);
    EXPECT_NE(pipe.Message().find("not a regular file"), std::string::npos) << pipe.Message();
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(TimerFileSave, ReplacesThroughALinkKeepingPermissionsAndNoTemporaryFile) {
    TempDir dir;
    const std::string real = dir.File("real.tvr");
    const std::string link = dir.File("link.tvr");
    WriteFile(real, std::string(5000, 'x'));
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);
    ASSERT_TRUE(MakeProgram({{1, {{true, 0, 0, 1, 0}}}}).SaveToFile(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "TVRX\r\n1000\r\nTimer 1\r\nON - 00:00:01\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

}  // namespace

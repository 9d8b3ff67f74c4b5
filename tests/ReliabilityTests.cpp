// Damaged input and a save that fails at any step must never cost the user a file.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/TimerFile.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// ---- every file the fuzzers start from, every input that once crashed them, the examples ----

// Each loads or is refused with nothing loaded, and what loads writes out and reads back the
// same. Spaces and tabs around each line (within the length limit) and a byte-order mark
// before the file change nothing the reader makes of it; an example reads back to its bytes.
TEST(SampleFiles, LoadOrAreRefusedRoundTripAndReadTheSameWithSpacesTabsAndAByteOrderMark) {
    const fs::path examples = TIMER_EXAMPLES_DIR;
    std::vector<fs::path> files;
    for (const fs::path& dir : {fs::path(TIMER_FUZZ_DIR) / "corpus/timer_file",
                                fs::path(TIMER_FUZZ_DIR) / "regressions/timer_file", examples}) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            files.push_back(entry.path());
        }
    }
    ASSERT_GE(files.size(), 8u);
    for (const fs::path& file : files) {
        const std::string text = ReadFile(file.string());
        std::string padded = "\xEF\xBB\xBF";
        int count = 0;
        for (const std::string_view line : SplitTimerLines(text)) {
            const bool fits = line.size() + 4 <= kMaxTimerLineLength;
            const std::string pad = !fits ? "" : ++count % 2 ? " \t" : "\t ";
            padded += pad + std::string(line) + pad + "\r\n";
        }
        TimerProgram program;
        TimerProgram again;
        const LoadResult read = ParseTimerFile(text, program);
        const LoadResult readPadded = ParseTimerFile(padded, again);
        ASSERT_EQ(readPadded.status, read.status) << file;
        EXPECT_EQ(Describe(again), Describe(program)) << file;
        EXPECT_EQ(again.GetStartup(), program.GetStartup()) << file;
        ASSERT_EQ(readPadded.skipped.size(), read.skipped.size()) << file;
        for (std::size_t i = 0; i < read.skipped.size(); ++i) {
            EXPECT_EQ(readPadded.skipped[i].number, read.skipped[i].number) << file;
            EXPECT_EQ(readPadded.skipped[i].reason, read.skipped[i].reason) << file;
        }
        if (!read.Ok()) {
            EXPECT_EQ(program.GetBlockCount(), 0) << file;
            continue;
        }
        TimerProgram reloaded;
        ASSERT_TRUE(ParseTimerFile(FormatTimerFile(program), reloaded).Ok()) << file;
        EXPECT_EQ(Describe(reloaded), Describe(program)) << file;
        if (file.parent_path() == examples) {
            EXPECT_EQ(read.skippedCount, 0u) << file;
            EXPECT_EQ(FormatTimerFile(program), text) << file;
        }
    }
}

// ---- the reader under hostile files -------------------------------------------------------

TEST(ReaderStress, HostileFilesLoadOrAreRefused) {
    TempDir dir;
    const std::string header = "TVRX\n1000\n";

    // One endless line after the header: skipped whole, the program is empty.
    WriteFile(dir.File("endless.tvr"),
              header + std::string(kMaxTimerFileSize - header.size(), 'x'));
    TimerProgram endless;
    EXPECT_TRUE(ReadTimerFile(dir.File("endless.tvr"), endless).Ok());
    EXPECT_EQ(endless.GetBlockCount(), 0);

    std::string many = header;
    for (int i = 0; i < 100000; ++i) {
        many += "Timer 1\n";
    }
    WriteFile(dir.File("many.tvr"), many);
    TimerProgram manyBlocks;
    EXPECT_TRUE(ReadTimerFile(dir.File("many.tvr"), manyBlocks).Ok());
    EXPECT_EQ(manyBlocks.GetBlockCount(), 100000);

    // Up to exactly 1 MiB loads; one byte more is refused.
    std::string almost = header + "Timer 2\nON - 00:00:01\n";
    almost.resize(kMaxTimerFileSize - 1, '\n');
    for (const auto& [text, loads] : {std::pair{almost, true}, std::pair{almost + "\n", true},
                                      std::pair{almost + "\n\n", false}}) {
        WriteFile(dir.File("limit.tvr"), text);
        TimerProgram program;
        EXPECT_EQ(ReadTimerFile(dir.File("limit.tvr"), program).Ok(), loads) << text.size();
        EXPECT_EQ(program.GetBlockCount(), loads ? 1 : 0);
    }

    // A device that never ends is read only up to the limit.
    TimerProgram zero;
    EXPECT_EQ(ReadTimerFile("/dev/zero", zero).status, LoadStatus::TooLarge);
}

// ---- faults while saving ------------------------------------------------------------------

// Real file operations that fail at one chosen step: one write (numbered from 1), or a step
// after the writes.
class FailingOps : public SaveOps {
public:
    enum class Step { None, Create, Write, Flush, Close, Rename };
    explicit FailingOps(Step step, int write = 0) : failAt(step), failingWrite(write) {}

    int CreateTemp(const std::string& dir, const std::string& name, std::string& tempPath,
                   std::string& error) override {
        return Fail(Step::Create, error) ? SaveOps::CreateTemp(dir, name, tempPath, error) : -1;
    }
    bool Write(int handle, std::string_view data, std::string& error) override {
        ++writes;
        return (writes != failingWrite || Fail(Step::Write, error)) &&
               SaveOps::Write(handle, data, error);
    }
    bool Flush(int handle, std::string& error) override {
        return Fail(Step::Flush, error) && SaveOps::Flush(handle, error);
    }
    bool Close(int handle, std::string& error) override {
        const bool closed = SaveOps::Close(handle, error);
        return Fail(Step::Close, error) && closed;
    }
    bool Rename(const std::string& from, const std::string& to, std::string& error) override {
        return Fail(Step::Rename, error) && SaveOps::Rename(from, to, error);
    }

    int writes = 0;

private:
    bool Fail(Step step, std::string& error) {
        if (failAt == step) {
            error = "injected";
            return false;
        }
        return true;
    }
    Step failAt;
    int failingWrite;
};

TEST(SaveFaults, FailureAtEveryStepAndEveryWriteOfTheLargestProgramKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("program.tvr");
    ASSERT_TRUE(MakeProgram({{5, {{true, 0, 0, 5, 0}}}}).SaveToFile(path));
    const std::string oldBytes = ReadFile(path);

    const TimerProgram largest = LargestProgram();
    FailingOps counter(FailingOps::Step::None);
    ASSERT_TRUE(WriteTimerFile(dir.File("count.tvr"), largest, counter).Ok());
    fs::remove(dir.File("count.tvr"));
    ASSERT_GT(counter.writes, 1500);

    using S = FailingOps::Step;
    std::vector<std::pair<FailingOps, SaveStatus>> cases{
        {FailingOps(S::Create), SaveStatus::CannotCreate},
        {FailingOps(S::Flush), SaveStatus::WriteFailed},
        {FailingOps(S::Close), SaveStatus::WriteFailed},
        {FailingOps(S::Rename), SaveStatus::CannotReplace}};
    for (int n = 1; n <= counter.writes; ++n) {
        cases.emplace_back(FailingOps(S::Write, n), SaveStatus::WriteFailed);
    }
    for (auto& [ops, expected] : cases) {
        const SaveResult result = WriteTimerFile(path, largest, ops);
        ASSERT_EQ(result.status, expected) << "write " << ops.writes;
        ASSERT_FALSE(result.Message().empty());
        ASSERT_EQ(ReadFile(path), oldBytes) << "write " << ops.writes;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace

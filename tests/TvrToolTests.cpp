#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sstream>

#include "TestSupport.h"
#include "cli/TvrTool.h"
#include "core/FlashTransmitter.h"
#include "core/ProgramCsv.h"
#include "core/TimerFile.h"
#include "core/TransferFrame.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunTvrTool(args, in, out, err);
    return {code, out.str(), err.str()};
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

constexpr const char* kWorkedExample =
    "TVRX\n1000\nSTARTUP ENABLED\nTimer 0\nON - 00:00:05\nOFF - 00:00:10:30\n";
constexpr const char* kWorkedFrame = "55 08 81 20 80 01 2C 00 02 76 CE\n";

class TvrToolFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        WriteFile(dir.File(name), text);
        return dir.File(name);
    }
    TempDir dir;
};

TEST_F(TvrToolFiles, TheWorkedExample) {
    const std::string file = Write("a.tvr", kWorkedExample);
    const ToolRun frame = Tool({"frame", file});
    EXPECT_EQ(frame.code, 0);
    EXPECT_EQ(frame.out, kWorkedFrame);
    EXPECT_NE(Tool({"info", file}).out.find("timers: 1\nblocks: 1\nintervals: 2\n"),
              std::string::npos);
    const ToolRun ok = Tool({"check", file});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "ok: 7 of 128 bytes\n");

    // 10 swaps for each of the 11 frame bytes, then the end one sync after the last swap.
    const ToolRun signal = Tool({"signal", file});
    EXPECT_TRUE(signal.out.ends_with("\n6700000\nend 6750000\n")) << signal.out;
    EXPECT_EQ(Lines(signal.out), 111);
    // decode takes Windows line ends, blank lines and no end line.
    std::string loose;
    for (char c : signal.out.substr(0, signal.out.rfind("end"))) {
        loose += c == '\n' ? std::string("\r\n\n") : std::string(1, c);
    }
    EXPECT_EQ(Tool({"decode"}, loose).out, kWorkedFrame);
}

TEST_F(TvrToolFiles, CheckListsEveryProblem) {
    const ToolRun bad =
        Tool({"check", Write("b.tvr", "TVRX\n1000\nTimer 33\nON - 40:00:00\nTimer 2\n")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(Lines(bad.out), 3) << bad.out;
    EXPECT_NE(bad.out.find("Timer 33, interval 1"), std::string::npos) << bad.out;
    // A timer in two places is refused, yet info counts the places as written.
    const std::string split = Write("split.tvr", "TVRX\n1000\nTimer 3\nTimer 4\nTimer 3\n");
    EXPECT_EQ(Tool({"check", split}).code, 1);
    EXPECT_NE(Tool({"info", split}).out.find("timers: 3\nblocks: 3\n"), std::string::npos);
}

// The worked example with three lines the reader skips, and the warnings that name them.
constexpr const char* kMessyExample =
    "TVRX\n1000\nON - 00:00:01\nSTARTUP ENABLED\nTimer 0\n"
    "ON 00:00:05\nON - 00:00:05\nOFF - 00:00:10:30\n\x07\n";
constexpr const char* kMessyWarnings =
    "warning: line 3: \"ON - 00:00:01\" (an interval before the first timer line)\n"
    "warning: line 6: \"ON 00:00:05\" (not a timer or interval line)\n"
    "warning: line 9: \"\\x07\" (not a timer or interval line)\n";
constexpr const char* kWorkedExampleSaved =
    "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 00:00:10:30\r\n";

TEST_F(TvrToolFiles, InfoCheckAndNormalizeWarnOfSkippedLinesOnStderrOnly) {
    const std::string clean = Write("clean.tvr", kWorkedExample);
    const std::string messy = Write("messy.tvr", kMessyExample);
    const std::string warnings = kMessyWarnings;
    for (const char* command : {"info", "check"}) {
        const ToolRun expected = Tool({command, clean});
        const ToolRun run = Tool({command, messy});
        EXPECT_EQ(run.code, expected.code) << command;
        // Only the file line of info names the file.
        EXPECT_EQ(run.out.substr(run.out.find('\n')), expected.out.substr(expected.out.find('\n')))
            << command;
        EXPECT_EQ(expected.err, "") << command;
        EXPECT_EQ(run.err, warnings) << command;
    }
    // normalize to another file names the lines it leaves out and writes the rest.
    const ToolRun normalized = Tool({"normalize", messy, dir.File("out.tvr")});
    EXPECT_EQ(normalized.code, 0);
    EXPECT_EQ(normalized.out, "");
    EXPECT_EQ(normalized.err, warnings);
    EXPECT_EQ(ReadFile(dir.File("out.tvr")), kWorkedExampleSaved);
    // The other commands' output is for scripts alone.
    const ToolRun frame = Tool({"frame", messy});
    EXPECT_EQ(frame.out, kWorkedFrame);
    EXPECT_EQ(frame.err, "");

    // Past the lines kept, one more warning gives the count.
    std::string many = "TVRX\n1000\n";
    for (std::size_t i = 0; i < kMaxSkippedLinesKept + 7; ++i) {
        many += "?\n";
    }
    const ToolRun manyRun = Tool({"check", Write("many.tvr", many)});
    EXPECT_EQ(manyRun.out, "ok: 0 of 128 bytes\n");
    EXPECT_EQ(Lines(manyRun.err), static_cast<int>(kMaxSkippedLinesKept) + 1);
    EXPECT_TRUE(manyRun.err.ends_with("\nwarning: 7 more lines were skipped\n")) << manyRun.err;
}

TEST_F(TvrToolFiles, NormalizeRefusesToDropLinesInPlaceUnlessForced) {
    const std::string messy = Write("messy.tvr", kMessyExample);
    fs::create_symlink(messy, dir.File("link.tvr"));
    fs::create_hard_link(messy, dir.File("hard.tvr"));
    for (const std::string& out : {messy, dir.File("link.tvr"), dir.File("hard.tvr")}) {
        const ToolRun refused = Tool({"normalize", messy, out});
        EXPECT_EQ(refused.code, 1) << out;
        ASSERT_TRUE(refused.err.starts_with(kMessyWarnings)) << refused.err;
        const std::string why = refused.err.substr(std::string(kMessyWarnings).size());
        EXPECT_EQ(Lines(why), 1) << why;
        EXPECT_NE(why.find("--force"), std::string::npos) << why;
        EXPECT_EQ(ReadFile(messy), kMessyExample) << out;
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("link.tvr")));

    const ToolRun forced = Tool({"normalize", "--force", messy, messy});
    EXPECT_EQ(forced.code, 0);
    EXPECT_EQ(forced.err, kMessyWarnings);
    EXPECT_EQ(ReadFile(messy), kWorkedExampleSaved);
    // With nothing to lose, in place needs no --force.
    const std::string clean = Write("clean.tvr", "TVRX\n1000\nTimer 7\nON - 1:2:3\n");
    EXPECT_EQ(Tool({"normalize", clean, clean}).code, 0);
    EXPECT_EQ(ReadFile(clean), "TVRX\r\n1000\r\nTimer 7\r\nON - 01:02:03\r\n");
}

TEST_F(TvrToolFiles, FrameAndSignalWarnOfWhatTheDeviceCannotTakeAndEncodeItAsBefore) {
    // 99:99:99:59 is longer than the device's longest interval; its frame wraps the length.
    const std::string tooLong = Write("long.tvr", "TVRX\n1000\nTimer 0\nON - 99:99:99:59\n");
    const ToolRun check = Tool({"check", tooLong});
    ASSERT_EQ(check.code, 1);
    for (const char* command : {"frame", "signal"}) {
        const ToolRun run = Tool({command, tooLong});
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_EQ(run.err, "warning: " + check.out) << command;
    }
    // Standard output as it was before the warnings.
    EXPECT_EQ(Tool({"frame", tooLong}).out, "55 05 01 00 CB D2 DF 82\n");
}

TEST_F(TvrToolFiles, AFileThatCannotBeReadOrWrittenIsOneLineOnStderr) {
    const std::string missing = dir.File("missing.tvr");
    const std::string out = dir.File("out.tvr");
    for (const char* command : {"info", "frame", "check", "signal", "csv", "normalize"}) {
        std::vector<std::string> args{command, missing};
        if (args[0] == "normalize") {
            args.push_back(out);
        }
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.code, 2) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(Lines(run.err), 1) << run.err;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Tool({"frame", Write("x.txt", "hello\n")}).code, 2) << "not a timer file";

    // An OUT that cannot be written is exit 1.
    const std::string noFolder = dir.File("no/such/folder/out.tvr");
    const ToolRun run = Tool({"normalize", Write("in.tvr", kWorkedExample), noFolder});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("tvrtool: " + noFolder + ": ")) << run.err;
}

TEST(TvrToolDecode, SaysWhyASignalIsRefused) {
    const std::vector<std::uint8_t> badChecksum = {0x55, 0x01, 0x00, 0x02};
    std::string text;
    for (const std::int64_t swap :
         SimulateTransfer(badChecksum, kZeroTimeUs, kOneTimeUs, kSyncTimeUs).swapsUs) {
        text += std::to_string(swap) + "\n";
    }
    const ToolRun checksum = Tool({"decode"}, text);
    EXPECT_EQ(checksum.code, 1);
    // The decoder's reason (SignalDecoderTests), then the bytes read.
    EXPECT_TRUE(checksum.err.starts_with("tvrtool: decode: checksum byte is 0x02"));
    EXPECT_TRUE(checksum.err.ends_with("\ntvrtool: decode: bytes read: 55 01 00 02\n"));
    EXPECT_EQ(Tool({"decode"}, text.substr(0, text.rfind('\n', text.size() - 2) + 1)).err,
              "tvrtool: decode: 39 colour swaps do not make whole bytes (10 swaps per byte)\n");

    // Input that is not swap times is exit 2.
    const ToolRun notATime = Tool({"decode"}, "50000\n100000\nfifty\n");
    EXPECT_EQ(notATime.code, 2);
    EXPECT_EQ(notATime.err, "tvrtool: decode: line 3: 'fifty' is not a time in microseconds\n");
    for (const char* input : {"-5\n", "12abc\n", "1\nend 2\n3\n"}) {
        EXPECT_EQ(Tool({"decode"}, input).code, 2) << input;
    }
    // However long the line, it is quoted printable and cut to 80 characters.
    const ToolRun huge = Tool({"decode"}, "50000\n" + std::string(5'000'000, '7') + "\x1b\n");
    EXPECT_EQ(huge.code, 2);
    EXPECT_EQ(huge.err, "tvrtool: decode: line 2: '" + std::string(77, '7') +
                            "...' is not a time in microseconds\n");
    EXPECT_EQ(Tool({"decode"}, "\x1b[2J\n").err,
              "tvrtool: decode: line 1: '\\x1B[2J' is not a time in microseconds\n");
}

// Input whose read fails after its first line, as a folder on standard input does.
class FailingInput : public std::streambuf {
protected:
    int_type underflow() override {
        if (!given_) {
            given_ = true;
            setg(first_.data(), first_.data(), first_.data() + first_.size());
            return traits_type::to_int_type(first_[0]);
        }
        errno = EIO;
        throw std::ios_base::failure("read failed");
    }

private:
    std::string first_ = "50000\n";
    bool given_ = false;
};

TEST(TvrToolDecode, InputThatCannotBeReadIsExit2) {
    FailingInput failing;
    std::istream in(&failing);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunTvrTool({"decode"}, in, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "tvrtool: decode: standard input could not be read (Input/output error); give it "
              "the swap times from a file or a pipe\n");
}

TEST(TvrToolUsage, HelpAndMistakes) {
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(Tool({}).code, 2);
    EXPECT_EQ(Tool({"frob", "x"}).code, 2);
    const ToolRun missingArg = Tool({"frame"});
    EXPECT_EQ(missingArg.code, 2);
    EXPECT_NE(missingArg.err.find("takes 1 argument"), std::string::npos);
    // --force belongs to normalize alone.
    EXPECT_EQ(Tool({"frame", "--force", "x.tvr"}).code, 2);
}

}  // namespace

#include <gtest/gtest.h>

#include <sstream>

#include "FlashTransmitter.h"
#include "TestSupport.h"
#include "TransferFrame.h"
#include "TvrTool.h"

using namespace testing_support;

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

constexpr const char* kWorkedExample =
    "TVRX\n1000\nSTARTUP ENABLED\nTimer 0\nON - 00:00:05\nOFF - 00:00:10:30\n";

class TvrToolFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        WriteFile(dir.File(name), text);
        return dir.File(name);
    }
    TempDir dir;
};

TEST_F(TvrToolFiles, FramePrintsTheWorkedExample) {
    const ToolRun run = Tool({"frame", Write("a.tvr", kWorkedExample)});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "55 08 81 20 80 01 2C 00 02 76 CE\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(TvrToolFiles, InfoSummarisesTheProgram) {
    const ToolRun run = Tool({"info", Write("a.tvr", kWorkedExample)});
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("timers: 1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("intervals: 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("device memory: 7 of 128 bytes"), std::string::npos);
    EXPECT_NE(run.out.find("frame: 11 bytes"), std::string::npos);
}

TEST_F(TvrToolFiles, CheckSaysOkOrListsEveryProblem) {
    const ToolRun ok = Tool({"check", Write("a.tvr", kWorkedExample)});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "ok: 7 of 128 bytes\n");

    const ToolRun bad =
        Tool({"check", Write("b.tvr", "TVRX\n1000\nTimer 33\nON - 40:00:00\nTimer 2\n")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(std::count(bad.out.begin(), bad.out.end(), '\n'), 3) << bad.out;
    EXPECT_NE(bad.out.find("Timer 33, interval 1"), std::string::npos) << bad.out;
}

TEST_F(TvrToolFiles, NormalizeWritesWhatTheEditorWouldSave) {
    const std::string in = Write("in.tvr", "TVRX\n1000\nTimer7\nON - 1:2:3\nSTARTUP ON\n");
    const ToolRun run = Tool({"normalize", in, dir.File("out.tvr")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadFile(dir.File("out.tvr")),
              "TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 7\r\nON - 01:02:03\r\n");

    const ToolRun empty = Tool({"normalize", Write("e.tvr", "TVRX\n1000\n"), dir.File("e2.tvr")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.err.find("nothing to save"), std::string::npos) << empty.err;
}

TEST_F(TvrToolFiles, UnreadableFileIsOneLineOnStderrAndExit2) {
    for (const char* command : {"info", "frame", "check", "signal"}) {
        const ToolRun run = Tool({command, dir.File("missing.tvr")});
        EXPECT_EQ(run.code, 2) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    const ToolRun notTimer = Tool({"frame", Write("x.txt", "hello\n")});
    EXPECT_EQ(notTimer.code, 2);
    EXPECT_NE(notTimer.err.find("not a timer file"), std::string::npos);
}

TEST_F(TvrToolFiles, SignalListsEverySwapThenTheEndAndDecodeReadsItBack) {
    const std::string file = Write("a.tvr", kWorkedExample);
    const ToolRun signal = Tool({"signal", file});
    EXPECT_EQ(signal.code, 0) << signal.err;
    EXPECT_EQ(signal.out.substr(0, 27), "50000\n100000\n200000\n250000\n");
    const std::int64_t end =
        TransferDurationUs({0x55, 0x08, 0x81, 0x20, 0x80, 0x01, 0x2C, 0x00, 0x02, 0x76, 0xCE},
                           kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    EXPECT_TRUE(signal.out.ends_with(std::to_string(end - kSyncTimeUs) + "\nend " +
                                     std::to_string(end) + "\n"))
        << signal.out;
    EXPECT_EQ(std::count(signal.out.begin(), signal.out.end(), '\n'), 111)
        << "10 swaps for each of the 11 frame bytes, then the end";

    const ToolRun decoded = Tool({"decode"}, signal.out);
    EXPECT_EQ(decoded.code, 0) << decoded.err;
    EXPECT_EQ(decoded.out, Tool({"frame", file}).out);

    // Windows line ends, blank lines and no end line are all fine.
    std::string loose;
    for (char c : signal.out.substr(0, signal.out.rfind("end"))) {
        loose += c == '\n' ? std::string("\r\n\n") : std::string(1, c);
    }
    EXPECT_EQ(Tool({"decode"}, loose).out, decoded.out);
}

TEST(TvrToolDecode, SaysWhyASignalIsRefused) {
    // The swap times of a frame, one a line, less the last few.
    const auto swaps = [](const std::vector<std::uint8_t>& frame, std::size_t dropped) {
        std::string text;
        const auto times = SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs).swapsUs;
        for (std::size_t i = 0; i + dropped < times.size(); ++i) {
            text += std::to_string(times[i]) + "\n";
        }
        return text;
    };
    const ToolRun missing = Tool({"decode"}, swaps({0x55, 0x01, 0x00, 0x01}, 1));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "tvrtool: decode: 39 colour swaps do not make whole bytes (10 swaps per byte)\n");

    // A checksum that does not agree also shows the bytes that were read.
    const ToolRun checksum = Tool({"decode"}, swaps({0x55, 0x01, 0x00, 0x02}, 0));
    EXPECT_EQ(checksum.code, 1);
    EXPECT_EQ(checksum.err,
              "tvrtool: decode: checksum byte is 0x02 but the length and image bytes add up to "
              "0x01\ntvrtool: decode: bytes read: 55 01 00 02\n");

    EXPECT_EQ(Tool({"decode"}, "").err, "tvrtool: decode: no colour swaps\n");
}

TEST(TvrToolDecode, InputThatIsNotSwapTimesIsExit2) {
    const ToolRun text = Tool({"decode"}, "50000\n100000\nfifty\n");
    EXPECT_EQ(text.code, 2);
    EXPECT_EQ(text.err, "tvrtool: decode: line 3: 'fifty' is not a time in microseconds\n");
    EXPECT_EQ(Tool({"decode"}, "-5\n").code, 2);
    EXPECT_EQ(Tool({"decode"}, "12abc\n").code, 2);
    const ToolRun afterEnd = Tool({"decode"}, "50000\nend 100000\n150000\n");
    EXPECT_EQ(afterEnd.code, 2);
    EXPECT_NE(afterEnd.err.find("line 3"), std::string::npos) << afterEnd.err;
    EXPECT_EQ(Tool({"decode", "file.txt"}).code, 2);
}

TEST(TvrToolUsage, HelpAndMistakes) {
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("frame FILE"), std::string::npos);
    EXPECT_NE(help.out.find("signal FILE"), std::string::npos);
    EXPECT_NE(help.out.find("decode"), std::string::npos);
    EXPECT_EQ(Tool({}).code, 2);
    EXPECT_EQ(Tool({"frob", "x"}).code, 2);
    const ToolRun missingArg = Tool({"frame"});
    EXPECT_EQ(missingArg.code, 2);
    EXPECT_NE(missingArg.err.find("takes 1 argument"), std::string::npos);
}

}  // namespace

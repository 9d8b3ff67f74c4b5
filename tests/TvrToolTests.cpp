#include <gtest/gtest.h>

#include <sstream>

#include "TestSupport.h"
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
    for (const char* command : {"info", "frame", "check"}) {
        const ToolRun run = Tool({command, dir.File("missing.tvr")});
        EXPECT_EQ(run.code, 2) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    const ToolRun notTimer = Tool({"frame", Write("x.txt", "hello\n")});
    EXPECT_EQ(notTimer.code, 2);
    EXPECT_NE(notTimer.err.find("not a timer file"), std::string::npos);
}

TEST(TvrToolUsage, HelpAndMistakes) {
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("frame FILE"), std::string::npos);
    EXPECT_EQ(Tool({}).code, 2);
    EXPECT_EQ(Tool({"frob", "x"}).code, 2);
    const ToolRun missingArg = Tool({"frame"});
    EXPECT_EQ(missingArg.code, 2);
    EXPECT_NE(missingArg.err.find("takes 1 argument"), std::string::npos);
}

}  // namespace

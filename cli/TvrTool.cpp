#include "TvrTool.h"

#include <cstdio>
#include <functional>
#include <map>
#include <ostream>

#include "DeviceLimits.h"
#include "TimerFile.h"
#include "TimerProgram.h"
#include "TransferFrame.h"

namespace {

constexpr const char* kUsage =
    "Usage: tvrtool COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  info FILE            summary of a timer file: timers, blocks, intervals, device memory,\n"
    "                       frame length and transfer time\n"
    "  frame FILE           the transfer frame as hex bytes on one line\n"
    "  check FILE           exit 0 and 'ok: N of 128 bytes' when the device can take the\n"
    "                       program; otherwise exit 1 and one line per problem\n"
    "  normalize IN OUT     load IN and write it to OUT exactly as the editor saves it\n"
    "  --help               this text\n"
    "\n"
    "Exit codes: 0 success, 1 the check or the write failed, 2 unreadable file or bad usage.\n";

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using Args = std::vector<std::string>;

bool Load(const std::string& path, TimerProgram& program, Io& io) {
    const LoadResult result = ReadTimerFile(path, program);
    if (!result.Ok()) {
        io.err << "tvrtool: " << path << ": " << result.Message() << '\n';
        return false;
    }
    return true;
}

std::string HexLine(const std::vector<std::uint8_t>& bytes) {
    std::string line;
    char hex[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        if (i > 0) {
            line += ' ';
        }
        line += hex;
    }
    return line;
}

int Info(const Args& args, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    int timers = 0;
    int intervals = 0;
    const TimerBlock* previous = nullptr;
    for (const TimerBlock* b = program.GetFirstBlock(); b != nullptr; b = b->GetNext()) {
        if (previous == nullptr || previous->GetTimerNumber() != b->GetTimerNumber()) {
            ++timers;
        }
        intervals += b->GetCount();
        previous = b;
    }
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    const std::int64_t us = TransferDurationUs(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(us) / 1e6);

    io.out << "file: " << args[0] << '\n'
           << "timers: " << timers << '\n'
           << "blocks: " << program.GetBlockCount() << '\n'
           << "intervals: " << intervals << '\n'
           << "run timer 0 on power up: " << (program.GetStartup() ? "yes" : "no") << '\n'
           << "device memory: " << DeviceMemoryUsed(program) << " of " << kDeviceMemoryBytes
           << " bytes\n"
           << "frame: " << frame.size() << " bytes\n"
           << "transfer time: " << seconds << " s (after the 3 s countdown)\n";
    return kExitOk;
}

int Frame(const Args& args, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    io.out << HexLine(BuildTransferFrame(program)) << '\n';
    return kExitOk;
}

int Check(const Args& args, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    const std::vector<DeviceProblem> problems = CheckDeviceLimits(program);
    if (problems.empty()) {
        io.out << "ok: " << DeviceMemoryUsed(program) << " of " << kDeviceMemoryBytes << " bytes\n";
        return kExitOk;
    }
    for (const DeviceProblem& problem : problems) {
        io.out << problem.message << '\n';
    }
    return kExitProblem;
}

int Normalize(const Args& args, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    const SaveResult saved = WriteTimerFile(args[1], program);
    if (!saved.Ok()) {
        io.err << "tvrtool: " << args[1] << ": " << saved.Message() << '\n';
        return kExitProblem;
    }
    return kExitOk;
}

struct Command {
    std::size_t argCount;
    std::function<int(const Args&, Io&)> run;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"info", {1, Info}},
        {"frame", {1, Frame}},
        {"check", {1, Check}},
        {"normalize", {2, Normalize}},
    };
    return commands;
}

}  // namespace

int RunTvrTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    Io io{in, out, err};
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage;
        return kExitOk;
    }
    if (args.empty()) {
        err << kUsage;
        return kExitCannotRead;
    }
    const auto found = Commands().find(args[0]);
    if (found == Commands().end()) {
        err << "tvrtool: unknown command '" << args[0] << "'. Run 'tvrtool --help' for the list.\n";
        return kExitCannotRead;
    }
    const Args rest(args.begin() + 1, args.end());
    if (rest.size() != found->second.argCount) {
        err << "tvrtool: '" << args[0] << "' takes " << found->second.argCount
            << (found->second.argCount == 1 ? " argument" : " arguments")
            << ". Run 'tvrtool --help' for the usage.\n";
        return kExitCannotRead;
    }
    return found->second.run(rest, io);
}

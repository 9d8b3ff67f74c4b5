#include "cli/TvrTool.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <string_view>

#include "core/DeviceLimits.h"
#include "core/FlashTransmitter.h"
#include "core/ProgramCsv.h"
#include "core/SignalDecoder.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "core/TransferFrame.h"

namespace {

constexpr const char* kUsage =
    "Usage: tvrtool COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  info FILE            summary of a timer file: timers, blocks, intervals, device memory,\n"
    "                       frame length and transfer time\n"
    "  frame FILE           the transfer frame as hex bytes on one line\n"
    "  check FILE           exit 0 and 'ok: N of 128 bytes' when the device can take the\n"
    "                       program; otherwise exit 1 and one line per problem. Warnings\n"
    "                       (the device takes the program, but probably not as meant) go\n"
    "                       to standard error as 'warning: ...'\n"
    "  normalize [--force] IN OUT\n"
    "                       load IN and write it to OUT exactly as the editor saves it,\n"
    "                       atomically; lines the reader skipped are named on standard\n"
    "                       error and left out. When there are some and OUT is IN, it\n"
    "                       refuses (exit 1) unless --force is given\n"
    "  signal FILE          the colour swaps of the transfer under the nominal times: one\n"
    "                       line per swap, microseconds after the transfer starts, then\n"
    "                       'end T' when the transfer ends\n"
    "  decode               read swap times as 'signal' prints them on standard input and\n"
    "                       decode them as the device would; print the frame like 'frame'\n"
    "                       (exit 0), or say why it is not a valid frame (exit 1)\n"
    "  csv FILE             one line per interval as CSV (RFC 4180, CR LF line ends):\n"
    "                       timer,interval,state,hours,minutes,seconds,sixtieths,ticks,\n"
    "                       start_ticks,block_start\n"
    "  --help               this text\n"
    "  --version            the version\n"
    "\n"
    "frame and signal also name on standard error each problem 'check' would report.\n"
    "\n"
    "Exit codes: 0 success; 1 the check or the decode failed, or normalize could not write\n"
    "OUT, had nothing to write or refused to drop lines in place; 2 unreadable file or input,\n"
    "or bad usage; 3 standard output could not be written.\n";

struct Io {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using Args = std::vector<std::string>;

struct Options {
    bool force = false;  // normalize: drop skipped lines even when OUT is IN
};

enum class Skipped { Quiet, Warn };

// With Warn, every line the reader could not use becomes a warning on standard error, so a
// person sees what the summary leaves out while scripts still read standard output alone.
// skippedCount, when given, receives how many lines the reader skipped.
bool Load(const std::string& path, TimerProgram& program, Io& io, Skipped skipped = Skipped::Quiet,
          std::size_t* skippedCount = nullptr) {
    const LoadResult result = ReadTimerFile(path, program);
    if (!result.Ok()) {
        io.err << "tvrtool: " << path << ": " << result.Message() << '\n';
        return false;
    }
    if (skipped == Skipped::Warn) {
        for (const SkippedLine& line : result.skipped) {
            io.err << "warning: " << DescribeSkippedLine(line) << '\n';
        }
        if (result.skippedCount > result.skipped.size()) {
            io.err << "warning: " << result.skippedCount - result.skipped.size()
                   << " more lines were skipped\n";
        }
    }
    if (skippedCount != nullptr) {
        *skippedCount = result.skippedCount;
    }
    return true;
}

// frame and signal encode whatever they are given, so a person is told, as check would tell
// them, what the device cannot take; standard output stays the encoding alone.
void WarnDeviceProblems(const TimerProgram& program, Io& io) {
    for (const DeviceProblem& problem : CheckDeviceLimits(program)) {
        io.err << "warning: " << problem.message << '\n';
    }
}

// The same file by name or through a link; false when either does not exist.
bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return !ec && same;
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

int Info(const Args& args, const Options&, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io, Skipped::Warn)) {
        return kExitCannotRead;
    }
    const std::vector<TimerRun> runs = GetTimerRuns(program);
    int intervals = 0;
    for (const TimerRun& run : runs) {
        intervals += run.intervals;
    }
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    const std::int64_t us = TransferDurationUs(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(us) / 1e6);

    io.out << "file: " << args[0] << '\n'
           << "timers: " << runs.size() << '\n'
           << "blocks: " << program.GetBlockCount() << '\n'
           << "intervals: " << intervals << '\n'
           << "run timer 0 on power up: " << (program.GetStartup() ? "yes" : "no") << '\n'
           << "device memory: " << DeviceMemoryUsed(program) << " of " << kDeviceMemoryBytes
           << " bytes\n"
           << "frame: " << frame.size() << " bytes\n"
           << "transfer time: " << seconds << " s (after the 3 s countdown)\n";
    return kExitOk;
}

int Frame(const Args& args, const Options&, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    WarnDeviceProblems(program, io);
    io.out << HexLine(BuildTransferFrame(program)) << '\n';
    return kExitOk;
}

int Check(const Args& args, const Options&, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io, Skipped::Warn)) {
        return kExitCannotRead;
    }
    // Warnings go to standard error, so scripts reading the verdict see what they always saw.
    bool problems = false;
    for (const DeviceProblem& finding : CheckDeviceLimits(program)) {
        if (finding.IsWarning()) {
            io.err << "warning: " << finding.message << '\n';
        } else {
            io.out << finding.message << '\n';
            problems = true;
        }
    }
    if (problems) {
        return kExitProblem;
    }
    io.out << "ok: " << DeviceMemoryUsed(program) << " of " << kDeviceMemoryBytes << " bytes\n";
    return kExitOk;
}

int Normalize(const Args& args, const Options& options, Io& io) {
    TimerProgram program;
    std::size_t skipped = 0;
    if (!Load(args[0], program, io, Skipped::Warn, &skipped)) {
        return kExitCannotRead;
    }
    // Writing over IN would lose those lines for good; to another file IN still holds them.
    if (skipped > 0 && !options.force && SameFile(args[0], args[1])) {
        io.err << "tvrtool: " << args[0]
               << ": left unchanged, since writing OUT over IN would lose "
               << (skipped == 1 ? "the skipped line" : "the skipped lines")
               << " above; give another OUT, or add --force\n";
        return kExitProblem;
    }
    const SaveResult saved = WriteTimerFile(args[1], program);
    if (!saved.Ok()) {
        io.err << "tvrtool: " << args[1] << ": " << saved.Message() << '\n';
        // A file that cannot be written has always been exit 1 for normalize; scripts rely on it.
        return kExitProblem;
    }
    return kExitOk;
}

int Signal(const Args& args, const Options&, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    WarnDeviceProblems(program, io);
    const std::vector<std::uint8_t> frame = BuildTransferFrame(program);
    const SignalTimeline timeline = SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    std::string text;
    for (const std::int64_t swap : timeline.swapsUs) {
        text += std::to_string(swap);
        text += '\n';
    }
    io.out << text << "end " << timeline.endUs << '\n';
    return kExitOk;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A line of the input quoted in a message: printable, and at most this long with its "...",
// so a huge line is not echoed whole.
constexpr std::size_t kQuotedLineWidth = 80;

std::string Quoted(std::string_view line) {
    return PrintableExcerpt(line, kQuotedLineWidth - 3);
}

bool ParseTime(std::string_view text, std::int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && value >= 0;
}

// Swap times, one a line, optionally closed by the 'end T' line that 'signal' prints.
bool ReadSwapTimes(std::istream& in, std::vector<std::int64_t>& swaps, std::string& error) {
    std::string line;
    int lineNumber = 0;
    bool ended = false;
    errno = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view text = Trim(line);
        if (text.empty()) {
            continue;
        }
        std::int64_t value = 0;
        if (ended) {
            error = "line " + std::to_string(lineNumber) + ": nothing may follow the 'end' line";
            return false;
        }
        if (text.starts_with("end") && ParseTime(Trim(text.substr(3)), value)) {
            ended = true;
            continue;
        }
        if (!ParseTime(text, value)) {
            error = "line " + std::to_string(lineNumber) + ": '" + Quoted(text) +
                    "' is not a time in microseconds";
            return false;
        }
        swaps.push_back(value);
    }
    if (in.bad()) {
        const int cause = errno;
        error = "standard input could not be read";
        if (cause != 0) {
            error += std::string(" (") + std::strerror(cause) + ")";
        }
        error += "; give it the swap times from a file or a pipe";
        return false;
    }
    return true;
}

int Decode(const Args&, const Options&, Io& io) {
    std::vector<std::int64_t> swaps;
    std::string error;
    if (!ReadSwapTimes(io.in, swaps, error)) {
        io.err << "tvrtool: decode: " << error << '\n';
        return kExitCannotRead;
    }
    const DecodeResult decoded = SignalDecoder().Decode(swaps);
    if (!decoded.ok) {
        io.err << "tvrtool: decode: " << decoded.reason << '\n';
        if (!decoded.frame.empty()) {
            io.err << "tvrtool: decode: bytes read: " << HexLine(decoded.frame) << '\n';
        }
        return kExitProblem;
    }
    io.out << HexLine(decoded.frame) << '\n';
    return kExitOk;
}

int Csv(const Args& args, const Options&, Io& io) {
    TimerProgram program;
    if (!Load(args[0], program, io)) {
        return kExitCannotRead;
    }
    io.out << ProgramToCsv(program);
    return kExitOk;
}

struct Command {
    std::size_t argCount;
    bool takesForce;
    std::function<int(const Args&, const Options&, Io&)> run;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"info", {1, false, Info}},     {"frame", {1, false, Frame}},
        {"check", {1, false, Check}},   {"normalize", {2, true, Normalize}},
        {"signal", {1, false, Signal}}, {"decode", {0, false, Decode}},
        {"csv", {1, false, Csv}},
    };
    return commands;
}

int Run(const std::vector<std::string>& args, Io& io) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        io.out << kUsage;
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        io.out << "tvrtool " << TIMER_VERSION << '\n';
        return kExitOk;
    }
    if (args.empty()) {
        io.err << kUsage;
        return kExitCannotRead;
    }
    const auto found = Commands().find(args[0]);
    if (found == Commands().end()) {
        io.err << "tvrtool: unknown command '" << args[0]
               << "'. Run 'tvrtool --help' for the list.\n";
        return kExitCannotRead;
    }
    Args rest(args.begin() + 1, args.end());
    Options options;
    if (found->second.takesForce) {
        const auto flag = std::find(rest.begin(), rest.end(), "--force");
        if (flag != rest.end()) {
            options.force = true;
            rest.erase(flag);
        }
    }
    if (rest.size() != found->second.argCount) {
        io.err << "tvrtool: '" << args[0] << "' takes " << found->second.argCount
               << (found->second.argCount == 1 ? " argument" : " arguments")
               << ". Run 'tvrtool --help' for the usage.\n";
        return kExitCannotRead;
    }
    return found->second.run(rest, options, io);
}

}  // namespace

int RunTvrTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    Io io{in, out, err};
    errno = 0;
    int code = Run(args, io);
    // A full disk or a closed pipe shows only here: the stream fails on a write or the flush.
    out.flush();
    const int error = errno;
    if (!out) {
        err << "tvrtool: cannot write standard output";
        if (error != 0) {
            err << ": " << std::strerror(error);
        }
        err << '\n';
        code = kExitCannotWrite;
    }
    return code;
}

#include "core/TimerFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/IntervalText.h"
#include "core/TimerProgram.h"
#include "core/Translate.h"

namespace {

constexpr std::string_view kMagic = "TVRX";
constexpr std::string_view kVersion = "1000";
constexpr std::string_view kStartupLine = "STARTUP ENABLED";
constexpr std::string_view kLineEnd = "\r\n";
// Some editors start UTF-8 text with one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Matches line against a scanf-style pattern whose only conversion is %d, the way sscanf
// does: a blank in the pattern matches any run of white space (also none), other characters
// must match exactly, and %d reads a number as ScanNumber does (so every value the writer prints
// reads back unchanged). Returns how many numbers were read before the first mismatch.
int ScanNumbers(std::string_view line, std::string_view pattern,
                std::array<std::uint32_t, 4>& out) {
    std::size_t li = 0;
    int read = 0;
    for (std::size_t pi = 0; pi < pattern.size(); ++pi) {
        const char p = pattern[pi];
        if (p == '%' && pi + 1 < pattern.size() && pattern[pi + 1] == 'd') {
            ++pi;
            if (!ScanNumber(line, li, out[static_cast<std::size_t>(read)])) {
                return read;
            }
            ++read;
        } else if (IsScanSpace(p)) {
            while (li < line.size() && IsScanSpace(line[li])) {
                ++li;
            }
        } else {
            if (li >= line.size() || line[li] != p) {
                return read;
            }
            ++li;
        }
    }
    return read;
}

// Reads the rest of a text like an input stream: skips white space, then takes a word.
struct TextCursor {
    std::string_view text;
    std::size_t pos = 0;

    void SkipSpace() {
        while (pos < text.size() && IsScanSpace(text[pos])) {
            ++pos;
        }
    }
    std::string_view Word() {
        SkipSpace();
        const std::size_t start = pos;
        while (pos < text.size() && !IsScanSpace(text[pos])) {
            ++pos;
        }
        return text.substr(start, pos - start);
    }
    // An optionally signed run of digits, as a stream reads an unsigned number.
    std::string_view Number() {
        SkipSpace();
        const std::size_t start = pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            ++pos;
        }
        const std::size_t digits = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            ++pos;
        }
        if (pos == digits) {
            pos = start;
            return {};
        }
        return text.substr(start, pos - start);
    }
    bool AtEnd() const { return pos >= text.size(); }
    // The next line without its line break (LF, or CR LF).
    std::string_view Line() {
        const std::size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line;
    }
};

bool IsVersion1000(std::string_view number) {
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);
    }
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    return number == kVersion;
}

std::string SystemMessage(int error) {
    return std::generic_category().message(error);
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return IsScanSpace(c); });
}

std::string_view TrimSpacesAndTabs(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool MayBeTimerLine(std::string_view line) {
    constexpr std::string_view kWord = "timer";
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::search(line.begin(), line.end(), kWord.begin(), kWord.end(),
                       [&](char a, char b) { return lower(a) == b; }) != line.end();
}

void SkipLine(LoadResult& result, std::size_t number, std::string_view line, SkipReason reason) {
    ++result.skippedCount;
    if (result.skipped.size() < kMaxSkippedLinesKept) {
        result.skipped.push_back({number, PrintableExcerpt(line), reason});
    }
}

std::string SkipReasonText(SkipReason reason) {
    switch (reason) {
        case SkipReason::NotTimerOrInterval:
            return Translate("TimerFile", "not a timer or interval line");
        case SkipReason::TooLong:
            return Translate("TimerFile", "longer than 255 characters");
        case SkipReason::BeforeFirstTimer:
            return Translate("TimerFile", "an interval before the first timer line");
        case SkipReason::BlockFull:
            return Translate("TimerFile", "more than 8 intervals under one timer line");
        case SkipReason::UnderSkippedTimer:
            return Translate("TimerFile", "an interval under a timer line that could not be read");
    }
    return Translate("TimerFile", "not used");
}

std::string PrintableExcerpt(std::string_view text, std::size_t width) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        char piece[8];
        if (c == '\\' || c == '"') {
            std::snprintf(piece, sizeof piece, "\\%c", ch);
        } else if (c < 0x20 || c > 0x7E) {
            std::snprintf(piece, sizeof piece, "\\x%02X", c);
        } else {
            std::snprintf(piece, sizeof piece, "%c", ch);
        }
        if (out.size() + std::strlen(piece) > width) {
            return out + "...";
        }
        out += piece;
    }
    return out;
}

std::string DescribeSkippedLine(const SkippedLine& line) {
    return FillArgs(Translate("TimerFile", "line %1: \"%2\" (%3)"),
                    {std::to_string(line.number), line.text, SkipReasonText(line.reason)});
}

std::string FormatSkippedLines(const LoadResult& result, std::string_view fileName,
                               std::string_view closing) {
    if (result.skippedCount == 0) {
        return {};
    }
    const bool one = result.skippedCount == 1;
    std::string out =
        one ? FillArgs(Translate("TimerFile", "One line of %1 could not be read and was skipped:"),
                       {fileName})
            : FillArgs(Translate("TimerFile", "%1 lines of %2 could not be read and were skipped:"),
                       {std::to_string(result.skippedCount), fileName});
    out += '\n';
    const std::size_t shown = std::min(result.skipped.size(), kSkippedLinesShown);
    for (std::size_t i = 0; i < shown; ++i) {
        out += "  " + DescribeSkippedLine(result.skipped[i]) + "\n";
    }
    if (result.skippedCount > shown) {
        out += "  " +
               FillArgs(Translate("TimerFile", "and %1 more."),
                        {std::to_string(result.skippedCount - shown)}) +
               "\n";
    }
    if (!closing.empty()) {
        return out.append(closing);
    }
    return out.append(one ? Translate("TimerFile",
                                      "The rest of the program was loaded. Saving "
                                      "writes it without this line.")
                          : Translate("TimerFile",
                                      "The rest of the program was loaded. Saving "
                                      "writes it without these lines."));
}

std::string LoadResult::Message() const {
    switch (status) {
        case LoadStatus::Ok:
            return {};
        case LoadStatus::CannotOpen:
            return FillArgs(Translate("TimerFile",
                                      "The file could not be read (%1). Check that it "
                                      "exists and that you are allowed to read it."),
                            {detail});
        case LoadStatus::NotTimerFile:
            return Translate("TimerFile",
                             "This is not a timer file: it does not begin with the lines TVRX and "
                             "1000. Choose a file saved by the Programmable Timer.");
        case LoadStatus::UnsupportedVersion:
            return FillArgs(Translate("TimerFile",
                                      "This timer file has version %1, but only version 1000 can "
                                      "be read. It may come from a newer program."),
                            {version});
        case LoadStatus::TooLarge:
            return Translate("TimerFile",
                             "The file is larger than 1 MiB, far more than any timer program "
                             "takes, so it is not a timer file. Choose a file saved by the "
                             "Programmable Timer.");
    }
    return {};
}

TimerLine ReadTimerLine(std::string_view line) {
    TimerLine read;
    std::array<std::uint32_t, 4> n{};
    // The limit is on the line as written; spaces and tabs around it mean nothing to any kind.
    if (line.size() > kMaxTimerLineLength) {
        read.kind = TimerLine::Kind::TooLong;
        return read;
    }
    line = TrimSpacesAndTabs(line);
    if (ScanNumbers(line, "Timer %d", n) == 1) {
        read.kind = TimerLine::Kind::Timer;
        read.timer = n[0];
    } else if (ScanNumbers(line, "ON - %d:%d:%d:%d", n) == 4 ||
               ScanNumbers(line, "ON - %d:%d:%d", n) == 3) {
        read.kind = TimerLine::Kind::Interval;
        read.on = true;
    } else if (ScanNumbers(line, "OFF - %d:%d:%d:%d", n) == 4 ||
               ScanNumbers(line, "OFF - %d:%d:%d", n) == 3) {
        read.kind = TimerLine::Kind::Interval;
    } else if (line == kStartupLine || line == "STARTUP ON") {
        read.kind = TimerLine::Kind::Startup;
    } else if (IsBlank(line)) {
        read.kind = TimerLine::Kind::Blank;
    }
    if (read.kind == TimerLine::Kind::Interval) {
        read.hours = n[0];
        read.minutes = n[1];
        read.seconds = n[2];
        read.ticks = n[3];
    }
    return read;
}

std::vector<std::string_view> SplitTimerLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (TextCursor in{text}; !in.AtEnd();) {
        lines.push_back(in.Line());
    }
    return lines;
}

std::string LoadResult::Reason() const {
    switch (status) {
        case LoadStatus::Ok:
            return {};
        case LoadStatus::CannotOpen:
            return detail;
        case LoadStatus::NotTimerFile:
            return Translate("TimerFile", "not a timer file");
        case LoadStatus::UnsupportedVersion:
            return FillArgs(Translate("TimerFile", "version %1 cannot be read"), {version});
        case LoadStatus::TooLarge:
            return Translate("TimerFile", "larger than 1 MiB");
    }
    return {};
}

LoadResult ParseTimerFile(std::string_view text, TimerProgram& program) {
    LoadResult result;
    if (text.size() > kMaxTimerFileSize) {
        result.status = LoadStatus::TooLarge;
        return result;
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    TextCursor in{text};
    if (in.Word() != kMagic) {
        result.status = LoadStatus::NotTimerFile;
        return result;
    }
    const std::string_view version = in.Number();
    if (version.empty()) {
        result.status = LoadStatus::NotTimerFile;
        return result;
    }
    if (!IsVersion1000(version)) {
        result.status = LoadStatus::UnsupportedVersion;
        result.version = std::string(version);
        return result;
    }
    // The character after the number: the version line's line break.
    if (!in.AtEnd()) {
        ++in.pos;
    }

    TimerProgram loaded;
    std::unique_ptr<TimerBlock> filling;
    // After a skipped line that may be a timer line, the intervals up to the next timer line
    // belong to a timer not known; only such lines cut off the timer above, so a stray comment
    // between intervals costs only itself.
    bool unknownTimer = false;
    // The header may spread over several lines, or end in the middle of one.
    std::size_t lineNumber =
        1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + in.pos, '\n'));
    for (; !in.AtEnd(); ++lineNumber) {
        const std::string_view line = in.Line();
        const TimerLine read = ReadTimerLine(line);
        switch (read.kind) {
            case TimerLine::Kind::TooLong:
                SkipLine(result, lineNumber, line, SkipReason::TooLong);
                unknownTimer = unknownTimer || MayBeTimerLine(line);
                continue;
            case TimerLine::Kind::Timer:
                unknownTimer = false;
                if (filling) {
                    loaded.AddBlock(std::move(filling));
                }
                filling = std::make_unique<TimerBlock>();
                filling->SetTimerNumber(static_cast<std::int32_t>(read.timer));
                continue;
            case TimerLine::Kind::Startup:
                loaded.SetStartup(true);
                continue;
            case TimerLine::Kind::Blank:
                continue;
            case TimerLine::Kind::Unreadable:
                SkipLine(result, lineNumber, line, SkipReason::NotTimerOrInterval);
                unknownTimer = unknownTimer || MayBeTimerLine(line);
                continue;
            case TimerLine::Kind::Interval:
                break;
        }
        Interval interval;
        interval.Set(read.on, read.hours, read.minutes, read.seconds, read.ticks);
        // An interval before the first timer line has no block to go into; a ninth interval
        // of a block is refused by the block itself.
        if (unknownTimer) {
            SkipLine(result, lineNumber, line, SkipReason::UnderSkippedTimer);
        } else if (!filling) {
            SkipLine(result, lineNumber, line, SkipReason::BeforeFirstTimer);
        } else if (!filling->AddInterval(interval)) {
            SkipLine(result, lineNumber, line, SkipReason::BlockFull);
        }
    }
    if (filling) {
        loaded.AddBlock(std::move(filling));
    }
    program = std::move(loaded);
    return result;
}

LoadResult ReadTimerFile(const std::string& path, TimerProgram& program) {
    LoadResult result;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        result.status = LoadStatus::CannotOpen;
        result.detail = SystemMessage(EISDIR);
        return result;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        result.status = LoadStatus::CannotOpen;
        result.detail = SystemMessage(errno);
        return result;
    }
    // Read at most one byte more than allowed, so an endless or huge file is never taken whole.
    std::string text;
    std::array<char, 16384> chunk;
    while (text.size() <= kMaxTimerFileSize) {
        const std::size_t want = std::min(chunk.size(), kMaxTimerFileSize + 1 - text.size());
        const std::size_t got = std::fread(chunk.data(), 1, want, file.get());
        text.append(chunk.data(), got);
        if (got < want) {
            if (std::ferror(file.get())) {
                result.status = LoadStatus::CannotOpen;
                result.detail = SystemMessage(errno);
                return result;
            }
            break;
        }
    }
    if (text.size() > kMaxTimerFileSize) {
        result.status = LoadStatus::TooLarge;
        return result;
    }
    result = ParseTimerFile(text, program);
    result.stamp = StampOf(text, FileTime(path));
    return result;
}

std::string FormatTimerFile(const TimerProgram& program) {
    std::string out;
    out.append(kMagic).append(kLineEnd);
    out.append(kVersion).append(kLineEnd);
    if (program.GetStartup()) {
        out.append(kStartupLine).append(kLineEnd);
    }
    for (const TimerBlock* b = program.GetFirstBlock(); b != nullptr; b = b->GetNext()) {
        out.append("Timer ").append(std::to_string(b->GetTimerNumber())).append(kLineEnd);
        for (int i = 0; i < b->GetCount(); ++i) {
            out.append(b->GetInterval(i)->GetText()).append(kLineEnd);
        }
    }
    return out;
}

SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program, SaveOps& ops) {
    if (program.GetBlockCount() == 0) {
        SaveResult result;
        result.status = SaveStatus::NoBlocks;
        return result;
    }
    return SaveAtomically(path, FormatTimerFile(program), ops);
}

SaveResult WriteTimerFile(const std::string& path, const TimerProgram& program) {
    SaveOps ops;
    return WriteTimerFile(path, program, ops);
}

bool TimerProgram::SaveToFile(const std::string& path) const {
    return WriteTimerFile(path, *this).Ok();
}

bool TimerProgram::LoadFromFile(const std::string& path) {
    return ReadTimerFile(path, *this).Ok();
}

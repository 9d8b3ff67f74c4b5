#include "core/IntervalText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "core/TimerProgram.h"

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool ScanNumber(std::string_view text, std::size_t& pos, std::uint32_t& value) {
    while (pos < text.size() && IsScanSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') {
        return false;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        magnitude = std::min<std::uint64_t>(magnitude * 10 + static_cast<unsigned>(text[pos] - '0'),
                                            kMax + 1);
        ++pos;
    }
    if (magnitude > kMax) {
        value = static_cast<std::uint32_t>(kMax);
    } else {
        value = negative ? 0u - static_cast<std::uint32_t>(magnitude)
                         : static_cast<std::uint32_t>(magnitude);
    }
    return true;
}

int ScanIntervalText(std::string_view text, std::uint32_t& hours, std::uint32_t& minutes,
                     std::uint32_t& seconds, std::uint32_t& ticks) {
    const std::array<std::uint32_t*, 4> fields{&hours, &minutes, &seconds, &ticks};
    std::size_t pos = 0;
    int read = 0;
    for (std::uint32_t* field : fields) {
        if (read > 0) {
            if (pos >= text.size() || text[pos] != ':') {
                break;
            }
            ++pos;
        }
        std::uint32_t value = 0;
        if (!ScanNumber(text, pos, value)) {
            break;
        }
        *field = value;
        ++read;
    }
    return read;
}

std::optional<IntervalTime> ReadTypedInterval(std::string_view text) {
    IntervalTime time;
    const int read = ScanIntervalText(text, time.hours, time.minutes, time.seconds, time.ticks);
    if (read < 3 || time.hours > kMaxIntervalField || time.minutes > kMaxIntervalField ||
        time.seconds > kMaxIntervalField || time.ticks > kMaxIntervalTicksField) {
        return std::nullopt;
    }
    // Where the numbers end: the scan again, to see what follows the last one.
    std::size_t pos = 0;
    for (int number = 0; number < read; ++number) {
        if (number > 0) {
            ++pos;  // the ':' the scan went past
        }
        std::uint32_t ignored = 0;
        ScanNumber(text, pos, ignored);
    }
    while (pos < text.size() && IsScanSpace(text[pos])) {
        ++pos;
    }
    if (pos != text.size()) {
        return std::nullopt;  // a fifth number, a stray ':' or anything else after the last one
    }
    return time;
}

std::optional<std::string> NormalIntervalText(std::string_view text) {
    const std::optional<IntervalTime> time = ReadTypedInterval(text);
    if (!time) {
        return std::nullopt;
    }
    return FormatIntervalTime(time->hours, time->minutes, time->seconds, time->ticks);
}

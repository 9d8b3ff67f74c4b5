// Feeds arbitrary text to the interval reader and compares it with the C library's
// sscanf("%u:%u:%u:%u"), which it must match wherever no number exceeds 32 bits.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/IntervalText.h"
#include "core/TimerProgram.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// sscanf stops at a NUL and its overflow behaviour differs from ours by design.
bool ComparableWithScanf(std::string_view text) {
    int digits = 0;
    for (const char c : text) {
        if (c == '\0') {
            return false;
        }
        digits = (c >= '0' && c <= '9') ? digits + 1 : 0;
        if (digits > 9) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr std::uint32_t kUntouched = 0xDEADBEEF;
    std::uint32_t f[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
    const int read = ScanIntervalText(text, f[0], f[1], f[2], f[3]);
    Require(read >= 0 && read <= 4);
    for (int i = read; i < 4; ++i) {
        Require(f[i] == kUntouched);
    }

    if (ComparableWithScanf(text)) {
        const std::string copy(text);
        unsigned g[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
        const int scanned = std::sscanf(copy.c_str(), "%u:%u:%u:%u", &g[0], &g[1], &g[2], &g[3]);
        Require((scanned < 0 ? 0 : scanned) == read);
        for (int i = 0; i < 4; ++i) {
            Require(g[i] == f[i]);
        }
    }

    // What the editor takes is stored as a normal form that reads back as the same numbers and
    // is its own normal form.
    if (const std::optional<std::string> normal = NormalIntervalText(text)) {
        const std::uint32_t ticks = read == 4 ? f[3] : 0;
        Require(*normal == FormatIntervalTime(f[0], f[1], f[2], ticks));
        std::uint32_t h = 0, m = 0, s = 0, t = 0;
        Require(ScanIntervalText(*normal, h, m, s, t) == (ticks != 0 ? 4 : 3));
        Require(h == f[0] && m == f[1] && s == f[2] && (ticks == 0 || t == ticks));
        Require(NormalIntervalText(*normal) == normal);
    }
    return 0;
}

// The screen side of the glass benchmark, in a process of its own: reads one pixel of the X
// server's screen in a tight loop (XGetImage), notes with CLOCK_MONOTONIC when it turns between
// dark and light, and then judges the light changes as the device would: each gap against its
// nominal length, and the whole sequence decoded back to the frame it was told to expect.
//   glass_probe X Y FRAME_HEX [--timeout SECONDS] [--pace MICROSECONDS] [--list 1]
// --pace sleeps that long between samples instead of asking again at once. The tight loop keeps
// the X server and the probe busy for a whole core between them; on two cores with another busy
// program that core is one the dialog needs, and pacing shows how much of the error that costs.
// --list 1 also prints "change I MICROSECONDS" (CLOCK_MONOTONIC) for every change seen.
// Watches until the pixel has stood still for two seconds after it started changing. Last line:
//   glass: bytes=N gaps=G mean_err_ms=X p99_err_ms=Y max_err_ms=Z decoded=ok|bad
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "TransferBench.h"
#include "core/FlashTransmitter.h"
#include "core/SignalDecoder.h"
#include "core/TransferFrame.h"

namespace {

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

bool ParseHex(const std::string& text, std::vector<std::uint8_t>& bytes) {
    if (text.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 2) {
        char* end = nullptr;
        const std::string pair = text.substr(i, 2);
        const long value = std::strtol(pair.c_str(), &end, 16);
        if (*end != '\0') {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return !bytes.empty();
}

}  // namespace

int main(int argc, char** argv) {
    constexpr char kUsage[] =
        "usage: glass_probe X Y FRAME_HEX [--timeout SECONDS] [--pace MICROSECONDS] [--list 1]\n";
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    std::vector<std::uint8_t> frame;
    if (!ParseHex(argv[3], frame)) {
        std::fprintf(stderr, "glass_probe: the frame is not hex bytes\n");
        return 2;
    }
    double timeoutSeconds = 60 + static_cast<double>(frame.size());
    long paceUs = 0;
    bool list = false;
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--timeout") {
            timeoutSeconds = std::atof(argv[i + 1]);
        } else if (option == "--pace") {
            paceUs = std::atol(argv[i + 1]);
        } else if (option == "--list") {
            list = std::atoi(argv[i + 1]) != 0;
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        }
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "glass_probe: cannot open the X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);

    // Samples until the pixel has been still for this long after its first change.
    constexpr std::int64_t kQuietNs = 2'000'000'000;
    const std::int64_t started = NowNs();
    const auto deadline = started + static_cast<std::int64_t>(timeoutSeconds * 1e9);
    std::vector<std::int64_t> changesNs;  // when the pixel was first seen changed
    std::vector<double> uncertaintyMs;    // how far apart the samples around each change were
    changesNs.reserve(frame.size() * 10 + 16);
    std::int64_t samples = 0;
    std::int64_t longestSampleNs = 0;
    int last = -1;  // 0 dark, 1 light
    std::int64_t previous = NowNs();
    for (;;) {
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        const std::int64_t now = NowNs();
        if (image == nullptr) {
            std::fprintf(stderr, "glass_probe: XGetImage failed\n");
            XCloseDisplay(display);
            return 2;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        ++samples;
        longestSampleNs = std::max(longestSampleNs, now - previous);
        const unsigned brightness = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
        const int level = brightness > 3 * 128 ? 1 : 0;
        if (last >= 0 && level != last) {
            // The change happened between the two last replies.
            changesNs.push_back(previous + (now - previous) / 2);
            uncertaintyMs.push_back(static_cast<double>(now - previous) / 1e6);
        }
        last = level;
        previous = now;
        if (!changesNs.empty() && now - changesNs.back() > kQuietNs) {
            break;
        }
        if (now > deadline) {
            break;
        }
        if (paceUs > 0) {
            const timespec pause{0, paceUs * 1000};
            nanosleep(&pause, nullptr);
        }
    }
    XCloseDisplay(display);

    const SignalTimeline nominal = SimulateTransfer(frame, kZeroTimeUs, kOneTimeUs, kSyncTimeUs);
    std::vector<std::int64_t> seenUs;
    for (const std::int64_t t : changesNs) {
        seenUs.push_back(t / 1000);
    }
    std::vector<double> errors;
    double worst = 0;
    std::size_t worstGap = 0;
    const std::size_t compared = std::min(seenUs.size(), nominal.swapsUs.size());
    for (std::size_t i = 1; i < compared; ++i) {
        const double seen = static_cast<double>(changesNs[i] - changesNs[i - 1]) / 1e6;
        const double expected =
            static_cast<double>(nominal.swapsUs[i] - nominal.swapsUs[i - 1]) / 1e3;
        const double error = std::abs(seen - expected);
        errors.push_back(error);
        if (error > worst) {
            worst = error;
            worstGap = i;
        }
    }
    const DecodeResult decoded = SignalDecoder().Decode(seenUs);
    const bool ok = decoded.ok && decoded.frame == frame && seenUs.size() == nominal.swapsUs.size();
    const bench::Stats stats = bench::Summarise(errors);

    for (std::size_t i = 0; list && i < seenUs.size(); ++i) {
        std::printf("change %zu %lld\n", i, static_cast<long long>(seenUs[i]));
    }
    const double seconds = static_cast<double>(previous - started) / 1e9;
    std::printf(
        "changes seen=%zu of %zu, samples=%lld (%.0f a second), longest between samples=%.3f ms\n",
        seenUs.size(), nominal.swapsUs.size(), static_cast<long long>(samples),
        static_cast<double>(samples) / seconds, static_cast<double>(longestSampleNs) / 1e6);
    const bench::Stats uncertainty = bench::Summarise(uncertaintyMs);
    std::printf("probe's own uncertainty at the changes: p99=%.3f max=%.3f ms\n", uncertainty.p99,
                uncertainty.max);
    if (worstGap > 0) {
        std::printf("worst gap: changes %zu-%zu off by %.3f ms\n", worstGap, worstGap + 1, worst);
    }
    if (!ok) {
        std::printf("decode: %s\n",
                    decoded.ok ? "frame differs or swaps missing" : decoded.reason.c_str());
    }
    std::printf(
        "glass: bytes=%zu gaps=%zu mean_err_ms=%.3f p99_err_ms=%.3f max_err_ms=%.3f "
        "decoded=%s\n",
        frame.size(), errors.size(), stats.mean, stats.p99, stats.max, ok ? "ok" : "bad");
    return ok ? 0 : 1;
}

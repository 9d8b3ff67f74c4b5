// Feeds arbitrary bytes to the timer-file reader. Whatever loads must survive a save and a
// reload unchanged, and encode without trouble.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/DeviceLimits.h"
#include "core/TimerFile.h"
#include "core/TimerProgram.h"
#include "core/TransferFrame.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool SameBlocks(const TimerProgram& a, const TimerProgram& b) {
    const TimerBlock* x = a.GetFirstBlock();
    const TimerBlock* y = b.GetFirstBlock();
    for (; x != nullptr && y != nullptr; x = x->GetNext(), y = y->GetNext()) {
        if (x->GetTimerNumber() != y->GetTimerNumber() || x->GetCount() != y->GetCount()) {
            return false;
        }
        for (int i = 0; i < x->GetCount(); ++i) {
            if (x->GetInterval(i)->GetText() != y->GetInterval(i)->GetText()) {
                return false;
            }
        }
    }
    return x == nullptr && y == nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TimerProgram program;
    const LoadResult result = ParseTimerFile(text, program);
    if (!result.Ok()) {
        Require(program.GetBlockCount() == 0);
        return 0;
    }
    // The skipped lines stay bounded and printable, whatever the bytes.
    Require(result.skipped.size() <= kMaxSkippedLinesKept);
    Require(result.skipped.size() <= result.skippedCount);
    for (const SkippedLine& line : result.skipped) {
        Require(line.text.size() <= kSkippedTextWidth + 3);
        for (const char c : line.text) {
            Require(c >= 0x20 && c <= 0x7E);
        }
    }
    int chain = 0;
    for (const TimerBlock* b = program.GetFirstBlock(); b != nullptr; b = b->GetNext()) {
        Require(b->GetCount() >= 0 && b->GetCount() <= kIntervalsPerBlock);
        ++chain;
    }
    Require(chain == program.GetBlockCount());

    const std::string saved = FormatTimerFile(program);
    TimerProgram reloaded;
    const LoadResult again = ParseTimerFile(saved, reloaded);
    Require(again.Ok());
    // Every line the writer writes is one the reader uses.
    Require(again.skippedCount == 0);
    Require(SameBlocks(program, reloaded));
    Require(reloaded.GetStartup() == program.GetStartup());
    Require(FormatTimerFile(reloaded) == saved);

    const auto frame = BuildTransferFrame(program);
    Require(frame.size() == static_cast<std::size_t>(program.GetImageSize()) + 3);
    (void)CheckDeviceLimits(program);
    return 0;
}

#include "core/TimerProgram.h"

#include <cstdio>
#include <utility>

#include "core/Translate.h"

void Interval::Set(bool isOn, std::uint32_t h, std::uint32_t m, std::uint32_t s, std::uint32_t t) {
    on = isOn ? 1 : 0;
    hours = h;
    minutes = m;
    seconds = s;
    ticks = t;
}

std::uint32_t Interval::GetDuration() const {
    return ticks + seconds * kTicksPerSecond + minutes * kTicksPerMinute + hours * kTicksPerHour;
}

std::uint64_t Interval::GetTotalTicks() const {
    return std::uint64_t{ticks} + std::uint64_t{seconds} * kTicksPerSecond +
           std::uint64_t{minutes} * kTicksPerMinute + std::uint64_t{hours} * kTicksPerHour;
}

std::string TimerName(int timerNumber) {
    return FillArgs(Translate("TimerProgram", "Timer %1"), {std::to_string(timerNumber)});
}

std::string FormatIntervalTime(std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
                               std::uint32_t ticks) {
    char buffer[48];
    if (ticks != 0) {
        std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u:%02u", hours, minutes, seconds, ticks);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", hours, minutes, seconds);
    }
    return buffer;
}

std::string Interval::GetText() const {
    return (IsOn() ? "ON - " : "OFF - ") + FormatIntervalTime(hours, minutes, seconds, ticks);
}

TimerBlock::~TimerBlock() {
    // Unlink the chain behind this block one block at a time: destroying a long chain through
    // nested destructors would recurse once per block.
    std::unique_ptr<TimerBlock> rest = std::move(next);
    while (rest) {
        rest = std::move(rest->next);
    }
}

bool TimerBlock::AddInterval(const Interval& interval) {
    if (count >= kIntervalsPerBlock) {
        return false;
    }
    intervals[static_cast<std::size_t>(count)].CopyFrom(interval);
    ++count;
    return true;
}

const Interval* TimerBlock::GetInterval(int index) const {
    if (index < 0 || index >= count) {
        return nullptr;
    }
    return &intervals[static_cast<std::size_t>(index)];
}

TimerProgram::~TimerProgram() = default;

TimerProgram::TimerProgram(TimerProgram&& other) noexcept {
    *this = std::move(other);
}

TimerProgram& TimerProgram::operator=(TimerProgram&& other) noexcept {
    if (this != &other) {
        blockCount = std::exchange(other.blockCount, 0);
        firstBlock = std::move(other.firstBlock);
        cursor = std::exchange(other.cursor, nullptr);
        lastBlock = std::exchange(other.lastBlock, nullptr);
        startup = std::exchange(other.startup, 0);
    }
    return *this;
}

bool TimerProgram::AddBlock(std::unique_ptr<TimerBlock> block) {
    if (!block) {
        return true;
    }
    TimerBlock* added = block.get();
    if (lastBlock == nullptr) {
        firstBlock = std::move(block);
    } else {
        lastBlock->SetNext(std::move(block));
    }
    // Count every block reachable from the one handed over, so the count always matches the
    // chain even if the caller linked blocks behind it.
    for (TimerBlock* b = added; b != nullptr; b = b->GetNext()) {
        lastBlock = b;
        ++blockCount;
    }
    return true;
}

const TimerBlock* TimerProgram::MoveNext() {
    if (cursor != nullptr) {
        cursor = cursor->GetNext();
    }
    return cursor;
}

int TimerProgram::GetImageSize() const {
    int size = 1;
    for (const TimerBlock* b = firstBlock.get(); b != nullptr; b = b->GetNext()) {
        size += b->GetByteSize();
    }
    return size;
}

bool TimerProgram::BuildImage(std::span<std::uint8_t> buffer) const {
    const auto size = static_cast<std::size_t>(GetImageSize());
    if (buffer.size() < size) {
        return false;
    }
    std::size_t pos = 0;
    buffer[pos++] = static_cast<std::uint8_t>((static_cast<unsigned>(blockCount) & 0xFFu) |
                                              (startup ? 0x80u : 0u));
    for (const TimerBlock* b = firstBlock.get(); b != nullptr; b = b->GetNext()) {
        const unsigned countField = ((static_cast<unsigned>(b->GetCount()) + 7u) * 32u) & 0xFFu;
        buffer[pos++] = static_cast<std::uint8_t>(
            countField | (static_cast<unsigned>(b->GetTimerNumber()) & 0xFFu));
        for (int i = 0; i < b->GetCount(); ++i) {
            const Interval* interval = b->GetInterval(i);
            const std::uint32_t d = interval->GetDuration();
            buffer[pos] =
                static_cast<std::uint8_t>(((d >> 16) & 0xFFu) | (interval->IsOn() ? 0x80u : 0u));
            buffer[pos + 1] = static_cast<std::uint8_t>((d >> 8) & 0xFFu);
            buffer[pos + 2] = static_cast<std::uint8_t>(d & 0xFFu);
            pos += 3;
        }
    }
    return true;
}

std::vector<TimerRun> GetTimerRuns(const TimerProgram& program) {
    std::vector<TimerRun> runs;
    for (const TimerBlock* b = program.GetFirstBlock(); b != nullptr; b = b->GetNext()) {
        if (runs.empty() || runs.back().timer != b->GetTimerNumber()) {
            runs.push_back({b->GetTimerNumber(), b, 0, 0});
        }
        ++runs.back().blocks;
        runs.back().intervals += b->GetCount();
    }
    return runs;
}

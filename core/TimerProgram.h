#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/Limits.h"

// One ON or OFF step of a timer. Minutes, seconds and ticks are not normalised: 90 minutes
// stays 90 minutes, and only the sum in ticks matters to the device.
class Interval {
public:
    void Set(bool on, std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
             std::uint32_t ticks);
    void CopyFrom(const Interval& other) { *this = other; }

    bool IsOn() const { return on != 0; }
    std::uint32_t GetHours() const { return hours; }
    std::uint32_t GetMinutes() const { return minutes; }
    std::uint32_t GetSeconds() const { return seconds; }
    std::uint32_t GetTicks() const { return ticks; }

    // Length in ticks, in wrapping 32-bit arithmetic as the device image computes it.
    std::uint32_t GetDuration() const;
    // The true length in ticks, without wrapping.
    std::uint64_t GetTotalTicks() const;

    // "ON - 00:00:05" or "OFF - 01:02:03:30": the file line and the text shown to users.
    std::string GetText() const;

private:
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t ticks = 0;
    std::uint8_t on = 0;
};

// "Timer 3": the name a timer goes by everywhere it is shown.
std::string TimerName(int timerNumber);

// "%02u:%02u:%02u", or with ":%02u" ticks when they are not zero: the editor's interval text.
std::string FormatIntervalTime(std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
                               std::uint32_t ticks);

// Up to 8 intervals of one timer; a timer with more steps is stored as consecutive blocks
// with the same timer number.
class TimerBlock {
public:
    TimerBlock() = default;
    ~TimerBlock();
    TimerBlock(const TimerBlock&) = delete;
    TimerBlock& operator=(const TimerBlock&) = delete;

    bool AddInterval(const Interval& interval);
    const Interval* GetInterval(int index) const;
    int GetCount() const { return count; }

    void SetTimerNumber(int number) { timerNumber = number; }
    int GetTimerNumber() const { return timerNumber; }

    // Bytes the block takes in the device image: a header byte and 3 per interval.
    int GetByteSize() const { return 3 * count + 1; }

    // The block owns the one linked behind it.
    void SetNext(std::unique_ptr<TimerBlock> block) { next = std::move(block); }
    TimerBlock* GetNext() { return next.get(); }
    const TimerBlock* GetNext() const { return next.get(); }
    std::unique_ptr<TimerBlock> ReleaseNext() { return std::move(next); }

private:
    std::unique_ptr<TimerBlock> next;
    std::array<Interval, kIntervalsPerBlock> intervals{};
    int count = 0;
    int timerNumber = -1;
};

// A whole timer program: the ordered chain of blocks and the startup flag.
class TimerProgram {
public:
    TimerProgram() = default;
    ~TimerProgram();
    TimerProgram(TimerProgram&& other) noexcept;
    TimerProgram& operator=(TimerProgram&& other) noexcept;
    TimerProgram(const TimerProgram&) = delete;
    TimerProgram& operator=(const TimerProgram&) = delete;

    // Appends the block (and any chain behind it) at the end; always true.
    bool AddBlock(std::unique_ptr<TimerBlock> block);
    int GetBlockCount() const { return blockCount; }
    const TimerBlock* GetFirstBlock() const { return firstBlock.get(); }

    void ResetCursor() { cursor = firstBlock.get(); }
    const TimerBlock* GetCursor() const { return cursor; }
    // Returns the block now under the cursor; none once past the end, or when there was none.
    const TimerBlock* MoveNext();

    void SetStartup(bool on) { startup = on ? 1 : 0; }
    bool GetStartup() const { return startup != 0; }

    // 1 for the program byte plus every block's byte size.
    int GetImageSize() const;
    // Writes the device image into the first GetImageSize() bytes of buffer. Returns false,
    // writing nothing, when the buffer is too small.
    bool BuildImage(std::span<std::uint8_t> buffer) const;

    // Writes the timer file atomically; false (and the file untouched) on any failure, and for
    // a program without blocks.
    bool SaveToFile(const std::string& path) const;
    // Reads a timer file into this program, replacing its content on success; on failure the
    // program is left as it was.
    bool LoadFromFile(const std::string& path);

private:
    int blockCount = 0;
    std::unique_ptr<TimerBlock> firstBlock;
    const TimerBlock* cursor = nullptr;
    TimerBlock* lastBlock = nullptr;  // tail of the chain, so appending stays O(1)
    std::uint8_t startup = 0;
};

// One timer as the editor shows it: a run of consecutive blocks with the same number.
struct TimerRun {
    int timer = 0;
    const TimerBlock* first = nullptr;
    int blocks = 0;
    int intervals = 0;
};

std::vector<TimerRun> GetTimerRuns(const TimerProgram& program);

#pragma once

#include <cstdint>

// While it lives, asks the scheduler to give the calling thread short time slices. A thread
// that sleeps most of the time and asks for short slices is let run as soon as it wakes, even
// when every core is busy, instead of waiting for another program's slice to run out. Where
// the system has no such request, or refuses it, nothing changes.
class ShortSlice {
public:
    explicit ShortSlice(std::int64_t sliceUs);
    ~ShortSlice();
    ShortSlice(const ShortSlice&) = delete;
    ShortSlice& operator=(const ShortSlice&) = delete;

    bool Granted() const { return granted; }

private:
    bool granted = false;
    std::uint64_t previousNs = 0;
};

#include "core/ShortSlice.h"

#ifdef __linux__
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The kernel's struct sched_attr; its header clashes with the C library's <sched.h>.
struct sched_attr {
    std::uint32_t size;
    std::uint32_t sched_policy;
    std::uint64_t sched_flags;
    std::int32_t sched_nice;
    std::uint32_t sched_priority;
    std::uint64_t sched_runtime;
    std::uint64_t sched_deadline;
    std::uint64_t sched_period;
    std::uint32_t sched_util_min;
    std::uint32_t sched_util_max;
};

bool GetAttributes(sched_attr& attributes) {
    attributes = {};
    return syscall(SYS_sched_getattr, 0, &attributes, sizeof attributes, 0) == 0;
}

bool SetAttributes(sched_attr& attributes) {
    attributes.size = sizeof attributes;
    return syscall(SYS_sched_setattr, 0, &attributes, 0) == 0;
}

}  // namespace

// The fair scheduler takes sched_runtime as the slice the thread asks for (Linux 6.12 on);
// older kernels accept and ignore it.
ShortSlice::ShortSlice(std::int64_t sliceUs) {
    sched_attr attributes{};
    if (sliceUs <= 0 || !GetAttributes(attributes) || attributes.sched_policy != SCHED_OTHER) {
        return;
    }
    previousNs = attributes.sched_runtime;
    attributes.sched_runtime = static_cast<std::uint64_t>(sliceUs) * 1000;
    granted = SetAttributes(attributes);
}

ShortSlice::~ShortSlice() {
    sched_attr attributes{};
    if (granted && GetAttributes(attributes)) {
        attributes.sched_runtime = previousNs;
        SetAttributes(attributes);
    }
}
#else
ShortSlice::ShortSlice(std::int64_t) {}
ShortSlice::~ShortSlice() = default;
#endif

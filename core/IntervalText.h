#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Limits.h"

// White space as scanf knows it in the C locale.
bool IsScanSpace(char c);

// One scanf "%u" conversion at pos: white space is skipped, then an optional sign and at least
// one digit. A leading minus gives the negated value modulo 2^32; a number too large for 32 bits
// reads as 4294967295 rather than wrapping to a small, plausible value. False when no number
// starts there.
bool ScanNumber(std::string_view text, std::size_t& pos, std::uint32_t& value);

// Reads an interval text "H:M:S" or "H:M:S:T" the way scanf("%u:%u:%u:%u") does: each number
// may be preceded by white space and a sign, a leading minus gives the negated value modulo
// 2^32 (so -1 reads as 4294967295), and reading stops at the first missing number or at a
// separator that is not ':'. Only the numbers read are stored; the others keep the caller's
// values. Returns how many numbers were read (0 to 4).
int ScanIntervalText(std::string_view text, std::uint32_t& hours, std::uint32_t& minutes,
                     std::uint32_t& seconds, std::uint32_t& ticks);

// The numbers of an interval as typed.
struct IntervalTime {
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t ticks = 0;
};
// A typed interval's numbers, or nothing when the text is not one the editor takes (see
// NormalIntervalText).
std::optional<IntervalTime> ReadTypedInterval(std::string_view text);

// A typed interval in the form it is stored and shown ("0:0:1:2" gives "00:00:01:02"), or
// nothing when the text is not one the editor takes: "H:M:S" or "H:M:S:T" with hours, minutes
// and seconds up to 99 and sixtieths up to 59, and nothing but blanks after the last number.
std::optional<std::string> NormalIntervalText(std::string_view text);

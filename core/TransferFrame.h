#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TimerProgram;

// The frame's first byte; the receiver synchronises on it.
inline constexpr std::uint8_t kFrameStartByte = 0x55;

// Signal times of the Program command, in microseconds.
inline constexpr std::int32_t kZeroTimeUs = 50'000;
inline constexpr std::int32_t kOneTimeUs = 100'000;
inline constexpr std::int32_t kSyncTimeUs = 50'000;

// Start byte, length byte (image size modulo 256), the device image, and the checksum: the
// sum of the length byte and the image bytes modulo 256.
std::vector<std::uint8_t> BuildTransferFrame(const TimerProgram& program);

// Bytes a frame holds besides the program's device memory (DeviceMemoryUsed): the start byte,
// the length byte, the image's first byte (block count and startup flag) and the checksum.
inline constexpr int kFrameExtraBytes = 4;

// The checksum of a frame whose length byte and image are given: their sum modulo 256.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> lengthAndImage);

// How long sending a frame takes: two syncs and eight bit times per byte, then one closing sync.
std::int64_t TransferDurationUs(const std::vector<std::uint8_t>& frame, std::int32_t zeroTime,
                                std::int32_t oneTime, std::int32_t syncTime);

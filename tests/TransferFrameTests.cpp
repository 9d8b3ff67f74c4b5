#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "core/TransferFrame.h"

using namespace testing_support;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Image(const TimerProgram& program) {
    Bytes image(static_cast<std::size_t>(program.GetImageSize()));
    EXPECT_TRUE(program.BuildImage(image));
    return image;
}

TEST(TransferFrame, WorkedExampleByteForByte) {
    const TimerProgram program =
        MakeProgram({{0, {{true, 0, 0, 5, 0}, {false, 0, 0, 10, 30}}}}, true);
    EXPECT_EQ(BuildTransferFrame(program),
              (Bytes{0x55, 0x08, 0x81, 0x20, 0x80, 0x01, 0x2C, 0x00, 0x02, 0x76, 0xCE}));
    EXPECT_EQ(BuildTransferFrame(MakeProgram({}, false)), (Bytes{0x55, 0x01, 0x00, 0x01}));
    EXPECT_EQ(BuildTransferFrame(MakeProgram({}, true)), (Bytes{0x55, 0x01, 0x80, 0x81}));
}

TEST(DeviceImage, HeaderCountFieldIsCountMinusOneAndZeroLooksLikeEight) {
    const Step s{false, 0, 0, 1, 0};
    EXPECT_EQ(Image(MakeProgram({{9, {s}}}))[1], 0x09);  // 000 in bits 7..5
    EXPECT_EQ(Image(MakeProgram({{5, {s, s, s, s, s, s, s, s}}}))[1], 0xE5);
    const Bytes empty = Image(MakeProgram({{4, {}}}));
    EXPECT_EQ(empty, (Bytes{0x01, 0xE4}));  // 111 and no interval words
}

TEST(DeviceImage, DurationKeepsItsLowest24BitsAndTheOnBitSharesBit23) {
    // 38:50:10:07 is 8,388,607 ticks, the longest that leaves bit 23 free; 99:99:99 is
    // 21,746,340 ticks, 0x014BD2A4.
    const struct {
        Step step;
        Bytes word;
    } cases[] = {{{true, 38, 50, 10, 7}, {0xFF, 0xFF, 0xFF}},
                 {{false, 38, 50, 10, 7}, {0x7F, 0xFF, 0xFF}},
                 {{false, 99, 99, 99, 0}, {0x4B, 0xD2, 0xA4}},
                 {{true, 99, 99, 99, 0}, {0xCB, 0xD2, 0xA4}}};
    for (const auto& c : cases) {
        const Bytes image = Image(MakeProgram({{0, {c.step}}}));
        EXPECT_EQ(Bytes(image.begin() + 2, image.end()), c.word);
    }
}

TEST(DeviceImage, ProgramByteCountsBlocksModulo256) {
    std::vector<BlockData> blocks(130, BlockData{1, {}});
    EXPECT_EQ(Image(MakeProgram(blocks))[0], 130);  // bit 7 set by the count alone
    blocks.resize(257);
    EXPECT_EQ(Image(MakeProgram(blocks, true))[0], 0x81);
}

TEST(DeviceImage, RefusesABufferThatIsTooSmall) {
    const TimerProgram program = MakeProgram({{0, {{true, 0, 0, 5, 0}}}});
    Bytes small(3, 0xAA);
    EXPECT_FALSE(program.BuildImage(small));
    EXPECT_EQ(small, Bytes(3, 0xAA));
}

TEST(TransferFrame, LengthByteWrapsButChecksumCoversEveryImageByte) {
    const Step s{true, 1, 2, 3, 4};
    std::vector<BlockData> blocks(12, BlockData{2, {s, s, s, s, s, s, s, s}});
    const TimerProgram program = MakeProgram(blocks);
    const Bytes frame = BuildTransferFrame(program);
    const std::size_t n = static_cast<std::size_t>(program.GetImageSize());
    ASSERT_EQ(n, 1u + 12u * 25u);
    ASSERT_EQ(frame.size(), n + 3);
    EXPECT_EQ(frame[1], n % 256);
    unsigned sum = 0;
    for (std::size_t i = 1; i < n + 2; ++i) {
        sum += frame[i];
    }
    EXPECT_EQ(frame.back(), sum % 256);
}

TEST(TransferFrame, DurationIsTwoSyncsAndEightBitsPerByteThenOneSync) {
    // 0x55 has four 1-bits: 100 ms of syncs, 4 × 100 + 4 × 50 ms of bits.
    EXPECT_EQ(TransferDurationUs({0x55}, kZeroTimeUs, kOneTimeUs, kSyncTimeUs), 750'000);
    EXPECT_EQ(TransferDurationUs({0x00, 0xFF}, kZeroTimeUs, kOneTimeUs, kSyncTimeUs),
              500'000 + 900'000 + 50'000);
    EXPECT_EQ(TransferDurationUs({}, kZeroTimeUs, kOneTimeUs, kSyncTimeUs), 0);
}

}  // namespace

#include "core/base/bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

TEST(Bytes, FieldsAreLittleEndianAtAnyOffset) {
    uint8_t b[11] = {0xAA, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xBB, 0xCC};
    EXPECT_EQ(recbits::LoadU16(b + 1), 0x0201u);
    EXPECT_EQ(recbits::LoadU32(b + 1), 0x04030201u);
    EXPECT_EQ(recbits::LoadU64(b + 1), 0x0807060504030201ull);

    recbits::StoreI16(b + 3, -2);
    EXPECT_EQ(b[3], 0xFE);
    EXPECT_EQ(b[4], 0xFF);
    EXPECT_EQ(recbits::LoadI16(b + 3), -2);
    recbits::StoreI32(b + 5, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(b[5], 0x00);
    EXPECT_EQ(b[8], 0x80);
    EXPECT_EQ(recbits::LoadI32(b + 5), std::numeric_limits<int32_t>::min());
    // Nothing around a field is touched.
    EXPECT_EQ(b[0], 0xAA);
    EXPECT_EQ(b[9], 0xBB);

    recbits::StoreF32(b + 1, -1.5f);
    EXPECT_EQ(recbits::LoadU32(b + 1), 0xBFC00000u);
    EXPECT_EQ(recbits::LoadF32(b + 1), -1.5f);
    recbits::StoreU64(b + 1, 0x1122334455667788ull);
    EXPECT_EQ(b[1], 0x88);
    EXPECT_EQ(b[8], 0x11);
    EXPECT_EQ(b[9], 0xBB);
}

TEST(Bytes, AppendedFieldsReadBack) {
    std::vector<uint8_t> out;
    recbits::AppendText(out, "RIFF");
    recbits::AppendU32(out, 0xDEADBEEF);
    recbits::AppendU16(out, 0x1234);
    recbits::AppendU8(out, 7);
    recbits::AppendF32(out, 0.25f);
    ASSERT_EQ(out.size(), 15u);
    EXPECT_EQ(out[0], 'R');
    EXPECT_EQ(recbits::LoadU32(out.data() + 4), 0xDEADBEEFu);
    EXPECT_EQ(recbits::LoadU16(out.data() + 8), 0x1234u);
    EXPECT_EQ(out[10], 7);
    EXPECT_EQ(recbits::LoadF32(out.data() + 11), 0.25f);
}

TEST(Bytes, CheckedLoadsStopAtTheEndWithoutOverflow) {
    const std::vector<uint8_t> b = {1, 2, 3, 4, 5};
    uint32_t word = 99;
    EXPECT_TRUE(recbits::TryLoadU32(b, 1, &word));
    EXPECT_EQ(word, 0x05040302u);
    word = 99;
    EXPECT_FALSE(recbits::TryLoadU32(b, 2, &word));
    EXPECT_EQ(word, 99u);
    uint16_t half = 0;
    EXPECT_TRUE(recbits::TryLoadU16(b, 3, &half));
    EXPECT_FALSE(recbits::TryLoadU16(b, 4, &half));
    EXPECT_TRUE(recbits::Fits(b, 5, 0));
    EXPECT_FALSE(recbits::Fits(b, 6, 0));
    // An offset and size whose sum wraps around must not pass.
    EXPECT_FALSE(recbits::Fits(b, 2, std::numeric_limits<size_t>::max()));
    EXPECT_FALSE(recbits::Fits(b, std::numeric_limits<size_t>::max(), 2));
}

TEST(Bytes, PackedFieldsKeepTheirNeighbours) {
    uint8_t record[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    constexpr recbits::BitField kField{1, 5, 7};
    recbits::WriteField(record, kField, 0x2A);
    EXPECT_EQ(recbits::ReadField(record, kField), 0x2Au);
    EXPECT_EQ(recbits::LoadU32(record + 1), 0xFFFFF55Fu);
    EXPECT_EQ(record[0], 0xFF);
    EXPECT_EQ(record[5], 0xFF);
    // Wider values are cut to the field.
    recbits::WriteField(record, kField, 0x1FF);
    EXPECT_EQ(recbits::ReadField(record, kField), 0x7Fu);
    EXPECT_EQ(recbits::SignExtend(0x7F, 7), -1);
    EXPECT_EQ(recbits::SignExtend(0x3F, 7), 63);
    constexpr recbits::BitField kWhole{0, 0, 32};
    recbits::WriteField(record, kWhole, 0x01020304);
    EXPECT_EQ(recbits::ReadField(record, kWhole), 0x01020304u);
}

}  // namespace

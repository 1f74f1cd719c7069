#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "game/system/md5.h"

namespace {

std::string Hex(const uint8_t digest[16]) {
    std::string text;
    char two[3];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        text += two;
    }
    return text;
}

std::string DigestOf(const std::string& message) {
    MD5Context context;
    MD5Init(&context);
    MD5Update(&context, message.data(), message.size());
    uint8_t digest[16];
    MD5Final(digest, &context);
    return Hex(digest);
}

TEST(Md5, Rfc1321TestSuite) {
    EXPECT_EQ(DigestOf(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(DigestOf("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(DigestOf("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(DigestOf("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(DigestOf("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(DigestOf("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(DigestOf("1234567890123456789012345678901234567890"
                       "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecewiseUpdatesMatchOneUpdateAcrossBlockEdges) {
    // Lengths around the 56- and 64-byte padding edges, fed in odd pieces.
    for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 200u}) {
        std::string message;
        for (size_t i = 0; i < length; ++i) message += char('a' + i % 26);
        MD5Context context;
        MD5Init(&context);
        for (size_t at = 0; at < length; at += 7) {
            MD5Update(&context, message.data() + at, std::min<size_t>(7, length - at));
        }
        uint8_t digest[16];
        MD5Final(digest, &context);
        EXPECT_EQ(Hex(digest), DigestOf(message)) << length;
    }
}

}  // namespace

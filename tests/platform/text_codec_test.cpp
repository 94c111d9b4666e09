#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <cstring>

using prismel::sj;
using prismel::to_cp932;
using prismel::to_utf8;

TEST(TextCodec, TrailByte5CSurvivesBothWays) {
    // 表 ソ 能 十: the second byte is 0x5C, the ASCII backslash.
    EXPECT_EQ(to_cp932("表"), "\x95\x5C");
    EXPECT_EQ(to_cp932("ソ"), "\x83\x5C");
    EXPECT_EQ(to_cp932("能"), "\x94\x5C");
    EXPECT_EQ(to_cp932("十"), "\x8F\x5C");
    EXPECT_EQ(to_utf8("\x95\x5C\x83\x5C\x94\x5C\x8F\x5C"), "表ソ能十");
}

TEST(TextCodec, BackslashStaysBackslashAndHalfWidthKatakanaIsOneByte) {
    EXPECT_EQ(to_cp932("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(to_cp932("ｽﾀﾝﾊﾞｲ"), "\xBD\xC0\xDD\xCA\xDE\xB2");
    EXPECT_EQ(to_utf8("\xBD\xC0\xDD\xCA\xDE\xB2"), "ｽﾀﾝﾊﾞｲ");
}

TEST(TextCodec, CachedLiteralIsStableAndExact) {
    const char* a = sj("データの初期化");
    const char* b = sj("データの初期化");
    EXPECT_EQ(a, b);
    EXPECT_STREQ(a, "\x83\x66\x81\x5B\x83\x5E\x82\xCC\x8F\x89\x8A\xFA\x89\xBB");
}

TEST(TextCodec, BrokenInputIsReplacedNotDropped) {
    EXPECT_EQ(to_utf8("A\x81"), "A\xEF\xBF\xBD");  // lead byte without trail
    EXPECT_EQ(to_cp932("a\xFF" "b"), "a?b");
}

TEST(TextCodec, LeadByteClassification) {
    EXPECT_TRUE(prismel::is_sjis_lead(0x81));
    EXPECT_TRUE(prismel::is_sjis_lead(0xFC));
    EXPECT_FALSE(prismel::is_sjis_lead(0xB2));  // half-width katakana
    EXPECT_FALSE(prismel::is_sjis_lead('A'));
}

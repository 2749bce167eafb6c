// SPDX-License-Identifier: MIT
#include "RegEscape.h"

#include <gtest/gtest.h>

namespace tintaro {
namespace {

using RegEscape::escape;
using RegEscape::unescape;

struct EscapeCase {
    std::u16string text;
    char extra1;
    char extra2;
    std::string escaped;
};

class EscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, WritesAsWineAndReadsBack) {
    const EscapeCase& c = GetParam();
    EXPECT_EQ(escape(c.text, c.extra1, c.extra2), c.escaped);
    std::u16string back;
    const std::string terminated = c.escaped + c.extra2 + "tail";
    const auto used = unescape(terminated, c.extra2, back);
    ASSERT_TRUE(used.has_value());
    EXPECT_EQ(*used, c.escaped.size() + 1);
    EXPECT_EQ(back, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, EscapeTest,
    testing::Values(EscapeCase{u"Software\\Microsoft", '[', ']', "Software\\\\Microsoft"},
                    EscapeCase{u"a[b]c", '[', ']', "a\\[b\\]c"},
                    EscapeCase{u"say \"hi\"", '"', '"', "say \\\"hi\\\""},
                    EscapeCase{u"IM Color", '"', '"', "IM Color"},
                    EscapeCase{u"caf\u00e9", '"', '"', "caf\\xe9"},
                    // A hex digit after the escape forces four digits so it is not swallowed.
                    EscapeCase{u"\u00e9a", '"', '"', "\\x00e9a"},
                    EscapeCase{u"\u00e9g", '"', '"', "\\xe9g"},
                    EscapeCase{u"\U0001F600", '"', '"', "\\xd83d\\xde00"},
                    EscapeCase{u"tab\there\nline\x1b", '"', '"', "tab\\there\\nline\\e"},
                    EscapeCase{u"\x01x\x02"
                               u"5",
                               '"', '"', "\\1x\\0025"},
                    EscapeCase{u"", '"', '"', ""}));

TEST(UnescapeTest, ReadsWhatWineReads) {
    std::u16string out;
    ASSERT_TRUE(unescape("\\xzz\"", '"', out));
    EXPECT_EQ(out, u"xzz");
    ASSERT_TRUE(unescape("\\q\"", '"', out));
    EXPECT_EQ(out, u"q");
    ASSERT_TRUE(unescape("\\101\"", '"', out));
    EXPECT_EQ(out, u"A");
    ASSERT_TRUE(unescape("\xc3\xa9\"", '"', out)); // raw UTF-8 is not decoded by Wine
    EXPECT_EQ(out, (std::u16string{0xffc3, 0xffa9}));
    EXPECT_FALSE(unescape("no end", '"', out));
    EXPECT_FALSE(unescape("ends in \\", '"', out));
    EXPECT_FALSE(unescape("escaped end \\\"", '"', out));
}

TEST(Utf8Test, DecodesAndRefusesMalformed) {
    EXPECT_EQ(RegEscape::utf16FromUtf8("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"),
              std::u16string(u"a\u00e9\u20ac\U0001F600"));
    for (const char* bad :
         {"\x80", "\xc3", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\xff"})
        EXPECT_FALSE(RegEscape::utf16FromUtf8(bad).has_value()) << bad;
}

TEST(KeyTest, PathsIgnoreRepeatedBackslashesAndCase) {
    EXPECT_EQ(RegEscape::normalKey(u"\\Software\\\\MSN\\"), u"Software\\MSN");
    EXPECT_EQ(RegEscape::normalKey(u"\\\\"), u"");
    EXPECT_TRUE(RegEscape::equalsIgnoreCase(u"PerPassportSettings", u"perpassportSETTINGS"));
    EXPECT_FALSE(RegEscape::equalsIgnoreCase(u"\u00e9", u"\u00c9"));
    EXPECT_FALSE(RegEscape::equalsIgnoreCase(u"ab", u"abc"));
}

} // namespace
} // namespace tintaro

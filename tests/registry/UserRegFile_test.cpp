// SPDX-License-Identifier: MIT
#include "UserRegFile.h"

#include <gtest/gtest.h>
#include <string>

namespace tintaro {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123";
constexpr std::int64_t kNow = 1796628453; // #time=1dd861c6c96a080 in FILETIME

const std::string kHead = "WINE REGISTRY Version 2\n"
                          ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
                          "#arch=win64\n";
const std::string kSection =
    "[Software\\\\Microsoft\\\\MSNMessenger\\\\PerPassportSettings\\\\123]";
const std::string kNewSection = kSection + " 1796628453\n#time=1dd861c6c96a080\n";

struct EditCase {
    const char* name;
    std::string before;
    std::string after; // empty: the file must be refused
    std::uint32_t value = 255;
};

class EditTest : public testing::TestWithParam<EditCase> {};

TEST_P(EditTest, ChangesOnlyTheTargetLines) {
    const EditCase& c = GetParam();
    const auto edited = UserRegFile::withDword(c.before, kKey, "IM Color", c.value, kNow);
    if (c.after.empty()) {
        EXPECT_FALSE(edited.has_value());
        return;
    }
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(*edited, c.after);
}

const std::string kOther = "\n[Control Panel\\\\Colors] 1\n\"Background\"=\"37 111 149\"\n";

INSTANTIATE_TEST_SUITE_P(
    Files, EditTest,
    testing::Values(
        EditCase{"NewKeyAppendedWithParentsImplied", kHead + kOther,
                 kHead + kOther + "\n" + kNewSection + "\"IM Color\"=dword:000000ff\n"},
        EditCase{"HeaderOnly", "WINE REGISTRY Version 2\n",
                 "WINE REGISTRY Version 2\n\n" + kNewSection + "\"IM Color\"=dword:000000ff\n"},
        EditCase{"TrailingBlankLineNotDoubled", kHead + kOther + "\n",
                 kHead + kOther + "\n" + kNewSection + "\"IM Color\"=dword:000000ff\n"},
        EditCase{"ValueAddedToExistingKey",
                 kHead + "\n" + kSection + " 5\n#time=1\n\"Other\"=dword:00000001\n" + kOther,
                 kHead + "\n" + kSection +
                     " 5\n#time=1\n\"Other\"=dword:00000001\n\"IM Color\"=dword:000000ff\n" +
                     kOther},
        EditCase{"DwordReplaced", kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:00ff0000\n",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:000000ff\n"},
        EditCase{"StringOfSameNameReplaced",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=\"255\"\n\"X\"=\"y\"\n",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:000000ff\n\"X\"=\"y\"\n"},
        EditCase{"FullRangeValue", kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:0\n",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:ffffffff\n", 0xffffffffu},
        EditCase{
            "SectionInOtherCaseAndSpelling",
            kHead +
                "\n[software\\\\MICROSOFT\\\\msnmessenger\\\\\\\\PerPassportSettings\\\\123\\\\] "
                "5\n"
                "\"im color\"=dword:00000001\n",
            kHead +
                "\n[software\\\\MICROSOFT\\\\msnmessenger\\\\\\\\PerPassportSettings\\\\123\\\\] "
                "5\n"
                "\"IM Color\"=dword:000000ff\n"},
        EditCase{"OtherKeyWithSameValueUntouched",
                 kHead + "\n" + kSection.substr(0, kSection.size() - 1) +
                     "4] 5\n\"IM Color\"=dword:00000001\n",
                 kHead + "\n" + kSection.substr(0, kSection.size() - 1) +
                     "4] 5\n\"IM Color\"=dword:00000001\n\n" + kNewSection +
                     "\"IM Color\"=dword:000000ff\n"},
        EditCase{"HexValueWithContinuationsReplacedWhole",
                 kHead + "\n" + kSection +
                     " 5\n  \"IM Color\"=hex(2):41,00,42,00,\\\n  43,00,\\\n  00,00\n\"X\"=\"y\"\n",
                 kHead + "\n" + kSection + " 5\n  \"IM Color\"=dword:000000ff\n\"X\"=\"y\"\n"},
        EditCase{"ContinuationStartingWithBracketIsNoKey",
                 kHead + "\n" + kSection + " 5\n\"Bin\"=hex:01,\\\n[Not\\\\A\\\\Key]\n\n" + kOther,
                 kHead + "\n" + kSection +
                     " 5\n\"Bin\"=hex:01,\\\n[Not\\\\A\\\\Key]\n\"IM Color\"=dword:000000ff\n\n" +
                     kOther},
        EditCase{"LastDefinitionWins",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:1\n\n" + kSection +
                     " 6\n\"IM Color\"=dword:2\n",
                 kHead + "\n" + kSection + " 5\n\"IM Color\"=dword:1\n\n" + kSection +
                     " 6\n\"IM Color\"=dword:000000ff\n"},
        EditCase{"AddedToLastSectionOfTheKey",
                 kHead + "\n" + kSection + " 5\n\"A\"=dword:1\n\n" + kSection +
                     " 6\n\"B\"=dword:2\n",
                 kHead + "\n" + kSection + " 5\n\"A\"=dword:1\n\n" + kSection +
                     " 6\n\"B\"=dword:2\n\"IM Color\"=dword:000000ff\n"},
        EditCase{"ValueAfterMalformedKeyBelongsToNoKey",
                 kHead + "\n" + kSection.substr(0, kSection.size() - 1) +
                     "\n\"IM Color\"=dword:1\n",
                 kHead + "\n" + kSection.substr(0, kSection.size() - 1) +
                     "\n\"IM Color\"=dword:1\n\n" + kNewSection + "\"IM Color\"=dword:000000ff\n"},
        EditCase{"UnknownLinesKept",
                 kHead + "junk line\n\n" + kSection + " 5\n%weird\n\"IM Color\"=oops\n\n",
                 kHead + "junk line\n\n" + kSection +
                     " 5\n%weird\n\"IM Color\"=dword:000000ff\n\n"},
        EditCase{"CrlfFile",
                 "WINE REGISTRY Version 2\r\n#arch=win32\r\n\r\n[A] 1\r\n\"B\"=\"c\"\r\n",
                 "WINE REGISTRY Version 2\r\n#arch=win32\r\n\r\n[A] 1\r\n\"B\"=\"c\"\r\n\r\n" +
                     kSection +
                     " 1796628453\r\n#time=1dd861c6c96a080\r\n"
                     "\"IM Color\"=dword:000000ff\r\n"},
        EditCase{"CrlfValueReplaced",
                 "WINE REGISTRY Version 2\r\n" + kSection + " 1\r\n\"IM Color\"=dword:1\r\n",
                 "WINE REGISTRY Version 2\r\n" + kSection +
                     " 1\r\n\"IM Color\"=dword:000000ff\r\n"},
        EditCase{"NoFinalNewlineAppend", kHead + "\n[A] 1\n\"B\"=\"c\"",
                 kHead + "\n[A] 1\n\"B\"=\"c\"\n\n" + kNewSection +
                     "\"IM Color\"=dword:000000ff\n"},
        EditCase{"NoFinalNewlineInsert", kHead + "\n" + kSection + " 1\n\"B\"=\"c\"",
                 kHead + "\n" + kSection + " 1\n\"B\"=\"c\"\n\"IM Color\"=dword:000000ff\n"},
        EditCase{"NoFinalNewlineReplace", kHead + "\n" + kSection + " 1\n\"IM Color\"=\"1\"",
                 kHead + "\n" + kSection + " 1\n\"IM Color\"=dword:000000ff"},
        EditCase{"LoneCarriageReturnAtEndKept", kHead + "\n[A] 1\n\"B\"=\"c\"\r",
                 kHead + "\n[A] 1\n\"B\"=\"c\"\r\r\n\n" + kNewSection +
                     "\"IM Color\"=dword:000000ff\n"},
        EditCase{"DanglingContinuationAtEndRefused", kHead + "\n[A] 1\n\"B\"=hex:01,\\\n", ""},
        // The line added at the end of the section would become part of the hex value.
        EditCase{"DanglingContinuationEndsTargetSection",
                 kHead + "\n" + kSection + " 1\n\"Bin\"=hex:00,\\\n", ""},
        EditCase{"OnlyTheParentKeyPresent",
                 kHead + "\n[Software\\\\Microsoft\\\\MSNMessenger\\\\PerPassportSettings] 5\n"
                         "\"Other\"=dword:00000001\n",
                 kHead +
                     "\n[Software\\\\Microsoft\\\\MSNMessenger\\\\PerPassportSettings] 5\n"
                     "\"Other\"=dword:00000001\n\n" +
                     kNewSection + "\"IM Color\"=dword:000000ff\n"},
        EditCase{"DanglingTargetReplaced", kHead + "\n" + kSection + " 1\n\"IM Color\"=hex:01,\\\n",
                 kHead + "\n" + kSection + " 1\n\"IM Color\"=dword:000000ff\n"},
        EditCase{"BadFirstLine", "WINE REGISTRY Version 1\n[A] 1\n", ""},
        EditCase{"HeaderWithTrailingSpace", "WINE REGISTRY Version 2 \n[A] 1\n", ""},
        EditCase{"Empty", "", ""},
        EditCase{"BinaryGarbage",
                 std::string("\x7f"
                             "ELF\0\0",
                             6),
                 ""},
        EditCase{"NulByteInside", kHead + std::string("\n[A] 1\n\"B\"=\"\0\"\n"sv), ""},
        EditCase{"UnknownArch", "WINE REGISTRY Version 2\n#arch=arm\n", ""},
        EditCase{"MixedArch", "WINE REGISTRY Version 2\n#arch=win32\n#arch=win64\n", ""}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST(UserRegFileTest, EscapedNamesRoundTrip) {
    const std::string key = "Soft[1]\\Caf\xc3\xa9\\x";
    const std::string name = "say \"\\hi\"";
    const auto edited = UserRegFile::withDword(kHead, key, name, 7, kNow);
    ASSERT_TRUE(edited.has_value());
    EXPECT_NE(edited->find("[Soft\\[1\\]\\\\Caf\\xe9\\\\x] "), std::string::npos) << *edited;
    EXPECT_NE(edited->find("\"say \\\"\\\\hi\\\"\"=dword:00000007\n"), std::string::npos);
    // A second edit finds what the first wrote.
    const auto again = UserRegFile::withDword(*edited, key, name, 8, kNow + 1);
    ASSERT_TRUE(again.has_value());
    const auto contents = UserRegFile::read(*again);
    ASSERT_TRUE(contents.has_value());
    ASSERT_EQ(contents->size(), 1u);
    EXPECT_EQ(contents->at(0).key, u"Soft[1]\\Caf\u00e9\\x");
    EXPECT_EQ(contents->at(0).name, u"say \"\\hi\"");
    EXPECT_EQ(contents->at(0).data, "dword:00000008");
}

TEST(UserRegFileTest, RefusesNamesThatAreNotUtf8OrEmptyKeys) {
    EXPECT_FALSE(UserRegFile::withDword(kHead, "Bad\xff", "IM Color", 1, kNow));
    EXPECT_FALSE(UserRegFile::withDword(kHead, "Key", "Bad\xc3", 1, kNow));
    EXPECT_FALSE(UserRegFile::withDword(kHead, "\\\\", "IM Color", 1, kNow));
    EXPECT_FALSE(UserRegFile::newFile("", "", "IM Color", 1, kNow));
}

TEST(UserRegFileTest, DefaultValueWrittenAsAt) {
    const auto edited = UserRegFile::withDword(kHead + "\n[K] 1\n@=\"x\"\n", "K", "", 3, kNow);
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(*edited, kHead + "\n[K] 1\n@=dword:00000003\n");
}

TEST(UserRegFileTest, NewFileIsLoadableAndHoldsTheValue) {
    const auto file = UserRegFile::newFile("win64", kKey, "IM Color", 255, kNow);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, kHead + "\n" + kNewSection + "\"IM Color\"=dword:000000ff\n");
    const auto noArch = UserRegFile::newFile("", kKey, "IM Color", 255, kNow);
    ASSERT_TRUE(noArch.has_value());
    EXPECT_EQ(noArch->find("#arch"), std::string::npos);
    EXPECT_TRUE(noArch->starts_with("WINE REGISTRY Version 2\n"));
}

TEST(UserRegFileTest, ReadsKeysAndValuesAsWineDoes) {
    const std::string text = kHead +
                             "#arch=win64\n\n[A\\\\\\\\B] 1\n#time=5\n\"V\"=hex:01,\\\n 02\n"
                             "@=\"d\"\n\"broken\n[C] 2\n  \"W\" = dword:7\n";
    const auto contents = UserRegFile::read(text);
    ASSERT_TRUE(contents.has_value());
    ASSERT_EQ(contents->size(), 3u);
    EXPECT_EQ(contents->at(0).key, u"A\\B");
    EXPECT_EQ(contents->at(0).data, "hex:01,\\\n 02");
    EXPECT_EQ(contents->at(1).name, u"");
    EXPECT_EQ(contents->at(2).key, u"C");
    EXPECT_EQ(contents->at(2).data, "dword:7");
    EXPECT_EQ(UserRegFile::find(*contents, "a\\\\b\\", "v"), &contents->at(0));
    EXPECT_EQ(UserRegFile::find(*contents, "c", "w"), &contents->at(2));
    EXPECT_EQ(UserRegFile::find(*contents, "C", "V"), nullptr);
    EXPECT_EQ(UserRegFile::dwordValue(contents->at(2).data), 7u);
    EXPECT_EQ(UserRegFile::dwordValue("dword:00ff00ff"), 0xff00ffu);
    for (const char* bad : {"hex:01", "dword:", "dword:1g", "dword:100000000", "dword:-1", "\"7\""})
        EXPECT_EQ(UserRegFile::dwordValue(bad), std::nullopt) << bad;
}

TEST(UserRegFileTest, ArchOfSystemFile) {
    EXPECT_EQ(UserRegFile::archOf(kHead), "win64");
    EXPECT_EQ(UserRegFile::archOf("WINE REGISTRY Version 2\n#arch=win32\n"), "win32");
    EXPECT_EQ(UserRegFile::archOf("WINE REGISTRY Version 2\n[A] 1\n#arch=win32\n"), "");
}

// A user.reg of real size: thousands of keys with strings, dwords and wrapped hex values.
std::string bigFile(std::size_t minimumBytes) {
    std::string text = kHead;
    for (int i = 0; text.size() < minimumBytes; ++i) {
        text += "\n[Software\\\\Vendor" + std::to_string(i % 97) + "\\\\App\\\\Item" +
                std::to_string(i) + "] 1796628453\n#time=1dd861c6c96a080\n";
        text += "\"Name\"=\"Value number " + std::to_string(i) + "\"\n";
        text += "\"Count\"=dword:" + std::string(8 - std::to_string(i % 10).size(), '0') +
                std::to_string(i % 10) + "\n";
        text += "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n"
                "  14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\n";
        if (i == 5000)
            text += "\n" + kSection + " 1796628453\n\"IM Color\"=dword:00ff0000\n\"Keep\"=\"me\"\n";
    }
    return text;
}

TEST(UserRegFileTest, RealSizeFileChangesOnlyTheTargetLine) {
    const std::string before = bigFile(4u << 20);
    ASSERT_GT(before.size(), 4u << 20);
    const auto after = UserRegFile::withDword(before, kKey, "IM Color", 0x00123456, kNow);
    ASSERT_TRUE(after.has_value());
    const std::string oldLine = "\"IM Color\"=dword:00ff0000\n";
    const std::string newLine = "\"IM Color\"=dword:00123456\n";
    const std::size_t at = before.find(oldLine);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(after->size(), before.size());
    EXPECT_EQ(after->compare(0, at, before, 0, at), 0);
    EXPECT_EQ(after->substr(at, newLine.size()), newLine);
    EXPECT_EQ(after->compare(at + newLine.size(), std::string::npos, before, at + oldLine.size()),
              0);
}

} // namespace
} // namespace tintaro

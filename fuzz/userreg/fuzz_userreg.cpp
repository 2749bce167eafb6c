// SPDX-License-Identifier: MIT
// Feeds any bytes to the user.reg editor. The first byte picks the key, value name and value;
// the rest is the file. Either the file is refused, or after the edit Wine would load the same
// keys and values as before except the one value set, which holds the new REG_DWORD.
#include "RegEscape.h"
#include "UserRegFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using tintaro::UserRegFile;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::u16string folded(std::u16string text) {
    for (auto& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
}

// What Wine keeps: the last definition of each value, names compared without ASCII case.
std::map<std::pair<std::u16string, std::u16string>, std::string>
effective(const std::vector<UserRegFile::Value>& contents) {
    std::map<std::pair<std::u16string, std::u16string>, std::string> values;
    for (const auto& value : contents)
        values[{folded(value.key), folded(value.name)}] = value.data;
    return values;
}

struct Target {
    const char* key;
    const char* name;
    std::u16string wideKey;
    std::u16string wideName;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const Target kTargets[] = {
        {"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123", "IM Color",
         u"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123", u"IM Color"},
        {"A", "", u"A", u""},
        {"K[1]\\Caf\xc3\xa9", "say \"\\hi\"", u"K[1]\\Caf\u00e9", u"say \"\\hi\""},
    };
    const Target& target = kTargets[data[0] % 3];
    const std::uint32_t value = 0x01000000u * data[0] + 0xff;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    // The line reader that the prefix lookup uses takes any line.
    std::u16string key;
    for (std::size_t pos = 0; pos <= text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const auto line =
            UserRegFile::parseLine(std::string_view(text).substr(pos, end - pos), key);
        if (line.kind == UserRegFile::Line::Kind::Value)
            (void)UserRegFile::stringValue(line.data);
        pos = end + 1;
    }

    const auto before = UserRegFile::read(text);
    const auto edited = UserRegFile::withDword(text, target.key, target.name, value, 1796628453);
    if (!before) {
        check(!edited.has_value());
        return 0;
    }
    if (!edited)
        return 0; // refused: the caller writes nothing
    const auto after = UserRegFile::read(*edited);
    check(after.has_value());

    auto expected = effective(*before);
    std::string dword = "dword:";
    tintaro::RegEscape::appendNumber(dword, value, 16, 8);
    expected[{folded(target.wideKey), folded(target.wideName)}] = dword;
    check(effective(*after) == expected);

    // Applying the same value again changes nothing more.
    const auto again = UserRegFile::withDword(*edited, target.key, target.name, value, 1796628453);
    check(again.has_value() && *again == *edited);
    return 0;
}

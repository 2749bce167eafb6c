// The browser's desktop entry is outside data: whatever its Exec line and the address, expanding
// them never fails unsafely, the program always comes from the line itself, and the address
// reaches the program inside one argument.
// Input: EXEC, ADDRESS, NAME, FILE and ICON separated by NUL bytes (missing parts are empty).
#include "DesktopExec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The text up to the next NUL, which is consumed; the whole rest when there is none.
std::string_view nextPart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view exec = nextPart(rest);
    const std::string_view address = nextPart(rest);
    tintaro::DesktopEntryFields fields;
    fields.name = std::string(nextPart(rest));
    fields.fileName = std::string(nextPart(rest));
    fields.icon = std::string(nextPart(rest));

    const auto argv = tintaro::desktopExecArgv(exec, address, fields);
    if (!argv)
        return 0;
    if (argv->empty() || argv->front().empty())
        __builtin_trap(); // there is always a program to run
    if (address.empty())
        return 0;
    const auto withoutAddress = tintaro::desktopExecArgv(exec, {}, fields);
    if (!withoutAddress || withoutAddress->front() != argv->front())
        __builtin_trap(); // the address never chooses the program
    if (std::none_of(argv->begin(), argv->end(), [&](const std::string& argument) {
            return argument.find(address) != std::string::npos;
        }))
        __builtin_trap(); // the address arrives whole
    return 0;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintaro {

// What the field codes of a desktop entry's Exec line can refer to, besides the address.
struct DesktopEntryFields {
    std::string name;     // %c, the entry's translated name
    std::string fileName; // %k, the path of the .desktop file
    std::string icon;     // %i, expands to "--icon <icon>" when not empty
};

// Builds the argument vector that starts a desktop entry's program with `address`, the way the
// freedesktop Exec rules read the line: the first %u/%U/%f/%F becomes the address as exactly one
// argument (later ones expand to nothing), %% is a percent sign, deprecated or unknown codes
// vanish. A line without any of the four codes gets the address appended as its last argument,
// so the program still receives it. An empty address adds no argument at all.
// The address is quoted before the line is split, so it reaches the program byte for byte: no
// shell ever sees it. Returns nothing when the line cannot be split, leaves no program to run,
// would put the address in the program's place, or would not deliver the address whole (a
// comment mark or an escape ahead of it in the line).
std::optional<std::vector<std::string>> desktopExecArgv(std::string_view exec,
                                                        std::string_view address,
                                                        const DesktopEntryFields& fields = {});

} // namespace tintaro

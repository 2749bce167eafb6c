#include "DesktopExec.h"

#include <algorithm>
#include <glib.h>

namespace tintaro {

namespace {

std::string shellQuote(std::string_view text) {
    const std::string copy(text);
    gchar* quoted = g_shell_quote(copy.c_str());
    std::string result(quoted);
    g_free(quoted);
    return result;
}

} // namespace

std::optional<std::vector<std::string>>
desktopExecArgv(std::string_view exec, std::string_view address, const DesktopEntryFields& fields) {
    std::string line;
    line.reserve(exec.size() + address.size() + 8);
    bool addressPlaced = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c != '%' || i + 1 == exec.size()) {
            line += c;
            continue;
        }
        switch (exec[++i]) {
        case 'u':
        case 'U':
        case 'f':
        case 'F':
            if (!addressPlaced && !address.empty())
                line += shellQuote(address);
            addressPlaced = true;
            break;
        case 'c':
            line += shellQuote(fields.name);
            break;
        case 'k':
            line += shellQuote(fields.fileName);
            break;
        case 'i':
            if (!fields.icon.empty())
                line += "--icon " + shellQuote(fields.icon);
            break;
        case '%':
            line += '%';
            break;
        default:
            break;
        }
    }
    if (!addressPlaced && !address.empty())
        line += ' ' + shellQuote(address);

    gint argc = 0;
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr))
        return std::nullopt;
    std::vector<std::string> result(argv, argv + argc);
    g_strfreev(argv);
    if (result.empty() || result.front().empty())
        return std::nullopt;
    // The program must come from the entry itself: a code in the program's place would turn the
    // address into a command to run.
    if (!address.empty()) {
        const auto withoutAddress = desktopExecArgv(exec, {}, fields);
        if (!withoutAddress || withoutAddress->front() != result.front())
            return std::nullopt;
        // The address must arrive whole: a comment mark or an escape in the line could swallow
        // or split it, and the browser would start without the page while reporting success.
        if (std::none_of(result.begin(), result.end(), [&](const std::string& argument) {
                return argument.find(address) != std::string::npos;
            }))
            return std::nullopt;
    }
    return result;
}

} // namespace tintaro

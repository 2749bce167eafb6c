// SPDX-License-Identifier: MIT
#include "Browser.h"

#include "WideText.h"

// shellapi.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdint>
#include <string>

namespace tintaro {

BrowserLaunch openInDefaultBrowser(std::string_view url) {
    // The shell is asked which program opens a web page file of our own in the user's temporary
    // folder. The unique name GetTempFileNameW reserves is kept until the page is deleted, so
    // two runs never share a page; both files go before this returns.
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t reserved[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH || GetTempFileNameW(folder, L"tnt", 0, reserved) == 0)
        return BrowserLaunch::NoBrowser;
    const std::wstring page = std::wstring(reserved) + L".htm";
    BrowserLaunch result = BrowserLaunch::NoBrowser;
    HANDLE h = CreateFileW(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        static constexpr char kContent[] = "<HTML> <\\HTML>\r\n";
        DWORD written = 0;
        WriteFile(h, kContent, sizeof kContent - 1, &written, nullptr);
        CloseHandle(h);
        wchar_t browser[MAX_PATH + 1] = {};
        const auto found =
            reinterpret_cast<std::intptr_t>(FindExecutableW(page.c_str(), nullptr, browser));
        if (found > 32 && browser[0] != L'\0') {
            const std::wstring address = widen(url);
            const auto started = reinterpret_cast<std::intptr_t>(
                ShellExecuteW(nullptr, L"open", browser,
                              address.empty() ? nullptr : address.c_str(), nullptr, SW_SHOWNORMAL));
            result = started <= 32 ? BrowserLaunch::LaunchFailed : BrowserLaunch::Opened;
        }
        DeleteFileW(page.c_str());
    }
    DeleteFileW(reserved);
    return result;
}

} // namespace tintaro

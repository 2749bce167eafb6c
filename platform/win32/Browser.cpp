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

namespace {

// A web page file of its own in the user's temporary folder: the shell is asked which program
// opens it. The unique name GetTempFileNameW reserves is kept until the page is deleted, so two
// runs never share a page. Both files go when this goes.
class TempPage {
public:
    TempPage() {
        wchar_t folder[MAX_PATH + 1] = {};
        const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
        if (n == 0 || n > MAX_PATH)
            return;
        wchar_t reserved[MAX_PATH + 1] = {};
        if (GetTempFileNameW(folder, L"tnt", 0, reserved) == 0)
            return;
        m_reserved = reserved;
        const std::wstring page = m_reserved + L".htm";
        HANDLE h = CreateFileW(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return;
        m_page = page;
        static constexpr char kContent[] = "<HTML> <\\HTML>\r\n";
        DWORD written = 0;
        WriteFile(h, kContent, sizeof kContent - 1, &written, nullptr);
        CloseHandle(h);
    }
    ~TempPage() {
        if (!m_page.empty())
            DeleteFileW(m_page.c_str());
        if (!m_reserved.empty())
            DeleteFileW(m_reserved.c_str());
    }
    TempPage(const TempPage&) = delete;
    TempPage& operator=(const TempPage&) = delete;

    const std::wstring& path() const { return m_page; }

private:
    std::wstring m_reserved;
    std::wstring m_page;
};

} // namespace

BrowserLaunch openInDefaultBrowser(std::string_view url) {
    const TempPage page;
    if (page.path().empty())
        return BrowserLaunch::NoBrowser;
    wchar_t browser[MAX_PATH + 1] = {};
    const auto found =
        reinterpret_cast<std::intptr_t>(FindExecutableW(page.path().c_str(), nullptr, browser));
    if (found <= 32 || browser[0] == L'\0')
        return BrowserLaunch::NoBrowser;
    const std::wstring address = widen(url);
    const auto started = reinterpret_cast<std::intptr_t>(
        ShellExecuteW(nullptr, L"open", browser, address.empty() ? nullptr : address.c_str(),
                      nullptr, SW_SHOWNORMAL));
    return started <= 32 ? BrowserLaunch::LaunchFailed : BrowserLaunch::Opened;
}

} // namespace tintaro

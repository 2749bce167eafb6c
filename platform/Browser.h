// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tintaro {

// On Linux also the exit status of the helper program that opens the page.
enum class BrowserLaunch { Opened = 0, NoBrowser = 1, LaunchFailed = 2 };

// Opens `url` in the user's default web browser.
BrowserLaunch openInDefaultBrowser(std::string_view url);

} // namespace tintaro

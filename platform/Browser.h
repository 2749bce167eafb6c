// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tintaro {

enum class BrowserLaunch { Opened, NoBrowser, LaunchFailed };

// Opens `url` in the user's default web browser.
BrowserLaunch openInDefaultBrowser(std::string_view url);

} // namespace tintaro

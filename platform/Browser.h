#pragma once

#include <string_view>

namespace tintaro {

enum class BrowserLaunch { Opened, NoBrowser, LaunchFailed };

// Starts the user's default web browser with `url` as its argument.
BrowserLaunch openInDefaultBrowser(std::string_view url);

} // namespace tintaro

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

namespace tintaro {

// Opens `address` in the user's default web browser, started with the address as its one
// argument, unchanged and without a shell in between; an empty address starts it with no
// argument. The address ends at its first NUL, as a C string would.
// `useBrowser` is a 16-bit boolean (true is -1). Both values open the browser: the program's own
// addresses are web pages, whose handler is the browser either way.
// No browser found shows "Could not open your browser!"; a browser that cannot be started shows
// "Web page fialed to be opened.". Both are modal exclamation boxes (MsgBox style 48) and the
// routine returns only after the box is closed. The caller is not told of either failure.
void OpenWebPage(const QString& address, const std::int16_t& useBrowser);

} // namespace tintaro

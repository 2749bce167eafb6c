#pragma once

#include <QString>
#include <cstdint>

namespace tintaro {

// Opens `address` in the user's default web browser (the default application for "text/html").
// `useBrowser` is a 16-bit boolean (true is -1, any nonzero counts as true):
// - true: the browser program is started with the address as its one argument, unchanged and
//   without a shell in between; an empty address starts it with no argument;
// - false: the address goes to the default handler of its scheme ("https:", "mailto:", ...).
// No browser found shows "Could not open your browser!"; a launch that fails shows
// "Web page fialed to be opened.". Both are modal exclamation boxes (MsgBox style 48) and the
// routine returns only after the box is closed. The caller is not told of either failure.
void OpenWebPage(const QString& address, const std::int16_t& useBrowser);

} // namespace tintaro

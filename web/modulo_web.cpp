// SPDX-License-Identifier: MIT
#include "modulo_web.h"

#include "Browser.h"
#include "MessageBox.h"

namespace tintaro {

void OpenWebPage(const QString& address, const std::int16_t& /*useBrowser*/) {
    const QByteArray utf8 = address.left(address.indexOf(QChar(u'\0'))).toUtf8();
    switch (openInDefaultBrowser(std::string_view(utf8.constData(), utf8.size()))) {
    case BrowserLaunch::Opened:
        break;
    case BrowserLaunch::NoBrowser:
        MsgBox(QStringLiteral("Could not open your browser!"), kMsgExclamation,
               QStringLiteral("Browser Not Found..."));
        break;
    case BrowserLaunch::LaunchFailed:
        // The words are the program's own, misspelling included.
        MsgBox(QStringLiteral("Web page fialed to be opened."), kMsgExclamation,
               QStringLiteral("Website URL Failed..."));
        break;
    }
}

} // namespace tintaro

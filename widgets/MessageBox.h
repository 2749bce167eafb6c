// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tintaro {

// The application title: the caption of every message box that gives none of its own.
inline const QString kAppTitle = QStringLiteral("Tintaro 6 \"Zelkor\"");

// Message box styles the program uses (buttons + icon, as the window runtime numbers them).
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgExclamation = 48;

// What takes the message boxes in place of the real ones, so tests never block on one.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows `text` with `caption` and waits until the user dismisses it.
    virtual void show(const QString& text, int style, const QString& caption) = 0;
};

// Shows a modal box with `text` and only an OK button (or hands it to the service that replaced
// the boxes); an empty caption means the application title.
void MsgBox(const QString& text, int style = kMsgOkOnly, const QString& caption = {});

// Replaces the real boxes with `service`; nullptr restores them. The caller keeps ownership.
void setMessageBoxService(MessageBoxService* service);

} // namespace tintaro

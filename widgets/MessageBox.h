// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tintaro {

// The application title: the caption of every message box that gives none of its own.
inline const QString kAppTitle = QStringLiteral("Tintaro 6 \"Zelkor\"");

// Message box styles the program uses (buttons + icon, as the window runtime numbers them).
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgExclamation = 48;

// Modal message boxes as a replaceable service, so tests never block on one.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows `text` with `caption` and waits until the user dismisses it.
    virtual void show(const QString& text, int style, const QString& caption) = 0;
};

// Shows a message through the current service; an empty caption means the application title.
void MsgBox(const QString& text, int style = kMsgOkOnly, const QString& caption = {});

// The current service (a real modal QMessageBox unless replaced).
MessageBoxService& messageBoxService();
// Replaces the service; nullptr restores the real one. The caller keeps ownership.
void setMessageBoxService(MessageBoxService* service);

} // namespace tintaro

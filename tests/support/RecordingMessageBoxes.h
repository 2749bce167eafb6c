// SPDX-License-Identifier: MIT
#pragma once

#include "MessageBox.h"

#include <QList>
#include <QString>
#include <functional>

namespace tintaro::test {

struct RecordedMessage {
    QString text;
    int style;
    QString caption;
};

// Installs itself as the message-box service for its lifetime; records and returns at once.
class RecordingMessageBoxes : public MessageBoxService {
public:
    RecordingMessageBoxes();           // setMessageBoxService(this)
    ~RecordingMessageBoxes() override; // setMessageBoxService(nullptr)
    RecordingMessageBoxes(const RecordingMessageBoxes&) = delete;
    RecordingMessageBoxes& operator=(const RecordingMessageBoxes&) = delete;

    // Appends {text, style, caption as shown (kAppTitle when empty)}, then calls onShow if set.
    void show(const QString& text, int style, const QString& caption) override;

    QList<RecordedMessage> messages;
    // Runs while "the box is open", for tests of what happens during a modal box.
    std::function<void()> onShow;
};

} // namespace tintaro::test

// SPDX-License-Identifier: MIT
#include "RecordingMessageBoxes.h"

namespace tintaro::test {

RecordingMessageBoxes::RecordingMessageBoxes() {
    setMessageBoxService(this);
}

RecordingMessageBoxes::~RecordingMessageBoxes() {
    setMessageBoxService(nullptr);
}

void RecordingMessageBoxes::show(const QString& text, int style, const QString& caption) {
    messages.append(RecordedMessage{text, style, caption.isEmpty() ? kAppTitle : caption});
    if (onShow)
        onShow();
}

} // namespace tintaro::test

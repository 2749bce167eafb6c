// SPDX-License-Identifier: MIT
// The two swatches' readouts, the apply button's hover look and the apply action.
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Form1.h"
#include "Module1.h"
#include "Module2.h"
#include "Registry.h"

#include <QCloseEvent>

namespace tintaro {

void Form1::printSwatchInfo(ColorRef colour) {
    std::int16_t red = 0, green = 0, blue = 0;
    Module1::SplitRGB(colour, red, green, blue);
    QString hex;
    GetHexVal(red, green, blue, hex);
    PrintColorInfo(red, green, blue, hex);
}

void Form1::GetHexVal(std::int16_t Red, std::int16_t Green, std::int16_t Blue, QString& strHex) {
    strHex = QString::asprintf("%02X%02X%02X", Red, Green, Blue);
}

void Form1::Picture1_MouseMove() {
    swapApplyLook(Picture1, Picture2);
}

void Form1::swapApplyLook(ClickLabel* hidden, ClickLabel* shown) {
    // The two looks are one button: the keyboard focus stays on it when the look changes.
    const bool focused = hidden->hasFocus();
    hidden->hide();
    shown->show();
    if (focused)
        shown->setFocus(Qt::TabFocusReason);
}

void Form1::Picture2_Click() {
    // The field holds the decimal colour the red, green and blue fields last wrote. While it
    // is still empty (nothing picked since opening), or when it was edited into something that
    // is no colour, the swatch's colour is stored: it is the colour the user sees.
    ColorRef value = lblSelColor->backColor();
    if (const auto typed = conv::currencyFromText(txtcolor->text().toStdString())) {
        const std::int32_t number = conv::currencyToInt32(*typed);
        if (number >= 0 && number <= 0xFFFFFF)
            value = number;
    }
    const std::string account = conv::currencyToText(algo);
    const std::string keyPath = Module2::imColorKey(account);
    // Through Wine a store takes up to half a second: it runs in the background, in order.
    Registry& registry = currentRegistry();
    m_colourStore.store([&registry, account, keyPath, value]() -> QString {
        const long code =
            Module2::WriteRegDword(registry, kHkeyCurrentUser, keyPath, Module2::kImColor, value);
        if (code == kErrorSuccess)
            return {};
        return QStringLiteral("The colour of account %1 was not stored.\n\n%2")
            .arg(QString::fromStdString(account),
                 QString::fromStdString(registry.describeFailure(code)));
    });
    swapApplyLook(Picture2, Picture1);
}

void Form1::closeEvent(QCloseEvent* event) {
    m_colourStore.wait();
    QWidget::closeEvent(event);
}

} // namespace tintaro

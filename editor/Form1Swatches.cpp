// The two swatches' readouts, the apply button's hover look and the apply action.
#include "Module2.h"
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Form1.h"
#include "SwatchLabel.h"
#include "Module1.h"
#include "Registry.h"

#include <QGuiApplication>

namespace tintaro {

namespace {

constexpr std::string_view kSettingsKey =
    "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\";
constexpr std::string_view kValueName = "IM Color";

QString twoHexDigits(std::int16_t channel) {
    QString digits =
        QString::fromStdString(conv::hexText(static_cast<std::uint32_t>(std::int32_t{channel})));
    if (digits.size() == 1)
        digits.prepend(QLatin1Char('0'));
    return digits;
}

// The wait cursor over every window while the colour is stored: with Messenger running the value
// goes through Wine, which can take a second or more, and the windows cannot repaint meanwhile.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void Form1::lblSelColor_Click() {
    printSwatchInfo(lblSelColor->backColor());
}

void Form1::Label2_Click() {
    printSwatchInfo(Label2->backColor());
}

void Form1::printSwatchInfo(ColorRef colour) {
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
    Module1::SplitRGB(colour, red, green, blue);
    QString hex;
    GetHexVal(red, green, blue, hex);
    PrintColorInfo(red, green, blue, hex);
}

void Form1::GetHexVal(std::int16_t Red, std::int16_t Green, std::int16_t Blue, QString& strHex) {
    strHex = twoHexDigits(Red) + twoHexDigits(Green) + twoHexDigits(Blue);
}

void Form1::Picture1_MouseMove() {
    swapApplyLook(Picture1, Picture2);
}

void Form1::Image1_MouseMove() {
    swapApplyLook(Picture2, Picture1);
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
    std::string keyPath(kSettingsKey);
    keyPath += conv::currencyToText(algo);
    {
        const BusyCursor busy;
        Module2::WriteRegDword(currentRegistry(), kHkeyCurrentUser, keyPath, kValueName, value);
    }
    swapApplyLook(Picture2, Picture1);
}

} // namespace tintaro

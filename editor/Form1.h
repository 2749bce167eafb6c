// SPDX-License-Identifier: MIT
#pragma once

#include "ColourStore.h"
#include "Conversions.h"
#include "PickerCanvas.h"

#include <QWidget>
#include <cstdint>

class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace tintaro {

class ClickLabel;
class EtchedFrame;
class EventLineEdit;
class SurfaceWidget;
class SwatchLabel;

// The colour editor window: a gradient square and a slider in hue, saturation or brightness
// mode, value fields, two swatches and the apply button, which writes the selected colour as
// the account's "IM Color". The client area is a persistent Surface presented by a
// SurfaceWidget, the controls over it. The selected colour is the background of `lblSelColor`
// and nothing else; every colour is read back from the surface.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // The single default instance, created on first use; closing deletes it.
    static Form1* defaultInstance();

    Form1();

    // Shows the window modeless; the first show loads it (Form_Load).
    void Show();

    // The chosen account's folder name as a currency number; written before the first show.
    conv::Currency algo;

    SurfaceWidget* picture = nullptr;
    EtchedFrame* Frame1 = nullptr;
    EtchedFrame* Frame2 = nullptr;
    EtchedFrame* Frame3 = nullptr;
    QRadioButton* optH = nullptr;
    QRadioButton* optS = nullptr;
    QRadioButton* optB = nullptr;
    EventLineEdit* txtH = nullptr;
    EventLineEdit* txtS = nullptr;
    EventLineEdit* txtB = nullptr;
    QLabel* lblH = nullptr;
    QLabel* lblS = nullptr;
    QLabel* lblBB = nullptr;
    QLabel* lblR = nullptr;
    QLabel* lblG = nullptr;
    QLabel* lblB = nullptr;
    EventLineEdit* Text1 = nullptr;
    EventLineEdit* Text2 = nullptr;
    EventLineEdit* Text3 = nullptr;
    QLabel* Label1 = nullptr;
    SwatchLabel* lblSelColor = nullptr;
    QLabel* Label3 = nullptr;
    SwatchLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    EventLineEdit* txtcolor = nullptr;
    QLabel* Label5 = nullptr;
    EventLineEdit* txtcolorhex = nullptr;
    ClickLabel* Image1 = nullptr;
    QPlainTextEdit* txtejemplo = nullptr;
    ClickLabel* Picture1 = nullptr;
    ClickLabel* Picture2 = nullptr;

    // Load: hue strip (which shows the window), arrows at row 335, marker at (265, 80), the
    // hue-mode square for pure red, sample text in the swatch colour.
    void Form_Load();

    // Button: 1 left, 2 right, 4 middle (for MouseMove the buttons held). Position in client
    // pixels, unrounded; the handlers may clamp it.
    void Form_MouseDown(std::int16_t Button, std::int16_t Shift, float& X, float& Y);
    void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float& X, float& Y);
    void Form_MouseUp(std::int16_t Button, std::int16_t Shift, float& X, float& Y);
    // Moves the marker to (x, y) rounded and takes the colour there.
    void SelectFromSquare(float& x, float& y);
    // Moves the slider arrows to row y and takes the colour there; x is not used.
    void SelectFromSlider(float& x, float& y);
    // Selected colour = the hue under the arrows, whitened by 100 - saturation per cent and
    // scaled by brightness per cent.
    void PreviewHueColor(std::int16_t saturation, std::int16_t brightness);
    // Prints "R: ", "G: ", "B: ", "Hex: #" lines at (312, 80) on the surface (under Frame1).
    void PrintColorInfo(std::int16_t red, std::int16_t green, std::int16_t blue,
                        const QString& hex);

    void optH_Click();
    void optS_Click();
    void optB_Click();
    void txtH_KeyUp(int KeyCode, Qt::KeyboardModifiers Shift);
    void txtH_LostFocus();
    void txtS_KeyUp(int KeyCode, Qt::KeyboardModifiers Shift);
    void txtB_KeyUp(int KeyCode, Qt::KeyboardModifiers Shift);
    // The colour under the marker becomes the selected colour; red, green, blue fields follow.
    void PickMarkerColor();

    // Six upper-case hexadecimal digits, red first, for channels 0..255.
    void GetHexVal(std::int16_t Red, std::int16_t Green, std::int16_t Blue, QString& strHex);
    void Picture1_MouseMove();
    // Queues the store of the colour in txtcolor as the "IM Color" of the account `algo`.
    void Picture2_Click();

protected:
    // Waits for the pending stores before the window goes.
    void closeEvent(QCloseEvent* event) override;

private:
    // The editor's tests read the picker's state and surface, and wait for the stores.
    friend class Form1Probe;

    void buildControls();
    void connectHandlers();
    // Inverts the marker away, moves it to (x, y) and inverts it there.
    void moveMarker(std::int32_t x, std::int32_t y);

    // Makes `colour` the selected colour and returns what is selected afterwards.
    ColorRef selectColour(ColorRef colour);
    void writeRgbFields(ColorRef colour);
    void refreshColourDisplays();
    void setTextColour(QWidget* control, ColorRef colour);
    void setFieldText(EventLineEdit* field, const QString& text);
    double fieldValue(const EventLineEdit* field) const;
    // Saturation or brightness mode: the square, the marker at the hue and the row's field, the
    // slider for the colour under it.
    void showSquareMode(bool saturation);
    // Renders the hue-mode square for the strip's pixel at `column`, row sliderY rounded.
    void drawHueSquareFromStrip(std::int32_t column);

    Surface m_surface;
    PickerState m_state;
    PickerCanvas m_canvas;
    bool m_loaded = false;
    // Last, so that it goes first: its wait for pending stores sees the window whole.
    ColourStore m_colourStore;
};

} // namespace tintaro

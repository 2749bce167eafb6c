// SPDX-License-Identifier: MIT
#include "Form1.h"

#include "AccessibleControls.h"
#include "ClassicLook.h"
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Module1.h"
#include "Module2.h"
#include "Registry.h"
#include "SurfaceWidget.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>

static void initEditorResources() {
    // The artwork lives in this static library; its resources must be registered by hand.
    Q_INIT_RESOURCE(editor);
}

namespace tintaro {

using namespace Qt::StringLiterals;

namespace {

QPointer<Form1> g_defaultInstance;

constexpr ColorRef kWindowBackColor = 0x00EFD8CF;
constexpr ColorRef kPanelBackColor = 0x00C8D1D9;
constexpr ColorRef kSelColorInitial = 0x000000FF;
// The client area, all of it the picker's drawing surface.
constexpr int kClientWidth = 441;
constexpr int kClientHeight = 454;

QFont labelFont(double points) {
    QFont font(u"Liberation Sans"_s);
    font.setPointSizeF(points);
    return font;
}

void fillBackground(QWidget* widget, ColorRef colour, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Each control carries the program's name for it as its object name, for accessibility tools
// and scripted sessions, and an accessible name (also its tool tip when `tip` is set).
template <class T>
T* made(T* widget, const char* objectName, const QRect& geometry, const QString& name,
        bool tip = false) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(geometry);
    widget->setAccessibleName(name);
    if (tip)
        widget->setToolTip(name);
    return widget;
}

EtchedFrame* makeFrame(QWidget* parent, const char* id, const QRect& geometry, ColorRef back,
                       const QString& name) {
    auto* frame = made(new EtchedFrame({}, parent), id, geometry, name);
    fillBackground(frame, back, QPalette::Window);
    return frame;
}

// A label's accessible name is its caption unless `name` is given, and its tool tip when `tip`.
QLabel* makeLabel(QWidget* parent, const char* id, const QRect& geometry, const QString& caption,
                  const QString& name = {}, bool tip = false) {
    QLabel* label = makeFixedLabel(parent, id, geometry, caption);
    if (!name.isEmpty())
        label->setAccessibleName(name);
    if (tip)
        label->setToolTip(label->accessibleName());
    return label;
}

EventLineEdit* makeField(QWidget* parent, const char* id, const QRect& geometry,
                         const QString& text, const QString& name, bool tip = true) {
    auto* field = made(new EventLineEdit(parent), id, geometry, name, tip);
    field->setText(text);
    return field;
}

ClickLabel* makePicture(QWidget* parent, const char* id, const QRect& geometry,
                        const QString& resource, const QString& name) {
    auto* picture = made(new ClickLabel(parent), id, geometry, name);
    picture->setPixmap(QPixmap(resource));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

// Passes a mouse event of the picture to a handler: buttons as Qt's codes (1 left, 2 right,
// 4 middle, or'ed for the buttons held during a move), shift state 1 shift, 2 control, 4 alt.
void forwardMouse(Form1* form, void (Form1::*handler)(std::int16_t, std::int16_t, float&, float&),
                  QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    const auto button = static_cast<std::int16_t>(
        (buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)).toInt());
    const auto shift = static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                                 (modifiers & Qt::ControlModifier ? 2 : 0) |
                                                 (modifiers & Qt::AltModifier ? 4 : 0));
    float x = float(position.x()), y = float(position.y());
    (form->*handler)(button, shift, x, y);
}

// Hides one look of the apply button and shows the other. The two looks are one button: the
// keyboard focus stays on it when the look changes.
void swapApplyLook(ClickLabel* hidden, ClickLabel* shown) {
    const bool focused = hidden->hasFocus();
    hidden->hide();
    shown->show();
    if (focused)
        shown->setFocus(Qt::TabFocusReason);
}

} // namespace

Form1* Form1::defaultInstance() {
    if (!g_defaultInstance)
        g_defaultInstance = new Form1;
    return g_defaultInstance;
}

Form1::Form1()
    : m_surface(kClientWidth, kClientHeight, kWindowBackColor)
    , m_canvas(m_surface, m_state) {
    initEditorResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"MSN6 Tintaro Zelkor"_s);
    setWindowIcon(QIcon(u":/editor/icon16.png"_s));
    setFixedWindowSize(this, kClientWidth, kClientHeight);
    exposeAsWindow(this);
    QFont windowFont = labelFont(8.25);
    // Digits and plain Latin text need no shaping, and the fields are re-laid out on every drag.
    windowFont.setStyleStrategy(QFont::PreferNoShaping);
    setFont(windowFont);
    // Fixed light panels and pictures: the text on them stays dark whatever the desktop's scheme.
    setPalette(lightPalette(toQColor(kWindowBackColor)));
    setAutoFillBackground(true);

    // The background picture is the surface's first content; the picker is drawn over it.
    m_surface.setTextPainter(makeTextPainter(font()));
    paintImage(m_surface, QImage(u":/editor/background.png"_s), 0, 0);

    buildControls();
    connectHandlers();

    m_canvas.show = [this] { show(); };
    m_canvas.refresh = [this] { picture->present(); };
}

void Form1::Show() {
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    show();
}

void Form1::buildControls() {
    picture = made(new SurfaceWidget(m_surface, this), "picture",
                   {0, 0, kClientWidth, kClientHeight}, u"Selector de color"_s);

    Frame2 = makeFrame(this, "Frame2", {312, 136, 121, 93}, kPanelBackColor, u"Valores"_s);
    optH = made(new QRadioButton(u"H:"_s, Frame2), "optH", {0, 34, 31, 17}, u"Tonalidad"_s, true);
    optS = made(new QRadioButton(u"S:"_s, Frame2), "optS", {0, 54, 31, 17}, u"Saturacion"_s, true);
    optB = made(new QRadioButton(u"B:"_s, Frame2), "optB", {0, 74, 33, 17}, u"Brillo"_s, true);
    optH->setChecked(true);

    txtH = makeField(Frame2, "txtH", {30, 32, 25, 19}, u"0"_s, u"Tonalidad"_s);
    txtS = makeField(Frame2, "txtS", {30, 52, 25, 19}, u"100"_s, u"Saturación"_s);
    txtB = makeField(Frame2, "txtB", {30, 72, 25, 19}, u"100"_s, u"Brillo"_s);
    for (EventLineEdit* field : {txtH, txtS, txtB})
        field->setMaxLength(4);

    lblH = makeLabel(Frame2, "lblH", {56, 32, 7, 11}, u"°"_s, u"grados"_s);
    lblH->setFont(labelFont(12));
    lblS = makeLabel(Frame2, "lblS", {56, 54, 11, 13}, u"%"_s, u"por ciento"_s);
    lblBB = makeLabel(Frame2, "lblBB", {56, 74, 13, 17}, u"%"_s, u"por ciento"_s);

    lblR = makeLabel(Frame2, "lblR", {80, 34, 13, 15}, u"R:"_s, u"Rojo"_s, true);
    lblG = makeLabel(Frame2, "lblG", {80, 54, 15, 15}, u"G:"_s, u"Verde"_s, true);
    lblB = makeLabel(Frame2, "lblB", {80, 74, 13, 15}, u"B:"_s, u"Azul"_s, true);
    Text1 = makeField(Frame2, "Text1", {92, 32, 25, 19}, u"255"_s, u"Rojo"_s);
    Text2 = makeField(Frame2, "Text2", {92, 52, 25, 19}, u"0"_s, u"Verde"_s);
    Text3 = makeField(Frame2, "Text3", {92, 72, 25, 19}, u"0"_s, u"Azul"_s);

    Frame1 = makeFrame(this, "Frame1", {308, 74, 113, 67}, kPanelBackColor, u"Muestras"_s);
    Label1 = makeLabel(Frame1, "Label1", {8, 10, 39, 13}, u"Nuevo"_s);
    lblSelColor = made(new SwatchLabel(Frame1), "lblSelColor", {8, 24, 49, 29}, u"Color nuevo"_s);
    Label3 = makeLabel(Frame1, "Label3", {64, 10, 43, 13}, u"Anterior"_s);
    Label2 = made(new SwatchLabel(Frame1), "Label2", {57, 24, 48, 29}, u"Color anterior"_s);
    for (SwatchLabel* swatch : {lblSelColor, Label2})
        swatch->setBackColor(kSelColorInitial);

    Label4 = makeLabel(this, "Label4", {312, 240, 25, 17}, u"Bin:"_s, u"Color en decimal"_s);
    txtcolor =
        makeField(this, "txtcolor", {344, 240, 89, 19}, QString(), u"Color en decimal"_s, false);
    fillBackground(txtcolor, kPanelBackColor, QPalette::Base);
    Label5 = makeLabel(this, "Label5", {312, 264, 25, 17}, u"Hex:"_s, u"Color en hexadecimal"_s);
    fillBackground(Label5, kPanelBackColor, QPalette::Window);
    txtcolorhex = makeField(this, "txtcolorhex", {344, 264, 89, 19}, QString(),
                            u"Color en hexadecimal"_s, false);
    fillBackground(txtcolorhex, kPanelBackColor, QPalette::Base);

    Frame3 = makeFrame(this, "Frame3", {0, 344, 441, 121}, kWindowBackColor, u"Ejemplo"_s);
    Image1 = makePicture(Frame3, "Image1", {0, 0, 444, 101}, u":/editor/footer.png"_s,
                         u"Pie de la ventana"_s);

    txtejemplo =
        made(new QPlainTextEdit(Frame3), "txtejemplo", {8, 32, 361, 41}, u"Texto de ejemplo"_s);
    // Its colour changes on every pick: without a styled frame, and opaque, a repaint covers
    // the text alone (the footer picture draws the border around it).
    txtejemplo->setFrameShape(QFrame::NoFrame);
    // Like any text box of the window, Tab leaves it instead of typing a tab into the sample.
    txtejemplo->setTabChangesFocus(true);
    txtejemplo->setAttribute(Qt::WA_OpaquePaintEvent);
    txtejemplo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtejemplo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtejemplo->document()->setDocumentMargin(1);
    fillBackground(txtejemplo, 0x00FFFFFF, QPalette::Base);
    // Three lines, each ended by CR LF, as the sample text is written.
    txtejemplo->setPlainText(QStringLiteral(" Zelkor Tintaro\r\n"
                                            "creado por Zelkor\r\n"
                                            "https://zelkor.example/\r\n"));

    Picture1 = makePicture(Frame3, "Picture1", {376, 28, 56, 45}, u":/editor/apply_normal.png"_s,
                           u"Aplicar color"_s);
    Picture2 = makePicture(Frame3, "Picture2", {376, 28, 56, 45}, u":/editor/apply_hover.png"_s,
                           u"Aplicar color"_s);
    for (ClickLabel* button : {Picture1, Picture2}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(u"Aplicar color"_s);
    }
    Picture2->hide();
}

void Form1::connectHandlers() {
    // The picture reports the client area's own mouse events (not those over a control), with
    // logical positions that keep their fraction: a click lands on the same pixel at any scale.
    connect(
        picture, &SurfaceWidget::mousePressed, this,
        [this](QPointF at, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers keys) {
            forwardMouse(this, &Form1::Form_MouseDown, at, button, keys);
        });
    connect(picture, &SurfaceWidget::mouseMoved, this,
            [this](QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
                forwardMouse(this, &Form1::Form_MouseMove, at, buttons, keys);
            });
    connect(
        picture, &SurfaceWidget::mouseReleased, this,
        [this](QPointF at, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers keys) {
            forwardMouse(this, &Form1::Form_MouseUp, at, button, keys);
        });

    connect(optH, &QRadioButton::clicked, this, [this] { optH_Click(); });
    connect(optS, &QRadioButton::clicked, this, [this] { optS_Click(); });
    connect(optB, &QRadioButton::clicked, this, [this] { optB_Click(); });

    connect(txtH, &EventLineEdit::keyUp, this, &Form1::txtH_KeyUp);
    connect(txtH, &EventLineEdit::lostFocus, this, &Form1::txtH_LostFocus);
    connect(txtS, &EventLineEdit::keyUp, this, &Form1::txtS_KeyUp);
    connect(txtB, &EventLineEdit::keyUp, this, &Form1::txtB_KeyUp);

    // A field's text set from code updates the readouts inside that statement.
    for (EventLineEdit* field : {Text1, Text2, Text3})
        connect(field, &QLineEdit::textChanged, this, &Form1::refreshColourDisplays);

    for (SwatchLabel* swatch : {lblSelColor, Label2})
        connect(swatch, &ClickLabel::clicked, this, [this, swatch] {
            std::int16_t red = 0, green = 0, blue = 0;
            Module1::SplitRGB(swatch->backColor(), red, green, blue);
            QString hex;
            GetHexVal(red, green, blue, hex);
            PrintColorInfo(red, green, blue, hex);
        });
    connect(Picture1, &ClickLabel::mouseMoved, this, [this] { Picture1_MouseMove(); });
    connect(Image1, &ClickLabel::mouseMoved, this, [this] { swapApplyLook(Picture2, Picture1); });
    connect(Picture2, &ClickLabel::clicked, this, [this] { Picture2_Click(); });
    // From the keyboard (Tab, then Space or Enter) or a screen reader, either look of the
    // apply button applies.
    for (ClickLabel* button : {Picture1, Picture2}) {
        button->setFocusPolicy(Qt::TabFocus);
        makeActivatable(button, QAccessible::Button, [this] { Picture2_Click(); });
    }
}

void Form1::Form_Load() {
    // Shows the window: it is visible before the square below is rendered.
    m_canvas.DrawHueSlider();
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(m_state.sliderY));
    m_canvas.DrawPicker();
    Module1::DrawSquareHueMode(m_canvas, 255, 0, 0);
    m_surface.setForeColor(0);
    setTextColour(txtejemplo, lblSelColor->backColor());
    picture->present();
}

ColorRef Form1::selectColour(ColorRef colour) {
    // Only a point read off the surface (-1) is not a colour; the swatch then keeps the colour
    // it has, so the apply button never stores a value that is no colour.
    if (colour >= 0 && colour <= 0xFFFFFF)
        lblSelColor->setBackColor(colour);
    return lblSelColor->backColor();
}

void Form1::setFieldText(EventLineEdit* field, const QString& text) {
    // setText already runs the change handler only on a real change; comparing first also
    // spares the field its relayout and repaint on every drag step.
    if (field->text() != text)
        field->setText(text);
}

double Form1::fieldValue(const EventLineEdit* field) const {
    return conv::textToNumber(field->text().toStdString());
}

void Form1::setTextColour(QWidget* control, ColorRef colour) {
    const QColor wanted = toQColor(colour);
    if (control->palette().color(QPalette::Text) == wanted)
        return;
    QPalette palette = control->palette();
    palette.setColor(QPalette::Text, wanted);
    control->setPalette(palette);
}

void Form1::GetHexVal(std::int16_t Red, std::int16_t Green, std::int16_t Blue, QString& strHex) {
    strHex = QString::asprintf("%02X%02X%02X", Red, Green, Blue);
}

void Form1::Picture1_MouseMove() {
    swapApplyLook(Picture1, Picture2);
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

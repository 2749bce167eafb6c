// SPDX-License-Identifier: MIT
#include "Form1.h"

#include "AccessibleControls.h"
#include "ClassicLook.h"
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Module1.h"
#include "SurfaceWidget.h"
#include "SwatchLabel.h"

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

QFont windowFont() {
    QFont font = labelFont(8.25);
    // Digits and plain Latin text need no shaping, and the fields are re-laid out on every drag
    // step.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void fillBackground(QWidget* widget, ColorRef colour, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Each control carries the program's name for it as its object name, for accessibility tools
// and scripted sessions.
template <class T> T* made(T* widget, const char* objectName, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(geometry);
    return widget;
}

EtchedFrame* makeFrame(QWidget* parent, const char* id, const QRect& geometry, ColorRef back,
                       const QString& name) {
    auto* frame = made(new EtchedFrame({}, parent), id, geometry);
    fillBackground(frame, back, QPalette::Window);
    frame->setAccessibleName(name);
    return frame;
}

QLabel* makeLabel(QWidget* parent, const char* id, const QRect& geometry, const QString& caption,
                  const QString& tip = {}) {
    auto* label = made(new QLabel(caption, parent), id, geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!tip.isEmpty())
        label->setToolTip(tip);
    label->setAccessibleName(tip.isEmpty() ? caption : tip);
    return label;
}

// A field's accessible name is its tool tip too, unless it is `untipped`.
EventLineEdit* makeField(QWidget* parent, const char* id, const QRect& geometry,
                         const QString& text, const QString& name, bool untipped = false) {
    auto* field = made(new EventLineEdit(parent), id, geometry);
    field->setText(text);
    field->setTextMargins(0, 0, 0, 0);
    if (!untipped)
        field->setToolTip(name);
    field->setAccessibleName(name);
    return field;
}

QRadioButton* makeOption(QWidget* parent, const char* id, const QRect& geometry,
                         const QString& caption, const QString& tip) {
    auto* option = made(new QRadioButton(caption, parent), id, geometry);
    option->setToolTip(tip);
    option->setAccessibleName(tip);
    return option;
}

ClickLabel* makePicture(QWidget* parent, const char* id, const QRect& geometry,
                        const QString& resource, const QString& name) {
    auto* picture = made(new ClickLabel(parent), id, geometry);
    picture->setPixmap(QPixmap(resource));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAccessibleName(name);
    return picture;
}

SwatchLabel* makeSwatch(QWidget* parent, const char* id, const QRect& geometry,
                        const QString& name) {
    auto* swatch = made(new SwatchLabel(parent), id, geometry);
    swatch->setBackColor(kSelColorInitial);
    swatch->setAccessibleName(name);
    return swatch;
}

// The button codes the mouse handlers take: 1 left, 2 right, 4 middle, or'ed for the
// buttons held during a move.
std::int16_t buttonCode(Qt::MouseButtons buttons) {
    return static_cast<std::int16_t>((buttons & Qt::LeftButton ? 1 : 0) |
                                     (buttons & Qt::RightButton ? 2 : 0) |
                                     (buttons & Qt::MiddleButton ? 4 : 0));
}

// Shift state as the mouse handlers take it: 1 shift, 2 control, 4 alt.
std::int16_t shiftCode(Qt::KeyboardModifiers modifiers) {
    return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                     (modifiers & Qt::ControlModifier ? 2 : 0) |
                                     (modifiers & Qt::AltModifier ? 4 : 0));
}

// Three lines, each ended by CR LF, as the sample text is written.
const QString kSampleText = QStringLiteral(" Zelkor Tintaro\r\n"
                                           "creado por Zelkor\r\n"
                                           "https://zelkor.example/\r\n");

} // namespace

Form1* Form1::defaultInstance() {
    if (!g_defaultInstance)
        g_defaultInstance = new Form1;
    return g_defaultInstance;
}

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , m_surface(kClientWidth, kClientHeight, kWindowBackColor)
    , m_canvas(m_surface, m_state) {
    initEditorResources();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"MSN6 Tintaro Zelkor"_s);
    setWindowIcon(QIcon(u":/editor/icon16.png"_s));
    setFixedWindowSize(this, kClientWidth, kClientHeight);
    exposeAsWindow(this);
    setFont(windowFont());
    // Fixed light panels and pictures: the text on them stays dark whatever the desktop's scheme.
    setPalette(lightPalette(toQColor(kWindowBackColor)));
    setAutoFillBackground(true);

    // The background picture is the surface's first content; the picker is drawn over it.
    m_surface.setTextPainter(makeTextPainter(font()));
    paintImage(m_surface, QImage(u":/editor/background.png"_s), 0, 0);

    buildControls();
    connectHandlers();

    m_canvas.setShowHook([this] { show(); });
    m_canvas.setRefreshHook([this] { picture->present(); });
}

void Form1::Show() {
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    show();
}

void Form1::buildControls() {
    picture =
        made(new SurfaceWidget(m_surface, this), "picture", {0, 0, kClientWidth, kClientHeight});
    picture->setAccessibleName(u"Selector de color"_s);

    Frame2 = makeFrame(this, "Frame2", {312, 136, 121, 93}, kPanelBackColor, u"Valores"_s);
    optH = makeOption(Frame2, "optH", {0, 34, 31, 17}, u"H:"_s, u"Tonalidad"_s);
    optS = makeOption(Frame2, "optS", {0, 54, 31, 17}, u"S:"_s, u"Saturacion"_s);
    optB = makeOption(Frame2, "optB", {0, 74, 33, 17}, u"B:"_s, u"Brillo"_s);
    optH->setChecked(true);

    txtH = makeField(Frame2, "txtH", {30, 32, 25, 19}, u"0"_s, u"Tonalidad"_s);
    txtS = makeField(Frame2, "txtS", {30, 52, 25, 19}, u"100"_s, u"Saturación"_s);
    txtB = makeField(Frame2, "txtB", {30, 72, 25, 19}, u"100"_s, u"Brillo"_s);
    for (EventLineEdit* field : {txtH, txtS, txtB})
        field->setMaxLength(4);

    lblH = makeLabel(Frame2, "lblH", {56, 32, 7, 11}, u"°"_s);
    lblH->setFont(labelFont(12));
    lblH->setAccessibleName(u"grados"_s);
    lblS = makeLabel(Frame2, "lblS", {56, 54, 11, 13}, u"%"_s);
    lblS->setFont(labelFont(8.25));
    lblS->setAccessibleName(u"por ciento"_s);
    lblBB = makeLabel(Frame2, "lblBB", {56, 74, 13, 17}, u"%"_s);
    lblBB->setFont(labelFont(8.25));
    lblBB->setAccessibleName(u"por ciento"_s);

    lblR = makeLabel(Frame2, "lblR", {80, 34, 13, 15}, u"R:"_s, u"Rojo"_s);
    lblG = makeLabel(Frame2, "lblG", {80, 54, 15, 15}, u"G:"_s, u"Verde"_s);
    lblB = makeLabel(Frame2, "lblB", {80, 74, 13, 15}, u"B:"_s, u"Azul"_s);
    Text1 = makeField(Frame2, "Text1", {92, 32, 25, 19}, u"255"_s, u"Rojo"_s);
    Text2 = makeField(Frame2, "Text2", {92, 52, 25, 19}, u"0"_s, u"Verde"_s);
    Text3 = makeField(Frame2, "Text3", {92, 72, 25, 19}, u"0"_s, u"Azul"_s);

    Frame1 = makeFrame(this, "Frame1", {308, 74, 113, 67}, kPanelBackColor, u"Muestras"_s);
    Label1 = makeLabel(Frame1, "Label1", {8, 10, 39, 13}, u"Nuevo"_s);
    lblSelColor = makeSwatch(Frame1, "lblSelColor", {8, 24, 49, 29}, u"Color nuevo"_s);
    Label3 = makeLabel(Frame1, "Label3", {64, 10, 43, 13}, u"Anterior"_s);
    Label2 = makeSwatch(Frame1, "Label2", {57, 24, 48, 29}, u"Color anterior"_s);

    Label4 = makeLabel(this, "Label4", {312, 240, 25, 17}, u"Bin:"_s);
    Label4->setAccessibleName(u"Color en decimal"_s);
    txtcolor =
        makeField(this, "txtcolor", {344, 240, 89, 19}, QString(), u"Color en decimal"_s, true);
    fillBackground(txtcolor, kPanelBackColor, QPalette::Base);
    Label5 = makeLabel(this, "Label5", {312, 264, 25, 17}, u"Hex:"_s);
    Label5->setAccessibleName(u"Color en hexadecimal"_s);
    fillBackground(Label5, kPanelBackColor, QPalette::Window);
    txtcolorhex = makeField(this, "txtcolorhex", {344, 264, 89, 19}, QString(),
                            u"Color en hexadecimal"_s, true);
    fillBackground(txtcolorhex, kPanelBackColor, QPalette::Base);

    Frame3 = makeFrame(this, "Frame3", {0, 344, 441, 121}, kWindowBackColor, u"Ejemplo"_s);
    Image1 = makePicture(Frame3, "Image1", {0, 0, 444, 101}, u":/editor/footer.png"_s,
                         u"Pie de la ventana"_s);

    txtejemplo = made(new QPlainTextEdit(Frame3), "txtejemplo", {8, 32, 361, 41});
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
    txtejemplo->setPlainText(kSampleText);
    txtejemplo->setAccessibleName(u"Texto de ejemplo"_s);

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
    connect(picture, &SurfaceWidget::mousePressed, this,
            [this](QPointF position, Qt::MouseButton button, Qt::MouseButtons,
                   Qt::KeyboardModifiers modifiers) {
                float x = float(position.x()), y = float(position.y());
                Form_MouseDown(buttonCode(button), shiftCode(modifiers), x, y);
            });
    connect(picture, &SurfaceWidget::mouseMoved, this,
            [this](QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                float x = float(position.x()), y = float(position.y());
                Form_MouseMove(buttonCode(buttons), shiftCode(modifiers), x, y);
            });
    connect(picture, &SurfaceWidget::mouseReleased, this,
            [this](QPointF position, Qt::MouseButton button, Qt::MouseButtons,
                   Qt::KeyboardModifiers modifiers) {
                float x = float(position.x()), y = float(position.y());
                Form_MouseUp(buttonCode(button), shiftCode(modifiers), x, y);
            });

    connect(optH, &QRadioButton::clicked, this, [this] { optH_Click(); });
    connect(optS, &QRadioButton::clicked, this, [this] { optS_Click(); });
    connect(optB, &QRadioButton::clicked, this, [this] { optB_Click(); });

    connect(txtH, &EventLineEdit::keyUp, this,
            [this](int key, Qt::KeyboardModifiers shift) { txtH_KeyUp(key, int(shift)); });
    connect(txtH, &EventLineEdit::lostFocus, this, [this] { txtH_LostFocus(); });
    connect(txtS, &EventLineEdit::keyUp, this,
            [this](int key, Qt::KeyboardModifiers shift) { txtS_KeyUp(key, int(shift)); });
    connect(txtB, &EventLineEdit::keyUp, this,
            [this](int key, Qt::KeyboardModifiers shift) { txtB_KeyUp(key, int(shift)); });

    // A field's text set from code updates the readouts inside that statement.
    for (EventLineEdit* field : {Text1, Text2, Text3})
        connect(field, &QLineEdit::textChanged, this, &Form1::refreshColourDisplays);

    connect(lblSelColor, &ClickLabel::clicked, this,
            [this] { printSwatchInfo(lblSelColor->backColor()); });
    connect(Label2, &ClickLabel::clicked, this, [this] { printSwatchInfo(Label2->backColor()); });
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
    PickerState& s = m_state;
    s.setBitmapHeader();
    s.setGeometry();
    // Shows the window: it is visible before the square below is rendered.
    m_canvas.DrawHueSlider();
    s.setLoadPositions();
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
    DrawPicker();
    Module1::DrawSquareHueMode(m_canvas, 255, 0, 0);
    m_surface.setForeColor(0);
    setTextColour(txtejemplo, lblSelColor->backColor());
    picture->present();
}

void Form1::DrawPicker() {
    m_canvas.DrawPicker();
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

} // namespace tintaro

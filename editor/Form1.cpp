#include "Form1.h"

#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "SwatchLabel.h"
#include "Module1.h"
#include "AccessibleControls.h"
#include "EtchedFrame.h"
#include "FixedWindow.h"
#include "LightPalette.h"
#include "QtColor.h"
#include "SurfaceWidget.h"

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

namespace {

QPointer<Form1> g_defaultInstance;

constexpr ColorRef kWindowBackColor = 0x00EFD8CF;
constexpr ColorRef kPanelBackColor = 0x00C8D1D9;
constexpr ColorRef kSelColorInitial = 0x000000FF;
// The client area, all of it the picker's drawing surface.
constexpr int kClientWidth = 441;
constexpr int kClientHeight = 454;

QFont windowFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    // Digits and plain Latin text need no shaping; the fields are re-laid out on every drag
    // step, where shaping was the largest single cost.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont labelFont(double points) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    return font;
}

void fillBackground(QWidget* widget, ColorRef colour, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

EtchedFrame* makeFrame(QWidget* parent, const QRect& geometry, ColorRef back, const QString& name) {
    auto* frame = new EtchedFrame(parent);
    frame->setGeometry(geometry);
    fillBackground(frame, back, QPalette::Window);
    frame->setAccessibleName(name);
    return frame;
}

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& caption,
                  const QString& tip = {}) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!tip.isEmpty())
        label->setToolTip(tip);
    label->setAccessibleName(tip.isEmpty() ? caption : tip);
    return label;
}

EventLineEdit* makeField(QWidget* parent, const QRect& geometry, const QString& text,
                         const QString& tip, const QString& name) {
    auto* field = new EventLineEdit(parent);
    field->setGeometry(geometry);
    field->setText(text);
    field->setTextMargins(0, 0, 0, 0);
    if (!tip.isEmpty())
        field->setToolTip(tip);
    field->setAccessibleName(name);
    return field;
}

QRadioButton* makeOption(QWidget* parent, const QRect& geometry, const QString& caption,
                         const QString& tip) {
    auto* option = new QRadioButton(caption, parent);
    option->setGeometry(geometry);
    option->setToolTip(tip);
    option->setAccessibleName(tip);
    return option;
}

ClickLabel* makePicture(QWidget* parent, const QRect& geometry, const QString& resource,
                        const QString& name) {
    auto* picture = new ClickLabel(parent);
    picture->setGeometry(geometry);
    picture->setPixmap(QPixmap(resource));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAccessibleName(name);
    return picture;
}

SwatchLabel* makeSwatch(QWidget* parent, const QRect& geometry, const QString& name) {
    auto* swatch = new SwatchLabel(parent);
    swatch->setGeometry(geometry);
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
    setWindowTitle(QStringLiteral("MSN6 Tintaro Zelkor"));
    setWindowIcon(QIcon(QStringLiteral(":/editor/icon16.png")));
    setFixedWindowSize(this, kClientWidth, kClientHeight);
    exposeAsWindow(this);
    setFont(windowFont());
    // Fixed light panels and pictures: the text on them stays dark whatever the desktop's scheme.
    setPalette(lightPalette(toQColor(kWindowBackColor)));
    setAutoFillBackground(true);

    // The background picture is the surface's first content; the picker is drawn over it.
    m_surface.setTextPainter(makeTextPainter(font()));
    paintImage(m_surface, QImage(QStringLiteral(":/editor/background.png")), 0, 0);

    buildControls();
    connectHandlers();

    m_canvas.setShowHook([this] { show(); });
    m_canvas.setRefreshHook([this] { presentSurface(); });
}

Form1::~Form1() = default;

void Form1::Show() {
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    show();
}

void Form1::buildControls() {
    picture = new SurfaceWidget(m_surface, this);
    picture->setGeometry(0, 0, kClientWidth, kClientHeight);
    picture->setAccessibleName(QStringLiteral("Selector de color"));

    buildFrame2();
    buildFrame1AndDisplays();
    buildFrame3();

    // The program's names, for accessibility tools and scripted sessions.
    const std::pair<QWidget*, const char*> names[] = {{picture, "picture"},
                                                      {Frame1, "Frame1"},
                                                      {Frame2, "Frame2"},
                                                      {Frame3, "Frame3"},
                                                      {optH, "optH"},
                                                      {optS, "optS"},
                                                      {optB, "optB"},
                                                      {txtH, "txtH"},
                                                      {txtS, "txtS"},
                                                      {txtB, "txtB"},
                                                      {lblH, "lblH"},
                                                      {lblS, "lblS"},
                                                      {lblBB, "lblBB"},
                                                      {lblR, "lblR"},
                                                      {lblG, "lblG"},
                                                      {lblB, "lblB"},
                                                      {Text1, "Text1"},
                                                      {Text2, "Text2"},
                                                      {Text3, "Text3"},
                                                      {Label1, "Label1"},
                                                      {lblSelColor, "lblSelColor"},
                                                      {Label3, "Label3"},
                                                      {Label2, "Label2"},
                                                      {Label4, "Label4"},
                                                      {txtcolor, "txtcolor"},
                                                      {Label5, "Label5"},
                                                      {txtcolorhex, "txtcolorhex"},
                                                      {Image1, "Image1"},
                                                      {txtejemplo, "txtejemplo"},
                                                      {Picture1, "Picture1"},
                                                      {Picture2, "Picture2"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));
}

void Form1::buildFrame2() {
    Frame2 = makeFrame(this, {312, 136, 121, 93}, kPanelBackColor, QStringLiteral("Valores"));
    optH = makeOption(Frame2, {0, 34, 31, 17}, QStringLiteral("H:"), QStringLiteral("Tonalidad"));
    optS = makeOption(Frame2, {0, 54, 31, 17}, QStringLiteral("S:"), QStringLiteral("Saturacion"));
    optB = makeOption(Frame2, {0, 74, 33, 17}, QStringLiteral("B:"), QStringLiteral("Brillo"));
    optH->setChecked(true);

    txtH = makeField(Frame2, {30, 32, 25, 19}, QStringLiteral("0"), QStringLiteral("Tonalidad"),
                     QStringLiteral("Tonalidad"));
    txtS = makeField(Frame2, {30, 52, 25, 19}, QStringLiteral("100"), QStringLiteral("Saturación"),
                     QStringLiteral("Saturación"));
    txtB = makeField(Frame2, {30, 72, 25, 19}, QStringLiteral("100"), QStringLiteral("Brillo"),
                     QStringLiteral("Brillo"));
    for (EventLineEdit* field : {txtH, txtS, txtB})
        field->setMaxLength(4);

    lblH = makeLabel(Frame2, {56, 32, 7, 11}, QStringLiteral("°"));
    lblH->setFont(labelFont(12));
    lblH->setAccessibleName(QStringLiteral("grados"));
    lblS = makeLabel(Frame2, {56, 54, 11, 13}, QStringLiteral("%"));
    lblS->setFont(labelFont(8.25));
    lblS->setAccessibleName(QStringLiteral("por ciento"));
    lblBB = makeLabel(Frame2, {56, 74, 13, 17}, QStringLiteral("%"));
    lblBB->setFont(labelFont(8.25));
    lblBB->setAccessibleName(QStringLiteral("por ciento"));

    lblR = makeLabel(Frame2, {80, 34, 13, 15}, QStringLiteral("R:"), QStringLiteral("Rojo"));
    lblG = makeLabel(Frame2, {80, 54, 15, 15}, QStringLiteral("G:"), QStringLiteral("Verde"));
    lblB = makeLabel(Frame2, {80, 74, 13, 15}, QStringLiteral("B:"), QStringLiteral("Azul"));
    Text1 = makeField(Frame2, {92, 32, 25, 19}, QStringLiteral("255"), QStringLiteral("Rojo"),
                      QStringLiteral("Rojo"));
    Text2 = makeField(Frame2, {92, 52, 25, 19}, QStringLiteral("0"), QStringLiteral("Verde"),
                      QStringLiteral("Verde"));
    Text3 = makeField(Frame2, {92, 72, 25, 19}, QStringLiteral("0"), QStringLiteral("Azul"),
                      QStringLiteral("Azul"));
}

void Form1::buildFrame1AndDisplays() {
    Frame1 = makeFrame(this, {308, 74, 113, 67}, kPanelBackColor, QStringLiteral("Muestras"));
    Label1 = makeLabel(Frame1, {8, 10, 39, 13}, QStringLiteral("Nuevo"));
    lblSelColor = makeSwatch(Frame1, {8, 24, 49, 29}, QStringLiteral("Color nuevo"));
    Label3 = makeLabel(Frame1, {64, 10, 43, 13}, QStringLiteral("Anterior"));
    Label2 = makeSwatch(Frame1, {57, 24, 48, 29}, QStringLiteral("Color anterior"));

    Label4 = makeLabel(this, {312, 240, 25, 17}, QStringLiteral("Bin:"));
    Label4->setAccessibleName(QStringLiteral("Color en decimal"));
    txtcolor = makeField(this, {344, 240, 89, 19}, QString(), QString(),
                         QStringLiteral("Color en decimal"));
    fillBackground(txtcolor, kPanelBackColor, QPalette::Base);
    Label5 = makeLabel(this, {312, 264, 25, 17}, QStringLiteral("Hex:"));
    Label5->setAccessibleName(QStringLiteral("Color en hexadecimal"));
    fillBackground(Label5, kPanelBackColor, QPalette::Window);
    txtcolorhex = makeField(this, {344, 264, 89, 19}, QString(), QString(),
                            QStringLiteral("Color en hexadecimal"));
    fillBackground(txtcolorhex, kPanelBackColor, QPalette::Base);
}

void Form1::buildFrame3() {
    Frame3 = makeFrame(this, {0, 344, 441, 121}, kWindowBackColor, QStringLiteral("Ejemplo"));
    Image1 = makePicture(Frame3, {0, 0, 444, 101}, QStringLiteral(":/editor/footer.png"),
                         QStringLiteral("Pie de la ventana"));

    txtejemplo = new QPlainTextEdit(Frame3);
    txtejemplo->setGeometry(8, 32, 361, 41);
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
    txtejemplo->setAccessibleName(QStringLiteral("Texto de ejemplo"));

    Picture1 = makePicture(Frame3, {376, 28, 56, 45}, QStringLiteral(":/editor/apply_normal.png"),
                           QStringLiteral("Aplicar color"));
    Picture2 = makePicture(Frame3, {376, 28, 56, 45}, QStringLiteral(":/editor/apply_hover.png"),
                           QStringLiteral("Aplicar color"));
    for (ClickLabel* button : {Picture1, Picture2}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(QStringLiteral("Aplicar color"));
    }
    Picture2->hide();
}

void Form1::connectHandlers() {
    // The picture reports the client area's own mouse events (not those over a control), with
    // logical positions that keep their fraction: a click lands on the same pixel at any scale.
    connect(picture, &SurfaceWidget::mousePressed, this,
            [this](QPointF position, Qt::MouseButton button, Qt::MouseButtons,
                   Qt::KeyboardModifiers modifiers) {
                float x = static_cast<float>(position.x());
                float y = static_cast<float>(position.y());
                Form_MouseDown(buttonCode(button), shiftCode(modifiers), x, y);
            });
    connect(picture, &SurfaceWidget::mouseMoved, this,
            [this](QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                float x = static_cast<float>(position.x());
                float y = static_cast<float>(position.y());
                Form_MouseMove(buttonCode(buttons), shiftCode(modifiers), x, y);
            });
    connect(picture, &SurfaceWidget::mouseReleased, this,
            [this](QPointF position, Qt::MouseButton button, Qt::MouseButtons,
                   Qt::KeyboardModifiers modifiers) {
                float x = static_cast<float>(position.x());
                float y = static_cast<float>(position.y());
                Form_MouseUp(buttonCode(button), shiftCode(modifiers), x, y);
            });

    connect(
        optH, &QRadioButton::clicked, this, [this] { optH_Click(); }, Qt::DirectConnection);
    connect(
        optS, &QRadioButton::clicked, this, [this] { optS_Click(); }, Qt::DirectConnection);
    connect(
        optB, &QRadioButton::clicked, this, [this] { optB_Click(); }, Qt::DirectConnection);

    connect(
        txtH, &EventLineEdit::keyUp, this,
        [this](int key, Qt::KeyboardModifiers shift) { txtH_KeyUp(key, int(shift)); },
        Qt::DirectConnection);
    connect(
        txtH, &EventLineEdit::lostFocus, this, [this] { txtH_LostFocus(); }, Qt::DirectConnection);
    connect(
        txtS, &EventLineEdit::keyUp, this,
        [this](int key, Qt::KeyboardModifiers shift) { txtS_KeyUp(key, int(shift)); },
        Qt::DirectConnection);
    connect(
        txtB, &EventLineEdit::keyUp, this,
        [this](int key, Qt::KeyboardModifiers shift) { txtB_KeyUp(key, int(shift)); },
        Qt::DirectConnection);

    // Setting a field's text from code must run its change handler inside that statement.
    connect(
        Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); }, Qt::DirectConnection);
    connect(
        Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); }, Qt::DirectConnection);
    connect(
        Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); }, Qt::DirectConnection);

    connect(lblSelColor, &ClickLabel::clicked, this, [this] { lblSelColor_Click(); });
    connect(Label2, &ClickLabel::clicked, this, [this] { Label2_Click(); });
    connect(Picture1, &ClickLabel::mouseMoved, this, [this] { Picture1_MouseMove(); });
    connect(Image1, &ClickLabel::mouseMoved, this, [this] { Image1_MouseMove(); });
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
    presentSurface();
}

void Form1::DrawPicker() {
    m_canvas.DrawPicker();
}

void Form1::presentSurface() {
    picture->present();
}

ColorRef Form1::pointAt(std::int64_t x, std::int64_t y) const {
    if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
        return -1;
    return m_surface.point(static_cast<int>(x), static_cast<int>(y));
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

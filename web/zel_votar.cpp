// SPDX-License-Identifier: MIT
#include "zel_votar.h"

#include "AccessibleControls.h"
#include "ClassicLook.h"
#include "SurfaceWidget.h"
#include "modulo_web.h"

#include <QBitmap>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <utility>

namespace tintaro {

namespace {

constexpr ColorRef kBackColor = 0x2BB964;  // green
constexpr ColorRef kLinkOver = 0xFF0000;   // blue
constexpr ColorRef kLinkLabel5 = 0x13A3D9; // gold

// The link's pointer: a monochrome hand whose fingertip is the hotspot.
QCursor handCursor() {
    const QImage hand =
        resourcePicture(QStringLiteral(":/web/hand.rgba")).convertToFormat(QImage::Format_ARGB32);
    // A mask image is black where it masks out, and a bitmap's black is a set bit: the bitmap is
    // set where the hand is black, the mask wherever it is drawn.
    return QCursor(QBitmap::fromImage(hand.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor)),
                   QBitmap::fromImage(hand.createAlphaMask()), 6, 1);
}

} // namespace

void SetOnTop(QWidget* window, const std::int16_t& flag) {
    if (!window)
        return;

    const bool keepOnTop = flag == -1;
    if (window->isWindow() && (flag == -1 || flag == 0) &&
        window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != keepOnTop) {
        // Changing the flags re-creates the window hidden (the show below brings it back); a
        // hidden window that was placed would shift by its frame without its geometry restored.
        const bool placedButHidden = !window->isVisible() && window->testAttribute(Qt::WA_Moved);
        const QRect geometry = window->geometry();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, keepOnTop);
        if (placedButHidden)
            window->setGeometry(geometry);
    }

    const bool wasShown = window->isVisible();
    const bool hadNoActivate = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, hadNoActivate);
    // A window that has just been shown is already at the top of its group.
    if (wasShown)
        window->raise();
}

zel_votar* zel_votar::defaultInstance() {
    static QPointer<zel_votar> instance;
    if (!instance)
        instance = new zel_votar;
    return instance;
}

zel_votar::zel_votar(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Votame"));
    setFixedWindowSize(this, 145, 89);

    setFont(dialogFont());
    setPalette(lightPalette(toQColor(kBackColor)));
    setAutoFillBackground(true);

    Frame1 = new EtchedFrame(QStringLiteral("            Zelkor               "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 0, 145, 89);

    Label5 = makeFixedLabel(Frame1, "Label5", QRect(8, 16, 129, 25),
                            QStringLiteral("¿Quieres que continue desarrollando programas?"));
    Label5->setWordWrap(true);
    Label3 = makeFixedLabel(Frame1, "Label3", QRect(8, 48, 41, 17), QStringLiteral("Votame"));
    QFont linkFont = Label3->font();
    linkFont.setUnderline(true);
    Label3->setFont(linkFont);
    Label3->setCursor(handCursor());
    Label1 = makeFixedLabel(Frame1, "Label1", QRect(8, 72, 97, 17),
                            QStringLiteral("Faltan para cerrarse"));
    Label1->hide();
    Label2 = makeFixedLabel(Frame1, "Label2", QRect(104, 72, 33, 17), QString());
    // Screen readers name the frame by whose it is, the countdown by what it counts.
    Frame1->setAccessibleName(QStringLiteral("Zelkor"));
    Label2->setAccessibleName(QStringLiteral("Segundos para cerrarse"));
    Label2->setAccessibleDescription(QStringLiteral("Segundos para cerrarse"));
    exposeAsWindow(this);
    // The link from the keyboard (Tab, then Space or Enter) or a screen reader, as by a click.
    // It takes the focus from the first Tab on (focusNextPrevChild).
    makeActivatable(Label3, QAccessible::Link, [this] { Label3_Click(); });

    // Moves without a button reach the three handlers; one over a label is not also one over the
    // frame beneath it, not even over the countdown labels, which have no handler of their own.
    for (QWidget* tracked : std::initializer_list<QWidget*>{Frame1, Label3, Label5}) {
        tracked->setMouseTracking(true);
        tracked->installEventFilter(this);
    }
    Label1->setAttribute(Qt::WA_NoMousePropagation);
    Label2->setAttribute(Qt::WA_NoMousePropagation);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &zel_votar::Timer1_Timer);
}

void zel_votar::Show() {
    if (!m_loaded) {
        m_loaded = true;
        SetOnTop(this, -1);
    }
    show();
}

void zel_votar::Label3_Click() {
    // A message box about the browser runs its own event loop, in which the countdown can end
    // or the user can close the window. Deleting the window there would pull it from under this
    // handler and the box, so while the page opens, closing only hides it; it goes afterwards.
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_closed = false;
    OpenWebPage(QStringLiteral("https://zelkor.example/votar_redireccion.htm"), -1);
    setAttribute(Qt::WA_DeleteOnClose);
    if (m_closed) {
        deleteLater();
        return;
    }
    // Starting a running timer would restart its interval and shift every later tick.
    if (!Timer1->isActive())
        Timer1->start();
    Label1->show();
}

void zel_votar::Timer1_Timer() {
    --secondsLeft;
    Label2->setText(QString::number(secondsLeft) + QStringLiteral(" seg"));
    // A screen reader reads the count itself, not only what the label counts.
    Label2->setAccessibleName(Label2->text());
    if (secondsLeft <= 0)
        close(); // which stops the countdown
}

bool zel_votar::focusNextPrevChild(bool next) {
    // A label that can take the focus builds a text-editing engine for its caption as it is
    // shown; the link becomes focusable only when the keyboard first asks for it.
    Label3->setFocusPolicy(Qt::TabFocus);
    return QWidget::focusNextPrevChild(next);
}

void zel_votar::closeEvent(QCloseEvent* event) {
    // An unloaded window counts no more, whether the countdown or the user closed it.
    Timer1->stop();
    m_closed = true;
    QWidget::closeEvent(event);
}

bool zel_votar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        // The link colour follows the pointer: blue over the link, green once it has moved over
        // the frame, gold once over the question (the filter watches these three alone).
        QPalette palette = Label3->palette();
        palette.setColor(QPalette::WindowText, toQColor(watched == Label3   ? kLinkOver
                                                        : watched == Label5 ? kLinkLabel5
                                                                            : kBackColor));
        Label3->setPalette(palette);
        event->accept();
        return true;
    }
    // A click is a press and a release of the left button on the link itself.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == Label3 && (press || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && press)
            m_linkPressed = true;
        else if (mouse->button() == Qt::LeftButton && std::exchange(m_linkPressed, false) &&
                 Label3->rect().contains(mouse->position().toPoint()))
            Label3_Click();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tintaro

#include "SwatchLabel.h"

#include "QtColor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace tintaro {

namespace {

// The colour in words, for screen readers: a swatch is otherwise silent about what it shows.
QString colourWords(ColorRef colour) {
    const QColor c = toQColor(colour);
    return QStringLiteral("Rojo %1, verde %2, azul %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

class SwatchInterface final : public QAccessibleWidget {
public:
    explicit SwatchInterface(SwatchLabel* swatch)
        : QAccessibleWidget(swatch, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description)
            return colourWords(static_cast<const SwatchLabel*>(widget())->backColor());
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* swatchInterface(const QString&, QObject* object) {
    auto* swatch = qobject_cast<SwatchLabel*>(object);
    return swatch ? new SwatchInterface(swatch) : nullptr;
}

} // namespace

SwatchLabel::SwatchLabel(QWidget* parent)
    : ClickLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool installed = [] {
        QAccessible::installFactory(&swatchInterface);
        return true;
    }();
    (void)installed;
}

void SwatchLabel::setBackColor(ColorRef colour) {
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    update();
}

void SwatchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
}

} // namespace tintaro

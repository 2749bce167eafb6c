// SPDX-License-Identifier: MIT
#include "ClassicLook.h"

#include "AccessibleControls.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <cmath>

namespace tintaro {

QFont dialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    // The texts are Latin: laying them out glyph by glyph looks alike and spares shaping every
    // label and list line at start-up.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    // The face's own hints keep small text as crisp as the default light hinting, without the
    // auto-hinter's scan of the whole face when it first opens.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QPalette lightPalette(const QColor& window) {
    QPalette palette = QApplication::style()->standardPalette();
    // A style may follow the desktop's scheme in its standard palette; the text stays dark.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
    }
    palette.setColor(QPalette::Window, window);
    // Setting each brush marks the role as the window's own, so the application's palette no
    // longer shows through when it changes.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    }
    return palette;
}

void setFixedWindowSize(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    // The buttons are named one by one: a window that names none gets every default button,
    // maximize included.
    window->setWindowFlags(
        (window->windowFlags() & ~(Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint)) |
        Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
        Qt::WindowCloseButtonHint);
}

QImage resourcePicture(const QString& path) {
    const QResource resource(path);
    const int side = int(std::sqrt(resource.size() / 4));
    // Copied out: QImage wants its rows 4-byte aligned, which a resource's bytes need not be.
    return QImage(resource.data(), side, side, QImage::Format_RGBA8888).copy();
}

QLabel* makeFixedLabel(QWidget* parent, const char* name, const QRect& geometry,
                       const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleName(text);
    return label;
}

EtchedFrame::EtchedFrame(const QString& title, QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(title);
    exposeAsGroup(this);
}

void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor back = palette().color(QPalette::Window);
    // The caption's box: one line of the font high, as wide as the caption.
    const QString title = windowTitle();
    QRect caption;
    if (!title.isEmpty())
        caption = QRect(8, 0, fontMetrics().horizontalAdvance(title), fontMetrics().height());

    // With a caption the lines run through its middle; without one they start at the top.
    const int top = caption.height() / 2;
    const QRect box(0, top, width() - 2, height() - top - 2);
    painter.setPen(back.darker(160));
    painter.drawRect(box);
    painter.setPen(back.lighter(150));
    painter.drawRect(box.translated(1, 1));
    if (title.isEmpty())
        return;

    painter.fillRect(caption, back);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title);
}

} // namespace tintaro

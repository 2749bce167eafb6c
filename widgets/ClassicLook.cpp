// SPDX-License-Identifier: MIT
#include "ClassicLook.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

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

} // namespace tintaro

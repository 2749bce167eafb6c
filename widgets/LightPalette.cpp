// SPDX-License-Identifier: MIT
#include "LightPalette.h"

#include <QApplication>
#include <QStyle>

namespace tintaro {

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

} // namespace tintaro

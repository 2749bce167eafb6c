// SPDX-License-Identifier: MIT
#include "DarkScheme.h"

#include <QApplication>

namespace tintaro::test {

QPalette darkScheme() {
    QPalette dark(QColor(53, 53, 53)); // button colour; the rest derived from it
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(40, 40, 40));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    return dark;
}

SchemeGuard::SchemeGuard()
    : m_saved(QApplication::palette()) {}

SchemeGuard::~SchemeGuard() {
    QApplication::setPalette(m_saved);
}

} // namespace tintaro::test

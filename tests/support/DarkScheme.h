// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>

namespace tintaro::test {

// The palette a desktop's dark colour scheme gives the application: dark backgrounds, light
// text in every group.
QPalette darkScheme();

// Puts the application's palette back, whatever a test did to it.
class SchemeGuard {
public:
    SchemeGuard();
    ~SchemeGuard();
    SchemeGuard(const SchemeGuard&) = delete;
    SchemeGuard& operator=(const SchemeGuard&) = delete;

private:
    QPalette m_saved;
};

} // namespace tintaro::test

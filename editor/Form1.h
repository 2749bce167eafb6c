#pragma once

#include "runtime/Conversions.h"

#include <QWidget>

namespace tintaro {

// The colour editor window.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // The single default instance, created on first use. It is deleted when closed; the next
    // use creates a new one.
    static Form1* defaultInstance();

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the window modeless; the first show loads it (Form_Load).
    void Show();

    // The chosen account's folder name as a currency number; written before the first show.
    conv::Currency algo;

private:
    void Form_Load();
    bool m_loaded = false;
};

} // namespace tintaro

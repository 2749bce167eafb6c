#pragma once

#include <QWidget>

namespace tintaro {

// The vote-request window.
class zel_votar : public QWidget {
    Q_OBJECT

public:
    // The single default instance, created on first use; deleted when it unloads.
    static zel_votar* defaultInstance();

    explicit zel_votar(QWidget* parent = nullptr);

    // Shows the window modeless; the first show loads it (Form_Load).
    void Show();

private:
    void Form_Load();
    bool m_loaded = false;
};

} // namespace tintaro

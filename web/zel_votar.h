// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QTimer;

namespace tintaro {

// Keeps `window` above all other windows or ends that, and shows it, never activating, moving
// or resizing it. `flag` is a 16-bit boolean:
//   -1     the window stays on top of all others;
//    0     the window no longer stays on top;
//   other  the window is raised within its group; whether it stays on top is not changed.
// A null window is ignored.
void SetOnTop(QWidget* window, const std::int16_t& flag);

// The vote-request window: asks the user to vote for the program, opens the vote page from its
// link "Votame" and, once the link has been used, closes itself after twenty one-second ticks.
// It keeps itself above all other windows. Its controls carry their names as object names
// (Frame1, Label1, Label2, Label3, Label5, Timer1).
class zel_votar : public QWidget {
    Q_OBJECT

public:
    // The single default instance, created on first use; deleted when it unloads.
    static zel_votar* defaultInstance();

    explicit zel_votar(QWidget* parent = nullptr);

    // Shows the window modeless; the first show puts it above all other windows.
    void Show();

    // Opens the vote page, starts the countdown if it is not running yet, shows "Faltan para
    // cerrarse". Further clicks open the page again and leave the countdown as it is.
    void Label3_Click();
    // One countdown tick: one second less in Label2 ("19 seg" after the first); at 0 the window
    // unloads (closes and is deleted).
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* Frame1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

    std::int32_t secondsLeft = 20;
    bool m_loaded = false;
    bool m_linkPressed = false;
    bool m_closed = false;
};

} // namespace tintaro

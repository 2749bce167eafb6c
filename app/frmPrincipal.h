// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>

class QLabel;
class QListWidget;

namespace tintaro {

namespace account {
struct AccountEntry;
}

// An account as the list shows it, on one line: control characters decoded from a damaged
// map.dat (a line feed would split the line in two) show as replacement marks.
QString accountListLine(const account::AccountEntry& entry);

// The start-up window: the list of Messenger accounts. Picking a line hands the account to the
// colour editor and closes this window for good.
class frmPrincipal : public QWidget {
    Q_OBJECT

public:
    explicit frmPrincipal(QWidget* parent = nullptr);

    // Loads the window once (Form_Load), then shows it modeless.
    void Show();

    // Fills List1 with one line per account, then shows the vote window. Runs once, before the
    // window is first shown.
    void Form_Load();

    // The Application Data folder of the current Wine prefix, as a Windows path without a
    // trailing backslash.
    QString GetDataFolder() const;
    // The low 32 bits of the size of the file at the Windows path, -1 when it cannot be opened.
    std::int32_t GetFileLength(const QString& sFilePath) const;

    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* List1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs when the selection moves to a line, by mouse or keyboard.
    void List1_Click();
    // A key pressed in the list while no line is current; true when it picked a line itself.
    bool firstKeyPress(int key);

    // Drawn in the list while it has no line: why, and which prefix was searched; the focus.
    void paintEmpty();

    bool m_loaded = false;
    bool m_unloading = false;
    QString m_emptyNote;
};

} // namespace tintaro

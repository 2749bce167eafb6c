// SPDX-License-Identifier: MIT
#include "frmPrincipal.h"

#include "AccessibleControls.h"
#include "AccountDiscovery.h"
#include "ClassicLook.h"
#include "Conversions.h"
#include "DataSource.h"
#include "Form1.h"
#include "PrefixNote.h"
#include "zel_votar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <algorithm>

namespace tintaro {

namespace {

// Shows the keyboard focus on the first line while no line is current, the line the first
// arrow key picks (see firstKeyPress); the style draws it as it draws a current line's focus.
class FocusCueDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cued = option;
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view && view->hasFocus() && !view->currentIndex().isValid() && index.row() == 0)
            cued.state |= QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cued, index);
    }
};

} // namespace

QString accountListLine(const account::AccountEntry& entry) {
    QString line = QString::fromStdU16String(account::accountLine(entry));
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    return line;
}

frmPrincipal::frmPrincipal(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    // No caption of its own: the toolkit names the window after the application instead.
    setFixedWindowSize(this, 319, 269);
    exposeAsWindow(this);
    setFont(dialogFont());

    // The picture is named for screen readers by whose it is.
    Image1 = makeFixedLabel(this, "Image1", QRect(16, 8, 96, 96), QStringLiteral("Zelkor"));
    Image1->setPixmap(QPixmap::fromImage(resourcePicture(QStringLiteral(":/app/zelkor.rgba"))));
    Label3 = makeFixedLabel(this, "Label3", QRect(120, 8, 105, 41),
                            QStringLiteral("¿50.000 usuarios pueden estar confundidos?"));
    Label3->setWordWrap(true);
    Label4 = makeFixedLabel(this, "Label4", QRect(120, 64, 193, 33),
                            QStringLiteral("Made by \"Zelkor\" - https://zelkor.example/"));
    Label4->setWordWrap(true);
    QPalette red = Label4->palette();
    red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    Label4->setPalette(red);

    Label1 = makeFixedLabel(
        this, "Label1", QRect(16, 112, 337, 17),
        QStringLiteral("Haz click sobre la cuenta de msn que quieres cambiar el color."));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(8, 128, 305, 134);
    List1->setItemDelegate(new FocusCueDelegate(List1));
    List1->setAccessibleName(QStringLiteral("Cuentas de msn"));
    // Selection, not the current row: focusing the list makes its first line current without
    // the user picking it.
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmPrincipal::List1_Click);
    List1->installEventFilter(this);
    List1->viewport()->installEventFilter(this);
}

bool frmPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1->viewport()) {
        // Only the left button moves the selection, as in a list box: here a moved selection picks
        // the account and closes this window for good, which a right or middle click must not.
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
            type == QEvent::MouseButtonRelease)
            return static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton;
        // Over the background already filled; the list itself draws nothing without lines.
        if (type == QEvent::Paint && List1->count() == 0)
            paintEmpty();
    }
    if (watched == List1 && event->type() == QEvent::KeyPress && !List1->currentIndex().isValid())
        return firstKeyPress(static_cast<const QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void frmPrincipal::paintEmpty() {
    QWidget* viewport = List1->viewport();
    QPainter painter(viewport);
    if (!m_emptyNote.isEmpty()) {
        painter.setFont(List1->font());
        painter.setPen(List1->palette().color(QPalette::PlaceholderText));
        // A path longer than a line, with no space to break at, is broken where the line ends.
        painter.drawText(viewport->rect().adjusted(8, 8, -8, -8),
                         Qt::AlignCenter | Qt::TextWordWrap, m_emptyNote);
    }
    // With no line to carry it, the focus shows around the inside of the list.
    if (List1->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(viewport);
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.backgroundColor = List1->palette().color(QPalette::Base);
        List1->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, viewport);
    }
}

bool frmPrincipal::firstKeyPress(int key) {
    // With no line current the toolkit's list takes every movement key to the first line. A
    // list box with nothing selected takes End to the last line and Page Down to the last line
    // of the first page; a line picked here is the account that gets the colour.
    const int count = List1->count();
    int row = -1;
    if (key == Qt::Key_End) {
        row = count - 1;
    } else if (key == Qt::Key_PageDown && count > 0) {
        const int lineHeight = List1->sizeHintForRow(0);
        const int perPage = lineHeight > 0 ? List1->viewport()->height() / lineHeight : 1;
        row = std::clamp(perPage, 1, count) - 1;
    }
    if (row < 0)
        return false; // the others land on the first line, as in a list box
    List1->setCurrentRow(row);
    return true;
}

void frmPrincipal::Show() {
    Form_Load();
    show();
}

void frmPrincipal::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    for (const auto& entry :
         account::discoverAccounts(currentFileSystem(), GetDataFolder().toStdString()))
        List1->addItem(accountListLine(entry));
    // No current line: the first arrow key then picks the first line, and focusing the list
    // does not quietly make a line current.
    List1->setCurrentIndex(QModelIndex());
    // An empty list alone does not tell a wrong prefix from a profile without accounts.
    if (List1->count() == 0) {
        m_emptyNote = emptyListNote();
        List1->setAccessibleDescription(m_emptyNote);
    }
    // While this window is still loading, so the vote window is on screen first.
    zel_votar::defaultInstance()->Show();
}

QString frmPrincipal::GetDataFolder() const {
    return QString::fromStdString(currentAppDataFolder());
}

std::int32_t frmPrincipal::GetFileLength(const QString& sFilePath) const {
    return currentFileSystem().fileLength(sFilePath.toStdString());
}

void frmPrincipal::List1_Click() {
    if (m_unloading)
        return;
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString folder = selected.first()->text().section(QLatin1Char(':'), 0, 0);
    const auto number = conv::currencyFromText(folder.toStdString());
    if (!number)
        return; // every listed name converts; anything else is not an account to hand over

    Form1* editor = Form1::defaultInstance();
    editor->algo = *number;
    editor->Show();
    m_unloading = true;
    close(); // deleted on close: the window is never shown again
}

} // namespace tintaro

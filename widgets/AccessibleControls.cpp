// SPDX-License-Identifier: MIT
#include "AccessibleControls.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace tintaro {

namespace {

class Activator final : public QObject {
public:
    Activator(QWidget* control, std::function<void()> activate)
        : QObject(control)
        , m_control(control)
        , m_activate(std::move(activate)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                // Tab moves the focus on, which ends this; in a window where nothing else takes
                // the focus it stays here, now brought by the keyboard.
                m_keyboardFocus = true;
                m_control->update();
                return false;
            }
            // Only after the keyboard brought the focus here: the window's activation also
            // focuses the control, and a key pressed then was not meant for it.
            if (!m_keyboardFocus || (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return &&
                                     key->key() != Qt::Key_Enter))
                return false;
            // A held key repeats; one press is one use.
            if (!key->isAutoRepeat())
                m_activate();
            return true;
        }
        case QEvent::FocusIn: {
            // Back with its window, or moved by the program, it stays as it was.
            const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::ShortcutFocusReason)
                m_keyboardFocus = true;
            else if (reason == Qt::MouseFocusReason)
                m_keyboardFocus = false;
            m_control->update();
            return false;
        }
        case QEvent::FocusOut: {
            // Leaving with the window keeps the state for its return; moving on ends it.
            const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_keyboardFocus = false;
            m_control->update();
            return false;
        }
        case QEvent::Paint: {
            if (!m_keyboardFocus || !m_control->hasFocus())
                return false;
            // The control paints itself first, then the mark goes over it. QObject::event is
            // public, and reaches the control's own paint handler.
            static_cast<QObject*>(m_control)->event(event);
            QPainter painter(m_control);
            QStyleOptionFocusRect option;
            option.initFrom(m_control);
            m_control->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter,
                                              m_control);
            return true;
        }
        default:
            return false;
        }
    }

private:
    QWidget* m_control;
    std::function<void()> m_activate;
    bool m_keyboardFocus = false;
};

// A marked widget as screen readers see it: in its role, with the press action of an activatable
// control, and named where it has no name of its own: a group by its caption without the spaces
// that place it in the frame, an untitled window by the application's name, as its title bar.
class MarkedInterface final : public QAccessibleWidget {
public:
    MarkedInterface(QWidget* widget, QAccessible::Role role, std::function<void()> activate)
        : QAccessibleWidget(widget, role)
        , m_activate(std::move(activate)) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty() && role() == QAccessible::Grouping)
            text = widget()->windowTitle().simplified();
        if (kind == QAccessible::Name && text.isEmpty() && role() == QAccessible::Window)
            text = QGuiApplication::applicationDisplayName();
        return text;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (m_activate)
            names << pressAction();
        return names;
    }

    void doAction(const QString& action) override {
        if (m_activate && action == pressAction())
            m_activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    std::function<void()> m_activate;
};

// The widgets marked here and how each presents itself. The toolkit asks for an interface for
// every widget it shows or renames, so the answer for the others must be quick: a lookup by
// address rather than by property name.
struct Mark {
    QAccessible::Role role;
    std::function<void()> activate; // set for an activatable control
};

QHash<const QObject*, Mark>& marks() {
    // Never destroyed: a widget may go after the program's statics.
    static auto* const marked = new QHash<const QObject*, Mark>;
    return *marked;
}

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    const auto found = marks().constFind(object);
    if (found == marks().cend())
        return nullptr;
    // Only widgets are marked.
    return new MarkedInterface(static_cast<QWidget*>(object), found->role, found->activate);
}

void mark(QWidget* widget, Mark how) {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    if (!marks().contains(widget))
        QObject::connect(widget, &QObject::destroyed,
                         [widget] { marks().remove(static_cast<const QObject*>(widget)); });
    marks().insert(widget, std::move(how));
    // Setting the widget's accessible name or caption already made the toolkit create and keep
    // an interface for it; that one is dropped, so that the next query makes ours.
    QAccessibleInterface* kept = QAccessible::queryAccessibleInterface(widget);
    if (kept && !dynamic_cast<MarkedInterface*>(kept))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(kept));
}

} // namespace

void makeActivatable(QWidget* control, QAccessible::Role role, std::function<void()> activate) {
    control->installEventFilter(new Activator(control, activate));
    mark(control, {role, std::move(activate)});
}

void exposeAsWindow(QWidget* window) {
    mark(window, {QAccessible::Window, {}});
}

void exposeAsGroup(QWidget* group) {
    mark(group, {QAccessible::Grouping, {}});
}

} // namespace tintaro

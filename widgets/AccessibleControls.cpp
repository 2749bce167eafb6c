#include "AccessibleControls.h"

#include "EtchedFrame.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace tintaro {

namespace {

class Activator final : public QObject {
public:
    Activator(QWidget* control, QAccessible::Role role, std::function<void()> activate)
        : QObject(control)
        , m_control(control)
        , m_role(role)
        , m_activate(std::move(activate)) {}

    QAccessible::Role role() const { return m_role; }
    void activate() const { m_activate(); }

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
        case QEvent::FocusIn:
            switch (static_cast<const QFocusEvent*>(event)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
                m_keyboardFocus = true;
                break;
            case Qt::MouseFocusReason:
                m_keyboardFocus = false;
                break;
            default: // back with its window, or moved by the program: as it was
                break;
            }
            m_control->update();
            return false;
        case QEvent::FocusOut: {
            // Leaving with the window keeps the state for its return; moving on ends it.
            const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_keyboardFocus = false;
            m_control->update();
            return false;
        }
        case QEvent::Paint:
            if (!m_keyboardFocus || !m_control->hasFocus())
                return false;
            // The control paints itself first, then the mark goes over it. QObject::event is
            // public, and reaches the control's own paint handler.
            static_cast<QObject*>(m_control)->event(event);
            paintFocusMark();
            return true;
        default:
            return false;
        }
    }

private:
    void paintFocusMark() const {
        QPainter painter(m_control);
        QStyleOptionFocusRect option;
        option.initFrom(m_control);
        option.rect = m_control->rect();
        m_control->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, m_control);
    }

    QWidget* m_control;
    QAccessible::Role m_role;
    std::function<void()> m_activate;
    bool m_keyboardFocus = false;
};

class ActivatableInterface final : public QAccessibleWidget {
public:
    ActivatableInterface(QWidget* control, const Activator* activator)
        : QAccessibleWidget(control, activator->role())
        , m_activator(activator) {}

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString& action) override {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (m_activator)
            m_activator->activate();
    }

private:
    QPointer<const Activator> m_activator;
};

class WindowInterface final : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        // An untitled window's title bar shows the application's name; so does its name here.
        if (kind == QAccessible::Name && text.isEmpty())
            text = QGuiApplication::applicationDisplayName();
        return text;
    }
};

class GroupInterface final : public QAccessibleWidget {
public:
    explicit GroupInterface(QWidget* group)
        : QAccessibleWidget(group, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        // Unnamed, a group reads its caption, without the spaces that place it in the frame.
        if (kind == QAccessible::Name && text.isEmpty())
            if (const auto* frame = dynamic_cast<const EtchedFrame*>(widget()))
                text = frame->title().simplified();
        return text;
    }
};

// The widgets marked here and how each presents itself. The toolkit asks for an interface for
// every widget it shows or renames, so the answer for the others must be quick: a lookup by
// address rather than by property name.
struct Mark {
    enum class Kind { Activatable, Window, Group } kind;
    const Activator* activator = nullptr; // a child of the widget, for Activatable
};

QHash<const QObject*, Mark>& marks() {
    // Never destroyed: a widget may go after the program's statics.
    static auto* const marked = new QHash<const QObject*, Mark>;
    return *marked;
}

void mark(QWidget* widget, Mark how) {
    const bool known = marks().contains(widget);
    marks().insert(widget, how);
    if (!known)
        QObject::connect(widget, &QObject::destroyed,
                         [widget] { marks().remove(static_cast<const QObject*>(widget)); });
}

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    const auto found = marks().constFind(object);
    if (found == marks().cend())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object); // only widgets are marked
    switch (found->kind) {
    case Mark::Kind::Activatable:
        return new ActivatableInterface(widget, found->activator);
    case Mark::Kind::Window:
        return new WindowInterface(widget);
    case Mark::Kind::Group:
        return new GroupInterface(widget);
    }
    return nullptr;
}

void installInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(&interfaceFor);
        return true;
    }();
    (void)installed;
}

// Setting a control's accessible name or caption already made the toolkit create and keep an
// interface for it; one made before the control was marked here is dropped, so that the next
// query makes ours.
void replaceInterface(QWidget* widget) {
    QAccessibleInterface* kept = QAccessible::queryAccessibleInterface(widget);
    if (kept && !dynamic_cast<ActivatableInterface*>(kept) &&
        !dynamic_cast<WindowInterface*>(kept) && !dynamic_cast<GroupInterface*>(kept))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(kept));
}

} // namespace

void makeActivatable(QWidget* control, QAccessible::Role role, std::function<void()> activate) {
    installInterfaces();
    auto* activator = new Activator(control, role, std::move(activate));
    mark(control, {Mark::Kind::Activatable, activator});
    control->installEventFilter(activator);
    replaceInterface(control);
}

void exposeAsWindow(QWidget* window) {
    installInterfaces();
    mark(window, {Mark::Kind::Window});
    replaceInterface(window);
}

void exposeAsGroup(QWidget* group) {
    installInterfaces();
    mark(group, {Mark::Kind::Group});
    replaceInterface(group);
}

} // namespace tintaro

#include "screen_accessible.h"

#include "screen.h"
#include "stage.h"

#include <QAccessibleWidget>
#include <QRadioButton>

namespace screen_accessible {
namespace {

class ScreenInterface final : public QAccessibleWidget {
public:
    explicit ScreenInterface(Screen* screen) : QAccessibleWidget(screen, QAccessible::Dialog) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (covered()) {
            state.invisible = true;
            state.focusable = false;
            state.focused = false;
        }
        return state;
    }
    int childCount() const override { return covered() ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return covered() ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return covered() ? -1 : QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return covered() ? nullptr : QAccessibleWidget::childAt(x, y);
    }
    QStringList actionNames() const override {
        return covered() ? QStringList() : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (!covered())
            QAccessibleWidget::doAction(name);
    }

private:
    // Shown, but not the screen in front: the keyboard and the mouse cannot
    // reach it either.
    bool covered() const {
        const auto* screen = static_cast<const Screen*>(widget());
        const auto* stage = qobject_cast<const Stage*>(screen->parentWidget());
        return stage && screen->isVisible() && stage->frontScreen() != screen;
    }
};

// A control under a picture is still a visible widget to Qt; it is told to
// assistive tools as invisible too, for those that ask it directly.
class UnseenInterface final : public QAccessibleWidget {
public:
    explicit UnseenInterface(QWidget* control)
        : QAccessibleWidget(control, qobject_cast<QRadioButton*>(control) ? QAccessible::RadioButton
                                                                          : QAccessible::Client) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.offscreen = true;
        state.focusable = false;
        return state;
    }
};

// The client area, with its controls in their order among siblings, less
// those that lie hidden under others.
class ClientInterface final : public QAccessibleWidget {
public:
    explicit ClientInterface(QWidget* client) : QAccessibleWidget(client, QAccessible::Client) {}

    int childCount() const override { return int(listed().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = listed();
        return index >= 0 && index < shown.size()
                   ? QAccessible::queryAccessibleInterface(shown[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(listed().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> listed() const {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(object);
            if (w && !w->isWindow() && !w->property(Unseen).toBool())
                shown.append(w);
        }
        return shown;
    }
};

} // namespace

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* screen = qobject_cast<Screen*>(object))
        return new ScreenInterface(screen);
    if (auto* client = qobject_cast<FormSurface*>(object))
        return new ClientInterface(client);
    if (auto* control = qobject_cast<QWidget*>(object);
        control && control->property(Unseen).toBool())
        return new UnseenInterface(control);
    return nullptr;
}

} // namespace screen_accessible

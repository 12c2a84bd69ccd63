#include "menu_entry.h"

#include "style.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor kDisabledText(128, 128, 128);
} // namespace

void MenuEntry::setOpaque(bool opaque) {
    if (opaque == autoFillBackground())
        return;
    setAutoFillBackground(opaque);
    update();
}

void MenuEntry::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void MenuEntry::mouseDoubleClickEvent(QMouseEvent*) {
    // The second click of a double-click is not a click of its own: one
    // double-click on "Next Question >>" moves on by one question.
    pressed_ = false;
}

void MenuEntry::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Q_EMIT clicked();
}

void MenuEntry::mouseMoveEvent(QMouseEvent*) {
    Q_EMIT mouseMoved();
}

void MenuEntry::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A held key is one press, as a held button is one click.
        if (!event->isAutoRepeat() && isEnabled())
            Q_EMIT clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void MenuEntry::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = style::cameByKeyboard(event->reason());
    // Past the label's own handling, which lays the text out again for a
    // selection that this control never has.
    QFrame::focusInEvent(event);
    update();
}

void MenuEntry::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QFrame::focusOutEvent(event);
    update();
}

void MenuEntry::changeEvent(QEvent* event) {
    // A greyed entry is not there for the mouse: its moves reach the screen
    // beneath, which clears the highlight, and it can never be clicked.
    if (event->type() == QEvent::EnabledChange)
        setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
    QLabel::changeEvent(event);
}

void MenuEntry::paintEvent(QPaintEvent*) {
    {
        QPainter painter(this);
        style::paintLabelText(this, painter);
        style::paintThinBorder(this, painter);
    }
    if (showsFocusRing())
        style::paintFocusRing(this);
}

namespace {
class MenuEntryAccessible : public QAccessibleWidget {
public:
    explicit MenuEntryAccessible(MenuEntry* entry)
        : QAccessibleWidget(entry, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return entry()->text().simplified();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return entry()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && entry()->isEnabled())
            Q_EMIT entry()->clicked();
    }

private:
    MenuEntry* entry() const { return static_cast<MenuEntry*>(widget()); }
};

QAccessibleInterface* menuEntryInterface(const QString& key, QObject* object) {
    if (key == QLatin1String("MenuEntry"))
        if (auto* entry = qobject_cast<MenuEntry*>(object))
            return new MenuEntryAccessible(entry);
    return nullptr;
}
} // namespace

MenuEntry::MenuEntry(QWidget* parent, const QString& caption, const QColor& entryColour,
                     const QFont& font)
    : QLabel(caption, parent) {
    // A screen reader hears an entry as a button, greyed ones as unavailable.
    static const bool accessible = [] {
        QAccessible::installFactory(menuEntryInterface);
        return true;
    }();
    (void)accessible;
    QPalette p = palette();
    p.setColor(QPalette::Window, entryColour);
    p.setColor(QPalette::WindowText, style::Yellow);
    p.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledText);
    setPalette(p);
    setFont(font);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setMouseTracking(true);
    setOpaque(true);
    setFocusPolicy(Qt::TabFocus);
}

#include "moc_menu_entry.cpp"

#include "drag_label_accessible.h"

#include "drag_label.h"

#include <QAccessibleWidget>

namespace drag_label_accessible {
namespace {

class LabelInterface final : public QAccessibleWidget {
public:
    explicit LabelInterface(DragLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        QStringList actions;
        if (const Destinations* to = label()->destinations(); to && to->names) {
            for (const QString& box : to->names())
                actions << actionFor(box);
        }
        return actions;
    }
    void doAction(const QString& name) override {
        const Destinations* to = label()->destinations();
        if (!to || !to->putIn)
            return;
        const qsizetype k = actionNames().indexOf(name);
        if (k >= 0)
            to->putIn(int(k));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    DragLabel* label() const { return static_cast<DragLabel*>(widget()); }
};

} // namespace

QString actionFor(const QString& boxName) {
    return QStringLiteral("Put in ") + boxName;
}

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* label = qobject_cast<DragLabel*>(object))
        return new LabelInterface(label);
    return nullptr;
}

} // namespace drag_label_accessible

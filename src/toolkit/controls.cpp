#include "controls.h"

#include "menu_entry.h"
#include "twips.h"

namespace controls {

QLabel* label(QWidget* parent, const QString& text, const QColor& colour, const QFont& font,
              Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    setTextColour(label, colour);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

MenuEntry* entry(QWidget* parent, const QString& caption) {
    auto* entry = new MenuEntry(parent, caption, Qt::black,
                                twips::font(QStringLiteral("Tahoma"), 15.75, true));
    entry->setBorder(true);
    return entry;
}

void setTextColour(QWidget* control, const QColor& colour) {
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    control->setPalette(p);
}

void setBackColour(QWidget* control, const QColor& colour) {
    QPalette p = control->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    control->setPalette(p);
}

} // namespace controls

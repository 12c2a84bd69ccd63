#include "controls.h"

#include "style.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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

void growToFit(QLabel* label) {
    if (label->wordWrap())
        label->resize(label->width(),
                      std::max(label->height(), label->heightForWidth(label->width())));
    else
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

QString visiblePart(const QString& text, const QFont& font, QSize box) {
    const QFontMetrics metrics(font);
    // More lines and characters a line than fit, so the cut itself never
    // shows, whether the lines wrap or end in line breaks.
    const qsizetype lines = box.height() / std::max(1, metrics.lineSpacing()) + 2;
    const qsizetype perLine = std::max(0, box.width()) + 2;
    qsizetype room = lines * perLine;
    if (text.size() <= room)
        return text;
    if (text.at(room - 1).isHighSurrogate())
        --room;
    return text.left(room);
}

void showText(QLabel* label, const QString& text) {
    label->setText(visiblePart(text, label->font(), label->size()));
}

void showText(QAbstractButton* button, const QString& text) {
    button->setText(visiblePart(text, button->font(), button->size()));
}

QString designName(const char* array, int index) {
    return QStringLiteral("%1[%2]").arg(QString::fromUtf8(array)).arg(index);
}

void nameControls(std::initializer_list<std::pair<const char*, QWidget*>> named) {
    for (const auto& [name, control] : named)
        control->setObjectName(QString::fromUtf8(name));
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

void place(QWidget* control, float left, float top, float width, float height) {
    control->setGeometry(twips::rect(left, top, width, height));
}

void place(QWidget* control, const Place& p) {
    control->setGeometry(twips::rect(p));
}

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : Ringed<QRadioButton>(caption, parent) {
    setMouseTracking(true);
    // Buttons fill with the Button role by default; these take the colour
    // their screen gives them.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void OptionButton::mouseMoveEvent(QMouseEvent* event) {
    QRadioButton::mouseMoveEvent(event);
    event->accept();
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

PushButton::PushButton(const QString& caption, QWidget* parent)
    : Ringed<QPushButton>(caption, parent) {}

void PushButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

CheckBox::CheckBox(QWidget* parent) : Ringed<QCheckBox>(parent) {
    setMouseTracking(true);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void CheckBox::mouseMoveEvent(QMouseEvent* event) {
    QCheckBox::mouseMoveEvent(event);
    event->accept();
}

bool CheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

TextBox::TextBox(QWidget* parent, int maxLength) : Ringed<QLineEdit>(parent) {
    setMouseTracking(true);
    setMaxLength(maxLength);
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    event->accept();
}

void BoxLabel::paintEvent(QPaintEvent* event) {
    // An empty box (a label's home, or a slot whose label sits over it) is
    // only its border, and a dragged label uncovers part of it on every move.
    if (!text().isEmpty())
        QLabel::paintEvent(event);
    QPainter painter(this);
    style::paintThinBorder(this, painter);
}

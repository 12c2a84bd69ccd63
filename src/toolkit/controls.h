#pragma once
// Builders for the controls that every screen uses, so each screen's layout
// reads as its design: text, colour, font, place.
#include "style.h"
#include "twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>
#include <type_traits>
#include <utility>

namespace controls {

// A transparent label with coloured text, wrapped within its width.
QLabel* label(QWidget* parent, const QString& text, const QColor& colour, const QFont& font,
              Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignTop);

// Lets a label grow (never shrink) just enough to show its whole text: taller
// when it wraps, wider when it keeps to one line. For texts whose design box
// was measured with a font a pixel narrower than ours.
void growToFit(QLabel* label);

// Shows a text in a control of fixed size, cut where it stops being visible.
// A text from a file can be any length; laying out a million characters that
// nobody can see would freeze the screen, so only what the box can show is
// ever given to the control. The cut is generous: it assumes every character
// as narrow as a pixel and every line as full as it can be.
void showText(QLabel* label, const QString& text);
void showText(QAbstractButton* button, const QString& text);
// The part of a text that a box of this size could show at this font.
QString visiblePart(const QString& text, const QFont& font, QSize box);

void setTextColour(QWidget* control, const QColor& colour);

// A control's name in the screen's design: "Label2[15]" is element 15 of
// the control array Label2. Tests and tools find controls by it.
QString designName(const char* array, int index);
// Names single controls by their design names.
void nameControls(std::initializer_list<std::pair<const char*, QWidget*>> named);
// Names a control array's elements by their design names.
template <class Controls>
void nameArray(const char* array, const Controls& controls, int from = 0) {
    int index = from;
    for (auto* control : controls) {
        if (control)
            control->setObjectName(designName(array, index));
        ++index;
    }
}
void setBackColour(QWidget* control, const QColor& colour);

// One menu entry of a screen's table: its index in the entry array, its
// caption and place, and how it looks. Most entries are yellow Tahoma bold
// 15.75 pt on black.
struct EntryDesign {
    int index;
    const char* caption;
    Place place;
    double points = 15.75;
    QColor colour = style::Black;
    bool enabled = true;
};

} // namespace controls

// Places a control on its screen in twips.
void place(QWidget* control, float left, float top, float width, float height);
void place(QWidget* control, const Place& place);

// Interactive controls keep the pointer's moves to themselves: moving over
// them is not moving over the screen's background, so the entries keep
// their highlight. An option button or a check box takes a click anywhere
// in its box, not only on its circle and text: a pupil clicking beside a
// short answer means that answer.
// A control ringed while the keyboard has it (and only when the keyboard
// brought it there: a click changes nothing a mouse user sees). The style's
// own focus marks are a faint tint or a thin line, lost on a whiteboard.
template <class Base> class Ringed : public Base {
public:
    using Base::Base;
    bool showsFocusRing() const { return this->hasFocus() && keyboardFocus_; }

protected:
    void focusInEvent(QFocusEvent* event) override {
        keyboardFocus_ = style::cameByKeyboard(event->reason());
        Base::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        keyboardFocus_ = false;
        Base::focusOutEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        Base::paintEvent(event);
        // A small tick box cannot spare the inner band; the white one stands
        // out from the blue around it. A text box is white inside, so it
        // always has the black band too.
        if (showsFocusRing())
            style::paintFocusRing(this, std::is_base_of_v<QLineEdit, Base> ||
                                            (this->width() > 24 && this->height() > 24));
    }

private:
    bool keyboardFocus_ = false;
};

class OptionButton : public Ringed<QRadioButton> {
public:
    OptionButton(const QString& caption, QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

// A push button that Enter and Return press too, as Space does: a pupil at
// the keyboard expects Enter to answer the title screen's "OK".
class PushButton : public Ringed<QPushButton> {
public:
    PushButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class CheckBox : public Ringed<QCheckBox> {
public:
    explicit CheckBox(QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

class TextBox : public Ringed<QLineEdit> {
public:
    TextBox(QWidget* parent, int maxLength);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

// An empty box with a thin border and nothing else, so the screen shows
// through; or, with a caption, a bordered label.
class BoxLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#pragma once
// What each control says when a pupil asks for it to be read aloud: its own
// words (a text, a caption, an answer, what is typed in a box), else the
// name it has for a screen reader (a picture's description, an empty box's
// name). Speech itself lives elsewhere; this only finds the words.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace spoken_text {

// A control that draws its words itself (a reading page) rather than
// holding them as a text.
class Drawn {
public:
    virtual ~Drawn() = default;
    // What lies at a point of the control (a line of a page), or, where no
    // one part can be told, all of it.
    virtual QString wordsAt(QPoint local) const = 0;
    virtual QString allWords() const = 0;

protected:
    Drawn() = default;
    Drawn(const Drawn&) = default;
    Drawn& operator=(const Drawn&) = default;
};

// The control's words; empty for a control that says nothing.
QString of(const QWidget* control);
// The words at a point of a control: the line of a page, or the control's
// words; when it says nothing, those of the control it lies on.
QString at(const QWidget* control, QPoint local);

// The control a pupil sees at a point of `root` (in its coordinates): the
// one in front, including pictures and pages that let clicks through to
// what lies beneath; `root` itself when none is.
QWidget* controlAt(QWidget* root, QPoint at);

// The words of every control shown within `area`, row by row from the top
// and left to right along a row, as the Tab stops go; controls hidden from
// screen readers are left out, as are those `leaveOut` names.
QStringList inReadingOrder(const QWidget* area,
                           const std::function<bool(const QWidget*)>& leaveOut = {});

// One text to speak from its parts, each ending as a sentence does, so
// that the voice pauses between them.
QString joined(const QStringList& parts);

} // namespace spoken_text

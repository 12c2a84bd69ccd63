#include "spoken_text.h"

#include "screen.h"
#include "screen_accessible.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocumentFragment>
#include <algorithm>

namespace spoken_text {
namespace {
// A button's caption without the marks of its shortcut letter: "&OK" is
// read "OK", "Salt && Pepper" "Salt & Pepper".
QString withoutMnemonics(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

QString ownWords(const QWidget* control) {
    if (const auto* drawn = dynamic_cast<const Drawn*>(control))
        return drawn->allWords();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const QString text =
            label->textFormat() == Qt::RichText ||
                    (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))
                ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                : label->text();
        return text;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return withoutMnemonics(button->text());
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        // What is typed is read as typed; a password box keeps its secret.
        if (box->echoMode() != QLineEdit::Normal)
            return {};
        return box->text().isEmpty() ? box->placeholderText() : box->text();
    }
    return {};
}

bool unseen(const QWidget* control) {
    return control->property(screen_accessible::Unseen).toBool();
}
} // namespace

QString of(const QWidget* control) {
    if (!control)
        return {};
    QString words = ownWords(control).simplified();
    if (words.isEmpty())
        words = control->accessibleName().simplified();
    return words;
}

QString at(const QWidget* control, QPoint local) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (const auto* screen = qobject_cast<const Screen*>(w))
            // The screen's own frame: its caption bar.
            return w == control ? screen->Caption() : QString();
        const auto* drawn = dynamic_cast<const Drawn*>(w);
        const QString words = drawn && w == control ? drawn->wordsAt(local).simplified() : of(w);
        if (!words.isEmpty() || w->isWindow())
            return words;
    }
    return {};
}

QWidget* controlAt(QWidget* root, QPoint at) {
    // Qt's own childAt passes over the controls that let clicks through, and
    // those are the very pictures and pages a pupil points at.
    const QObjectList& children = root->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* child = qobject_cast<QWidget*>(*it);
        if (!child || child->isWindow() || child->isHidden() || unseen(child) ||
            !child->geometry().contains(at))
            continue;
        return controlAt(child, child->mapFromParent(at));
    }
    return root;
}

QStringList inReadingOrder(const QWidget* area,
                           const std::function<bool(const QWidget*)>& leaveOut) {
    std::vector<std::pair<QPoint, QString>> found;
    for (const QWidget* w : area->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(area) || w->isWindow() || (leaveOut && leaveOut(w)))
            continue;
        bool hidden = false;
        for (const QWidget* up = w; up && up != area; up = up->parentWidget())
            hidden = hidden || unseen(up);
        if (hidden)
            continue;
        const QString words = of(w);
        if (!words.isEmpty())
            found.emplace_back(w->mapTo(area, QPoint(0, 0)), words);
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.y(), a.first.x()) < std::pair(b.first.y(), b.first.x());
    });
    QStringList words;
    for (const auto& [place, text] : found)
        words << text;
    return words;
}

QString joined(const QStringList& parts) {
    QStringList sentences;
    for (const QString& part : parts) {
        const QString text = part.simplified();
        if (text.isEmpty())
            continue;
        const bool ends = QStringLiteral(".?!:;").contains(text.back());
        sentences << (ends ? text : text + u'.');
    }
    return sentences.join(u' ');
}

} // namespace spoken_text

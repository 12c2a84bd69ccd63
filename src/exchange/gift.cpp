#include "gift.h"

#include "bank_text.h"

#include <QStringList>

namespace gift {
namespace {

const QString kSpecial = QStringLiteral("~=#{}:\\");

QString escapedForGift(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (kSpecial.contains(c))
            out += u'\\';
        out += c;
    }
    return out;
}

// A question's block with its escapes taken out: each character remembers
// whether it was escaped, so that only the others part the question.
struct Marked {
    QString text;
    QList<bool> escaped;

    bool isMark(qsizetype i, QChar c) const {
        return i < text.size() && text[i] == c && !escaped[i];
    }
    bool isMark(qsizetype i, QStringView marks) const {
        if (i + marks.size() > text.size())
            return false;
        for (qsizetype k = 0; k < marks.size(); ++k) {
            if (!isMark(i + k, marks[k]))
                return false;
        }
        return true;
    }
    qsizetype find(QStringView marks, qsizetype from, qsizetype to) const {
        for (qsizetype i = from; i + marks.size() <= to; ++i) {
            if (isMark(i, marks))
                return i;
        }
        return -1;
    }
    qsizetype skipBlanks(qsizetype i, qsizetype to) const {
        while (i < to && text[i].isSpace())
            ++i;
        return i;
    }
};

Marked unescape(const QString& block) {
    Marked marked;
    for (qsizetype i = 0; i < block.size(); ++i) {
        QChar c = block[i];
        bool escaped = false;
        if (c == u'\\' && i + 1 < block.size()) {
            const QChar next = block[i + 1];
            if (kSpecial.contains(next) || next == u'n') {
                c = next == u'n' ? QChar(u'\n') : next;
                escaped = true;
                ++i;
            }
        }
        marked.text += c;
        marked.escaped.append(escaped);
    }
    return marked;
}

enum class Format { Moodle, Html, Plain, Markdown };

// A text as a worksheet would show it, in the question's format.
bank_text::Plain shown(const QString& text, Format format) {
    if (format == Format::Plain || format == Format::Markdown)
        return {bank_text::oneLine(text), {}};
    return bank_text::fromHtml(text);
}

// What kind of question answers of this shape make, when it is not
// multiple choice; empty when it is.
QString notMultipleChoice(const Marked& m, qsizetype from, qsizetype to) {
    from = m.skipBlanks(from, to);
    const QString body = m.text.mid(from, to - from).trimmed();
    if (body.isEmpty())
        return QStringLiteral("it is an essay question, not multiple choice.");
    if (m.isMark(from, u'#'))
        return QStringLiteral("it is a numerical question, not multiple choice.");
    if (m.find(u"~", from, to) >= 0)
        return {};
    if (m.isMark(from, u'=') && m.find(u"->", from, to) >= 0)
        return QStringLiteral("it is a matching question, not multiple choice.");
    const qsizetype feedback = m.find(u"#", from, to);
    const QString word =
        m.text.mid(from, (feedback < 0 ? to : feedback) - from).trimmed().toUpper();
    if (word == u"T" || word == u"F" || word == u"TRUE" || word == u"FALSE")
        return QStringLiteral("it is a true-or-false question, not multiple choice.");
    return QStringLiteral("it is a short-answer question, not multiple choice.");
}

struct Answers {
    QStringList texts;
    QList<double> marks;
    QString refusal;
};

Answers answersOf(const Marked& m, qsizetype from, qsizetype to) {
    Answers answers;
    // The general feedback closes the answers.
    if (const qsizetype general = m.find(u"####", from, to); general >= 0)
        to = general;
    QList<qsizetype> starts;
    for (qsizetype i = from; i < to; ++i) {
        if (m.isMark(i, u'~') || m.isMark(i, u'='))
            starts.append(i);
    }
    if (starts.isEmpty() || !m.text.mid(from, starts.front() - from).trimmed().isEmpty()) {
        answers.refusal = QStringLiteral("its answers do not each begin with ~ or =.");
        return answers;
    }
    starts.append(to);
    for (qsizetype k = 0; k + 1 < starts.size(); ++k) {
        qsizetype begin = m.skipBlanks(starts[k] + 1, starts[k + 1]);
        const qsizetype end = starts[k + 1];
        double mark = m.isMark(starts[k], u'=') ? 100 : 0;
        if (begin < end && m.isMark(begin, u'%')) {
            const qsizetype close = m.find(u"%", begin + 1, end);
            bool number = false;
            if (close > 0)
                mark = m.text.mid(begin + 1, close - begin - 1).trimmed().toDouble(&number);
            if (!number) {
                answers.refusal = QStringLiteral("an answer's mark (%...%) is not a number.");
                return answers;
            }
            begin = close + 1;
        }
        const qsizetype feedback = m.find(u"#", begin, end);
        answers.texts.append(m.text.mid(begin, (feedback < 0 ? end : feedback) - begin));
        answers.marks.append(mark);
    }
    return answers;
}

bank::Question question(const QString& block, int number, const QString& category) {
    bank::Question q;
    q.number = number;
    q.category = category;
    const Marked m = unescape(block);
    const qsizetype size = m.text.size();
    qsizetype at = m.skipBlanks(0, size);
    QString name;
    if (m.isMark(at, u"::")) {
        const qsizetype close = m.find(u"::", at + 2, size);
        if (close < 0) {
            q.label = bank_text::oneLine(block);
            q.refusal = QStringLiteral("its name (::) is never closed.");
            return q;
        }
        name = bank_text::oneLine(m.text.mid(at + 2, close - at - 2));
        at = m.skipBlanks(close + 2, size);
    }
    Format format = Format::Moodle;
    if (m.isMark(at, u'[')) {
        static const QStringList formats = {QStringLiteral("moodle"), QStringLiteral("html"),
                                            QStringLiteral("plain"), QStringLiteral("markdown")};
        const qsizetype close = m.find(u"]", at, size);
        const qsizetype known =
            close < 0 ? -1 : formats.indexOf(m.text.mid(at + 1, close - at - 1).toLower());
        if (known >= 0) {
            format = Format(known);
            at = close + 1;
        }
    }
    const qsizetype open = m.find(u"{", at, size);
    const qsizetype close = open < 0 ? -1 : m.find(u"}", open + 1, size);
    const QString before = m.text.mid(at, (open < 0 ? size : open) - at);
    q.label = bank_text::oneLine(before).isEmpty() ? name : bank_text::oneLine(before);
    if (open < 0) {
        q.refusal = QStringLiteral("it has no answers: it is a description, not a question.");
        return q;
    }
    if (close < 0) {
        q.refusal = QStringLiteral("its answers ({) are never closed with }.");
        return q;
    }
    if (const QString kind = notMultipleChoice(m, open + 1, close); !kind.isEmpty()) {
        q.refusal = kind;
        return q;
    }
    Answers answers = answersOf(m, open + 1, close);
    if (answers.refusal.isEmpty())
        answers.refusal = bank::judgeMarks(answers.marks, &q.right);
    if (!answers.refusal.isEmpty()) {
        q.refusal = answers.refusal;
        return q;
    }
    // Answers amid the text leave a gap where they stood ("missing word").
    QString text = before;
    if (const QString after = m.text.mid(close + 1).trimmed(); !after.isEmpty()) {
        const QString gap =
            after.front().isLetterOrNumber() ? QStringLiteral(" _____ ") : QStringLiteral(" _____");
        text = before.trimmed() + gap + after;
    }
    const bank_text::Plain plain = shown(text, format);
    q.text = plain.text;
    q.refusal = plain.refusal;
    if (!plain.text.isEmpty())
        q.label = plain.text;
    for (const QString& answer : answers.texts) {
        const bank_text::Plain shownAnswer = shown(answer, format);
        q.answers.append(shownAnswer.text);
        if (q.refusal.isEmpty())
            q.refusal = shownAnswer.refusal;
    }
    return q;
}

bool isComment(const QString& line) {
    return line.trimmed().startsWith(QStringLiteral("//"));
}

} // namespace

QString unwritable(const QuestionSheet& sheet) {
    for (int i = 0; i < int(sheet.answers.size()); ++i) {
        if (sheet.answers[i].startsWith(u'%'))
            return QStringLiteral(
                       "Answer %1 of question %2 of \"%3\" begins with \"%\", which GIFT "
                       "reads as a mark; export it as .xml instead.")
                .arg(QChar(u'A' + i % 4))
                .arg(i / 4 + 1)
                .arg(sheet.title);
    }
    return {};
}

QByteArray write(const QList<QuestionSheet>& sheets) {
    QString out = QStringLiteral("// Worksheets from Ostervale, for Moodle's GIFT import.\n\n");
    for (const QuestionSheet& sheet : sheets) {
        // Moodle takes the category line as it stands, without escapes; a
        // title holds no "/" to split it.
        out += QStringLiteral("$CATEGORY: ") + sheet.title + QStringLiteral("\n\n");
        for (int k = 0; k < int(sheet.questions.size()); ++k) {
            out += QStringLiteral("::") + escapedForGift(bank::questionName(sheet.title, k)) +
                   QStringLiteral("::[plain]") + escapedForGift(sheet.questions[k]) +
                   QStringLiteral(" {\n");
            for (int m = 0; m < 4; ++m) {
                out += QStringLiteral("\t") + (sheet.ticked[4 * k + m] ? u'=' : u'~') +
                       escapedForGift(sheet.answers[4 * k + m]) + u'\n';
            }
            out += QStringLiteral("}\n\n");
        }
    }
    return out.toUtf8();
}

bank::Reading read(const QString& text) {
    bank::Reading reading;
    QString category;
    QStringList block;
    int number = 0;
    const auto endBlock = [&] {
        if (!block.isEmpty() && block.front().trimmed().startsWith(QStringLiteral("$CATEGORY:"))) {
            category = block.front().trimmed().mid(10).trimmed();
            block.removeFirst();
        }
        if (!block.isEmpty())
            reading.questions.append(question(block.join(u'\n'), ++number, category));
        block.clear();
    };
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    for (const QString& line : lines.split(u'\n')) {
        if (line.trimmed().isEmpty())
            endBlock();
        else if (!isComment(line))
            block.append(line);
    }
    endBlock();
    return reading;
}

} // namespace gift

#include "questions.h"

#include <array>

namespace material {

namespace {

struct Question {
    QString text;
    std::array<QString, 4> answers;
    QString letter;
};

struct Parsed {
    QString title;
    QList<Question> questions;
};

QString lineError(int line, const QString& what) {
    return QStringLiteral("line ") + QString::number(line) + QStringLiteral(": ") + what;
}

// Splits "key: value"; false for a line that is not of that shape.
bool splitKey(const QString& line, QString& key, QString& value) {
    const qsizetype colon = line.indexOf(u':');
    if (colon <= 0)
        return false;
    key = line.left(colon).trimmed();
    value = line.mid(colon + 1).trimmed();
    return true;
}

void takeLine(Parsed& parsed, const QString& key, const QString& value, int number,
              QStringList& errors) {
    static const QString letters = QStringLiteral("ABCD");
    if (key == u"title") {
        parsed.title = value;
    } else if (key == u"Q") {
        parsed.questions.append({value, {}, {}});
    } else if (parsed.questions.isEmpty()) {
        errors.append(lineError(number, QStringLiteral("an answer before the first question")));
    } else if (key.size() == 1 && letters.contains(key)) {
        parsed.questions.last().answers[letters.indexOf(key)] = value;
    } else if (key == u"answer") {
        parsed.questions.last().letter = value;
    } else {
        errors.append(lineError(number, QStringLiteral("unknown key ") + key));
    }
}

void checkText(const QString& text, const QString& where, QStringList& errors) {
    if (text.isEmpty())
        errors.append(where + QStringLiteral(" is empty"));
    if (text.contains(u'&') || text.contains(u'"'))
        errors.append(where + QStringLiteral(" holds & or \", which a question file cannot keep"));
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            errors.append(where + QStringLiteral(" holds a character outside Latin-1"));
    }
}

void checkSet(const Parsed& parsed, QStringList& errors) {
    checkText(parsed.title, QStringLiteral("the title"), errors);
    if (parsed.questions.size() != 10)
        errors.append(QStringLiteral("a set has exactly 10 questions, not ") +
                      QString::number(parsed.questions.size()));
    for (qsizetype q = 0; q < parsed.questions.size(); ++q) {
        const Question& question = parsed.questions[q];
        const QString where = QStringLiteral("question ") + QString::number(q + 1);
        checkText(question.text, where, errors);
        for (int m = 0; m < 4; ++m)
            checkText(question.answers[m], where + QStringLiteral(" answer ") + QChar(u'A' + m),
                      errors);
        if (question.letter.size() != 1 || !QStringLiteral("ABCD").contains(question.letter))
            errors.append(where + QStringLiteral(" needs an answer letter A to D"));
    }
}

QByteArray compose(const Parsed& parsed) {
    QString out;
    auto line = [&out](QString text) { out += text.replace(u',', u'&') + QStringLiteral("\r\n"); };
    line(parsed.title);
    line(QStringLiteral(" "));
    for (const Question& question : parsed.questions) {
        line(question.text);
        for (const QString& answer : question.answers)
            line(answer);
        line(QString::number(QStringLiteral("ABCD").indexOf(question.letter) + 1));
        line(QStringLiteral(" "));
    }
    return out.toLatin1();
}

} // namespace

CompiledQuestions compileQuestionSource(const QString& source) {
    CompiledQuestions result;
    Parsed parsed;
    const QStringList lines = source.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QString key;
        QString value;
        if (!splitKey(line, key, value))
            result.errors.append(lineError(int(i + 1), QStringLiteral("expected key: value")));
        else
            takeLine(parsed, key, value, int(i + 1), result.errors);
    }
    checkSet(parsed, result.errors);
    if (result.errors.isEmpty())
        result.file = compose(parsed);
    return result;
}

} // namespace material

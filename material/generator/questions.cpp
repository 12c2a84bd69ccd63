#include "questions.h"

#include <QRegularExpression>
#include <QSet>
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
    QStringList factPages;
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
    } else if (key == u"facts") {
        for (const QString& page : value.split(u','))
            parsed.factPages.append(page.trimmed());
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
    if (parsed.factPages.isEmpty())
        result.errors.append(QStringLiteral("a facts: line naming the pages the answers are on"));
    if (result.errors.isEmpty())
        result.file = compose(parsed);
    result.factPages = parsed.factPages;
    for (const Question& question : parsed.questions) {
        const qsizetype m = QStringLiteral("ABCD").indexOf(question.letter);
        result.rightAnswers.append(m >= 0 && question.letter.size() == 1 ? question.answers[m]
                                                                         : QString());
    }
    return result;
}

namespace {

// Words as a reader would look for them: "U-boats" and "Harbour's" whole,
// and a day standing before its month kept with it, so that "3 September"
// is not found in "3 ships sank in September".
QStringList keyWords(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9\\x{C0}-\\x{FF}'-]+"));
    static const QRegularExpression month(
        QStringLiteral("^(january|february|march|april|may|june|july|august|september|"
                       "october|november|december)$"));
    static const QRegularExpression day(QStringLiteral("^\\d{1,2}$"));
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        QString w = it.next().captured().toLower();
        while (w.endsWith(u'\'') || w.endsWith(u'-'))
            w.chop(1);
        if (w.isEmpty())
            continue;
        if (!words.isEmpty() && day.match(words.last()).hasMatch() && month.match(w).hasMatch())
            words.last() += u' ' + w;
        words.append(w);
    }
    return words;
}

} // namespace

QStringList answersNotOnPages(const QStringList& rightAnswers, const QString& pagesText) {
    static const QSet<QString> little = {
        QStringLiteral("the"),   QStringLiteral("and"), QStringLiteral("for"),
        QStringLiteral("their"), QStringLiteral("own"), QStringLiteral("with"),
        QStringLiteral("from"),  QStringLiteral("was"), QStringLiteral("were")};
    const QStringList onPages = keyWords(pagesText);
    const QSet<QString> found(onPages.begin(), onPages.end());
    QStringList problems;
    for (qsizetype q = 0; q < rightAnswers.size(); ++q) {
        QStringList missing;
        for (const QString& w : keyWords(rightAnswers[q])) {
            const bool counts = (w.size() >= 3 || w.contains(u' ')) && !little.contains(w);
            if (counts && !found.contains(w))
                missing.append(w);
        }
        if (!missing.isEmpty())
            problems.append(QStringLiteral("the right answer to question ") +
                            QString::number(q + 1) + QStringLiteral(", \"") + rightAnswers[q] +
                            QStringLiteral("\", is not on the key facts pages: no ") +
                            missing.join(QStringLiteral(", ")));
    }
    return problems;
}

} // namespace material

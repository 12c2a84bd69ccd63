#include "question_file.h"

#include "codepage.h"

namespace question_text {
QString toStored(const QString& text) {
    QString stored = text;
    return stored.replace(u',', u'&');
}
QString fromStored(const QString& text) {
    QString plain = text;
    return plain.replace(u'&', u',');
}
} // namespace question_text

namespace {
bool readMapped(FieldReader& file, QString& into) {
    auto field = file.readField();
    if (!field)
        return false;
    into = question_text::fromStored(*field);
    return true;
}

bool isAnswerDigit(const QString& field) {
    return field.size() == 1 && field[0] >= u'1' && field[0] <= u'4';
}

bool readRecord(FieldReader& file, QuizTables& t, int q) {
    for (QString* slot :
         {&t.QuestionText[q], &t.ChoiceA[q], &t.ChoiceB[q], &t.ChoiceC[q], &t.ChoiceD[q]}) {
        if (!readMapped(file, *slot))
            return false;
    }
    auto correct = file.readField();
    if (!correct)
        return false;
    t.CorrectChoice[q] = *correct;
    return isAnswerDigit(*correct) && file.readField().has_value();
}
} // namespace

bool LoadQuestions(FieldReader& file1, QuizTables& tables) {
    if (!readMapped(file1, tables.QuizTitle) || !file1.readField())
        return false;
    for (int q = 1; q <= 10; ++q) {
        if (!readRecord(file1, tables, q))
            return false;
    }
    return true;
}

bool loadQuestionFile(const QString& path, QuizTables& tables) {
    auto file1 = FieldReader::open(path);
    return file1 && LoadQuestions(*file1, tables);
}

QByteArray composeQuestionFile(const QuestionSheet& sheet) {
    QString text;
    auto line = [&text](const QString& item) { text += item + QStringLiteral("\r\n"); };
    line(question_text::toStored(sheet.title));
    line(QStringLiteral(" "));
    for (int k = 0; k < 10; ++k) {
        line(question_text::toStored(sheet.questions[k]));
        for (int m = 0; m < 4; ++m)
            line(question_text::toStored(sheet.answers[4 * k + m]));
        for (int m = 0; m < 4; ++m) {
            if (sheet.ticked[4 * k + m])
                line(QString::number(m + 1));
        }
        line(QStringLiteral(" "));
    }
    return codepage::encode1252(text);
}

#pragma once
// Topic quizzes are written as readable sources (title, then blocks of a
// question, answers A to D and the right letter) and turned into the
// program's 72-line question files: CR LF line ends, one byte a character,
// every comma stored as "&".
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace material {

struct CompiledQuestions {
    QByteArray file;
    QStringList errors; // empty when the source is a whole, valid set
};

CompiledQuestions compileQuestionSource(const QString& source);

} // namespace material

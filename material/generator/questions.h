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
    // The reading pages (names in pages/, without ".page") that a pupil is
    // sent back to after a wrong answer, from the source's "facts:" line.
    QStringList factPages;
    QStringList rightAnswers; // question by question
};

CompiledQuestions compileQuestionSource(const QString& source);

// The review tells a pupil who answered wrongly to read the key facts again,
// so every right answer must be there to be found. One line for each answer
// whose key words (dates as "3 September", numbers and words of three letters
// or more, less the little words) are not all on the pages.
QStringList answersNotOnPages(const QStringList& rightAnswers, const QString& pagesText);

} // namespace material

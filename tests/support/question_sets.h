#pragma once
// Question sets for tests: question q is "Question q?" with answers
// "Answer qA" to "Answer qD", and the right one given by a pattern.
#include "question_file.h"

#include <QString>

namespace test_sets {

// rightAnswers[q - 1] is the right answer of question q, 1 to 4.
inline QuestionSheet sheet(const QString& title, const std::array<int, 10>& rightAnswers) {
    QuestionSheet s;
    s.title = title;
    for (int k = 0; k < 10; ++k) {
        s.questions[k] = QStringLiteral("Question %1?").arg(k + 1);
        for (int m = 0; m < 4; ++m)
            s.answers[4 * k + m] = QStringLiteral("Answer %1%2").arg(k + 1).arg(QChar(u'A' + m));
        s.ticked[4 * k + rightAnswers[k] - 1] = true;
    }
    return s;
}

inline const std::array<int, 10> kPattern{1, 2, 3, 4, 1, 2, 3, 4, 1, 2};

} // namespace test_sets

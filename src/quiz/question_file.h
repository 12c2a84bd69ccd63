#pragma once
// Question files: a title, a blank line, then ten records of a question, its
// four answers, the digit of the right answer and a blank line, 72 lines in
// all, each ending CR LF. Commas would split a line into two fields, so they
// are stored as "&" and read back as ",".
#include "field_reader.h"
#include "quiz_state.h"

#include <array>

// Reads one question set from the open file into the quiz tables. Returns
// false when the file ends too soon or a record's right answer is not a digit
// from 1 to 4; the tables then hold what was read up to that point. Marking
// relies on the digit, so a set without one cannot be used as a quiz.
bool LoadQuestions(FieldReader& file1, QuizTables& tables);

// Opens, reads and closes a question file in one go.
bool loadQuestionFile(const QString& path, QuizTables& tables);

// What the wizard's boxes hold: box 4 * k + m is answer m (0 = A) of its
// question k (0 to 9); a ticked box marks the right answer.
struct QuestionSheet {
    QString title;
    std::array<QString, 10> questions;
    std::array<QString, 40> answers;
    std::array<bool, 40> ticked{};
    bool operator==(const QuestionSheet&) const = default;
};

// The file's bytes, one line per written item, in Windows-1252.
QByteArray composeQuestionFile(const QuestionSheet& sheet);

namespace question_text {
QString toStored(const QString& text);   // "," -> "&"
QString fromStored(const QString& text); // "&" -> ","
} // namespace question_text

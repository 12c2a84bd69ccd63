#pragma once
// Which titles and texts a worksheet can keep. A title names a file and a
// line of the catalogue, so some titles would come back changed, clash with
// the program's own files, or not be a file name at all; those are refused
// with a message that says why and what to change. Every other title is
// kept exactly as typed.
#include <QString>

namespace worksheet_title {

// What the wizard's boxes take as typed. They limit typing only: a worksheet
// made by hand with longer texts keeps them whole.
constexpr int TitleLength = 25;
constexpr int QuestionLength = 60;
constexpr int AnswerLength = 30;

// Empty when the title can be stored; otherwise the message for the teacher.
QString problem(const QString& title);

// Empty when a question or answer can be stored; otherwise the message,
// naming where the text is (for example "Question 3" or "answer B of
// Question 3").
QString textProblem(const QString& text, const QString& where);

} // namespace worksheet_title

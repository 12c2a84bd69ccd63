#pragma once
// A question bank as read from a GIFT or Moodle XML file: its questions in
// the file's order, each either one a worksheet could take or the reason it
// cannot. The readers know nothing of worksheets beyond the shape of a
// multiple-choice question; which texts a worksheet keeps is decided where
// worksheets are made.
#include <QList>
#include <QString>
#include <QStringList>

namespace bank {

struct Question {
    // 1 for the file's first question, counting every question, taken or not.
    int number = 0;
    // The category in force where the question stands, as the file names it
    // (a path such as "$course$/top/Blitz"); empty before any.
    QString category;
    // The text, or the question's name where the text could not be had, for
    // telling the teacher which question is meant.
    QString label;
    // Plain text, one line, as the pupil is to read it.
    QString text;
    QStringList answers;
    // Index of the one right answer in answers.
    int right = -1;
    // Why the question cannot be taken; empty when it is a multiple-choice
    // question with exactly one right answer.
    QString refusal;
};

struct Reading {
    // Why nothing could be read; the questions are then empty.
    QString problem;
    QList<Question> questions;
};

// Answers in a worksheet: a question may come with fewer, never with more.
constexpr int MostAnswers = 4;
constexpr int FewestAnswers = 2;

// Why a question with these answers' marks (Moodle's fractions: 100 for a
// right answer, 0 or less for a wrong one) cannot be a worksheet's
// question, or empty when it can; right is then the one right answer.
QString judgeMarks(const QList<double>& marks, int* right);

// The name each exported question is given in Moodle's question bank: the
// worksheet's title and its place, "Blitz 01", so the bank sorts them in
// the worksheet's order.
QString questionName(const QString& title, int index);

// The name a category path gives a worksheet: its last part, without the
// context ("$course$/") and the root ("top") that Moodle puts before it.
// Empty when the path names no category of its own.
QString categoryTitle(const QString& path);

} // namespace bank

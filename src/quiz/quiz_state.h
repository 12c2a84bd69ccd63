#pragma once
// The quiz's program-wide values: the question set last loaded, and the
// quiz in progress or just ended.
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <array>

// A question set: slots 1 to 10 hold questions 1 to 10; slot 0 is never used.
struct QuizTables {
    QString QuizTitle;
    std::array<QString, 11> QuestionText;
    std::array<QString, 11> ChoiceA;
    std::array<QString, 11> ChoiceB;
    std::array<QString, 11> ChoiceC;
    std::array<QString, 11> ChoiceD;
    // The right answer as one digit, "1" = A to "4" = D.
    std::array<QString, 11> CorrectChoice;
};

struct QuizState {
    int CurrentQuestion = 0;
    // Slot q is 1 when question q was last left answered right.
    std::array<int, 11> QuestionRight{};
    // The heading of the quiz that last ended, for the certificate.
    QString ResultHeading;

    // What the screen that opens a quiz hands it: its heading and picture.
    QString heading;
    QPixmap picture;

    // What the review shows of the quiz that last ended: the set's title and
    // one line per wrong answer, in question order.
    QString reviewTitle;
    QStringList wrongLines;
};

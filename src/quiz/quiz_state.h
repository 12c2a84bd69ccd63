#pragma once
// The quiz's program-wide values: the question set last loaded, and the
// quiz in progress. What a quiz leaves when it ends is its Results.
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

    // What the quiz runs under: the heading and picture it was opened with.
    QString heading;
    QPixmap picture;
    QString pictureDescription;
    // A picture drawn with its subject across its middle band fills the
    // banner with that band instead of sitting in it between empty bars.
    bool pictureFillsBanner = false;
};

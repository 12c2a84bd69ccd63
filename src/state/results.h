#pragma once
// The result of the quiz or activity in progress, and the one value the
// quiz or an activity hands the results screen when it ends. The results
// screen decides its band, texts, offers and sound from it; the review reads
// it too.
#include "program.h"
#include "screen_registry.h"

#include <QString>
#include <QStringList>

struct Results {
    Results() = default;
    Results(int score, int total, bool quiz = false)
        : Score(score), ScoreTotal(total), openedByQuiz(quiz) {}

    int Score = 0;
    int ScoreTotal = 0;
    // The quiz offers a review of its wrong answers; an activity has none.
    bool openedByQuiz = false;
    // The heading saved at the end of a quiz, for the certificate; an
    // activity's result keeps the one the last quiz saved (empty before any).
    QString ResultHeading;
    // For the review: the set's title and a line per wrong answer.
    QString reviewTitle;
    QStringList wrongLines;
};

namespace results {

// Hands the ended quiz or activity's result to a fresh results screen and
// shows it. After a quiz, the review is made fresh too, filled and unseen
// until asked for.
inline void hand(Program& program, Results outcome) {
    Results& kept = program.state<Results>();
    if (!outcome.openedByQuiz)
        outcome.ResultHeading = kept.ResultHeading;
    kept = std::move(outcome);
    ScreenRegistry& screens = program.screens();
    screens.unload(ScreenId::Wrong);
    screens.unload(ScreenId::Welldone);
    if (kept.openedByQuiz)
        screens.get(ScreenId::Wrong);
    if (Screen* welldone = screens.get(ScreenId::Welldone))
        welldone->Show();
}

} // namespace results

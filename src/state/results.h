#pragma once
// The result of the quiz or activity in progress. The quiz and the four
// activities both leave their score here, and the results screen derives
// every text and its sound from it.
struct Results {
    int Score = 0;
    int ScoreTotal = 0;
    // The quiz offers a review of its wrong answers; an activity has none.
    bool openedByQuiz = false;
};

#include "quiz_session.h"

#include "question_file.h"
#include "quiz_rules.h"

namespace quiz_session {

bool load(Program& program, const QString& path) {
    return loadQuestionFile(path, program.state<QuizTables>());
}

void begin(Program& program, const QPixmap& picture, const QString& heading) {
    QuizState& quiz = program.state<QuizState>();
    quiz.picture = picture;
    quiz.heading = heading;
}

void reset(Program& program) {
    Results& results = program.state<Results>();
    results.Score = 0;
    results.ScoreTotal = 10;
    QuizState& quiz = program.state<QuizState>();
    quiz.CurrentQuestion = 1;
    quiz.QuestionRight.fill(0);
}

void mark(Program& program, int chosen) {
    QuizState& quiz = program.state<QuizState>();
    const int n = quiz.CurrentQuestion;
    const int c = program.state<QuizTables>().CorrectChoice[n].toInt();
    // Loading refuses a set whose answer digit is not 1 to 4; should one get
    // here all the same, no answer can be right.
    quiz.QuestionRight[n] = (c >= 1 && c <= 4 && chosen == c) ? 1 : 0;
}

Results finish(Program& program) {
    const QuizState& quiz = program.state<QuizState>();
    const QuizTables& tables = program.state<QuizTables>();
    Results outcome(0, 10, true);
    outcome.ResultHeading = quiz.heading;
    outcome.reviewTitle = tables.QuizTitle;
    for (int i = 1; i <= 10; ++i) {
        outcome.Score += quiz.QuestionRight[i];
        if (quiz.QuestionRight[i] == 0)
            outcome.wrongLines.append(quiz_rules::wrongLine(i, tables.QuestionText[i]));
    }
    return outcome;
}

} // namespace quiz_session

#pragma once
// One quiz from start to finish, apart from the screens that show it: a
// question set is loaded, the quiz screen opens on it with a heading and a
// picture, each question is marked as the pupil leaves it, and the end
// tallies the score and lists the wrong answers. The screens fill
// themselves from what the session leaves in the program state.
#include "program.h"
#include "quiz_state.h"

#include <QPixmap>

namespace quiz_session {

// Reads a question file into the quiz tables; false when it is missing or
// damaged, with the tables holding what was read before the fault.
bool load(Program& program, const QString& path);

// Opens the quiz screen on the tables as they are, over the screen that
// opens it, which stays beneath.
void start(Program& program, const QPixmap& picture, const QString& heading);

// The quiz screen's load: the score so far and the question marks cleared,
// question 1 on show.
void reset(Program& program);

// Marks the question on show: chosen is the answer picked, 1 (A) to 4 (D),
// or anything else for none.
void mark(Program& program, int chosen);

// After question 10: the score, the heading for the certificate, and the
// lines of the review.
void finish(Program& program);

} // namespace quiz_session

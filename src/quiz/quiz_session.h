#pragma once
// One quiz from start to finish, apart from the screens that show it: a
// question set is loaded, a quiz begins under a heading and a picture, each
// question is marked as the pupil leaves it, and the end tallies the result.
// The quiz screen asks the session; the session knows no screen.
#include "program.h"
#include "quiz_state.h"
#include "results.h"

#include <QPixmap>

namespace quiz_session {

// Reads a question file into the quiz tables; false when it is missing or
// damaged, with the tables holding what was read before the fault.
bool load(Program& program, const QString& path);

// What the quiz about to open runs under.
void begin(Program& program, const QPixmap& picture, const QString& heading);

// The quiz screen's load: the score so far and the question marks cleared,
// question 1 on show.
void reset(Program& program);

// Marks the question on show: chosen is the answer picked, 1 (A) to 4 (D),
// or anything else for none.
void mark(Program& program, int chosen);

// After question 10: the score, the heading for the certificate, and the
// lines of the review, as one result.
Results finish(Program& program);

} // namespace quiz_session

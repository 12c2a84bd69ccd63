#pragma once
// The rules of marking and rewarding, apart from the screens that show them.
#include <QString>
#include <optional>

class RandomSource;

namespace quiz_rules {

enum class Band { FullMarks, Good, Other };
Band band(int score, int total);

// "Excellent work. You have scored 10 out of 10."
QString scoreLine(int score, int total);

// The review line for a wrongly answered question: " 3. " and its text.
// The line is one line across the screen, so a text longer than any screen
// line could show is kept only as far as that: copying a file's endless
// question ten times over would hold up the end of the quiz.
QString wrongLine(int question, const QString& text);
inline constexpr qsizetype kLongestReviewText = 8000;

// The celebration sound for a score, chosen at random among its row; none
// for scores of 5 or less.
std::optional<QString> celebrationSound(int score, RandomSource& random);

} // namespace quiz_rules

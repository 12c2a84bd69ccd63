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
QString wrongLine(int question, const QString& text);

// The celebration sound for a score, chosen at random among its row; none
// for scores of 5 or less.
std::optional<QString> celebrationSound(int score, RandomSource& random);

} // namespace quiz_rules

#include "quiz_rules.h"

#include "random_source.h"

#include <QStringList>

namespace quiz_rules {

Band band(int score, int total) {
    if (score == total)
        return Band::FullMarks;
    if (score == total - 1 || score == total - 2)
        return Band::Good;
    return Band::Other;
}

QString scoreLine(int score, int total) {
    static const QString prefixes[] = {QStringLiteral("Excellent work. You have scored"),
                                       QStringLiteral("Good work. You have scored"),
                                       QStringLiteral("You have scored")};
    return prefixes[static_cast<int>(band(score, total))] + u' ' + QString::number(score) +
           QStringLiteral(" out of ") + QString::number(total) + u'.';
}

QString wrongLine(int question, const QString& text) {
    return u' ' + QString::number(question) + QStringLiteral(". ") + text.left(kLongestReviewText);
}

std::optional<QString> celebrationSound(int score, RandomSource& random) {
    QStringList choices;
    switch (score) {
    case 10:
        choices = {QStringLiteral("fanf2"), QStringLiteral("fanf3")};
        break;
    case 9:
        choices = {QStringLiteral("crowd"), QStringLiteral("cheer2"), QStringLiteral("klaxon")};
        break;
    case 8:
        choices = {QStringLiteral("flute"), QStringLiteral("gong"), QStringLiteral("clap2")};
        break;
    case 7:
        choices = {QStringLiteral("drumroll"), QStringLiteral("laser2"), QStringLiteral("whizz")};
        break;
    case 6:
        choices = {QStringLiteral("clap3"), QStringLiteral("clown")};
        break;
    default:
        return std::nullopt;
    }
    return QStringLiteral("wav\\") + choices[pick(random, static_cast<int>(choices.size()))] +
           QStringLiteral(".wav");
}

} // namespace quiz_rules

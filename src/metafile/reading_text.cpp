#include "metafile.h"

namespace metafile {
namespace {
// A run on the line before that follows on without a gap of its own: the
// generator starts a new run where the style changes, often mid-sentence.
bool joinsWithoutSpace(const QString& before, const QString& next) {
    if (before.isEmpty() || next.isEmpty() || before.back().isSpace() || next.front().isSpace())
        return true;
    return QStringLiteral(",.;:!?)'\u2019").contains(next.front());
}
} // namespace

QString Metafile::readingText() const {
    QString text;
    std::optional<int> baseline;
    for (const Command& c : commands) {
        const auto* run = std::get_if<cmd::Text>(&c);
        if (!run || run->text.trimmed().isEmpty())
            continue;
        if (baseline && *baseline != run->at.y())
            text += u'\n';
        else if (!joinsWithoutSpace(text, run->text))
            text += u' ';
        text += run->text;
        baseline = run->at.y();
    }
    return text;
}

} // namespace metafile

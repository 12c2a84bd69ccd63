#include "stand_ins.h"

void RecordingSound::play(const QString& materialPath) {
    played.append(materialPath);
    if (onPlay)
        onPlay(materialPath);
}

bool RecordingMessages::confirm(const QString& text, const QString& caption) {
    shown.append(text);
    captions.append(caption);
    if (answers.empty())
        return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

double FixedRandom::next() {
    if (values_.size() > 1) {
        const double value = values_.front();
        values_.pop_front();
        return value;
    }
    return values_.empty() ? 0.0 : values_.front();
}

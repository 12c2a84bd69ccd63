#include "activity_design.h"

namespace scoring {

int ownSlot(const std::function<bool(int, int)>& labelIn, int n) {
    int score = 0;
    for (int i = 0; i < n; ++i)
        score += labelIn(i, i);
    return score;
}

int sameColumn(const std::function<bool(int, int)>& labelIn, int n) {
    int score = 0;
    for (int m = 0; m < n; ++m) {
        const int offset = m < 4 ? 0 : 4;
        for (int k = 0; k < 4; ++k)
            score += labelIn(offset + k, m);
    }
    return score;
}

} // namespace scoring

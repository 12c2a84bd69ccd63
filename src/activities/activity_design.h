#pragma once
// What one activity screen is made of: its items (a text, where it belongs,
// where it starts), the size and font of its labels, its heading, and its
// scoring rule. The engine does the rest the same way on every screen.
#include "drop_zone.h"

#include <QString>
#include <functional>
#include <vector>

// A top-left corner in twips.
struct Corner {
    float left;
    float top;
};

struct ActivityItem {
    QString text;
    Corner slot; // the answer slot, where the item belongs
    Corner home; // where its label starts
};

struct HeadingDesign {
    QString text;
    Place place;
    double points;
};

// Adds 1 to the score for each label in a right place. labelIn(k, m) says
// whether label k lies in answer slot m.
using ScoringRule = std::function<int(const std::function<bool(int, int)>& labelIn, int n)>;

struct ActivityDesign {
    std::vector<ActivityItem> items;
    float labelWidth;
    float labelHeight;
    double labelPoints;
    HeadingDesign heading;
    ScoringRule score;
};

namespace scoring {
// Each label has one right place: the slot of its own index.
int ownSlot(const std::function<bool(int, int)>& labelIn, int n);
// The slots form two columns, 0 to 3 and 4 to 7; a label scores in any slot
// of the column that holds the slot of its own index.
int sameColumn(const std::function<bool(int, int)>& labelIn, int n);
} // namespace scoring

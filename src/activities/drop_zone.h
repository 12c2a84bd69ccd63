#pragma once
// Places on an activity screen in float twips, and the rules that compare
// them. Values are copied, never recomputed, so "lies in" is exact equality.
#include "twips.h"

namespace drop_zone {

// A label whose top-left corner is in a box's zone snaps into the box. The
// zone is the box widened by half its width to the left and half its height
// upwards; its edges are outside.
inline bool hits(const Place& box, float left, float top) {
    return box.left - box.width / 2 < left && left < box.left + box.width &&
           box.top - box.height / 2 < top && top < box.top + box.height;
}

inline bool liesIn(const Place& label, const Place& box) {
    return label.left == box.left && label.top == box.top;
}

} // namespace drop_zone

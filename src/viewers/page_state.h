#pragma once
// What the menus tell the page viewers, and the logo's place in its
// animation, which outlives the viewer that shows it.
#include <QString>

struct PageState {
    // The page on show in the viewer that is open.
    int PageNumber = 0;
    // The notes viewer's set: how many pages, and the base of their names.
    int PageCount = 0;
    QString PageSetName;
    // The set as a teacher calls it; the base of its names when it has none.
    QString PageSetTitle{};
    // The logo frame last shown, 0 to 19; 0 until the animation first runs.
    int LogoFrame = 0;
};

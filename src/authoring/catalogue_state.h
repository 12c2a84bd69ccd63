#pragma once
// The worksheet catalogue as last read: a count and the titles.
#include <QString>
#include <array>
#include <functional>

struct CatalogueState {
    static constexpr int Capacity = 1000;
    int WorksheetCount = 0;
    // Slots 1 to 1000; slot 0 is never used.
    std::array<QString, Capacity + 1> WorksheetTitles;
    // Called whenever the table is filled anew, so a screen listing it can
    // show what it now holds rather than act on titles that have moved.
    std::function<void()> reloaded;
};

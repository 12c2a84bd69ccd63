#pragma once
// The worksheet catalogue as last read: a count and the titles.
#include <QString>
#include <array>

struct CatalogueState {
    static constexpr int Capacity = 1000;
    int WorksheetCount = 0;
    // Slots 1 to 1000; slot 0 is never used.
    std::array<QString, Capacity + 1> WorksheetTitles;
};

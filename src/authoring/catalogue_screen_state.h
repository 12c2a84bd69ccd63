#pragma once
// The catalogue screen's program-wide values: the page on show, and the
// title it hands to the catalogue's remove operation.
#include <QString>

struct CatalogueScreenState {
    // Counted from 0: on page p, title slot k shows title 24p + k.
    int CataloguePage = 0;
    QString WorksheetToDelete;
};

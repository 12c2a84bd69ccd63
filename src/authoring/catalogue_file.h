#pragma once
// The worksheet catalogue, "multiple\track.txt": a count on the first line,
// then one title a line.
#include "catalogue_state.h"
#include "material_paths.h"

namespace catalogue_file {

inline const QString Path = QStringLiteral("multiple\\track.txt");

// The main menu's load: reads the count and the titles into the catalogue in
// memory, stopping silently at the first failure and keeping what it has read
// so far. A count the table cannot hold (negative, or above its 1000 slots)
// is a failure before anything is stored. Returns whether it read it all.
bool loadStoppingAtFailure(const MaterialPaths& paths, CatalogueState& catalogue);

} // namespace catalogue_file

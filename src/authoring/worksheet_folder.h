#pragma once
// Where teachers' worksheets and their catalogue live. Worksheet files are
// named exactly by their titles: "rationing" must never read or replace
// "Rationing.txt", so they never go through the material look-up, which
// ignores case.
#include "material_paths.h"

#include <QString>

namespace worksheet_folder {

// The folder itself, "multiple" beside the program.
QString folder(const MaterialPaths& paths);
// "multiple/" + title + ".txt", exactly.
QString worksheetFile(const QString& folder, const QString& title);
QString catalogueFile(const QString& folder);

} // namespace worksheet_folder

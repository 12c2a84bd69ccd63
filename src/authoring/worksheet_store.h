#pragma once
// Saving a worksheet: its question file first, then its title in the
// catalogue. Both files are replaced whole or not at all.
#include "catalogue_state.h"
#include "question_file.h"
#include "safe_write.h"

#include <QString>

namespace worksheet_store {

// Busy: another copy of the program kept the folder's lock too long.
enum class Saved { Yes, Refused, Failed, Busy };

struct Outcome {
    Saved saved;
    // For Refused: the message that says what to change; otherwise why the
    // save failed, where that is more than a failed write.
    QString message;
};

// Checks that the title and texts can be kept, writes the worksheet file and
// adds its title to the catalogue. A failure at any step leaves both files as
// they were before the save.
Outcome saveworksheet(const QString& folder, const QuestionSheet& sheet, CatalogueState& catalogue);

} // namespace worksheet_store

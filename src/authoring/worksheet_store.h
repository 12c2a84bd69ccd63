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

// The first thing missing from a sheet (a title, a text, one tick per
// question), in the words the wizard tells the teacher; empty when complete.
QString firstGap(const QuestionSheet& sheet);

// What becomes of a worksheet already saved under the title. The wizard
// replaces it, as a teacher editing a worksheet means to; a worksheet made
// from someone else's file never takes the place of one.
enum class Existing { Replace, Keep };

// Checks that the title and texts can be kept, writes the worksheet file and
// adds its title to the catalogue. A failure at any step leaves both files as
// they were before the save.
Outcome saveworksheet(const QString& folder, const QuestionSheet& sheet, CatalogueState& catalogue,
                      Existing existing = Existing::Replace);

} // namespace worksheet_store

#pragma once
// Moodle XML, the question bank format Moodle exports and imports whole.
// Worksheets are written in UTF-8 as one category question a worksheet, its
// title as the category, followed by its ten multiple-choice questions with
// everything Moodle's import looks for, so it takes them without a warning:
// a name ("Blitz 01"), the text in plain_text format (shown exactly as
// typed), one answer (single), the answers in the worksheet's order and
// lettered as on the worksheet (A to D), marks 100 and 0, one mark a
// question, Moodle's usual penalty, and empty feedback.
// Reading takes any Moodle XML file: every question in it is returned,
// those that are not multiple choice with the reason. A file that declares
// a document type is refused whole, so no entity of its own (an expansion
// bomb, a file of the computer's named as an external entity) is ever
// expanded.
#include "bank.h"
#include "question_file.h"

#include <QByteArray>
#include <QList>

namespace moodle_xml {

QByteArray write(const QList<QuestionSheet>& sheets);

// The questions of a Moodle XML file's bytes.
bank::Reading read(const QByteArray& bytes);

} // namespace moodle_xml

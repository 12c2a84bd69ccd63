#pragma once
// GIFT, Moodle's text format for questions. Worksheets are written as one
// category a worksheet ("$CATEGORY: title") holding its ten questions, each
// named ("::Blitz 01::"), in plain text ("[plain]") so that Moodle shows
// them exactly as typed, with the right answer "=" and the others "~" in
// the worksheet's order; ~ = # { } : and \ are escaped with "\".
// Reading takes any GIFT file: every question in it is returned, those that
// are not multiple choice with the reason.
#include "bank.h"
#include "question_file.h"

#include <QByteArray>
#include <QList>

namespace gift {

// Empty when the sheet can be written as GIFT; otherwise why not, naming
// the text.
QString unwritable(const QuestionSheet& sheet);

// The file's bytes, in UTF-8.
QByteArray write(const QList<QuestionSheet>& sheets);

// The questions of a GIFT file's text.
bank::Reading read(const QString& text);

} // namespace gift

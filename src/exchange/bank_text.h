#pragma once
// The texts of a question bank as a worksheet can show them: the file's
// bytes as UTF-8, a text on one line, and simple HTML as the plain text a
// pupil would read on the page. Markup that carries meaning a line of text
// cannot (a picture, a table, a power) is refused with its reason rather
// than dropped.
#include <QByteArray>
#include <QString>
#include <optional>

namespace bank_text {

// The bytes as text. UTF-8 only, as both formats are written: anything else
// (Latin-1 bytes, UTF-16, a nul byte) is refused, with the reason in
// problem, before a single question is looked at. A leading byte order mark
// is dropped.
std::optional<QString> decode(const QByteArray& bytes, QString* problem);

// The text on one line: breaks, and the blanks around them, become one
// space, and the ends are trimmed. Blanks within a line stay as they are.
QString oneLine(const QString& text);

struct Plain {
    QString text;
    // Why the markup cannot become plain text; empty when it could.
    QString refusal;
};

// HTML as a browser would show it, on one line: tags that only style or
// break the text are dropped, runs of blanks become one space, and
// character references are decoded.
Plain fromHtml(const QString& html);

} // namespace bank_text

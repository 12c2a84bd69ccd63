#include "worksheet_title.h"

#include "codepage.h"

#include <QStringList>

namespace worksheet_title {
namespace {
const QString kChange = QStringLiteral(" Please change the title and save again.");

bool fitsTheCodePage(QChar c) {
    const QString text(c);
    return codepage::decode1252(codepage::encode1252(text)) == text;
}

// A character as the teacher would name it: in words where it cannot be
// seen or would be lost among quotation marks, else itself in quotes.
QString named(const QString& character) {
    const QChar c = character.front();
    switch (c.unicode()) {
    case u'"':
        return QStringLiteral("a double quotation mark");
    case u' ':
        return QStringLiteral("a space");
    case u'\t':
        return QStringLiteral("a tab");
    case u'\r':
    case u'\n':
        return QStringLiteral("a line break");
    case 0x00A0:
        return QStringLiteral("a non-breaking space");
    default:
        break;
    }
    if (c.unicode() < 32 || c.unicode() == 127 || c.isSpace() ||
        c.category() == QChar::Other_Format)
        return QStringLiteral("an invisible character (code %1)")
            .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    return u'"' + character + u'"';
}

// The first character of the text that a worksheet file cannot keep, whole
// (a character beyond the first plane is two halves).
QString notInTheCodePage(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return text.mid(i, 2);
        if (!fitsTheCodePage(text[i]))
            return text.mid(i, 1);
    }
    return {};
}

bool isReservedName(const QString& title) {
    // Windows keeps these names for devices, with or without an extension.
    const QString stem = title.section(u'.', 0, 0).toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (fixed.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QStringLiteral("COM")) || stem.startsWith(QStringLiteral("LPT"))) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

QString forbiddenCharacter(const QString& title) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : title) {
        if (forbidden.contains(c) || c.unicode() < 32 || c.unicode() == 127)
            return QString(c);
    }
    return {};
}

// A field that begins with a quote is read as a quoted field: the text up to
// the next quote, or the rest of the file when there is none.
bool beginsWithAQuote(const QString& text) {
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t')
            return c == u'"';
    }
    return false;
}
} // namespace

QString problem(const QString& title) {
    if (title.isEmpty())
        return QStringLiteral("You have not chosen a title for your worksheet");
    if (title.contains(u','))
        return QStringLiteral("A worksheet title cannot contain a comma.") + kChange;
    // A worksheet file keeps "&" for the comma, so it would come back as one.
    if (title.contains(u'&'))
        return QStringLiteral("A worksheet title cannot contain \"&\". Please write \"and\" "
                              "instead, and save again.");
    if (title.startsWith(u'"'))
        return QStringLiteral("A worksheet title cannot begin with a double quotation mark.") +
               kChange;
    if (title.front().isSpace())
        return QStringLiteral("A worksheet title cannot begin with ") + named(title.left(1)) +
               u'.' + kChange;
    if (title.back().isSpace())
        return QStringLiteral("A worksheet title cannot end with ") + named(title.right(1)) + u'.' +
               kChange;
    if (const QString c = forbiddenCharacter(title); !c.isEmpty())
        return QStringLiteral("A worksheet title cannot contain ") + named(c) +
               QStringLiteral(", because it is not allowed in a file name.") + kChange;
    if (title.endsWith(u'.'))
        return QStringLiteral("A worksheet title cannot end with a full stop.") + kChange;
    if (isReservedName(title) || title.compare(QStringLiteral("track"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("\"") + title +
               QStringLiteral("\" is a name the computer keeps for itself.") + kChange;
    for (const char* topic : {"Rationing", "The Progress of the War"}) {
        if (title.compare(QString::fromUtf8(topic), Qt::CaseInsensitive) == 0)
            return QStringLiteral("\"") + title +
                   QStringLiteral("\" is the title of one of Ostervale's own quizzes.") + kChange;
    }
    if (const QString c = notInTheCodePage(title); !c.isEmpty())
        return QStringLiteral("The title holds ") + named(c) +
               QStringLiteral(", which a worksheet file cannot keep.") + kChange;
    return {};
}

QString textProblem(const QString& text, const QString& where) {
    if (beginsWithAQuote(text))
        return where.left(1).toUpper() + where.mid(1) +
               QStringLiteral(" begins with a double quotation mark, which a worksheet "
                              "file cannot keep at the start. Please take it away or "
                              "put a word before it, and save again.");
    if (const QString c = notInTheCodePage(text); !c.isEmpty())
        return QStringLiteral("The text of ") + where + QStringLiteral(" holds ") + named(c) +
               QStringLiteral(", which a worksheet file cannot keep. Please change it and save "
                              "again.");
    return {};
}

} // namespace worksheet_title

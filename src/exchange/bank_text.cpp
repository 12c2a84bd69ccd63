#include "bank_text.h"

#include <QStringDecoder>
#include <QStringList>

namespace bank_text {
namespace {

// HTML's names for the characters 160 to 255, in order.
const char* const kLatin1Names =
    "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr deg "
    "plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 iquest "
    "Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute "
    "Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute Ucirc Uuml "
    "Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc "
    "euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml divide oslash "
    "ugrave uacute ucirc uuml yacute thorn yuml";

struct Named {
    const char* name;
    char32_t code;
};
// The others a word processor's HTML is full of; all but the last two fit a
// worksheet's code page.
const Named kOtherNames[] = {
    {"amp", u'&'},      {"lt", u'<'},       {"gt", u'>'},       {"quot", u'"'},
    {"apos", u'\''},    {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},
    {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
    {"bdquo", 0x201E},  {"hellip", 0x2026}, {"bull", 0x2022},   {"euro", 0x20AC},
    {"trade", 0x2122},  {"dagger", 0x2020}, {"Dagger", 0x2021}, {"permil", 0x2030},
    {"lsaquo", 0x2039}, {"rsaquo", 0x203A}, {"OElig", 0x0152},  {"oelig", 0x0153},
    {"Scaron", 0x0160}, {"scaron", 0x0161}, {"Yuml", 0x0178},   {"fnof", 0x0192},
    {"thinsp", 0x2009}, {"zwnj", 0x200C},
};

std::optional<char32_t> namedCharacter(const QString& name) {
    static const QStringList latin1 = QString::fromLatin1(kLatin1Names).split(u' ');
    if (const qsizetype i = latin1.indexOf(name); i >= 0)
        return char32_t(160 + i);
    for (const Named& named : kOtherNames) {
        if (name == QLatin1String(named.name))
            return named.code;
    }
    return std::nullopt;
}

// A character reference's value; a number no character has becomes the
// replacement character, which no worksheet can keep and so is refused.
char32_t numbered(QStringView digits, int base) {
    bool ok = false;
    const qulonglong value = digits.size() <= 8 ? digits.toULongLong(&ok, base) : 0;
    if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0xFFFD;
    return char32_t(value);
}

// Why a tag cannot be dropped, or empty when it can; breaking says that it
// parts words as a line break does.
QString tagRefusal(const QString& tag, bool* breaking) {
    static const QStringList styling = {
        QStringLiteral("b"),    QStringLiteral("strong"), QStringLiteral("i"),
        QStringLiteral("em"),   QStringLiteral("u"),      QStringLiteral("span"),
        QStringLiteral("font"), QStringLiteral("small"),  QStringLiteral("big"),
        QStringLiteral("tt"),   QStringLiteral("code"),   QStringLiteral("mark"),
        QStringLiteral("abbr"), QStringLiteral("cite"),   QStringLiteral("dfn"),
        QStringLiteral("kbd"),  QStringLiteral("samp"),   QStringLiteral("var")};
    static const QStringList parting = {
        QStringLiteral("p"),          QStringLiteral("div"),    QStringLiteral("br"),
        QStringLiteral("h1"),         QStringLiteral("h2"),     QStringLiteral("h3"),
        QStringLiteral("h4"),         QStringLiteral("h5"),     QStringLiteral("h6"),
        QStringLiteral("blockquote"), QStringLiteral("center"), QStringLiteral("section")};
    *breaking = parting.contains(tag);
    if (*breaking || styling.contains(tag))
        return {};
    struct Kind {
        QStringList tags;
        const char* what;
    };
    static const Kind kinds[] = {
        {{"img", "picture", "svg", "canvas", "figure"}, "a picture"},
        {{"audio", "video", "object", "embed", "iframe", "source"},
         "a sound, a film or another page"},
        {{"table", "tr", "td", "th", "thead", "tbody", "caption"}, "a table"},
        {{"ul", "ol", "li", "dl", "dt", "dd"}, "a list"},
        {{"a"}, "a link"},
        {{"sup", "sub"}, "raised or lowered text, such as a power"},
        {{"s", "strike", "del", "ins"}, "crossed-out or inserted text"},
        {{"math"}, "a formula"},
    };
    for (const Kind& kind : kinds) {
        if (kind.tags.contains(tag))
            return QStringLiteral("it holds %1, which a worksheet cannot show.")
                .arg(QLatin1String(kind.what));
    }
    return QStringLiteral("it holds HTML (<%1>) that a worksheet cannot show.").arg(tag);
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A character's name, as "eacute" or "frac12".
bool isName(QStringView body) {
    return !body.isEmpty() && isAsciiLetter(body.front()) &&
           std::all_of(body.begin(), body.end(),
                       [](QChar c) { return isAsciiLetter(c) || (c >= u'0' && c <= u'9'); });
}

// The end of the tag that opens at i (just past its ">"), reading over
// quoted attribute values; -1 when it never ends.
qsizetype tagEnd(const QString& html, qsizetype i) {
    QChar quote;
    for (; i < html.size(); ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return -1;
}

class HtmlReader {
public:
    explicit HtmlReader(const QString& html) : html_(html) {}

    Plain read() {
        for (i_ = 0; i_ < html_.size() && refusal_.isEmpty();) {
            const QChar c = html_[i_];
            if (c == u'<' && startsMarkup()) {
                markup();
            } else if (c == u'&') {
                reference();
            } else {
                if (c.isSpace() && c != QChar(0xA0))
                    blank();
                else
                    text_ += c;
                ++i_;
            }
        }
        if (refusal_.isEmpty() &&
            (text_.contains(QStringLiteral("$$")) || text_.contains(QStringLiteral("\\(")) ||
             text_.contains(QStringLiteral("\\["))))
            refusal_ = QStringLiteral("it holds a formula for Moodle to draw (TeX), which a "
                                      "worksheet cannot show.");
        return {text_.trimmed(), refusal_};
    }

private:
    bool startsMarkup() const {
        if (i_ + 1 >= html_.size())
            return false;
        const QChar next = html_[i_ + 1];
        return isAsciiLetter(next) || next == u'!' || next == u'?' ||
               (next == u'/' && i_ + 2 < html_.size() && isAsciiLetter(html_[i_ + 2]));
    }

    void blank() {
        if (!text_.isEmpty() && !text_.endsWith(u' '))
            text_ += u' ';
    }

    void markup() {
        if (QStringView(html_).sliced(i_).startsWith(u"<!--")) {
            const qsizetype end = html_.indexOf(QStringLiteral("-->"), i_ + 4);
            i_ = end < 0 ? html_.size() : end + 3;
            return;
        }
        const qsizetype end = tagEnd(html_, i_ + 1);
        if (end < 0) {
            refusal_ = QStringLiteral("its HTML has a tag that is never closed with \">\".");
            return;
        }
        qsizetype n = i_ + 1;
        if (html_[n] == u'/')
            ++n;
        QString tag;
        while (n < html_.size() && (isAsciiLetter(html_[n]) || html_[n].isDigit()))
            tag += html_[n++].toLower();
        i_ = end;
        // A declaration or processing instruction shows nothing.
        if (tag.isEmpty())
            return;
        bool breaking = false;
        refusal_ = tagRefusal(tag, &breaking);
        if (breaking)
            blank();
    }

    void reference() {
        const qsizetype semicolon = html_.indexOf(u';', i_ + 1);
        if (semicolon < 0 || semicolon - i_ > 32) {
            text_ += html_[i_++];
            return;
        }
        const QStringView body = QStringView(html_).sliced(i_ + 1, semicolon - i_ - 1);
        std::optional<char32_t> code;
        if (body.startsWith(u"#x") || body.startsWith(u"#X"))
            code = numbered(body.sliced(2), 16);
        else if (body.startsWith(u'#'))
            code = numbered(body.sliced(1), 10);
        else if (isName(body))
            code = namedCharacter(body.toString());
        else {
            // Not a reference at all: an "&" in running text.
            text_ += html_[i_++];
            return;
        }
        if (!code) {
            refusal_ =
                QStringLiteral("it holds &%1;, a character the program does not know.").arg(body);
            return;
        }
        // A non-breaking space is a space on a worksheet's one line; unlike
        // the blanks of the source it is not run together with others.
        if (*code == 0xA0)
            text_ += u' ';
        else
            text_ += QString::fromUcs4(&*code, 1);
        i_ = semicolon + 1;
    }

    const QString& html_;
    qsizetype i_ = 0;
    QString text_;
    QString refusal_;
};

} // namespace

std::optional<QString> decode(const QByteArray& bytes, QString* problem) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        *problem = QStringLiteral("it is written in UTF-16; save it as UTF-8 and try again.");
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        *problem = QStringLiteral("it is not UTF-8 text (it may be in another code page, such "
                                  "as Latin-1); save it as UTF-8 and try again.");
        return std::nullopt;
    }
    if (text.contains(QChar(0))) {
        *problem = QStringLiteral("it holds nul bytes, so it is not UTF-8 text (it may be "
                                  "UTF-16); save it as UTF-8 and try again.");
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString oneLine(const QString& text) {
    QString line;
    qsizetype blanksFrom = -1;
    bool broken = false;
    for (const QChar c : text) {
        const bool isBreak = c == u'\n' || c == u'\r';
        if (c.isSpace() && (isBreak || c == u' ' || c == u'\t')) {
            if (blanksFrom < 0)
                blanksFrom = line.size();
            broken = broken || isBreak;
            line += c;
            continue;
        }
        if (broken)
            line.replace(blanksFrom, line.size() - blanksFrom, QStringLiteral(" "));
        blanksFrom = -1;
        broken = false;
        line += c;
    }
    return line.trimmed();
}

Plain fromHtml(const QString& html) {
    return HtmlReader(html).read();
}

} // namespace bank_text

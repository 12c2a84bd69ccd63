#include "page_markup.h"

#include "codepage1252.h"

#include <QRegularExpression>

namespace material::pages {

namespace {

QString lineError(int line, const QString& what) {
    return QStringLiteral("line ") + QString::number(line) + QStringLiteral(": ") + what;
}

// A block whose text is still being gathered from its lines.
struct Open {
    BlockKind kind = BlockKind::Paragraph;
    QStringList lines;
    int line = 0;
};

QString collapseBlanks(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return QString(text).replace(blanks, QStringLiteral(" ")).trimmed();
}

// Bold is marked by pairs of "**"; an odd count means a mark was left open,
// and guessing where it should close would put the wrong words in bold.
QList<Span> spansOf(const QString& text, int line, QStringList& errors) {
    const QStringList pieces = collapseBlanks(text).split(QStringLiteral("**"));
    if (pieces.size() % 2 == 0) {
        errors.append(lineError(line, QStringLiteral("a ** bold mark is not closed")));
        return {};
    }
    // Blanks stay with their pieces: they say whether a bold word stands
    // apart from its neighbours or runs into them, as in "**1940**,".
    QList<Span> spans;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].isEmpty())
            spans.append({pieces[i], i % 2 == 1});
    }
    return spans;
}

// Pages are stored in Windows-1252, like every text the metafile holds; a
// character it lacks would come out as "?" on the page.
void checkCharacters(const QString& text, int line, QStringList& errors) {
    const QByteArray stored = metafile::cp1252::encode(text);
    for (qsizetype i = 0; i < stored.size() && i < text.size(); ++i) {
        if (stored[i] == '?' && text[i] != u'?') {
            errors.append(lineError(line, QStringLiteral("\"") + text[i] +
                                              QStringLiteral("\" cannot be shown on a page")));
            return;
        }
    }
}

void close(Open& open, Markup& markup) {
    if (open.lines.isEmpty())
        return;
    Block block;
    block.kind = open.kind;
    block.line = open.line;
    const qsizetype before = markup.errors.size();
    block.spans = spansOf(open.lines.join(u' '), open.line, markup.errors);
    if (markup.errors.size() == before && plainText(block).isEmpty())
        markup.errors.append(lineError(open.line, QStringLiteral("there is no text here")));
    markup.blocks.append(block);
    open = Open();
}

void start(Open& open, BlockKind kind, const QString& text, int line) {
    open.kind = kind;
    open.lines = {text};
    open.line = line;
}

void pictureDirective(const QStringList& words, int line, Markup& markup) {
    static const QRegularExpression percent(QStringLiteral("^(\\d{1,3})%$"));
    const auto fail = [&](const QString& what) { markup.errors.append(lineError(line, what)); };
    if (words.size() < 4) {
        fail(QStringLiteral("write @picture DRAWING.svg left|right|centre WIDTH% [caption]"));
        return;
    }
    Block block;
    block.kind = BlockKind::Picture;
    block.line = line;
    block.svg = words[1];
    if (!block.svg.endsWith(QStringLiteral(".svg")) || block.svg.contains(u'/') ||
        block.svg.contains(u'\\'))
        fail(QStringLiteral("the picture must be a drawing in the pictures folder, such as "
                            "ration-book.svg"));
    const QString side = words[2].toLower();
    if (side == u"left")
        block.side = Side::Left;
    else if (side == u"right")
        block.side = Side::Right;
    else if (side == u"centre" || side == u"center")
        block.side = Side::Centre;
    else
        fail(QStringLiteral("a picture goes left, right or centre, not ") + words[2]);
    const QRegularExpressionMatch width = percent.match(words[3]);
    block.widthPercent = width.hasMatch() ? width.captured(1).toInt() : 0;
    if (block.widthPercent < 10 || block.widthPercent > 100)
        fail(QStringLiteral("a picture's width is a share of the text's width, 10% to 100%"));
    block.caption = collapseBlanks(words.mid(4).join(u' '));
    markup.blocks.append(block);
}

void directive(const QString& text, int line, Markup& markup) {
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words[0] == u"@picture")
        pictureDirective(words, line, markup);
    else if (words[0] == u"@logo" && words.size() == 1)
        markup.logo = true;
    else
        markup.errors.append(lineError(line, QStringLiteral("unknown instruction ") + words[0]));
}

void checkShape(Markup& markup) {
    qsizetype headings = 0;
    for (const Block& block : markup.blocks)
        headings += block.kind == BlockKind::Heading;
    if (headings != 1 || markup.blocks.isEmpty() ||
        markup.blocks.first().kind != BlockKind::Heading)
        markup.errors.append(
            QStringLiteral("a page starts with its heading (a line beginning \"# \") and has "
                           "only one"));
}

} // namespace

Markup parseMarkup(const QString& source) {
    Markup markup;
    Open open;
    const QStringList lines = source.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = int(i) + 1;
        QString raw = lines[i];
        raw.replace(u'\t', u' ');
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const QString text = raw.trimmed();
        if (text.startsWith(QStringLiteral("//")))
            continue;
        checkCharacters(text, number, markup.errors);
        if (text.isEmpty()) {
            close(open, markup);
        } else if (text.startsWith(QStringLiteral("## "))) {
            close(open, markup);
            start(open, BlockKind::SubHeading, text.mid(3), number);
            close(open, markup);
        } else if (text.startsWith(QStringLiteral("# "))) {
            close(open, markup);
            start(open, BlockKind::Heading, text.mid(2), number);
            close(open, markup);
        } else if (text.startsWith(u'#')) {
            markup.errors.append(
                lineError(number, QStringLiteral("a heading needs a space after # or ##")));
        } else if (text.startsWith(QStringLiteral("- "))) {
            close(open, markup);
            start(open, BlockKind::Bullet, text.mid(2), number);
        } else if (text.startsWith(u'@')) {
            close(open, markup);
            directive(text, number, markup);
        } else if (!open.lines.isEmpty()) {
            // A point or paragraph carries on until a blank line, whether or
            // not its later lines are indented.
            open.lines.append(text);
        } else {
            start(open, BlockKind::Paragraph, text, number);
        }
    }
    close(open, markup);
    checkShape(markup);
    return markup;
}

QString plainText(const Block& block) {
    QString text;
    for (const Span& span : block.spans)
        text += span.text;
    return text.trimmed();
}

} // namespace material::pages

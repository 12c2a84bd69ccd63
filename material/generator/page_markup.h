#pragma once
// Reading pages are written as plain text that a teacher-writer can edit:
//
//   // A note for whoever edits the page; it is not shown.
//   # The page heading
//   @picture ration-book.svg right 32% A ration book for an adult
//   ## A sub-heading
//   Lines that follow one another make one paragraph; a blank line
//   ends it. Words between **double stars** are printed in bold.
//   - A bulleted point. Lines indented under it
//     carry on the same point.
//
// A picture is one of the drawings in material/pictures/, floated to the
// left or right of the text that follows it or set in the centre, at a share
// of the text's width, with an optional caption. "@logo" keeps the lower
// right corner of the screen page clear for the logo the viewer lays over it.
#include <QList>
#include <QString>
#include <QStringList>

namespace material::pages {

// A stretch of text in one weight.
struct Span {
    QString text;
    bool bold = false;
    friend bool operator==(const Span&, const Span&) = default;
};

enum class BlockKind { Heading, SubHeading, Paragraph, Bullet, Picture };
enum class Side { Left, Right, Centre };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    QList<Span> spans; // the text of headings, paragraphs and points
    // Pictures only.
    QString svg;
    Side side = Side::Right;
    int widthPercent = 0;
    QString caption;
    int line = 0; // where the block starts in the source, for messages
};

struct Markup {
    QList<Block> blocks;
    bool logo = false;
    QStringList errors; // "line N: what is wrong"; empty when the page is sound
};

Markup parseMarkup(const QString& source);

// The words of a block as a reader sees them, without the bold marks.
QString plainText(const Block& block);

} // namespace material::pages

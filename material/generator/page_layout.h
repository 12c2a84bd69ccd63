#pragma once
// Lays a reading page out in twips: words wrapped into lines by the real
// metrics of the faces the metafile names, pictures floated beside the text,
// everything placed where the page's version (screen or paper) wants it.
#include "page_markup.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

namespace material::pages {

struct Face {
    QString family;
    double points = 12;
    bool bold = false;
    bool italic = false;
    QColor colour = Qt::black;
    friend bool operator==(const Face&, const Face&) = default;
};

// One version of the pages: its frame, margins, faces and colours.
struct PageStyle {
    QString name; // for messages: "screen" or "print"
    QSize frame;  // twips
    int marginLeft = 0;
    int marginTop = 0;
    int marginRight = 0;
    int marginBottom = 0;
    std::optional<QColor> paper;
    Face heading;
    Face subHeading;
    Face body;
    Face caption;
    QColor rule;
    int ruleThickness = 30;
    QColor pictureEdge;
    double lineSpacing = 1.0; // times the body face's own line spacing
    int gutter = 240;         // between a floated picture and the text beside it
    double twipsPerImagePixel = 15;
    // Paper has room to spare: pictures there are drawn this much larger
    // than the share of the width their page gives them.
    double pictureScale = 1.0;
    // How many times a page that leaves room may have its words and the
    // spaces between them set 5 % larger, to use the frame.
    int largerSteps = 0;
    // Where the viewer lays the publisher's logo over a page that asks for it.
    std::optional<QRect> logoPanel;
    QColor logoColour;
};

// Drawn at 15 twips a pixel with its top-left at the top-left of the
// viewer's page area, which ends 10400 twips across and 7800 down; a frame of
// whole pixels keeps the paper's edges sharp.
PageStyle screenStyle();
// Portrait A4, drawn from (1000, 1000) twips of the printable area.
PageStyle printStyle();

// Text measured as the metafile player will draw it: each face at one
// large pixel size, scaled to its point size.
class Measure {
public:
    double width(const Face& face, const QString& text) const;
    // Each character's advance in twips, rounded so that they add up to the
    // rounded width of the whole text, kerning and all.
    QList<int> advances(const Face& face, const QString& text) const;
    double ascent(const Face& face) const;
    double descent(const Face& face) const;
    double lineSpacing(const Face& face) const;

private:
    const QFontMetricsF& metrics(const Face& face) const;
    // Looking a face up in the font database costs far more than measuring
    // with it, and a page measures thousands of times.
    mutable std::map<QString, QFontMetricsF> metrics_;
};

struct PlacedText {
    QPoint baseline; // left end of the baseline
    QString text;
    Face face;
    QList<int> dx;
};

struct PlacedPicture {
    QRect rect;
    QString svg;
    QImage image; // filled in once the drawing is rendered at rect's size
};

struct PlacedBox {
    QRect rect;
    QColor colour;
};

struct LaidPage {
    QList<PlacedBox> boxes;
    QList<PlacedPicture> pictures;
    QList<PlacedText> texts;
    int contentBottom = 0;
    QStringList errors;
};

// aspect(svg) is a drawing's height over its width, or nothing when the
// drawing cannot be read.
using AspectLookup = std::function<std::optional<double>(const QString& svg)>;

LaidPage layOut(const Markup& page, const PageStyle& style, const AspectLookup& aspect);

// Empty when every face of the style resolves to the font it names or to a
// metric-compatible stand-in (Liberation for Arial and Times New Roman);
// otherwise what is wrong. Pages laid out with other widths would not be
// the pages the viewers show.
QString fontProblem(const PageStyle& style);

// The image size, in pixels, at which a picture placed in `rect` is drawn.
QSize imagePixels(const QRect& rect, const PageStyle& style);

} // namespace material::pages

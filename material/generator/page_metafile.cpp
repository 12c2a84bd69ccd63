#include "page_metafile.h"

#include "gdi.h"
#include "writer.h"

#include <cmath>
#include <map>

namespace material::pages {

namespace {

using metafile::MetafileWriter;
namespace gdi = metafile::gdi;

// Objects are made once and selected only when the one in use changes, so
// a page of many lines holds a handful of fonts, not one per line.
class Objects {
public:
    explicit Objects(MetafileWriter& w) : w_(w) {}

    void font(const Face& face) {
        const QString key = face.family + QString::number(face.points) + (face.bold ? u'B' : u'-') +
                            (face.italic ? u'I' : u'-');
        select(font_, lookUp(fonts_, key, [&] {
                   metafile::Font f;
                   // Negative: the em height, which is what a point size means.
                   f.height = -int(std::lround(face.points * 20));
                   f.weight = face.bold ? gdi::weight::Bold : gdi::weight::Normal;
                   f.italic = face.italic;
                   f.face = face.family;
                   return w_.createFont(f);
               }));
        if (textColour_ != face.colour) {
            w_.setTextColor(face.colour);
            textColour_ = face.colour;
        }
    }
    void brush(const QColor& colour) {
        select(brush_, lookUp(brushes_, colour.name(), [&] {
                   return w_.createBrush({gdi::brush::Solid, colour, 0, {}});
               }));
    }
    void hollowBrush() {
        select(brush_, lookUp(brushes_, QStringLiteral("hollow"), [&] {
                   return w_.createBrush({gdi::brush::Null, Qt::black, 0, {}});
               }));
    }
    void pen(int style, int width, const QColor& colour) {
        const QString key = QString::number(style) + u'/' + QString::number(width) + colour.name();
        select(pen_, lookUp(pens_, key, [&] { return w_.createPen({style, width, colour}); }));
    }

private:
    template <class Make> int lookUp(std::map<QString, int>& table, const QString& key, Make make) {
        auto found = table.find(key);
        if (found == table.end())
            found = table.emplace(key, make()).first;
        return found->second;
    }
    void select(int& current, int slot) {
        if (current != slot)
            w_.selectObject(slot);
        current = slot;
    }

    MetafileWriter& w_;
    std::map<QString, int> fonts_;
    std::map<QString, int> brushes_;
    std::map<QString, int> pens_;
    int font_ = -1;
    int brush_ = -1;
    int pen_ = -1;
    QColor textColour_;
};

} // namespace

QByteArray writePage(const LaidPage& page, const PageStyle& style) {
    MetafileWriter w;
    w.begin(style.frame.width(), style.frame.height());
    // Text is laid on the page, never in boxes of its own background.
    w.setBkMode(gdi::bk::Transparent);
    // Baselines, so that bold and regular words on one line stand level.
    w.setTextAlign(gdi::align::Baseline | gdi::align::Left);
    Objects objects(w);
    objects.pen(gdi::pen::Null, 0, Qt::black);
    if (style.paper) {
        objects.brush(*style.paper);
        w.rectangle({0, 0, style.frame.width(), style.frame.height()});
    }
    for (const PlacedBox& box : page.boxes) {
        objects.brush(box.colour);
        w.rectangle({box.rect.left(), box.rect.top(), box.rect.left() + box.rect.width(),
                     box.rect.top() + box.rect.height()});
    }
    for (const PlacedPicture& picture : page.pictures) {
        w.stretchDib(picture.rect, picture.image);
        objects.pen(gdi::pen::Solid, 15, style.pictureEdge);
        objects.hollowBrush();
        w.rectangle({picture.rect.left(), picture.rect.top(),
                     picture.rect.left() + picture.rect.width(),
                     picture.rect.top() + picture.rect.height()});
    }
    for (const PlacedText& text : page.texts) {
        objects.font(text.face);
        w.extTextOut(text.baseline.x(), text.baseline.y(), text.text, 0, std::nullopt, text.dx);
    }
    return w.finish();
}

} // namespace material::pages

#include "dc_state.h"
#include "metafile.h"

#include <algorithm>

namespace metafile {
namespace {

// Follows the pen through the file as the player does, and counts what a
// pupil could make out on the page.
class VisibleMarks {
public:
    int count = 0;

    void operator()(const cmd::SelectPen& c) { dc_.pen = c.pen; }
    void operator()(const cmd::SaveDC&) { saved_.save(dc_); }
    void operator()(const cmd::RestoreDC& c) { saved_.restore(c.which, dc_); }
    void operator()(const cmd::LineTo&) { outline(); }
    void operator()(const cmd::Polyline&) { outline(); }
    void operator()(const cmd::Polygon&) { outline(); }
    void operator()(const cmd::PolyPolygon&) { outline(); }
    void operator()(const cmd::Rectangle&) { outline(); }
    void operator()(const cmd::RoundRect&) { outline(); }
    void operator()(const cmd::Ellipse&) { outline(); }
    void operator()(const cmd::Arc&) { outline(); }
    void operator()(const cmd::Text& c) {
        count += std::any_of(c.text.cbegin(), c.text.cend(),
                             [](QChar ch) { return ch.isPrint() && !ch.isSpace(); });
    }
    void operator()(const cmd::Bitmap& c) {
        // As the player skips it: nothing to take, or nowhere to put it.
        const QRectF source(c.sourceAt, c.sourceSize);
        count += source.width() != 0 && source.height() != 0 && !c.destSize.isNull() &&
                 !(source.normalized() & QRectF(c.image.rect())).isEmpty();
    }
    template <typename T> void operator()(const T&) {}

private:
    void outline() { count += (dc_.pen.style & gdi::pen::StyleMask) != gdi::pen::Null; }

    DcState dc_;
    SavedStates saved_;
};

} // namespace

int Metafile::visibleMarks() const {
    // The player draws nothing into an empty frame.
    if (frame.isEmpty())
        return 0;
    VisibleMarks marks;
    for (const Command& c : commands)
        std::visit(marks, c);
    return marks.count;
}

} // namespace metafile

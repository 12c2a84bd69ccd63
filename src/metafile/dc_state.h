#pragma once
// The device context a metafile plays into: what SAVEDC saves. Objects are
// held by value, so a restored state brings back the very pen it had even
// if the file has since deleted that pen.
#include "commands.h"
#include "mapping.h"

#include <QBrush>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QTransform>
#include <optional>
#include <vector>

namespace metafile {

struct DcState {
    Pen pen;
    Brush brush;
    Font font;
    QColor textColour = Qt::black;
    QColor bkColour = Qt::white;
    int bkMode = gdi::bk::Opaque;
    int textAlign = gdi::align::Left | gdi::align::Top;
    int fillMode = gdi::fill::Alternate;
    Mapping mapping;
    QPointF position;                 // the current position, logical units
    std::optional<QPainterPath> clip; // in frame units; none means the whole frame
};

// The SAVEDC stack, capped. Saves past the cap are counted but not kept,
// so the RESTOREDC that answers one of them does not pop a real state.
class SavedStates {
public:
    void save(const DcState& state);
    // False when there was no such state (the request is ignored, as GDI
    // ignores it).
    bool restore(int which, DcState& state);

private:
    std::vector<DcState> states_;
    int refused_ = 0;
};

// deviceTransform is the painter's, so a pen thinner than one device pixel
// can be drawn one pixel wide, as GDI draws it.
QPen toQPen(const Pen& pen, const QTransform& deviceTransform);
QBrush toQBrush(const Brush& brush, const QTransform& deviceTransform);

} // namespace metafile

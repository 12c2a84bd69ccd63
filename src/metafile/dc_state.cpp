#include "dc_state.h"

#include "metafile.h"

#include <cmath>

namespace metafile {

void SavedStates::save(const DcState& state) {
    if (states_.size() >= std::size_t(limits::SavedStates)) {
        ++refused_;
        return;
    }
    states_.push_back(state);
}

bool SavedStates::restore(int which, DcState& state) {
    qint64 index = 0;
    if (which < 0) {
        const int back = -which;
        if (back <= refused_) {
            refused_ -= back;
            return false;
        }
        index = qint64(states_.size()) - (back - refused_);
        refused_ = 0;
    } else {
        index = qint64(which) - 1; // positive numbers count saved states from the first
    }
    if (which == 0 || index < 0 || index >= qint64(states_.size()))
        return false;
    state = states_[std::size_t(index)];
    states_.resize(std::size_t(index));
    return true;
}

namespace {

Qt::PenStyle lineStyle(int style) {
    switch (style & gdi::pen::StyleMask) {
    case gdi::pen::Dash:
        return Qt::DashLine;
    case gdi::pen::Dot:
        return Qt::DotLine;
    case gdi::pen::DashDot:
        return Qt::DashDotLine;
    case gdi::pen::DashDotDot:
        return Qt::DashDotDotLine;
    case gdi::pen::Null:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::PenCapStyle capStyle(int style) {
    switch (style & gdi::pen::EndCapMask) {
    case gdi::pen::EndCapSquare:
        return Qt::SquareCap;
    case gdi::pen::EndCapFlat:
        return Qt::FlatCap;
    default:
        return Qt::RoundCap;
    }
}

Qt::PenJoinStyle joinStyle(int style) {
    switch (style & gdi::pen::JoinMask) {
    case gdi::pen::JoinBevel:
        return Qt::BevelJoin;
    case gdi::pen::JoinMiter:
        return Qt::MiterJoin;
    default:
        return Qt::RoundJoin;
    }
}

Qt::BrushStyle hatchStyle(int hatch) {
    switch (hatch) {
    case gdi::hatch::Horizontal:
        return Qt::HorPattern;
    case gdi::hatch::Vertical:
        return Qt::VerPattern;
    case gdi::hatch::FDiagonal:
        return Qt::FDiagPattern;
    case gdi::hatch::BDiagonal:
        return Qt::BDiagPattern;
    case gdi::hatch::DiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::CrossPattern;
    }
}

double horizontalScale(const QTransform& t) {
    return std::hypot(t.m11(), t.m12());
}

} // namespace

QPen toQPen(const Pen& pen, const QTransform& deviceTransform) {
    const Qt::PenStyle style = lineStyle(pen.style);
    if (style == Qt::NoPen)
        return Qt::NoPen;
    const double width = std::abs(pen.width);
    // Width zero is Qt's cosmetic one-pixel pen, as it is GDI's.
    const bool hairline = width * horizontalScale(deviceTransform) < 1;
    return QPen(QBrush(pen.colour), hairline ? 0 : width, style, capStyle(pen.style),
                joinStyle(pen.style));
}

QBrush toQBrush(const Brush& brush, const QTransform& deviceTransform) {
    switch (brush.style) {
    case gdi::brush::Null:
        return Qt::NoBrush;
    case gdi::brush::Hatched:
        return QBrush(brush.colour, hatchStyle(brush.hatch));
    case gdi::brush::Pattern:
    case gdi::brush::DibPattern:
    case gdi::brush::DibPatternPt: {
        if (brush.pattern.isNull())
            return QBrush(brush.colour);
        // Patterns repeat in device pixels in GDI, whatever the mapping.
        QBrush out(brush.pattern);
        const double sx = horizontalScale(deviceTransform);
        const double sy = std::hypot(deviceTransform.m21(), deviceTransform.m22());
        if (sx > 0 && sy > 0)
            out.setTransform(QTransform::fromScale(1 / sx, 1 / sy));
        return out;
    }
    default:
        return QBrush(brush.colour);
    }
}

} // namespace metafile

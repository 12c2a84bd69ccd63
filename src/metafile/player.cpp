#include "player.h"

#include "dc_state.h"
#include "raster_cost.h"
#include "shapes.h"
#include "text_painter.h"

#include <QElapsedTimer>
#include <QPaintEngine>
#include <QPainterPath>
#include <cmath>
#include <optional>

namespace metafile {
namespace {

// Clip regions built from many excluded rectangles grow with each one, and
// each cut costs more than the last. Once a clip is this intricate further
// cuts are ignored rather than letting a file stall the window; real pages
// use a handful.
constexpr int MaxClipElements = 2000;

class Player {
public:
    Player(const Metafile& picture, QPainter& painter, const QRectF& target)
        : painter_(painter), base_(painter.worldTransform()) {
        const QRectF& f = picture.frame;
        frameToTarget_ =
            QTransform::fromTranslate(-f.left(), -f.top()) *
            QTransform::fromScale(target.width() / f.width(), target.height() / f.height()) *
            QTransform::fromTranslate(target.left(), target.top());
        frameToDevice_ = frameToTarget_ * base_;
        frame_ = f;
        dc_.mapping = Mapping::forFrame(f, picture.unitsPerInch);
        unitsPerInch_ = picture.unitsPerInch;
    }

    void operator()(const cmd::WindowOrg& c) { dc_.mapping.windowOrg = c.at; }
    void operator()(const cmd::WindowExt& c) { dc_.mapping.setWindowExt(c.size); }
    void operator()(const cmd::ViewportOrg& c) { dc_.mapping.viewportOrg = c.at; }
    void operator()(const cmd::ViewportExt& c) { dc_.mapping.setViewportExt(c.size); }
    void operator()(const cmd::MapMode& c) { dc_.mapping.setMode(c.mode); }
    void operator()(const cmd::SelectPen& c) { dc_.pen = c.pen; }
    void operator()(const cmd::SelectBrush& c) { dc_.brush = c.brush; }
    void operator()(const cmd::SelectFont& c) { dc_.font = c.font; }
    void operator()(const cmd::TextColour& c) { dc_.textColour = c.colour; }
    void operator()(const cmd::BkColour& c) { dc_.bkColour = c.colour; }
    void operator()(const cmd::BkMode& c) { dc_.bkMode = c.mode; }
    void operator()(const cmd::TextAlign& c) { dc_.textAlign = c.align; }
    void operator()(const cmd::PolyFillMode& c) { dc_.fillMode = c.mode; }
    void operator()(const cmd::SaveDC&) { saved_.save(dc_); }
    void operator()(const cmd::RestoreDC& c) {
        if (saved_.restore(c.which, dc_))
            clipChanged_ = true;
    }
    void operator()(const cmd::IntersectClip& c) { cut(c.box, false); }
    void operator()(const cmd::ExcludeClip& c) { cut(c.box, true); }
    void operator()(const cmd::MoveTo& c) { dc_.position = c.at; }
    void operator()(const cmd::LineTo& c) {
        QPainterPath path(dc_.position);
        path.lineTo(c.at);
        dc_.position = c.at;
        stroke(path);
    }
    void operator()(const cmd::Polyline& c) {
        if (const std::optional<bool> smooth = smoothness({c.points}))
            stroke(shapes::polyline(c.points), *smooth);
    }
    void operator()(const cmd::Polygon& c) {
        if (const std::optional<bool> smooth = smoothness({c.points}))
            fill(shapes::polygon(c.points, dc_.fillMode), *smooth);
    }
    void operator()(const cmd::PolyPolygon& c) {
        if (const std::optional<bool> smooth = smoothness(c.polygons))
            fill(shapes::polyPolygon(c.polygons, dc_.fillMode), *smooth);
    }
    void operator()(const cmd::Rectangle& c) { fill(shapes::rectangle(c.box), smooth(c.box)); }
    void operator()(const cmd::RoundRect& c) {
        fill(shapes::roundRect(c.box, c.corner), smooth(c.box));
    }
    void operator()(const cmd::Ellipse& c) { fill(shapes::ellipse(c.box), smooth(c.box)); }
    void operator()(const cmd::Arc& c) {
        if (c.kind == cmd::ArcKind::Arc)
            stroke(shapes::arc(c), smooth(c.box));
        else
            fill(shapes::arc(c), smooth(c.box));
    }
    void operator()(const cmd::Text& c);
    void operator()(const cmd::Bitmap& c);

private:
    QTransform logicalToDevice() const { return dc_.mapping.logicalToFrame() * frameToDevice_; }
    void prepare(bool smooth = true);
    std::optional<bool> smoothness(const QList<QPolygon>& outlines) const;
    bool smooth(const Box& box) const;
    void stroke(const QPainterPath& path, bool smooth = true);
    void fill(const QPainterPath& path, bool smooth = true);
    void cut(const Box& box, bool exclude);

    QPainter& painter_;
    QTransform base_;
    QTransform frameToTarget_;
    QTransform frameToDevice_;
    QRectF frame_;
    double unitsPerInch_ = 1440;
    DcState dc_;
    SavedStates saved_;
    bool clipChanged_ = false;
};

// The painter's own saved state holds the target clip; each change of the
// metafile's clip starts again from it.
void Player::prepare(bool smooth) {
    if (clipChanged_) {
        painter_.restore();
        painter_.save();
        if (dc_.clip) {
            painter_.setWorldTransform(frameToDevice_);
            painter_.setClipPath(*dc_.clip, Qt::IntersectClip);
        }
        clipChanged_ = false;
    }
    painter_.setWorldTransform(logicalToDevice());
    painter_.setRenderHint(QPainter::Antialiasing, smooth);
}

// Whether to antialias outlines the file gave point by point, or nothing when
// they would cost too much to draw at all. Only a raster device pays for
// filling as it draws; a printer or PDF takes the outline as it is.
std::optional<bool> Player::smoothness(const QList<QPolygon>& outlines) const {
    if (painter_.paintEngine()->type() != QPaintEngine::Raster)
        return true;
    const QPaintDevice* device = painter_.device();
    const QSizeF size(device->width() * device->devicePixelRatio(),
                      device->height() * device->devicePixelRatio());
    const QTransform toPixels =
        logicalToDevice() * painter_.worldTransform().inverted() * painter_.deviceTransform();
    const double cost = raster_cost::edgePixels(outlines, toPixels, size);
    if (cost > raster_cost::MostEdgePixels)
        return std::nullopt;
    return cost <= raster_cost::SmoothEdgePixels &&
           raster_cost::outlinePixels(outlines, toPixels) <= raster_cost::SmoothOutlinePixels;
}

// A box, an ellipse or an arc: its frame stands for its outline, and on the
// device it never costs more than the device's own edges.
bool Player::smooth(const Box& box) const {
    const QPolygon frame(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    return smoothness({frame}).value_or(false);
}

void Player::stroke(const QPainterPath& path, bool smooth) {
    prepare(smooth);
    painter_.setPen(toQPen(dc_.pen, painter_.deviceTransform()));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
}

void Player::fill(const QPainterPath& path, bool smooth) {
    prepare(smooth);
    if (dc_.brush.style == gdi::brush::Hatched && dc_.bkMode == gdi::bk::Opaque)
        painter_.fillPath(path, dc_.bkColour);
    painter_.setPen(toQPen(dc_.pen, painter_.deviceTransform()));
    painter_.setBrush(toQBrush(dc_.brush, painter_.deviceTransform()));
    painter_.drawPath(path);
}

// Clip rectangles are given in logical units but kept, as GDI keeps them, on
// the device (here the frame), so a later change of window does not move them.
void Player::cut(const Box& box, bool exclude) {
    if (dc_.clip && dc_.clip->elementCount() > MaxClipElements / 2)
        return;
    const QRectF logical = QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom));
    QPainterPath piece;
    piece.addRect(dc_.mapping.logicalToFrame().mapRect(logical.normalized()));
    QPainterPath current;
    if (dc_.clip)
        current = *dc_.clip;
    else
        current.addRect(frame_ | piece.boundingRect());
    QPainterPath next = exclude ? current.subtracted(piece) : current.intersected(piece);
    if (next.elementCount() > MaxClipElements)
        return;
    dc_.clip = std::move(next);
    clipChanged_ = true;
}

void Player::operator()(const cmd::Text& c) {
    const bool updateCP = dc_.textAlign & gdi::align::UpdateCP;
    const QPointF reference = updateCP ? dc_.position : QPointF(c.at);
    const QTransform toFrame = dc_.mapping.logicalToFrame();
    const double sx = std::abs(toFrame.m11());
    const double sy = std::abs(toFrame.m22());
    prepare();
    if (c.box && (c.options & gdi::eto::Opaque)) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(dc_.bkColour);
        painter_.drawPath(shapes::rectangle(*c.box));
    }
    painter_.save();
    if (c.box && (c.options & gdi::eto::Clipped))
        painter_.setClipPath(shapes::rectangle(*c.box), Qt::IntersectClip);
    TextRun run;
    run.origin = toFrame.map(reference);
    run.text = c.text;
    for (int dx : c.dx)
        run.advances.append(dx * sx);
    run.font = dc_.font;
    run.fontHeight = std::abs(dc_.font.height) * sy;
    run.fontWidth = std::abs(dc_.font.width) * sx;
    run.defaultHeight = unitsPerInch_ / 6; // twelve points, as a device context starts
    run.align = dc_.textAlign;
    run.opaque = dc_.bkMode == gdi::bk::Opaque;
    run.textColour = dc_.textColour;
    run.bkColour = dc_.bkColour;
    const double width = paintText(painter_, frameToDevice_, run);
    painter_.restore();
    if (updateCP && toFrame.m11() != 0) {
        const int horizontal = dc_.textAlign & gdi::align::HorizontalMask;
        const double step = width / toFrame.m11();
        if (horizontal == gdi::align::Left)
            dc_.position.rx() += step;
        else if (horizontal == gdi::align::Right)
            dc_.position.rx() -= step;
    }
}

void Player::operator()(const cmd::Bitmap& c) {
    const QRectF source(c.sourceAt, c.sourceSize);
    if (source.width() == 0 || source.height() == 0 || c.destSize.isNull())
        return;
    const QRectF visible = source.normalized() & QRectF(c.image.rect());
    if (visible.isEmpty())
        return;
    // Source pixels onto the destination rectangle; opposite signs of the
    // two sizes mirror the picture, as StretchBlt does.
    const QTransform place = QTransform::fromTranslate(-source.x(), -source.y()) *
                             QTransform::fromScale(c.destSize.width() / source.width(),
                                                   c.destSize.height() / source.height()) *
                             QTransform::fromTranslate(c.destAt.x(), c.destAt.y());
    prepare();
    painter_.setWorldTransform(place * logicalToDevice());
    painter_.drawImage(visible, c.image, visible);
}

} // namespace

void draw(const Metafile& picture, QPainter& painter, const QRectF& target) {
    if (picture.frame.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.save();
    Player player(picture, painter, target);
    QElapsedTimer clock;
    clock.start();
    for (const Command& command : picture.commands) {
        std::visit(player, command);
        if (clock.hasExpired(limits::DrawMilliseconds))
            break;
    }
    painter.restore();
    painter.restore();
}

} // namespace metafile

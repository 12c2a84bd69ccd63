#include "style.h"

#include "twips.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QWidget>
#include <cmath>

namespace {

// Reads the scale each time it is asked, so it holds whatever the scale
// was set to before the screens were built.
class ScaledMarksStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return int(std::lround(base * twips::scale()));
        default:
            return base;
        }
    }
};

} // namespace

namespace style {

void useScaledMarks() {
    // A program without windows (the catalogue repair) has no style at all.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        dynamic_cast<ScaledMarksStyle*>(QApplication::style()))
        return;
    // In front of the style the program runs with, whether the platform's
    // or one asked for with -style, so that scale 1 looks as it did.
    QApplication::setStyle(new ScaledMarksStyle(QApplication::style()->name()));
}

QFont tahoma(double points, bool bold) {
    return twips::font(QStringLiteral("Tahoma"), points, bold);
}

QFont tahomaBold(double points) {
    return tahoma(points, true);
}

QFont times(double points, bool bold) {
    return twips::font(QStringLiteral("Times New Roman"), points, bold);
}

QFont arial(double points) {
    return twips::font(QStringLiteral("Arial"), points);
}

void paintThinBorder(QWidget* control, QPainter& painter) {
    // Four one-pixel bands rather than a pen along the edge: the same pixels,
    // but the raster engine fills a rectangle against a clip several times
    // faster than it strokes a line, and a dragged label uncovers part of a
    // box's edge on every move.
    const QRect r = control->rect();
    if (r.isEmpty())
        return;
    painter.fillRect(r.left(), r.top(), r.width(), 1, Qt::black);
    if (r.height() > 1)
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, Qt::black);
    if (r.height() > 2) {
        painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, Qt::black);
        if (r.width() > 1)
            painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, Qt::black);
    }
}

} // namespace style

namespace style {

bool cameByKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

void paintLabelText(QLabel* label, QPainter& painter) {
    const int m = label->margin();
    const QRect area = label->contentsRect().adjusted(m, m, -m, -m);
    int flags = int(QStyle::visualAlignment(label->layoutDirection(), label->alignment()));
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    label->style()->drawItemText(&painter, area, flags, label->palette(), label->isEnabled(),
                                 label->text(), label->foregroundRole());
}

void paintFocusRing(QWidget* control, bool innerBand) {
    QPainter painter(control);
    const QRect outer = control->rect();
    // Filled bands rather than stroked pens: every pixel of the band is set,
    // at any scale, with no antialiased fringe.
    const auto band = [&painter](const QRect& r, int width, const QColor& colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
        painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
        painter.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
        painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
    };
    band(outer, 2, Qt::white);
    if (innerBand)
        band(outer.adjusted(2, 2, -2, -2), 2, Qt::black);
}

} // namespace style

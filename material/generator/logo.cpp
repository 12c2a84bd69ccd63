#include "logo.h"

#include "gif.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <QTransform>
#include <QtMath>
#include <cmath>

namespace material {

namespace {

// Drawn in a 120 x 120 box centred on the origin; the still logo scales it.
const QColor kBackground(49, 130, 212); // the notes viewer's own blue
const QColor kInk(10, 26, 61);
const QColor kNavyLight(44, 92, 170);
const QColor kNavyDark(12, 31, 78);
const QColor kGoldLight(253, 236, 170);
const QColor kGold(228, 178, 72);
const QColor kGoldDark(150, 102, 26);
const QColor kCream(250, 244, 228);
const QColor kCreamShade(206, 190, 156);

constexpr int kBeads = 16;
constexpr double kBeadRadius = 54.0;
constexpr double kMedallionRadius = 49.5;
const QPointF kBowlCentre(-2, -5);

QLinearGradient goldGradient(double reach) {
    // Light from the upper left, fixed while the ring turns under it.
    QLinearGradient gradient(QPointF(-reach, -reach), QPointF(reach, reach));
    gradient.setColorAt(0.0, kGoldLight);
    gradient.setColorAt(0.45, kGold);
    gradient.setColorAt(1.0, kGoldDark);
    return gradient;
}

QPainterPath diamondAt(double angle) {
    QPainterPath diamond;
    diamond.moveTo(kBeadRadius - 4.2, 0);
    diamond.lineTo(kBeadRadius, 2.1);
    diamond.lineTo(kBeadRadius + 4.2, 0);
    diamond.lineTo(kBeadRadius, -2.1);
    diamond.closeSubpath();
    return QTransform().rotate(angle).map(diamond);
}

void drawBeadRing(QPainter& p, double turn) {
    p.setPen(QPen(kInk, 0.9));
    p.setBrush(goldGradient(55));
    const double spacing = 360.0 / kBeads;
    for (int k = 0; k < kBeads; ++k) {
        const double angle = turn + k * spacing;
        const double radians = qDegreesToRadians(angle);
        p.drawEllipse(QPointF(kBeadRadius * std::cos(radians), kBeadRadius * std::sin(radians)),
                      2.5, 2.5);
        p.drawPath(diamondAt(angle + spacing / 2));
    }
}

void drawMedallion(QPainter& p) {
    const QPointF centre(0, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(centre, kMedallionRadius, kMedallionRadius);
    p.setBrush(goldGradient(40));
    p.drawEllipse(centre, 48.3, 48.3);
    p.setBrush(kInk);
    p.drawEllipse(centre, 44.9, 44.9);
    QRadialGradient navy(centre, 44, QPointF(-14, -18));
    navy.setColorAt(0.0, kNavyLight);
    navy.setColorAt(1.0, kNavyDark);
    p.setBrush(navy);
    p.drawEllipse(centre, 44.0, 44.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(228, 178, 72, 120), 0.8));
    p.drawEllipse(centre, 40.8, 40.8);
}

// The Q's bowl: a ring whose counter is tilted, so it swells at the sides
// like a pen-drawn letter.
void drawBowl(QPainter& p) {
    QPainterPath bowl;
    bowl.addEllipse(kBowlCentre, 27.5, 28.0);
    QPainterPath counter;
    counter.addEllipse(QPointF(0, 0), 18.5, 21.0);
    bowl.addPath(QTransform()
                     .translate(kBowlCentre.x() - 0.7, kBowlCentre.y() - 0.2)
                     .rotate(-28)
                     .map(counter));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(goldGradient(26));
    p.drawPath(bowl);
}

QPainterPath bookPage(double side, double grow) {
    QPainterPath page;
    page.moveTo(0, -5 - grow);
    page.cubicTo(side * 4, -8.5 - grow, side * 9, -9 - grow, side * (13 + grow), -7 - grow);
    page.lineTo(side * (13 + grow), 6.5 + grow);
    page.cubicTo(side * 9, 4.5 + grow, side * 4, 5 + grow, 0, 8.5 + grow);
    page.closeSubpath();
    return page;
}

void drawBook(QPainter& p) {
    p.save();
    p.translate(kBowlCentre + QPointF(0, -1.5));
    p.scale(1.12, 1.12);
    p.setPen(QPen(kInk, 0.9));
    p.setBrush(kGoldDark);
    for (double side : {-1.0, 1.0})
        p.drawPath(bookPage(side, 1.4).translated(0, 1.2));
    for (double side : {-1.0, 1.0}) {
        QLinearGradient paper(QPointF(0, 0), QPointF(side * 13, 0));
        paper.setColorAt(0.0, kCreamShade);
        paper.setColorAt(0.35, kCream);
        paper.setColorAt(1.0, kCream);
        p.setPen(QPen(kInk, 0.9));
        p.setBrush(paper);
        p.drawPath(bookPage(side, 0));
        p.setPen(QPen(kCreamShade, 0.8));
        for (double y : {-3.5, -0.5, 2.5})
            p.drawLine(QPointF(side * 3, y + 0.6), QPointF(side * 10.5, y - 0.6));
    }
    p.restore();
}

// The quill's shaft runs along a quadratic curve from the nib to the tip of
// the feather; its feather forms the tail of the Q.
struct Quill {
    QPointF nib{1, -5};
    QPointF bend{8, 21};
    QPointF tip{37, 23};
    double vaneStart = 0.24;

    QPointF at(double t) const {
        const double u = 1 - t;
        return u * u * nib + 2 * u * t * bend + t * t * tip;
    }
    QPointF normal(double t) const {
        const QPointF d = 2 * (1 - t) * (bend - nib) + 2 * t * (tip - bend);
        const double length = std::hypot(d.x(), d.y());
        return QPointF(-d.y() / length, d.x() / length);
    }
};

// A V-shaped split in the vane, where the barbs have parted.
double notch(double u, double centre) {
    return 1.0 - 0.5 * std::max(0.0, 1.0 - std::abs(u - centre) / 0.035);
}

QPainterPath vane(const Quill& quill) {
    constexpr int kSteps = 72;
    QPolygonF upper, lower;
    for (int i = 0; i <= kSteps; ++i) {
        const double u = double(i) / kSteps;
        const double t = quill.vaneStart + (1 - quill.vaneStart) * u;
        // Full soon after the start, rounded off at the tip.
        const double swell = std::pow(std::sin(M_PI * std::pow(u, 0.7)), 0.55);
        upper << quill.at(t) + quill.normal(t) * (5.5 * swell * notch(u, 0.55));
        lower << quill.at(t) - quill.normal(t) * (7.5 * swell * notch(u, 0.4) * notch(u, 0.72));
    }
    QPainterPath path;
    path.moveTo(upper.first());
    for (qsizetype i = 1; i < upper.size(); ++i)
        path.lineTo(upper[i]);
    for (qsizetype i = lower.size() - 1; i >= 0; --i)
        path.lineTo(lower[i]);
    path.closeSubpath();
    return path;
}

QPainterPath shaft(const Quill& quill, double from, double to) {
    QPainterPath path;
    path.moveTo(quill.at(from));
    constexpr int kSteps = 12;
    for (int i = 1; i <= kSteps; ++i)
        path.lineTo(quill.at(from + (to - from) * i / kSteps));
    return path;
}

void drawQuill(QPainter& p) {
    const Quill quill;
    QLinearGradient feather(quill.at(quill.vaneStart), quill.tip);
    feather.setColorAt(0.0, kCream);
    feather.setColorAt(1.0, kCreamShade);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(feather);
    p.drawPath(vane(quill));
    // A few barbs, and the shaft through the middle.
    p.setPen(QPen(kCreamShade.darker(125), 0.7));
    for (double t : {0.36, 0.5, 0.64, 0.78}) {
        const QPointF root = quill.at(t);
        const QPointF ahead = quill.at(t + 0.1);
        p.drawLine(root, ahead + quill.normal(t) * 4.5);
        p.drawLine(root, ahead - quill.normal(t) * 6.5);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shaft(quill, 0.04, 0.9));
    p.setPen(QPen(kGoldLight, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shaft(quill, 0.06, 0.9));
    // The nib, dark with ink.
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(quill.at(0.0), quill.at(0.07));
}

void drawEmblem(QPainter& p) {
    drawMedallion(p);
    drawBowl(p);
    drawBook(p);
    drawQuill(p);
}

QImage blankCanvas(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBackground);
    // Fixed at 96 dpi: the default follows the screen, and the BMP header
    // carries it, which would make the bytes depend on the machine.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

// Either side of the still mark: a gold rule with the ring's bead and
// lozenge on it, so the ornament echoes the turning ring of the frames.
void drawRule(QPainter& p, double side) {
    QPainterPath ornament;
    ornament.addRect(QRectF(side > 0 ? 40 : -56, -1.2, 16, 2.4));
    QPainterPath lozenge;
    lozenge.moveTo(side * 44, 0);
    lozenge.lineTo(side * 48.5, -4.0);
    lozenge.lineTo(side * 53, 0);
    lozenge.lineTo(side * 48.5, 4.0);
    lozenge.closeSubpath();
    ornament = ornament.united(lozenge);
    QPainterPath bead;
    bead.addEllipse(QPointF(side * 56, 0), 2.3, 2.3);
    ornament = ornament.united(bead);
    QLinearGradient gold(QPointF(0, -4), QPointF(0, 4));
    gold.setColorAt(0.0, kGoldLight);
    gold.setColorAt(0.5, kGold);
    gold.setColorAt(1.0, kGoldDark);
    p.setPen(QPen(kInk, 0.9));
    p.setBrush(gold);
    p.drawPath(ornament);
}

QByteArray encodeBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(image) ? bytes : QByteArray();
}

// The medallion with its beads reaches 58.5 units from the centre; the
// icon's square leaves a unit and a half clear all round.
void drawIconEmblem(QPainter& p, double side) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 120.0, side / 120.0);
    p.translate(60, 60);
    drawBeadRing(p, 0);
    drawEmblem(p);
}

QByteArray encodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray drawIconSvg() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(120, 120));
    svg.setViewBox(QRect(0, 0, 120, 120));
    svg.setTitle(QStringLiteral("Ostervale"));
    // Fixed, as the generator's default follows the screen and would make
    // the bytes depend on the machine.
    svg.setResolution(96);
    QPainter p(&svg);
    drawIconEmblem(p, 120);
    p.end();
    return bytes;
}

} // namespace

QImage drawIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter p(&image);
    drawIconEmblem(p, side);
    return image;
}

QList<LogoFile> renderIcons() {
    const QString name = QLatin1String(kIconName);
    QList<LogoFile> files;
    for (int side : kIconSizes)
        files.append(
            {QStringLiteral("icons/hicolor/%1x%1/apps/").arg(side) + name + QStringLiteral(".png"),
             encodePng(drawIcon(side))});
    files.append({QStringLiteral("icons/hicolor/scalable/apps/") + name + QStringLiteral(".svg"),
                  drawIconSvg()});
    return files;
}

QImage drawLogoFrame(int frame) {
    QImage image = blankCanvas(kLogoFrameSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(60, 60);
    // One bead spacing over the whole loop: frame 20 would equal frame 0.
    drawBeadRing(p, (360.0 / kBeads) * frame / kLogoFrames);
    drawEmblem(p);
    return image;
}

QImage drawStaticLogo() {
    QImage image = blankCanvas(kStaticLogoSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(60, 44.5);
    drawRule(p, -1);
    drawRule(p, 1);
    p.scale(0.84, 0.84);
    drawEmblem(p);
    return image;
}

QList<LogoFile> renderLogo() {
    QList<QImage> frames;
    for (int frame = 0; frame < kLogoFrames; ++frame)
        frames.append(drawLogoFrame(frame));
    const QList<IndexedImage> indexed = reduceColours(frames);
    QList<LogoFile> files;
    for (int frame = 0; frame < kLogoFrames; ++frame)
        files.append({QStringLiteral("logo/quorvane%1.gif").arg(frame, 4, 10, QLatin1Char('0')),
                      encodeGif(indexed[frame])});
    files.append({QStringLiteral("logo/quorvane2.bmp"), encodeBmp(drawStaticLogo())});
    return files;
}

} // namespace material

#include "print_surface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerScreenPixel = 15.0;
} // namespace

QPageSize::PageSizeId QtPrintSurface::paperFor(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                   : QPageSize::A4;
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!info.isNull())
        printer->setPrinterName(info.printerName());
    return std::unique_ptr<QtPrintSurface>(
        new QtPrintSurface(std::move(printer), !info.isNull(), paperFor(QLocale())));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::pdf(const QString& path,
                                                    QPageSize::PageSizeId paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer), true, paper));
}

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer, bool hasPrinter,
                               QPageSize::PageSizeId paper)
    : printer_(std::move(printer)), hasPrinter_(hasPrinter) {
    printer_->setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                        QMarginsF(6.35, 6.35, 6.35, 6.35),
                                        QPageLayout::Millimeter));
    printer_->setDocName(QStringLiteral("Ostervale"));
}

QtPrintSurface::~QtPrintSurface() {
    // A job that was neither sent nor abandoned is abandoned now.
    if (painter_ && painter_->isActive())
        KillDoc();
}

bool QtPrintSurface::begin() {
    if (!hasPrinter_)
        return false;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        failed_ = true;
        return false;
    }
    // Twips from the printable area's top-left corner, whatever the
    // printer's resolution.
    const double perTwip = printer_->resolution() / kTwipsPerInch;
    painter_->scale(perTwip, perTwip);
    const QRectF area = printer_->pageLayout().paintRect(QPageLayout::Inch);
    width_ = float(area.width() * kTwipsPerInch);
    height_ = float(area.height() * kTwipsPerInch);
    painter_->setClipRect(QRectF(0, 0, width_, height_));
    return healthy();
}

bool QtPrintSurface::healthy() const {
    return !failed_ && painter_ && painter_->isActive() &&
           printer_->printerState() != QPrinter::Error &&
           printer_->printerState() != QPrinter::Aborted;
}

void QtPrintSurface::setFont(const QString& name, double points) {
    font_ = QFont(name);
    // Sizes in twips: the painter draws in twips, so text keeps its size on
    // paper whatever the printer's resolution.
    font_.setPixelSize(int(points * kTwipsPerPoint + 0.5));
    font_.setHintingPreference(QFont::PreferNoHinting);
    if (painter_)
        painter_->setFont(font_);
}

void QtPrintSurface::setForeColor(const QColor& colour) {
    colour_ = colour;
}

void QtPrintSurface::setDrawWidth(int pixels) {
    drawWidth_ = pixels;
}

bool QtPrintSurface::Print(const QString& text, bool newLine) {
    if (!healthy())
        return false;
    painter_->setPen(colour_);
    painter_->setFont(font_);
    const QFontMetricsF metrics(font_);
    painter_->drawText(QPointF(CurrentX, CurrentY + metrics.ascent()), text);
    if (newLine) {
        CurrentX = 0;
        CurrentY += float(metrics.lineSpacing());
    } else {
        CurrentX += float(metrics.horizontalAdvance(text));
    }
    return healthy();
}

float QtPrintSurface::TextWidth(const QString& text) const {
    return float(QFontMetricsF(font_).horizontalAdvance(text));
}

float QtPrintSurface::TextHeight() const {
    return float(QFontMetricsF(font_).lineSpacing());
}

bool QtPrintSurface::Line(float x1, float y1, float x2, float y2) {
    if (!healthy())
        return false;
    painter_->setPen(
        QPen(colour_, drawWidth_ * kTwipsPerScreenPixel, Qt::SolidLine, Qt::SquareCap));
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    return healthy();
}

bool QtPrintSurface::drawPicture(float x, float y, const std::function<void(QPainter&)>& draw) {
    if (!healthy())
        return false;
    painter_->save();
    painter_->translate(x, y);
    draw(*painter_);
    painter_->restore();
    return healthy();
}

bool QtPrintSurface::EndDoc() {
    if (!healthy())
        return false;
    return painter_->end() && printer_->printerState() != QPrinter::Error;
}

void QtPrintSurface::KillDoc() {
    failed_ = true;
    printer_->abort();
    if (painter_ && painter_->isActive())
        painter_->end();
    // Qt's PDF writer cannot abort: it finishes the file with the half page,
    // which is no printout to keep.
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
        QFile::remove(printer_->outputFileName());
}

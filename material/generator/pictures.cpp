#include "pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace material {

namespace {

QString rowError(int line, const QString& what) {
    return QStringLiteral("pictures.txt line ") + QString::number(line) + QStringLiteral(": ") +
           what;
}

int parseDimension(const QString& word) {
    bool ok = false;
    const int value = word.toInt(&ok);
    return ok && value > 0 && value <= 4096 ? value : 0;
}

// The renderer reports unsupported elements and broken references only
// through Qt's message log, so the log is captured while a drawing loads.
QStringList* capturedWarnings = nullptr;

void captureWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (capturedWarnings && type != QtDebugMsg && type != QtInfoMsg)
        capturedWarnings->append(message);
}

class WarningCapture {
public:
    WarningCapture() {
        capturedWarnings = &warnings;
        previous = qInstallMessageHandler(captureWarning);
    }
    ~WarningCapture() {
        qInstallMessageHandler(previous);
        capturedWarnings = nullptr;
    }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    QStringList warnings;

private:
    QtMessageHandler previous = nullptr;
};

// Elements the renderer would draw from whatever fonts or files this machine
// has, or would skip without a word (Qt 6.4 has no clipping, masks, filters
// or patterns), so the picture would not be what its author saw.
QString refusedElement(const QByteArray& svg) {
    static const QStringList refused = {
        QStringLiteral("text"),   QStringLiteral("tspan"),    QStringLiteral("textPath"),
        QStringLiteral("image"),  QStringLiteral("clipPath"), QStringLiteral("mask"),
        QStringLiteral("filter"), QStringLiteral("pattern"),
    };
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            refused.contains(xml.name().toString()))
            return xml.name().toString();
    }
    return {};
}

QByteArray encodeJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(kJpegQuality);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace

PictureManifest parsePictureManifest(const QString& text) {
    PictureManifest manifest;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(blanks);
        const int number = i + 1;
        if (words.size() != 4) {
            manifest.errors.append(rowError(number, QStringLiteral("expected 4 fields")));
            continue;
        }
        const QSize size(parseDimension(words[2]), parseDimension(words[3]));
        if (size.width() == 0 || size.height() == 0) {
            manifest.errors.append(rowError(number, QStringLiteral("bad picture size")));
            continue;
        }
        manifest.rows.append({words[0], words[1], size, number});
    }
    return manifest;
}

RenderedPicture renderPicture(const QByteArray& svg, QSize size) {
    if (const QString element = refusedElement(svg); !element.isEmpty())
        return {{},
                QStringLiteral("<") + element + QStringLiteral("> cannot be used in a drawing")};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        WarningCapture capture;
        QSvgRenderer renderer(svg);
        if (!renderer.isValid())
            return {{}, QStringLiteral("the drawing is not valid SVG")};
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        if (!capture.warnings.isEmpty())
            return {{}, QStringLiteral("the SVG renderer warned: ") + capture.warnings.join(u"; ")};
    }
    QByteArray jpeg = encodeJpeg(image);
    if (jpeg.isEmpty())
        return {{}, QStringLiteral("JPEG encoding failed")};
    return {jpeg, {}};
}

} // namespace material

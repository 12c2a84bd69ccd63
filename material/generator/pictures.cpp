#include "pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace material {

namespace {

QString rowError(int line, const QString& what) {
    return QStringLiteral("pictures.txt line ") + QString::number(line) + QStringLiteral(": ") +
           what;
}

// Fields are separated by blanks; a field in double quotes may contain blanks,
// because some file names the program opens do ("Images/EL ALAMEIN.jpg").
// Returns false for a quote that is never closed or that runs into the next
// field, rather than guessing where the name was meant to end.
bool splitFields(const QString& line, QStringList& fields) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        if (line[i] != QLatin1Char('"')) {
            const qsizetype start = i;
            while (i < n && !line[i].isSpace())
                ++i;
            fields.append(line.mid(start, i - start));
            continue;
        }
        const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
        if (close < 0 || (close + 1 < n && !line[close + 1].isSpace()))
            return false;
        fields.append(line.mid(i + 1, close - i - 1));
        i = close + 1;
    }
    return true;
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
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int number = i + 1;
        QStringList words;
        if (!splitFields(line, words)) {
            manifest.errors.append(rowError(number, QStringLiteral("unmatched quote")));
            continue;
        }
        if (words.size() != 4) {
            manifest.errors.append(rowError(number, QStringLiteral("expected 4 fields")));
            continue;
        }
        if (words[0].isEmpty() || words[1].isEmpty()) {
            manifest.errors.append(rowError(number, QStringLiteral("empty file name")));
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

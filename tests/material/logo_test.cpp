// The GIF encoder checked against Qt's own GIF reader, and the publisher's
// animated logo checked the way the notes viewer will use it. The logo's
// file names and its repeatable bytes are checked with the generator's
// whole output (generated_material_test.cpp).
#include "gif.h"
#include "logo.h"
#include "testmain.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>
#include <cmath>

using namespace material;

namespace {

const QRgb kViewerBlue = qRgb(49, 130, 212);

// The image, and the format its reader found.
std::pair<QImage, QByteArray> decode(const QByteArray& bytes, const QByteArray& format = {}) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    const QByteArray found = reader.format();
    const QImage image = reader.read();
    return {image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32),
            found};
}

// A fixed-seed noisy picture in `colours` colours, the same on every run.
QImage noise(QSize size, int colours) {
    QImage image(size, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int c = int(state >> 24) % colours;
            image.setPixel(x, y, qRgb(c, 255 - c, (c * 37) & 0xff));
        }
    return image;
}

QImage flat(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kViewerBlue);
    return image;
}

// A strict reader of the bare code stream, written apart from the encoder:
// besides the pixels it insists that the end code follows the last pixel at
// exactly the width a reader expects by then. Qt's reader stops once it has
// every pixel, so it would never notice a wrong end code; older readers do.
struct StrictLzw {
    QByteArray indices;
    bool cleanEnd = false;
};

StrictLzw strictDecode(const QByteArray& codes, int minCodeSize) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    QList<QByteArray> table;
    int width = 0;
    const auto reset = [&] {
        table.clear();
        for (int i = 0; i < clear + 2; ++i)
            table.append(QByteArray(1, char(i)));
        width = minCodeSize + 1;
    };
    qsizetype bit = 0;
    const auto read = [&]() {
        if (bit + width > codes.size() * 8)
            return -1;
        int value = 0;
        for (int i = 0; i < width; ++i, ++bit)
            value |= ((quint8(codes[bit / 8]) >> (bit % 8)) & 1) << i;
        return value;
    };
    StrictLzw result;
    reset();
    if (read() != clear)
        return result;
    QByteArray previous;
    for (int code = read(); code >= 0; code = read()) {
        if (code == end) {
            result.cleanEnd = codes.size() * 8 - bit < 8;
            return result;
        }
        if (code == clear) {
            reset();
            previous.clear();
            continue;
        }
        QByteArray entry;
        if (code < table.size())
            entry = table[code];
        else if (code == table.size() && !previous.isEmpty())
            entry = previous + previous[0];
        else
            return result;
        result.indices += entry;
        if (!previous.isEmpty() && table.size() < 4096)
            table.append(previous + entry[0]);
        if (table.size() == (1 << width) && width < 12)
            ++width;
        previous = entry;
    }
    return result;
}

// Summed over every pixel and channel, alpha included.
qint64 difference(const QImage& a, const QImage& b) {
    qint64 total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return total;
}

} // namespace

class LogoTest : public QObject {
    Q_OBJECT

    QList<LogoFile> files;
    QList<QImage> frames;

private Q_SLOTS:
    void initTestCase() {
        files = renderLogo();
        QCOMPARE(files.size(), kLogoFrames + 1);
        for (int i = 0; i < kLogoFrames; ++i)
            frames.append(decode(files[i].bytes).first);
    }

    void gifRoundTripsExactly_data() {
        QTest::addColumn<QImage>("image");
        QTest::newRow("one pixel") << flat(QSize(1, 1));
        QTest::newRow("two colours, odd size") << noise(QSize(7, 5), 2);
        QTest::newRow("five colours") << noise(QSize(33, 17), 5);
        // Every pixel is a new string, so the codes widen to 12 bits and
        // the table fills and starts over several times.
        QTest::newRow("noisy, 256 colours") << noise(QSize(120, 120), 256);
        // Strings grow one pixel longer per code: 3000 x 3000 pixels need
        // about 4240 codes, just past the 4096 that force a new table.
        QTest::newRow("large flat") << flat(QSize(3000, 3000));
    }
    void gifRoundTripsExactly() {
        QFETCH(QImage, image);
        const QByteArray gif = encodeGif(image);
        QVERIFY(gif.startsWith("GIF89a"));
        QVERIFY(gif.endsWith(";"));
        const QImage back = decode(gif, "gif").first;
        QCOMPARE(back.size(), image.size());
        QVERIFY(back == image);
    }

    void codeStreamEndsExactly() {
        // Every length up to a few hundred pixels, so the stream ends once
        // on each side of every point where the codes widen.
        for (const int colours : {1, 5, 256}) {
            const QByteArray all = reduceColours(noise(QSize(700, 1), colours)).indices;
            const int minCodeSize = colours > 5 ? 8 : colours > 1 ? 3 : 2;
            for (int length = 1; length <= all.size(); ++length) {
                const QByteArray pixels = all.first(length);
                const StrictLzw back = strictDecode(lzwCompress(pixels, minCodeSize), minCodeSize);
                QVERIFY2(
                    back.indices == pixels && back.cleanEnd,
                    qPrintable(QStringLiteral("%1 colours, %2 pixels").arg(colours).arg(length)));
            }
        }
        const QByteArray noisy = reduceColours(noise(QSize(120, 120), 256)).indices;
        const StrictLzw back = strictDecode(lzwCompress(noisy, 8), 8);
        QVERIFY(back.indices == noisy && back.cleanEnd);
    }

    void manyColoursAreReducedClosely() {
        QImage image(256, 256, QImage::Format_RGB32);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                image.setPixel(x, y, qRgb(x, y, 255 - (x + y) / 2));
        const IndexedImage indexed = reduceColours(image);
        QCOMPARE(indexed.palette.size(), kMaxPaletteColours);
        const QImage back = decode(encodeGif(indexed), "gif").first;
        QCOMPARE(back.size(), image.size());
        // 65536 colours in 256: steps of about 16 per channel, so on
        // average within a few levels of the truth.
        const double mean = double(difference(back, image)) / (256.0 * 256.0 * 3.0);
        QVERIFY2(mean < 6.0, qPrintable(QString::number(mean)));
    }

    // Single GIF images of the viewer's size on its blue, every one
    // different, looping back to the first without a jump; one palette
    // serves them all, so the medallion, which does not move, decodes to the
    // very same pixels throughout.
    void framesAnimateSmoothly() {
        QSet<QByteArray> distinct;
        qint64 largestStep = 0;
        for (int i = 0; i < kLogoFrames; ++i) {
            QBuffer buffer;
            buffer.setData(files[i].bytes);
            QImageReader reader(&buffer);
            QCOMPARE(reader.format(), QByteArray("gif"));
            QCOMPARE(reader.imageCount(), 1);
            QCOMPARE(frames[i].size(), kLogoFrameSize);
            QCOMPARE(frames[i].pixel(0, 0), kViewerBlue);
            QCOMPARE(frames[i].pixel(119, 119), kViewerBlue);
            QCOMPARE(frames[i].copy(30, 30, 60, 60), frames[0].copy(30, 30, 60, 60));
            distinct.insert(files[i].bytes);
            if (i > 0)
                largestStep = std::max(largestStep, difference(frames[i - 1], frames[i]));
        }
        QCOMPARE(distinct.size(), kLogoFrames);
        const qint64 wrap = difference(frames.last(), frames.first());
        QVERIFY(wrap > 0);
        QVERIFY2(wrap < difference(frames.last(), frames[10]), "last frame is far from the first");
        QVERIFY2(wrap <= largestStep + largestStep / 4, "the loop jumps back to its start");
    }

    void stillLogoIsABmpOfItsSize() {
        const auto [image, format] = decode(files.last().bytes);
        QCOMPARE(format, QByteArray("bmp"));
        QCOMPARE(image.size(), kStaticLogoSize);
        QCOMPARE(image.pixel(0, 0), kViewerBlue);
        // The mark itself sits in the middle: navy below the Q, gold in it.
        const QRgb navy = image.pixel(60, 74);
        QVERIFY(qBlue(navy) > qRed(navy) + 40 && qGray(navy) < 90);
        const QRgb gold = image.pixel(38, 40);
        QVERIFY(qRed(gold) > qBlue(gold) + 60 && qGray(gold) > 110);
    }

    // The desktop's icon: the theme's sizes and names, the medallion filling
    // a transparent square, and the SVG the same drawing as the pictures.
    void iconsAreTheMedallionAtEveryThemeSize() {
        const QList<LogoFile> icons = renderIcons();
        QStringList names;
        for (const LogoFile& icon : icons)
            names << icon.output;
        const QString id = QStringLiteral("io.github.ostervale.Ostervale");
        QCOMPARE(names, (QStringList{"icons/hicolor/48x48/apps/" + id + ".png",
                                     "icons/hicolor/128x128/apps/" + id + ".png",
                                     "icons/hicolor/256x256/apps/" + id + ".png",
                                     "icons/hicolor/scalable/apps/" + id + ".svg"}));
        for (int k = 0; k < 3; ++k) {
            const int side = kIconSizes[k];
            const QImage png = decode(icons[k].bytes, "png").first;
            QCOMPARE(png.size(), QSize(side, side));
            QVERIFY(png.hasAlphaChannel());
            // Opaque where the medallion is, clear beyond its ring of beads,
            // which reaches close to every edge.
            QCOMPARE(qAlpha(png.pixel(side / 2, side / 2)), 255);
            QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(png.pixel(side - 1, side - 1)), 0);
            int left = side, right = -1;
            for (int x = 0; x < side; ++x)
                if (qAlpha(png.pixel(x, side / 2)) > 0) {
                    left = std::min(left, x);
                    right = x;
                }
            QVERIFY2(left <= side * 0.05 && right >= side * 0.95 && left > 0 && right < side - 1,
                     qPrintable(QStringLiteral("%1: %2 to %3").arg(side).arg(left).arg(right)));
        }
        QSvgRenderer svg(icons[3].bytes);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(0, 0, 120, 120));
        QImage drawn(256, 256, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        svg.render(&painter);
        painter.end();
        const QImage painted = drawIcon(256).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const double mean = double(difference(drawn, painted)) / (256.0 * 256.0 * 4);
        QVERIFY2(mean < 4, qPrintable(QString::number(mean)));
    }
};

OSTERVALE_TEST(LogoTest)
#include "logo_test.moc"

// The publisher's logo as the notes viewer and the desktop show it, and the
// GIF encoder it is written with, checked against Qt's reader.
#include "gif.h"
#include "logo.h"
#include "testmain.h"

#include <QTest>

using namespace material;

namespace {

const QRgb kViewerBlue = qRgb(49, 130, 212);

QImage decode(const QByteArray& bytes, const char* format) {
    return QImage::fromData(bytes, format).convertToFormat(QImage::Format_ARGB32);
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

private Q_SLOTS:
    // Every pixel comes back: one alone, and a flat 3000 x 3000 whose
    // strings grow a pixel a code, just past the 4096 codes that force a new
    // table (the logo's own frames, below, widen the codes to 12 bits).
    void gifKeepsEveryPixel() {
        QImage flat(3000, 3000, QImage::Format_RGB32);
        flat.fill(kViewerBlue);
        for (const QImage& image : {flat.copy(0, 0, 1, 1), flat})
            QVERIFY(decode(encodeGif(image), "gif") ==
                    image.convertToFormat(QImage::Format_ARGB32));
    }

    // Single GIF images of the viewer's size on its blue, every one
    // different, looping back to the first without a jump; the medallion,
    // which does not move, decodes to the very same pixels throughout. The
    // still logo is a BMP of its size: navy below the Q, gold in it; and
    // the desktop's icons.
    void logoAnimatesSmoothlyStandsStillAndMakesIcons() {
        const QList<LogoFile> files = renderLogo();
        QCOMPARE(files.size(), kLogoFrames + 1);
        QCOMPARE(files[17].output, QStringLiteral("logo/quorvane0017.gif")); // as the viewer asks
        QList<QImage> frames;
        qint64 largestStep = 0;
        for (int i = 0; i < kLogoFrames; ++i) {
            frames.append(decode(files[i].bytes, "gif"));
            QCOMPARE(frames[i].size(), kLogoFrameSize);
            QCOMPARE(frames[i].pixel(0, 0), kViewerBlue);
            QCOMPARE(frames[i].pixel(119, 119), kViewerBlue);
            QCOMPARE(frames[i].copy(30, 30, 60, 60), frames[0].copy(30, 30, 60, 60));
            if (i > 0)
                largestStep = std::max(largestStep, difference(frames[i - 1], frames[i]));
            QVERIFY(i == 0 || files[i].bytes != files[i - 1].bytes);
        }
        const qint64 wrap = difference(frames.last(), frames.first());
        QVERIFY(wrap > 0 && wrap < difference(frames.last(), frames[10]));
        QVERIFY(wrap <= largestStep + largestStep / 4);
        const QImage still = decode(files.last().bytes, "bmp");
        QCOMPARE(still.size(), kStaticLogoSize);
        QCOMPARE(still.pixel(0, 0), kViewerBlue);
        const QRgb navy = still.pixel(60, 74), gold = still.pixel(38, 40);
        QVERIFY(qBlue(navy) > qRed(navy) + 40 && qGray(navy) < 90);
        QVERIFY(qRed(gold) > qBlue(gold) + 60 && qGray(gold) > 110);
        // The desktop's icon at the theme's sizes (the package check holds
        // their names): the medallion filling a transparent square.
        const QList<LogoFile> icons = renderIcons();
        for (int k = 0; k < 3; ++k) {
            const int side = kIconSizes[k];
            const QImage png = decode(icons[k].bytes, "png");
            QCOMPARE(png.size(), QSize(side, side));
            QCOMPARE(qAlpha(png.pixel(side / 2, side / 2)), 255);
            QCOMPARE(qAlpha(png.pixel(side - 1, side - 1)), 0);
        }
    }
};

OSTERVALE_TEST(LogoTest)
#include "logo_test.moc"

// The generator's parts on small made-up inputs: manifest rows, drawing
// errors, the WAV writer, the synth helpers and the write-only-if-changed rule.
#include "output.h"
#include "pictures.h"
#include "synth.h"
#include "testmain.h"
#include "wav.h"
#include "wavfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <set>

using namespace material;

namespace {

QByteArray squareSvg(const QByteArray& fill) {
    return "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10' viewBox='0 0 10 10'>"
           "<rect width='10' height='10' fill='#336699'/><rect x='2' y='2' width='6' height='6' "
           "fill='" +
           fill + "'/></svg>";
}

} // namespace

class BuildingBlocksTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Rows come out as "drawing|output|width x height|line". The program
    // opens names such as "Images/EL ALAMEIN.jpg", so a quoted name must come
    // through whole, blanks and all; a row that is wrong, unquoted blanks and
    // broken quotes included, is reported by its line and never saved under
    // half its name.
    void manifestRowsAndErrors_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("errorLines");
        QTest::newRow("comments, blanks, tabs and CRLF")
            << "# drawing output w h\n\n  a.svg  Images/a.jpg 320 240\r\n"
               "b.svg\tImages/b.jpg\t800\t537\n"
            << QStringList{"a.svg|Images/a.jpg|320x240|3", "b.svg|Images/b.jpg|800x537|4"}
            << QList<int>{};
        QTest::newRow("bad rows") << "a.svg Images/a.jpg 320\nb.svg Images/b.jpg 0 240\n"
                                     "c.svg Images/c.jpg wide 240\nd.svg Images/d.jpg 10 10\n"
                                  << QStringList{"d.svg|Images/d.jpg|10x10|4"}
                                  << QList<int>{1, 2, 3};
        QTest::newRow("quoted names") << "desert.svg  \"Images/EL ALAMEIN.jpg\"  244 232\n"
                                         "\"two  words.svg\"\t\"Images/A  B.jpg\"\t10\t20\n"
                                         "plain.svg Images/MIDWAY.jpg 244 235\n"
                                      << QStringList{"desert.svg|Images/EL ALAMEIN.jpg|244x232|1",
                                                     "two  words.svg|Images/A  B.jpg|10x20|2",
                                                     "plain.svg|Images/MIDWAY.jpg|244x235|3"}
                                      << QList<int>{};
        QTest::newRow("unquoted blanks") << "a.svg Images/EL ALAMEIN.jpg 244 232\n"
                                         << QStringList{} << QList<int>{1};
        const QString ok = QStringLiteral("# header\nok.svg Images/ok.jpg 5 5\n");
        for (const char* row :
             {"a.svg \"Images/EL ALAMEIN.jpg 244 232", // never closed
              "a.svg \"Images/x.jpg\"244 232", "a.svg \"\" 244 232", "\"\" Images/x.jpg 244 232"})
            QTest::newRow(row) << ok + QString::fromLatin1(row)
                               << QStringList{"ok.svg|Images/ok.jpg|5x5|2"} << QList<int>{3};
    }
    void manifestRowsAndErrors() {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, errorLines);
        const PictureManifest m = parsePictureManifest(text);
        QStringList found;
        for (const PictureRow& r : m.rows)
            found << QStringLiteral("%1|%2|%3x%4|%5")
                         .arg(r.svg, r.output)
                         .arg(r.size.width())
                         .arg(r.size.height())
                         .arg(r.line);
        QCOMPARE(found, rows);
        QCOMPARE(m.errors.size(), errorLines.size());
        for (int i = 0; i < errorLines.size(); ++i)
            QVERIFY2(m.errors[i].contains(QStringLiteral("line %1").arg(errorLines[i])),
                     qPrintable(m.errors[i]));
    }

    void renderingScalesToTheRequestedSize() {
        const RenderedPicture p = renderPicture(squareSvg("#ffcc00"), QSize(64, 48));
        QVERIFY2(p.error.isEmpty(), qPrintable(p.error));
        QBuffer buffer;
        buffer.setData(p.jpeg);
        const QImage image = QImageReader(&buffer, "jpg").read();
        QCOMPARE(image.size(), QSize(64, 48));
        // The inner square covers the centre, the outer one the corners.
        QVERIFY(qRed(image.pixel(32, 24)) > 200 && qBlue(image.pixel(32, 24)) < 80);
        QVERIFY(qBlue(image.pixel(2, 2)) > 120 && qRed(image.pixel(2, 2)) < 90);
    }

    void brokenDrawingsAreErrors_data() {
        QTest::addColumn<QByteArray>("svg");
        const QByteArray square = squareSvg("#ffcc00");
        QTest::newRow("not svg") << QByteArray("<html>hello</html>");
        QTest::newRow("truncated") << square.left(60);
        QTest::newRow("missing gradient") << squareSvg("url(#nowhere)");
        const auto with = [&square](const char* element) {
            return QByteArray(square).replace("</svg>", QByteArray(element).append("</svg>"));
        };
        QTest::newRow("lettering") << with("<text x='1' y='9'>A</text>");
        QTest::newRow("clipping") << with("<defs><clipPath id='c'><rect width='5' height='5'/>"
                                          "</clipPath></defs>");
        QTest::newRow("filter") << with("<defs><filter id='f'/></defs>");
    }
    void brokenDrawingsAreErrors() {
        QFETCH(QByteArray, svg);
        const RenderedPicture p = renderPicture(svg, QSize(16, 16));
        QVERIFY(!p.error.isEmpty());
        QVERIFY(p.jpeg.isEmpty());
    }

    void wavHeaderAndSamplesRoundTrip() {
        const QByteArray bytes = encodeWav16Mono({0.0, 0.5, -0.5, 1.0, -1.0, 3.0, -3.0}, 22050);
        const WavFile wav = WavFile::parse(bytes);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QCOMPARE(wav.format, 1);
        QCOMPARE(wav.channels, 1);
        QCOMPARE(wav.sampleRate, 22050);
        QCOMPARE(wav.bitsPerSample, 16);
        // Out-of-range input clips instead of wrapping round to the other sign.
        const std::vector<int> expected{0, 16384, -16384, 32767, -32767, 32767, -32767};
        QCOMPARE(wav.samples, expected);
    }

    void prngIsRepeatableAndSpread() {
        synth::Prng a(7), b(7), c(8);
        double sum = 0;
        std::set<std::uint64_t> seen;
        for (int i = 0; i < 4000; ++i) {
            const std::uint64_t x = a.next();
            QCOMPARE(x, b.next());
            seen.insert(x);
            const double v = c.bipolar();
            QVERIFY(v >= -1.0 && v < 1.0);
            sum += v;
        }
        QCOMPARE(seen.size(), std::size_t(4000));
        QVERIFY(std::abs(sum / 4000) < 0.05);
        QVERIFY(synth::Prng(7).next() != synth::Prng(8).next());
    }

    void fadesTouchOnlyTheEnds() {
        synth::Samples s(1000, 1.0);
        synth::fadeEnds(s, 10000, 0.01, 0.02); // 100 and 200 samples
        QVERIFY(s.front() < 0.01 && s.back() < 0.01);
        QVERIFY(s[50] > 0.3 && s[50] < 0.7);
        QCOMPARE(s[100], 1.0);
        QCOMPARE(s[799], 1.0);
        QVERIFY(s[800] < 1.0);
        for (std::size_t i = 1; i < 100; ++i)
            QVERIFY(s[i] > s[i - 1]);
    }

    void filtersPassAndStopWhatTheySay() {
        const int rate = 44100;
        const auto levelAfter = [rate](double hz, bool low) {
            synth::Samples s(4410);
            for (std::size_t i = 0; i < s.size(); ++i)
                s[i] = std::sin(2 * synth::kPi * hz * double(i) / rate);
            low ? synth::lowPass(s, rate, 1000) : synth::highPass(s, rate, 1000);
            s.erase(s.begin(), s.begin() + 2000); // past the filter's settling
            return synth::peakOf(s);
        };
        QVERIFY(levelAfter(100, true) > 0.9);
        QVERIFY(levelAfter(15000, true) < 0.15);
        QVERIFY(levelAfter(15000, false) > 0.9);
        QVERIFY(levelAfter(100, false) < 0.15);
    }

    void unchangedBytesLeaveTheFileAlone() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deep/er/file.bin"));
        QString error;
        QCOMPARE(writeIfChanged(path, "abc", &error), WriteResult::Written);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(writeIfChanged(path, "abc", &error), WriteResult::Unchanged);
        QCOMPARE(QFileInfo(path).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
        QCOMPARE(writeIfChanged(path, "abd", &error), WriteResult::Written);
        QCOMPARE(writeIfMissing(path, "xyz", &error), WriteResult::Unchanged);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("abd"));
    }

    void unwritablePlaceIsReported() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("Images")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where a folder should be
        blocker.close();
        QString error;
        QCOMPARE(writeIfChanged(dir.filePath(QStringLiteral("Images/a.jpg")), "x", &error),
                 WriteResult::Failed);
        QVERIFY(error.contains(QStringLiteral("Images")));
    }
};

OSTERVALE_TEST(BuildingBlocksTest)
#include "building_blocks_test.moc"

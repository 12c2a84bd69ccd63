// Where logical units land: the window and viewport onto the frame, the map
// modes, the frame onto the target, and the picture's own size.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

namespace {

// A red rectangle drawn under the given mapping on white; one point that
// must come out red and one that must stay white. A frame of 1000 units
// drawn 100 pixels square: ten units a pixel.
struct Mapping {
    const char* name;
    int mode;       // none when 0
    QRect window;   // origin and extent, none when null
    QRect viewport; // likewise
    Box rect;
    QPoint red, white;
    QRectF target = {}; // the whole image when null
    int unitsPerInch = 1440;
};

const QRect kFrame(0, 0, 1000, 1000);
const Box kQuarter{0, 0, 500, 500}, kWhole{0, 0, 1000, 1000};
const QRectF kTopRight(50, 0, 50, 50);
namespace map = gdi::map;
const Mapping kMappings[] = {
    {"window is the frame", 0, kFrame, {}, kQuarter, {25, 25}, {75, 75}},
    {"origin moved", 0, {500, 500, 1000, 1000}, {}, {500, 500, 1000, 1000}, {25, 25}, {75, 75}},
    {"window twice the frame", 0, {0, 0, 2000, 2000}, {}, kWhole, {25, 25}, {75, 75}},
    {"y runs up", 0, {0, 1000, 1000, -1000}, {}, kQuarter, {25, 75}, {25, 25}},
    {"x runs left", 0, {1000, 0, -1000, 1000}, {}, kQuarter, {75, 25}, {25, 25}},
    {"zero extent ignored", 0, {0, 0, 0, 1000}, {}, kQuarter, {25, 25}, {75, 75}},
    {"smaller target", 0, kFrame, {}, kWhole, {75, 25}, {25, 25}, kTopRight},
    {"off the target", 0, kFrame, {}, {-1000, -1000, 2000, 2000}, {75, 25}, {75, 75}, kTopRight},
    {"viewport a quarter", 0, kFrame, {0, 0, 500, 500}, kWhole, {25, 25}, {75, 75}},
    {"viewport moved", 0, kFrame, {500, 500, 500, 500}, kWhole, {75, 75}, {25, 25}},
    {"isotropic", map::Isotropic, {0, 0, 2000, 1000}, {}, {0, 0, 2000, 1000}, {50, 25}, {50, 75}},
    {"text mode ignores extents", map::Text, {0, 0, 2000, 2000}, {}, kQuarter, {25, 25}, {75, 75}},
    {"twips run upwards", map::Twips, kFrame, {}, {0, 0, 500, -500}, {25, 25}, {75, 75}},
    // 200 frame units an inch: a hundredth of an inch is two of them.
    {"LoEnglish", map::LoEnglish, kFrame, {}, {0, 0, 250, -250}, {40, 40}, {60, 60}, {}, 200},
};

QByteArray mappedPicture(const Mapping& m) {
    MetafileWriter w = framed(Qt::red, m.unitsPerInch);
    if (m.mode != 0)
        w.setMapMode(m.mode);
    if (!m.window.isNull()) {
        w.setWindowOrg(m.window.x(), m.window.y());
        w.setWindowExt(m.window.width(), m.window.height());
    }
    if (!m.viewport.isNull()) {
        w.setViewportOrg(m.viewport.x(), m.viewport.y());
        w.setViewportExt(m.viewport.width(), m.viewport.height());
    }
    w.rectangle(m.rect);
    return w.finish();
}

} // namespace

class MappingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void logicalUnitsLandOnTheTarget_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kMappings)); ++i)
            QTest::newRow(kMappings[i].name) << i;
    }
    void logicalUnitsLandOnTheTarget() {
        QFETCH(int, row);
        const Mapping& m = kMappings[row];
        const QImage image = render(mappedPicture(m), {100, 100}, m.target);
        EXPECT_PIXEL(image, m.red, Qt::red);
        EXPECT_PIXEL(image, m.white, Qt::white);
    }

    void thePaintersOwnTransformIsUsedAndKept() {
        const auto picture = parse(mappedPicture({"", 0, {}, {}, kWhole, {}, {}}));
        QVERIFY(picture);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(50, 50);
        const QTransform before = painter.worldTransform();
        draw(*picture, painter, QRectF(0, 0, 20, 20));
        QCOMPARE(painter.worldTransform(), before);
        QVERIFY(!painter.hasClipping());
        painter.end();
        EXPECT_PIXEL(image, QPoint(60, 60), Qt::red);
        EXPECT_PIXEL(image, QPoint(45, 60), Qt::white);
        EXPECT_PIXEL(image, QPoint(75, 60), Qt::white);
    }

    void sizeAtItsOwnScale_data() {
        QTest::addColumn<int>("unitsPerInch");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QSizeF>("twips");
        QTest::newRow("placeable, twips") << 1440 << "placeable" << QSizeF(2880, 1440);
        QTest::newRow("placeable, 720 an inch") << 720 << "placeable" << QSizeF(5760, 2880);
        QTest::newRow("placeable, no inch given") << 0 << "placeable" << QSizeF(2880, 1440);
        QTest::newRow("no placeable header") << 720 << "none" << QSizeF(2880, 1440);
        QTest::newRow("empty box falls back to the window")
            << 720 << "empty box" << QSizeF(5760, 2880);
    }
    void sizeAtItsOwnScale() {
        QFETCH(int, unitsPerInch);
        QFETCH(QString, header);
        QFETCH(QSizeF, twips);
        MetafileWriter w;
        w.begin(2880, 1440, unitsPerInch);
        w.rectangle({0, 0, 100, 100});
        QByteArray bytes = w.finish();
        if (header == QLatin1String("none"))
            bytes.remove(0, 22);
        if (header == QLatin1String("empty box"))
            bytes.replace(10, 4, QByteArray(4, '\0')); // right and bottom onto the origin
        const auto picture = parse(bytes);
        QVERIFY(picture);
        QCOMPARE(picture->placeable, header != QLatin1String("none"));
        QCOMPARE(picture->sizeInTwips(), twips);
    }

    void aFileWithNoWindowIsFramedByWhatItDraws() {
        Bytes raw;
        raw.u16(1).u16(9).u16(0x0300).u32(0).u16(0).u32(0).u16(0);
        const QByteArray box = Bytes().i16(300).i16(400).i16(100).i16(200).data;
        raw.raw(Bytes::record(gdi::record::Rectangle, box));
        raw.raw(Bytes::record(gdi::record::MoveTo, Bytes().i16(-50).i16(250).data));
        raw.raw(Bytes::record(gdi::record::Eof, {}));
        const auto picture = parse(raw.data);
        QVERIFY(picture);
        QVERIFY(!picture->placeable);
        QCOMPARE(picture->frame, QRectF(200, -50, 200, 350));
    }
};

OSTERVALE_TEST(MappingTest)
#include "test_mapping.moc"

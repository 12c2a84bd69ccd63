// The writer's files read back as written and carry headers any reader can
// trust.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

namespace {

template <typename T> QList<T> all(const Metafile& m) {
    QList<T> found;
    for (const Command& c : m.commands)
        if (const auto* t = std::get_if<T>(&c))
            found.append(*t);
    return found;
}

quint16 word(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

class RoundTripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsBackWhatWasWritten() {
        const Pen pen{gdi::pen::Dash, 15, QColor(10, 20, 30)};
        const Brush brush{gdi::brush::Hatched, QColor(200, 100, 0), gdi::hatch::Cross, {}};
        Font font;
        font.height = -240;
        font.weight = gdi::weight::Bold;
        font.italic = true;
        font.face = QStringLiteral("Times New Roman");
        QImage photo(3, 2, QImage::Format_RGB32);
        for (int i = 0; i < 6; ++i)
            photo.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 40 * i, 100));
        MetafileWriter w;
        w.begin(2880, 1440);
        w.selectObject(w.createPen(pen));
        w.selectObject(w.createBrush(brush));
        w.selectObject(w.createFont(font));
        w.setTextColor(Qt::darkBlue);
        w.textOut(100, 200, QStringLiteral(u"Evacuees… £5 café €Ÿ\u008D"));
        // What the code page lacks is written as a question mark.
        w.extTextOut(100, 500, QStringLiteral(u"1940 – “Blitz” Ω"), 0, std::nullopt, {90, 90});
        w.ellipse({1500, 700, 2100, 1300});
        w.polyline(QPolygon({QPoint(0, 1400), QPoint(2880, 1400)}));
        w.stretchDib(QRect(1500, 0, 600, 400), photo, 24);
        w.stretchDib(QRect(2200, 0, 600, 400), photo, 8);
        const QByteArray b = w.finish();

        QString error;
        const auto m = parse(b, &error);
        QVERIFY2(m && m->isComplete(), qPrintable(error));
        QVERIFY(m->placeable && m->frame == QRectF(0, 0, 2880, 1440));
        QCOMPARE(all<cmd::SelectPen>(*m).value(0).pen, pen);
        QCOMPARE(all<cmd::SelectBrush>(*m).value(0).brush, brush);
        QCOMPARE(all<cmd::SelectFont>(*m).value(0).font, font);
        QCOMPARE(all<cmd::TextColour>(*m).value(0).colour, QColor(Qt::darkBlue));
        const QList<cmd::Text> texts = all<cmd::Text>(*m);
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[0].text, QStringLiteral(u"Evacuees… £5 café €Ÿ\u008D"));
        QCOMPARE(texts[0].at, QPoint(100, 200));
        QCOMPARE(texts[1].text, QStringLiteral(u"1940 – “Blitz” ?"));
        QCOMPARE(texts[1].dx, QList<int>({90, 90}));
        QCOMPARE(all<cmd::Ellipse>(*m).value(0).box, Box({1500, 700, 2100, 1300}));
        QCOMPARE(all<cmd::Polyline>(*m).value(0).points.last(), QPoint(2880, 1400));
        const QList<cmd::Bitmap> bitmaps = all<cmd::Bitmap>(*m);
        QCOMPARE(bitmaps.size(), 2);
        for (int depth = 0; depth < 2; ++depth) {
            const cmd::Bitmap& b = bitmaps[depth];
            QCOMPARE(b.destAt, QPoint(1500 + 700 * depth, 0));
            QCOMPARE(b.destSize, QSize(600, 400));
            QCOMPARE(b.sourceSize, QSize(3, 2));
            QCOMPARE(b.image.convertToFormat(QImage::Format_RGB32), photo);
        }
        QCOMPARE(m->commands.size(), std::size_t(12));
        // Without its placeable header the same records frame themselves.
        const auto bare = parse(b.mid(22));
        QVERIFY(bare && !bare->placeable);
        QCOMPARE(bare->frame, m->frame);
        // Its size at the scale the header gives, or in twips when it gives
        // none.
        for (const auto& [inch, twips] : {std::pair{720, 5760}, std::pair{0, 2880}}) {
            QByteArray bytes = b;
            bytes.replace(14, 2, Bytes().u16(inch).data);
            QCOMPARE(parse(bytes)->sizeInTwips(), QSizeF(twips, twips / 2));
        }
        // Headers any reader can trust.
        QCOMPARE(qFromLittleEndian<quint32>(b.constData()), 0x9AC6CDD7u);
        // The ten words before it, exclusive-ored by hand.
        QCOMPARE(word(b, 20), 0x5C51);
        QCOMPARE(word(b, 22), 1); // in memory
        QCOMPARE(word(b, 24), 9); // header words
        QCOMPARE(qFromLittleEndian<quint32>(b.constData() + 28), quint32(b.size() - 22) / 2);
        QCOMPARE(word(b, 32), 3); // pen, brush, font
        QCOMPARE(b.right(6), Bytes().u32(3).u16(0).data);
        // Text in Windows-1252, byte for byte.
        QVERIFY(b.contains("Evacuees\x85 \xA3"
                           "5 caf\xE9 \x80\x9F\x8D"));
        QVERIFY(b.contains("1940 \x96 \x93"
                           "Blitz\x94 ?"));
    }
};

OSTERVALE_TEST(RoundTripTest)
#include "test_round_trip.moc"

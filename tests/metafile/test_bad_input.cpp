// Damaged and hostile files, each written with the writer and then broken
// by hand. Every one must read without a crash and draw what came before
// the fault: a red left half. A blue right half is drawn after the fault, so
// it shows whether reading went on past it.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

namespace {

namespace rec = gdi::record;

const QByteArray Placeholder = Bytes::record(0x0777, "stand-in record");

// Red left half, then the given records, then a blue right half.
QByteArray around(const QByteArray& records) {
    MetafileWriter w = framed(Qt::red); // pen 0, red brush 1
    const int blue = w.createBrush({gdi::brush::Solid, Qt::blue, 0, {}});
    w.rectangle({0, 0, 500, 1000});
    w.record(0x0777, "stand-in record");
    w.selectObject(blue);
    w.rectangle({500, 0, 1000, 1000});
    QByteArray bytes = w.finish();
    return bytes.replace(Placeholder, records);
}

QByteArray record(quint16 function, const Bytes& params) {
    return Bytes::record(function, params.data);
}

QByteArray bitmap(const Bytes& dib) {
    return Bytes::record(rec::StretchDib, stretchDibParams({0, 0, 500, 1000}, {4, 2}, dib.data));
}

QByteArray withHeaderBytes(qint64 offset, const QByteArray& replacement) {
    QByteArray bytes = around({});
    bytes.replace(offset, replacement.size(), replacement);
    return bytes;
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

    // What a row draws: nothing, as it cannot be read; the red half and a
    // complaint; the red half only, with no complaint; or both halves.
    enum Drawn { Unreadable, Broken, EndsEarly, Whole };
    static void row(const char* name, const QByteArray& bytes, Drawn drawn) {
        QTest::newRow(name) << bytes << int(drawn);
    }
    static void broken(const char* name, const QByteArray& records) {
        row(name, around(records), Broken);
    }
    static void survived(const char* name, const QByteArray& records) {
        row(name, around(records), Whole);
    }

private Q_SLOTS:
    void drawsWhatCameBeforeTheFault_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("drawn");
        for (const quint32 words : {0u, 0x7FFFu}) // the last runs past the end
            broken(qPrintable(QStringLiteral("record of %1 words").arg(words)),
                   Bytes().u32(words).u16(rec::Rectangle).u16(1000).u16(1000).u16(0).u16(0).data);
        broken("rectangle cut short", record(rec::Rectangle, Bytes().u16(1000).u16(1000)));
        // Run-length rows need no bytes for pixels they skip, so only the cap
        // stands between a few bytes and a hundred million pixels.
        broken("bitmap of more pixels than allowed",
               bitmap(infoHeader(10000, 10000, 8, gdi::compression::Rle8, 1).u32(0).u16(0x0100)));
        broken("bitmap rows missing", bitmap(infoHeader(4, 2, 24).raw(QByteArray(10, '\x7F'))));
        broken("colour table larger than the record",
               bitmap(infoHeader(4, 2, 8, 0, 0xFFFFFFFF).raw(QByteArray(64, '\0'))));
        broken("pattern brush with a broken bitmap",
               record(rec::DibCreatePatternBrush,
                      Bytes().u16(gdi::brush::DibPatternPt).u16(0).u32(40).u32(4)));
        const QByteArray whole = around(Placeholder);
        for (const int keep : {0, 4}) // between records, inside a record's header
            row(qPrintable(QStringLiteral("file cut %1 bytes into a record").arg(keep)),
                whole.left(whole.indexOf(Placeholder) + keep), Broken);
        Bytes tiny;
        for (int i = 0; i <= limits::Records; ++i)
            tiny.u32(3).u16(0x0999);
        broken("more records than allowed", tiny.data);

        survived("unknown records",
                 record(0x0999, Bytes().raw("whatever")) + record(0x0626, Bytes().u16(15)));
        // Either side zero would divide by zero.
        survived("zero window width", record(rec::SetWindowExt, Bytes().u16(1000).u16(0)));
        survived("zero viewport height", record(rec::SetViewportExt, Bytes().u16(0).u16(1000)));
        survived("unknown map mode", record(rec::SetMapMode, Bytes().u16(77)));
        row("an end record half way", around(Bytes::record(rec::Eof, {})), EndsEarly);
        row("wrong checksum", withHeaderBytes(20, "\x12\x34"), Whole);
        row("standard header sizes that lie",
            withHeaderBytes(22 + 6, Bytes().u32(1).u16(0).u32(0).u16(7).data), Whole);

        row("empty", {}, Unreadable);
        row("not a metafile", QByteArray("\x89PNG\r\n\x1A\n").leftJustified(36, '0'), Unreadable);
        row("a header of the wrong size", withHeaderBytes(24, Bytes().u16(7).data), Unreadable);
        row("a header of an unknown type", withHeaderBytes(22, Bytes().u16(9).data), Unreadable);
        row("damaged before anything was drawn",
            withRecords(Bytes().u32(1).u16(rec::Rectangle).data), Unreadable);
    }
    void drawsWhatCameBeforeTheFault() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, drawn);
        QString error;
        const std::optional<Metafile> picture = parse(bytes, &error);
        QCOMPARE(bool(picture), drawn != Unreadable);
        QCOMPARE(error.isEmpty(), drawn >= EndsEarly);
        if (!picture)
            return;
        QCOMPARE(picture->isComplete(), drawn >= EndsEarly);
        const QImage image = render(*picture);
        EXPECT_PIXEL(image, QPoint(25, 50), Qt::red);
        EXPECT_PIXEL(image, QPoint(75, 50), drawn == Whole ? Qt::blue : Qt::white);
    }
};

OSTERVALE_TEST(BadInputTest)
#include "test_bad_input.moc"

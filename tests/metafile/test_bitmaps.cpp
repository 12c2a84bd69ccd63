// Bitmaps written byte by byte in every form a metafile may carry them and
// placed by each bitmap record, drawn one pixel to one pixel and compared
// with the picture worked out by hand.
#include "picture_check.h"
#include "testmain.h"

using namespace picture_check;

namespace {

// The test picture, four by two: red green blue white over black yellow
// cyan magenta. Indexed forms use this table, in this order.
const QList<QRgb> Palette = {qRgb(0, 0, 0),     qRgb(255, 0, 0),     qRgb(0, 255, 0),
                             qRgb(0, 0, 255),   qRgb(255, 255, 255), qRgb(255, 255, 0),
                             qRgb(0, 255, 255), qRgb(255, 0, 255)};
const QList<QRgb> Picture = {Palette[1], Palette[2], Palette[3], Palette[4],
                             Palette[0], Palette[5], Palette[6], Palette[7]};

// The test picture's palette as the colour table of an indexed form.
Bytes indexed(int bits, quint32 compression = 0) {
    Bytes b = infoHeader(4, 2, bits, compression, 8);
    for (const QRgb c : Palette)
        b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    return b;
}

// Rows of the test picture as true colour, bottom row first unless asked.
Bytes trueColour(Bytes b, int bytesPerPixel, bool topFirst = false) {
    for (int row = 0; row < 2; ++row) {
        const int first = (topFirst ? row : 1 - row) * 4;
        for (int x = 0; x < 4; ++x) {
            const QRgb c = Picture[first + x];
            b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c));
            if (bytesPerPixel == 4)
                b.u8(0);
        }
    }
    return b;
}

// The whole of the four by two picture, or its first rows, at dest.
QByteArray stretched(const QByteArray& dib, const QRect& dest = {0, 0, 4, 2}) {
    return Bytes::record(gdi::record::StretchDib, stretchDibParams(dest, {4, dest.height()}, dib));
}

} // namespace

class BitmapsTest : public QObject {
    Q_OBJECT

    static void form(const char* name, const Bytes& dib, const QList<QRgb>& expected) {
        QTest::newRow(name) << stretched(dib.data) << expected;
    }

private Q_SLOTS:
    // Every form of bitmap, then the same 24-bit picture placed by each
    // bitmap record. STRETCHDIB counts its source from the bitmap's bottom
    // row; the two blits count from the top, as a device context holds a
    // picture.
    void drawnPixelForPixel_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<QRgb>>("expected");
        using namespace gdi::compression;
        const QRgb k = qRgb(0, 0, 0);
        const QRgb w = qRgb(255, 255, 255);
        // Black and white; rows 0011 under 1010.
        form("1 bit", infoHeader(4, 2, 1).u32(0).u32(0xFFFFFF).u32(0x30).u32(0xA0),
             QList<QRgb>{w, k, w, k, k, k, w, w});
        form("4 bits", indexed(4).raw(QByteArray::fromHex("0567000012340000")), Picture);
        // Indices of the test picture, bottom row first.
        const QByteArray rows8 = QByteArray::fromHex("0005060701020304");
        form("8 bits", indexed(8).raw(rows8), Picture);
        // Each colour's code, bottom row first.
        form("16 bits, 5-5-5",
             infoHeader(4, 2, 16).raw(QByteArray::fromHex("0000E07FFF031F7C 007CE0031F00FF7F")),
             Picture);
        // The masks, then the rows.
        const QByteArray fields = QByteArray::fromHex("00F80000 E0070000 1F000000");
        form("16 bits, 5-6-5 fields",
             infoHeader(4, 2, 16, BitFields)
                 .raw(fields + QByteArray::fromHex("0000E0FFFF071FF8 00F8E0071F00FFFF")),
             Picture);
        form("24 bits, top row first", trueColour(infoHeader(4, -2, 24), 3, true), Picture);
        form("32 bits", trueColour(infoHeader(4, 2, 32), 4), Picture);
        form("run-length 8",
             indexed(8, Rle8).raw(QByteArray::fromHex("0200 0206 0000 000401020304 0001")),
             QList<QRgb>{Picture[0], Picture[1], Picture[2], Picture[3], k, k, Palette[6],
                         Palette[6]});
        form("run-length 8, moved up a row",
             indexed(8, Rle8).raw(QByteArray::fromHex("0205 00020001 0203 0001")),
             QList<QRgb>{k, k, Palette[3], Palette[3], Palette[5], Palette[5], k, k});
        form("run-length 8, odd absolute run padded",
             indexed(8, Rle8).raw(QByteArray::fromHex("0003050607 00 0107 0000 04 01 0001")),
             QList<QRgb>{Palette[1], Palette[1], Palette[1], Palette[1], Palette[5], Palette[6],
                         Palette[7], Palette[7]});
        // A run longer than its row is cut at the edge, never carried into
        // the row drawn next to it in memory.
        form("run-length 8, run past its row",
             indexed(8, Rle8).raw(QByteArray::fromHex("0402 0000 0601 0001")),
             QList<QRgb>{Palette[1], Palette[1], Palette[1], Palette[1], Palette[2], Palette[2],
                         Palette[2], Palette[2]});
        // Entries past the 256 an index can reach are read over, not taken
        // for pixels.
        // The test palette over and over, 300 entries of four bytes.
        const QByteArray table = indexed(8).data.mid(40).repeated(38).left(1200);
        form("8 bits, 300 colours", infoHeader(4, 2, 8, 0, 300).raw(table).raw(rows8), Picture);
        // An absolute run first, so a misread of its length shows in the row after it.
        form("run-length 4",
             indexed(4, Rle4).raw(QByteArray::fromHex("00040567 0000 0212 0234 0001")), Picture);
        Bytes core;
        core.u32(12).u16(4).u16(2).u16(1).u16(24);
        form("core header, 24 bits", trueColour(core, 3), Picture);
        Bytes core8; // a full table of three-byte entries, as a core header has
        core8.u32(12).u16(4).u16(2).u16(1).u16(8);
        for (int i = 0; i < 256; ++i)
            core8.raw(indexed(8).data.mid(40 + 4 * (i % 8), 3));
        form("core header, 8 bits", core8.raw(rows8), Picture);
        const QByteArray dib = trueColour(infoHeader(4, 2, 24), 3).data;
        const QList<QRgb> top = Picture.mid(0, 4), bottom = Picture.mid(4, 4), white(4, w);
        QTest::newRow("stretchdib, first row from the bottom")
            << stretched(dib, {0, 0, 4, 1}) << bottom + white;
        Bytes blt;
        blt.u32(gdi::SrcCopy).u16(1).u16(4).u16(0).u16(0).u16(1).u16(4).u16(0).u16(0).raw(dib);
        QTest::newRow("dibstretchblt, first row from the top")
            << Bytes::record(gdi::record::DibStretchBlt, blt.data) << top + white;
        Bytes bit;
        bit.u32(gdi::SrcCopy).u16(1).u16(0).u16(1).u16(4).u16(1).u16(0).raw(dib);
        QTest::newRow("dibbitblt, second row to the second row")
            << Bytes::record(gdi::record::DibBitBlt, bit.data) << white + bottom;
        Bytes noBitmap;
        noBitmap.u32(0x00F00021).u16(0).u16(0).u16(0).u16(2).u16(4).u16(0).u16(0);
        QTest::newRow("a blit with no bitmap draws nothing")
            << Bytes::record(gdi::record::DibBitBlt, noBitmap.data) << white + white;
    }
    void drawnPixelForPixel() {
        QFETCH(QByteArray, record);
        QFETCH(QList<QRgb>, expected);
        QString error;
        const auto picture = parse(withRecords(record, 4, 2), &error);
        QVERIFY2(picture && picture->isComplete(), qPrintable(error));
        const QImage image = render(*picture, {4, 2});
        for (int i = 0; i < 8; ++i)
            EXPECT_PIXEL(image, QPoint(i % 4, i / 4), QColor(expected[i]));
    }
};

OSTERVALE_TEST(BitmapsTest)
#include "test_bitmaps.moc"

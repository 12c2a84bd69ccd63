// Text as a pupil would see it on the page: where it sits against its
// reference point, how each character follows its advance, its background,
// and its font.
#include "picture_check.h"
#include "testmain.h"

#include <QRawFont>

using namespace picture_check;

class TextTest : public QObject {
    Q_OBJECT

    // Pixels darker than light grey within the given columns and rows: how
    // many, and the box around them.
    struct Ink {
        int count = 0;
        QRect box;
    };
    static Ink ink(const QImage& image, int fromX = 0, int toX = 999, int fromY = 0,
                   int toY = 999) {
        Ink found;
        for (int y = fromY; y <= std::min(toY, image.height() - 1); ++y)
            for (int x = fromX; x <= std::min(toX, image.width() - 1); ++x)
                if (qGray(image.pixel(x, y)) < 160) {
                    ++found.count;
                    found.box |= QRect(x, y, 1, 1);
                }
        return found;
    }

    static Font arial(int height = -200) {
        Font f;
        f.height = height;
        f.face = QStringLiteral("Arial");
        return f;
    }
    // Arial with an em of 200 units (20 pixels), black on no background,
    // placed by its baseline.
    static MetafileWriter page(const Font& font = arial()) {
        MetafileWriter w;
        w.begin(1000, 1000);
        w.selectObject(w.createFont(font));
        w.setBkMode(gdi::bk::Transparent);
        w.setTextAlign(gdi::align::Baseline);
        return w;
    }

private Q_SLOTS:
    void alignmentPlacesTheReferencePoint_data() {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        const char* hs[] = {"left", "right", "centre"};
        const char* vs[] = {"top", "baseline", "bottom"};
        for (int h = 0; h < 3; ++h)
            for (int v = 0; v < 3; ++v)
                QTest::addRow("%s %s", hs[h], vs[v]) << h << v;
    }
    void alignmentPlacesTheReferencePoint() {
        QFETCH(int, h);
        QFETCH(int, v);
        using namespace gdi::align;
        const int hFlags[] = {Left, Right, Center};
        const int vFlags[] = {Top, Baseline, Bottom};
        MetafileWriter w = page();
        w.setTextAlign(hFlags[h] | vFlags[v]);
        w.textOut(500, 500, QStringLiteral("HH"));
        const QRect box = ink(render(w.finish())).box;
        // Reference point at pixel 50, 50. "H" has small side bearings, a
        // flat foot on the baseline and a top below the ascent; the font's
        // descent is about a fifth of the em (4 pixels).
        const int across[] = {box.left(), box.right(), box.center().x()};
        const int down[] = {box.top(), box.bottom(), box.bottom()};
        const int acrossFrom[] = {50, 46, 49}, acrossTo[] = {53, 49, 51};
        const int downFrom[] = {51, 48, 43}, downTo[] = {56, 50, 47};
        QVERIFY2(across[h] >= acrossFrom[h] && across[h] <= acrossTo[h],
                 qPrintable(QString::number(across[h])));
        QVERIFY2(down[v] >= downFrom[v] && down[v] <= downTo[v],
                 qPrintable(QString::number(down[v])));
    }

    void advancesPlaceEachCharacter_data() {
        QTest::addColumn<QList<int>>("dx");
        QTest::addColumn<QList<int>>("inked");
        QTest::addColumn<QList<int>>("blank");
        // "III" from x = 10 pixels; an I is a bar about two pixels wide just
        // right of where it starts, and advances about six pixels.
        QTest::newRow("every advance")
            << QList<int>{300, 300, 300} << QList<int>{10, 40, 70} << QList<int>{25, 55, 85};
        QTest::newRow("short array")
            << QList<int>{300} << QList<int>{10, 40, 47} << QList<int>{25, 55, 70};
        QTest::newRow("no array") << QList<int>{} << QList<int>{10, 16, 21}
                                  << QList<int>{30, 40, 70};
    }
    void advancesPlaceEachCharacter() {
        QFETCH(QList<int>, dx);
        QFETCH(QList<int>, inked);
        QFETCH(QList<int>, blank);
        MetafileWriter w = page();
        w.extTextOut(100, 500, QStringLiteral("III"), 0, std::nullopt, dx);
        const QImage image = render(w.finish());
        for (int x : inked)
            QVERIFY2(ink(image, x, x + 4).count > 0, qPrintable(QString::number(x)));
        for (int x : blank)
            QVERIFY2(ink(image, x, x + 2).count == 0, qPrintable(QString::number(x)));
    }

    // Opaque mode fills the text's cell, not its box; an opaque box is
    // filled whatever the mode; a clipped text stops at its box.
    void backgroundAndBoxes() {
        MetafileWriter w = page();
        w.setBkColor(Qt::yellow);
        w.setBkMode(gdi::bk::Opaque);
        w.extTextOut(100, 250, QStringLiteral("HHHH"), 0, Box{0, 700, 1000, 800});
        w.setBkMode(gdi::bk::Transparent);
        w.extTextOut(100, 500, QStringLiteral("HHHH"), gdi::eto::Opaque, Box{0, 850, 1000, 950});
        w.extTextOut(100, 800, QStringLiteral("HHHH"), gdi::eto::Clipped, Box{0, 0, 250, 1000});
        const QImage image = render(w.finish());
        // Just under each baseline, inside the text's cell but clear of its ink.
        EXPECT_PIXEL(image, QPoint(40, 27), Qt::yellow);
        EXPECT_PIXEL(image, QPoint(95, 27), Qt::white);
        EXPECT_PIXEL(image, QPoint(50, 75), Qt::white);
        EXPECT_PIXEL(image, QPoint(40, 52), Qt::white);
        EXPECT_PIXEL(image, QPoint(50, 90), Qt::yellow);
        QVERIFY(ink(image, 10, 24, 60, 84).count > 0);
        QCOMPARE(ink(image, 26, 99, 60, 84).count, 0);
    }

    // With UPDATECP each text starts where the last ended, not where it
    // says; a positive height is the whole cell, so its letters come out
    // smaller than with the same height given as the character's.
    void placedByTheCurrentPositionAndSizedByTheCell() {
        MetafileWriter once = page();
        once.textOut(100, 500, QStringLiteral("HHHH"));
        MetafileWriter twice = page();
        twice.setTextAlign(gdi::align::Baseline | gdi::align::UpdateCP);
        twice.moveTo(100, 500);
        twice.textOut(900, 900, QStringLiteral("HH"));
        twice.textOut(900, 900, QStringLiteral("HH"));
        const QRect whole = ink(render(once.finish())).box;
        const QRect pieces = ink(render(twice.finish())).box;
        QVERIFY(whole.width() > 30);
        QVERIFY(std::abs(pieces.left() - whole.left()) <= 1);
        QVERIFY(std::abs(pieces.right() - whole.right()) <= 1);
        int heights[2];
        for (int i = 0; i < 2; ++i) {
            MetafileWriter w = page(arial(i == 0 ? -600 : 600));
            w.textOut(100, 800, QStringLiteral("H"));
            heights[i] = ink(render(w.finish())).box.height();
        }
        QVERIFY(heights[1] < heights[0] - 2 && heights[1] > heights[0] * 3 / 4);
    }

    // Each style, on text laid out by the font and on text whose every
    // character is placed by an advance (which takes a quicker way to the
    // page). "I I" leaves a gap between two bars that only a line through or
    // under the text can ink.
    void fontStyles_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("spaced");
        for (const char* style : {"bold", "underline", "italic", "strike out", "narrow"}) {
            QTest::addRow("%s", style) << QString::fromLatin1(style) << false;
            QTest::addRow("%s, spaced", style) << QString::fromLatin1(style) << true;
        }
    }
    void fontStyles() {
        QFETCH(QString, style);
        QFETCH(bool, spaced);
        Font styled = arial(-300);
        styled.weight = style == u"bold" ? gdi::weight::Bold : gdi::weight::Normal;
        styled.underline = style == u"underline";
        styled.italic = style == u"italic";
        styled.strikeOut = style == u"strike out";
        styled.width = style == u"narrow" ? 40 : 0;
        QImage images[2];
        const Font fonts[2] = {arial(-300), styled};
        for (int i = 0; i < 2; ++i) {
            MetafileWriter w = page(fonts[i]);
            w.extTextOut(100, 600, QStringLiteral("I I"), 0, std::nullopt,
                         spaced ? QList<int>{150, 150, 150} : QList<int>{});
            images[i] = render(w.finish());
        }
        const Ink plain = ink(images[0]), with = ink(images[1]);
        QVERIFY(plain.count > 0);
        // Within the space between the bars, which starts 8 pixels after the
        // first one laid out by the font, and 15 placed by its advance.
        const int gap = spaced ? 26 : 19;
        QCOMPARE(ink(images[0], gap, gap + 5, 40, 55).count, 0);
        if (style == u"bold")
            QVERIFY(with.count > plain.count * 5 / 4);
        else if (style == u"underline")
            QVERIFY(with.box.bottom() > plain.box.bottom() && with.box.bottom() <= 66);
        else if (style == u"strike out")
            QVERIFY(ink(images[1], gap, gap + 5, 40, 55).count > 0);
        else if (style == u"narrow")
            QVERIFY(with.count < plain.count * 3 / 4);
        else
            QVERIFY(with.box.right() > plain.box.right());
    }

    // A character the named face lacks is still drawn, from a face that has
    // it, whether the text is laid out by the font or placed by advances.
    void aCharacterTheFaceLacksComesFromAnother() {
        const QChar king(0x2654); // a chess king, in DejaVu Sans
        QFont arialFont(QStringLiteral("Arial"));
        arialFont.setPixelSize(30);
        if (QRawFont::fromFont(arialFont).supportsCharacter(king) ||
            !QRawFont::fromFont(QFont(QStringLiteral("DejaVu Sans"))).supportsCharacter(king))
            QSKIP("needs an Arial without the chess pieces and a DejaVu Sans with them");
        QImage images[2];
        for (int i = 0; i < 2; ++i) {
            // The writer speaks Windows-1252; the king goes into the record
            // as the player would find it in a wider file.
            auto picture = parse(page(arial(-300)).finish());
            QVERIFY(picture);
            picture->commands.push_back(
                cmd::Text{{100, 600}, QString(king), 0, std::nullopt, QList<int>(i, 400)});
            images[i] = render(*picture);
        }
        QVERIFY(ink(images[0]).count > 0);
        QCOMPARE(images[1], images[0]);
    }

    // A glyph hundreds of pixels long and a few high is more than FreeType
    // renders as one bitmap (Qt then crashed copying the bitmap it never
    // made), so such a run is drawn from outlines: it must come out stretched
    // and placed as a run of ordinary width does. The frame is drawn into a
    // box of another shape, 200 pixels to the em across and 20 down.
    void aRunTooLongForGlyphBitmapsIsStretchedAndPlacedAsAnyOther() {
        QList<QRect> bars[2];            // each bar's inked columns
        const int widths[] = {225, 900}; // an em 200 and 800 pixels across
        for (int i = 0; i < 2; ++i) {
            Font wide = arial(-500);
            wide.width = widths[i];
            MetafileWriter w = page(wide);
            w.extTextOut(100, 400, QStringLiteral("II"), 0, std::nullopt, {500, 500});
            const QImage image = render(w.finish(), {400, 40});
            for (int x = 0; x < image.width(); ++x) {
                if (ink(image, x, x).count == 0)
                    continue;
                if (!bars[i].isEmpty() && bars[i].back().right() == x - 1)
                    bars[i].back().setRight(x);
                else
                    bars[i].append(QRect(x, 0, 1, 1));
            }
            QCOMPARE(bars[i].size(), 2);
            // From the reference point at 40 pixels, one advance of 200 apart.
            QVERIFY(bars[i][0].left() >= 40);
            QVERIFY(std::abs(bars[i][1].left() - bars[i][0].left() - 200) <= 2);
        }
        QVERIFY(bars[1][0].width() >= bars[0][0].width() * 3);
        QVERIFY(bars[1][0].width() <= bars[0][0].width() * 5);
    }

    // The escapement turns the text; a window running upwards moves it but,
    // as GDI draws glyphs on the device, never turns it over.
    void textTurnsOnlyByItsEscapement() {
        Font turned = arial(-200);
        turned.escapement = 900;
        MetafileWriter w = page(turned);
        w.textOut(500, 900, QStringLiteral("HHHH"));
        const QRect box = ink(render(w.finish())).box;
        QVERIFY(box.height() > box.width() * 2);
        QVERIFY(box.bottom() <= 90 && box.right() <= 50);
        MetafileWriter up = page(arial(200));
        up.setWindowOrg(0, 1000);
        up.setWindowExt(1000, -1000);
        up.textOut(100, 300, QStringLiteral("T"));
        const QImage image = render(up.finish());
        const QRect t = ink(image).box;
        QVERIFY(t.bottom() <= 70 && t.top() >= 50);
        // A "T" upright has its bar on top: the top row is wider than the bottom.
        const int top = ink(image, 0, 99, t.top(), t.top() + 1).count;
        QVERIFY(top > ink(image, 0, 99, t.bottom() - 1, t.bottom()).count * 2);
    }
};

OSTERVALE_TEST(TextTest)
#include "test_text.moc"

// Text as a pupil would see it on the page: where it sits against its
// reference point, how each character follows its advance, its background,
// and its font.
#include "picture_check.h"
#include "testmain.h"

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
    // Every horizontal with every vertical alignment. The reference point is
    // at pixel 50, 50. "H" has small side bearings, a flat foot on the
    // baseline and a top below the ascent; the font's descent is about a
    // fifth of the em (4 pixels).
    void alignmentAndAdvancesPlaceTheText() {
        using namespace gdi::align;
        const int hFlags[] = {Left, Right, Center}, vFlags[] = {Top, Baseline, Bottom};
        const int acrossSpread[] = {3, 3, 2}, downSpread[] = {5, 2, 4};
        for (int h = 0; h < 3; ++h)
            for (int v = 0; v < 3; ++v) {
                MetafileWriter w = page();
                w.setTextAlign(hFlags[h] | vFlags[v]);
                w.textOut(500, 500, QStringLiteral("HH"));
                const QRect box = ink(render(parse(w.finish()).value())).box;
                const int across[] = {box.left() - 50, box.right() - 46, box.center().x() - 49};
                const int down[] = {box.top() - 51, box.bottom() - 48, box.bottom() - 43};
                QVERIFY(across[h] >= 0 && across[h] <= acrossSpread[h]);
                QVERIFY(down[v] >= 0 && down[v] <= downSpread[v]);
            }
        // "III" from x = 10 pixels with every advance given, one, and none;
        // an I is a bar about two pixels wide just right of where it starts,
        // and advances about six pixels.
        const QList<int> rows[][3] = {{{300, 300, 300}, {10, 40, 70}, {25, 55, 85}},
                                      {{300}, {10, 40, 47}, {25, 55, 70}},
                                      {{}, {10, 16, 21}, {30, 40, 70}}};
        for (const auto& [dx, inked, blank] : rows) {
            MetafileWriter w = page();
            w.extTextOut(100, 500, QStringLiteral("III"), 0, std::nullopt, dx);
            const QImage image = render(parse(w.finish()).value());
            for (int x : inked)
                QVERIFY(ink(image, x, x + 4).count > 0);
            for (int x : blank)
                QCOMPARE(ink(image, x, x + 2).count, 0);
        }
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
        const QImage image = render(parse(w.finish()).value());
        // Just under each baseline, inside the text's cell but clear of its ink.
        EXPECT_PIXEL(image, QPoint(40, 27), Qt::yellow);
        EXPECT_PIXEL(image, QPoint(95, 27), Qt::white);
        EXPECT_PIXEL(image, QPoint(50, 75), Qt::white);
        EXPECT_PIXEL(image, QPoint(40, 52), Qt::white);
        EXPECT_PIXEL(image, QPoint(50, 90), Qt::yellow);
        QVERIFY(ink(image, 10, 24, 60, 84).count > 0);
        QCOMPARE(ink(image, 26, 99, 60, 84).count, 0);
    }

    // Each style on text whose every character is placed by an advance, as
    // on every reading page (a quicker way to the page than laying it out).
    // "I I" leaves a gap between two bars that only a line through or under
    // the text can ink.
    void fontStyles() {
        const auto drawn = [](const Font& font) {
            MetafileWriter w = page(font);
            w.extTextOut(100, 600, QStringLiteral("I I"), 0, std::nullopt, {150, 150, 150});
            return render(parse(w.finish()).value());
        };
        // Within the space between the bars, 15 pixels after the first.
        const auto inGap = [](const QImage& image) { return ink(image, 26, 31, 40, 55).count; };
        const QImage plainImage = drawn(arial(-300));
        const Ink plain = ink(plainImage);
        QVERIFY(plain.count > 0 && inGap(plainImage) == 0);
        for (int style = 0; style < 4; ++style) { // bold, underline, italic, strike out
            Font styled = arial(-300);
            styled.weight = style == 0 ? gdi::weight::Bold : gdi::weight::Normal;
            styled.underline = style == 1;
            styled.italic = style == 2;
            styled.strikeOut = style == 3;
            const QImage image = drawn(styled);
            const Ink with = ink(image);
            const bool shows[] = {with.count > plain.count * 5 / 4,
                                  with.box.bottom() > plain.box.bottom() && with.box.bottom() <= 66,
                                  with.box.right() > plain.box.right(), inGap(image) > 0};
            QVERIFY2(shows[style], qPrintable(QString::number(style)));
        }
    }

    // A glyph hundreds of pixels long and a few high is more than FreeType
    // renders as one bitmap (Qt then crashed copying the bitmap it never
    // made), so such a run is drawn from outlines: it must come out stretched
    // and placed as a run of ordinary width does. The frame is drawn into a
    // box of another shape, 200 pixels to the em across and 20 down.
    void aRunTooLongForGlyphBitmapsIsStretchedAndPlacedAsAnyOther() {
        int firstBar[2]; // its width
        for (int i = 0; i < 2; ++i) {
            Font wide = arial(-500);
            wide.width = i == 0 ? 225 : 900; // an em 200 and 800 pixels across
            MetafileWriter w = page(wide);
            w.extTextOut(100, 400, QStringLiteral("II"), 0, std::nullopt, {500, 500});
            const QImage image = render(parse(w.finish()).value(), {400, 40});
            QList<int> starts;
            for (int x = 1; x < image.width(); ++x)
                if (ink(image, x, x).count > 0 && ink(image, x - 1, x - 1).count == 0)
                    starts << x;
            QCOMPARE(starts.size(), 2);
            // From the reference point at 40 pixels, one advance of 200 apart.
            QVERIFY(starts[0] >= 40 && std::abs(starts[1] - starts[0] - 200) <= 2);
            firstBar[i] = ink(image, 0, starts[1] - 1).box.width();
        }
        QVERIFY(firstBar[1] >= firstBar[0] * 3 && firstBar[1] <= firstBar[0] * 5);
    }
};

OSTERVALE_TEST(TextTest)
#include "test_text.moc"

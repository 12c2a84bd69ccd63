// Text as a pupil would see it on the page: where it sits against its
// reference point, how each character follows its advance, its background,
// its font, and the Windows-1252 characters it is written in.
#include "picture_check.h"
#include "testmain.h"

#include <QRawFont>

using namespace picture_check;

class TextTest : public QObject {
    Q_OBJECT

    // Everything darker than light grey.
    static QRect ink(const QImage& image) {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }
    static int inkIn(const QImage& image, int fromX, int toX) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = fromX; x <= toX; ++x)
                count += qGray(image.pixel(x, y)) < 160;
        return count;
    }

    static Font arial(int height = -200) {
        Font f;
        f.height = height;
        f.face = QStringLiteral("Arial");
        return f;
    }
    // Arial with an em of 200 units (20 pixels), black on no background.
    static MetafileWriter page(const Font& font = arial()) {
        MetafileWriter w;
        w.begin(1000, 1000);
        w.selectObject(w.createFont(font));
        w.setBkMode(gdi::bk::Transparent);
        return w;
    }

private Q_SLOTS:
    void alignmentPlacesTheReferencePoint_data() {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        using namespace gdi::align;
        const QStringList hs{"left", "right", "centre"};
        const QList<int> hFlags{Left, Right, Center};
        const QStringList vs{"top", "baseline", "bottom"};
        const QList<int> vFlags{Top, Baseline, Bottom};
        for (int h = 0; h < 3; ++h)
            for (int v = 0; v < 3; ++v)
                QTest::addRow("%s %s", qPrintable(hs[h]), qPrintable(vs[v]))
                    << (hFlags[h] | vFlags[v]) << hs[h] << vs[v];
    }
    void alignmentPlacesTheReferencePoint() {
        QFETCH(int, align);
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        MetafileWriter w = page();
        w.setTextAlign(align);
        w.textOut(500, 500, QStringLiteral("HH"));
        const QRect box = ink(render(w.finish()));
        QVERIFY(!box.isEmpty());
        // Reference point at pixel 50, 50. "H" has small side bearings, a
        // flat foot on the baseline and a top below the ascent; the font's
        // descent is about a fifth of the em (4 pixels).
        if (horizontal == QLatin1String("left"))
            QVERIFY2(box.left() >= 50 && box.left() <= 53, qPrintable(QString::number(box.left())));
        else if (horizontal == QLatin1String("right"))
            QVERIFY2(box.right() >= 46 && box.right() <= 49,
                     qPrintable(QString::number(box.right())));
        else
            QVERIFY2(std::abs(box.center().x() - 50) <= 1,
                     qPrintable(QString::number(box.center().x())));
        if (vertical == QLatin1String("top"))
            QVERIFY2(box.top() >= 51 && box.top() <= 56, qPrintable(QString::number(box.top())));
        else if (vertical == QLatin1String("baseline"))
            QVERIFY2(box.bottom() >= 48 && box.bottom() <= 50,
                     qPrintable(QString::number(box.bottom())));
        else
            QVERIFY2(box.bottom() >= 43 && box.bottom() <= 47,
                     qPrintable(QString::number(box.bottom())));
    }

    void windows1252Characters_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("Dunkirk") << QStringLiteral("Dunkirk");
        QTest::newRow("pound and accents")
            << QByteArray("\xA3\x35 caf\xE9") << QStringLiteral(u"£5 café");
        QTest::newRow("the 0x80 row")
            << QByteArray("\x80\x93\x94\x96\x85\x9F") << QStringLiteral(u"€“”–…Ÿ");
        QTest::newRow("undefined bytes pass through")
            << QByteArray("\x81\x8D") << QStringLiteral(u"\u0081\u008D");
    }
    void windows1252Characters() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        for (quint16 function : {gdi::record::TextOutRecord, gdi::record::ExtTextOutRecord}) {
            MetafileWriter w;
            w.begin(1000, 1000);
            if (function == gdi::record::TextOutRecord)
                w.record(function, Bytes()
                                       .u16(int(bytes.size()))
                                       .raw(bytes)
                                       .raw(QByteArray(bytes.size() % 2, '\0'))
                                       .i16(10)
                                       .i16(20)
                                       .data);
            else
                w.record(function,
                         Bytes().i16(10).i16(20).i16(int(bytes.size())).u16(0).raw(bytes).data);
            const auto picture = parse(w.finish());
            QVERIFY(picture);
            const auto* run = std::get_if<cmd::Text>(&picture->commands.back());
            QVERIFY(run);
            QCOMPARE(run->text, text);
            QCOMPARE(run->at, QPoint(20, 10));
        }
    }

    void theWriterEncodesWhatTheCodePageHolds() {
        MetafileWriter w;
        w.begin(1000, 1000);
        w.extTextOut(0, 0, QStringLiteral(u"“£1” Ω €"));
        const auto picture = parse(w.finish());
        QVERIFY(picture);
        QCOMPARE(std::get<cmd::Text>(picture->commands.back()).text, QStringLiteral(u"“£1” ? €"));
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
        w.setTextAlign(gdi::align::Baseline);
        w.extTextOut(100, 500, QStringLiteral("III"), 0, std::nullopt, dx);
        const QImage image = render(w.finish());
        for (int x : inked)
            QVERIFY2(inkIn(image, x, x + 4) > 0, qPrintable(QStringLiteral("no ink at %1").arg(x)));
        for (int x : blank)
            QVERIFY2(inkIn(image, x, x + 2) == 0, qPrintable(QStringLiteral("ink at %1").arg(x)));
    }

    void backgroundBehindText_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("options");
        QTest::addColumn<QColor>("behind");
        QTest::addColumn<QColor>("inBox");
        const QColor white(Qt::white);
        const QColor yellow(Qt::yellow);
        QTest::newRow("transparent") << gdi::bk::Transparent << 0 << white << white;
        QTest::newRow("opaque") << gdi::bk::Opaque << 0 << yellow << white;
        QTest::newRow("opaque box") << gdi::bk::Transparent << gdi::eto::Opaque << white << yellow;
    }
    void backgroundBehindText() {
        QFETCH(int, mode);
        QFETCH(int, options);
        QFETCH(QColor, behind);
        QFETCH(QColor, inBox);
        MetafileWriter w = page();
        w.setBkColor(Qt::yellow);
        w.setBkMode(mode);
        w.setTextAlign(gdi::align::Baseline);
        w.extTextOut(100, 500, QStringLiteral("HHHH"), options, Box{0, 800, 1000, 1000});
        const QImage image = render(w.finish());
        // Just under the baseline, inside the text's cell but clear of its ink.
        EXPECT_PIXEL(image, QPoint(20, 52), behind);
        EXPECT_PIXEL(image, QPoint(50, 90), inBox);
        EXPECT_PIXEL(image, QPoint(95, 52), Qt::white);
    }

    void aClippedTextStopsAtItsBox() {
        MetafileWriter w = page();
        w.setTextAlign(gdi::align::Baseline);
        w.extTextOut(100, 500, QStringLiteral("HHHH"), gdi::eto::Clipped, Box{0, 0, 250, 1000});
        const QImage image = render(w.finish());
        QVERIFY(inkIn(image, 10, 24) > 0);
        QCOMPARE(inkIn(image, 26, 99), 0);
    }

    void updateCPContinuesWhereTheLastTextEnded() {
        MetafileWriter once = page();
        once.setTextAlign(gdi::align::Baseline);
        once.textOut(100, 500, QStringLiteral("HHHH"));
        MetafileWriter twice = page();
        twice.setTextAlign(gdi::align::Baseline | gdi::align::UpdateCP);
        twice.moveTo(100, 500);
        twice.textOut(900, 900, QStringLiteral("HH")); // the position given is not used
        twice.textOut(900, 900, QStringLiteral("HH"));
        const QRect whole = ink(render(once.finish()));
        const QRect pieces = ink(render(twice.finish()));
        QVERIFY(whole.width() > 30);
        QVERIFY2(std::abs(pieces.left() - whole.left()) <= 1 &&
                     std::abs(pieces.right() - whole.right()) <= 1,
                 qPrintable(QStringLiteral("%1..%2 against %3..%4")
                                .arg(pieces.left())
                                .arg(pieces.right())
                                .arg(whole.left())
                                .arg(whole.right())));
    }

    // A positive height is the whole cell, so the letters come out smaller
    // than with the same height given as the character's.
    void cellHeightIsTallerThanCharacterHeight() {
        MetafileWriter character = page(arial(-600));
        character.setTextAlign(gdi::align::Baseline);
        character.textOut(100, 800, QStringLiteral("H"));
        MetafileWriter cell = page(arial(600));
        cell.setTextAlign(gdi::align::Baseline);
        cell.textOut(100, 800, QStringLiteral("H"));
        const int big = ink(render(character.finish())).height();
        const int small = ink(render(cell.finish())).height();
        QVERIFY2(small < big - 2 && small > big * 3 / 4,
                 qPrintable(QStringLiteral("%1 against %2").arg(small).arg(big)));
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
        styled.weight = style == QLatin1String("bold") ? gdi::weight::Bold : gdi::weight::Normal;
        styled.underline = style == QLatin1String("underline");
        styled.italic = style == QLatin1String("italic");
        styled.strikeOut = style == QLatin1String("strike out");
        styled.width = style == QLatin1String("narrow") ? 40 : 0;
        QImage images[2];
        const Font fonts[2] = {arial(-300), styled};
        for (int i = 0; i < 2; ++i) {
            MetafileWriter w = page(fonts[i]);
            w.setTextAlign(gdi::align::Baseline);
            w.extTextOut(100, 600, QStringLiteral("I I"), 0, std::nullopt,
                         spaced ? QList<int>{150, 150, 150} : QList<int>{});
            images[i] = render(w.finish());
        }
        const QRect plain = ink(images[0]);
        const QRect with = ink(images[1]);
        QVERIFY(!plain.isEmpty());
        // Within the space between the bars, which starts 8 pixels after the
        // first one laid out by the font, and 15 placed by its advance.
        const QRect gap(spaced ? 26 : 19, 40, 6, 16);
        auto inkInGap = [&](const QImage& image) {
            int count = 0;
            for (int y = gap.top(); y <= gap.bottom(); ++y)
                for (int x = gap.left(); x <= gap.right(); ++x)
                    count += qGray(image.pixel(x, y)) < 160;
            return count;
        };
        QCOMPARE(inkInGap(images[0]), 0);
        if (style == QLatin1String("bold"))
            QVERIFY(inkIn(images[1], 0, 99) > inkIn(images[0], 0, 99) * 5 / 4);
        else if (style == QLatin1String("underline"))
            QVERIFY(with.bottom() > plain.bottom() && with.bottom() <= 66);
        else if (style == QLatin1String("strike out"))
            QVERIFY(inkInGap(images[1]) > 0);
        else if (style == QLatin1String("narrow"))
            QVERIFY(inkIn(images[1], 0, 99) < inkIn(images[0], 0, 99) * 3 / 4);
        else
            QVERIFY(with.right() > plain.right());
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
            MetafileWriter w = page(arial(-300));
            w.setTextAlign(gdi::align::Baseline);
            // The writer speaks Windows-1252; the king goes into the record
            // as the player would find it in a wider file.
            auto picture = parse(w.finish());
            QVERIFY(picture);
            cmd::Text run;
            run.at = QPoint(100, 600);
            run.text = QString(king);
            if (i == 1)
                run.dx = {400};
            picture->commands.push_back(run);
            images[i] = render(*picture);
        }
        const QRect laidOut = ink(images[0]);
        QVERIFY(!laidOut.isEmpty());
        QCOMPARE(ink(images[1]), laidOut);
        QCOMPARE(images[1], images[0]);
    }

    // GDI draws glyphs on the device, so a window running upwards moves the
    // text but never turns it over.
    void textStaysUprightWhenTheWindowRunsUp() {
        MetafileWriter w = page(arial(200));
        w.setWindowOrg(0, 1000);
        w.setWindowExt(1000, -1000);
        w.setTextAlign(gdi::align::Baseline);
        w.textOut(100, 300, QStringLiteral("T"));
        const QImage image = render(w.finish());
        const QRect box = ink(image);
        QVERIFY2(box.bottom() <= 70 && box.top() >= 50, qPrintable(QString::number(box.top())));
        // A "T" upright has its bar on top: the top row is wider than the bottom.
        const int top = inkIn(image.copy(0, box.top(), 100, 2), 0, 99);
        const int bottom = inkIn(image.copy(0, box.bottom() - 1, 100, 2), 0, 99);
        QVERIFY2(top > bottom * 2,
                 qPrintable(QStringLiteral("%1 against %2").arg(top).arg(bottom)));
    }

    void escapementTurnsTheText() {
        Font turned = arial(-200);
        turned.escapement = 900;
        MetafileWriter w = page(turned);
        w.setTextAlign(gdi::align::Baseline);
        w.textOut(500, 900, QStringLiteral("HHHH"));
        const QRect box = ink(render(w.finish()));
        QVERIFY(box.height() > box.width() * 2);
        QVERIFY(box.bottom() <= 90 && box.right() <= 50);
    }
};

OSTERVALE_TEST(TextTest)
#include "test_text.moc"

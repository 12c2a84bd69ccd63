#include "printouts.h"
#include "support/recording_surface.h"
#include "testmain.h"

#include <QTest>

namespace {
WorksheetPrint sampleSheet() {
    WorksheetPrint s{.heading = QStringLiteral("Ostervale"), .title = QStringLiteral("Rationing")};
    for (int k = 0; k < 10; ++k) {
        s.questions[k] = QStringLiteral("Why %1?").arg(k + 1);
        for (int m = 0; m < 4; ++m)
            s.answers[k][m] = QStringLiteral("Answer %1%2").arg(k + 1).arg(QChar(u'A' + m));
    }
    return s;
}

CertificatePrint sampleCertificate() {
    return {.heading = QStringLiteral("Ostervale"),
            .headingWidthOnScreen = 1000,
            .name = QStringLiteral("Amelia Jones"),
            .score = 8,
            .total = 8};
}

const QColor kLightBlue(0, 0, 255), kLightRed(255, 0, 0), kBlue(0, 0, 128), kBlack(0, 0, 0);
} // namespace

class PrintoutsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void worksheetHeaderAndHeadings() {
        RecordingSurface p;
        QVERIFY(printouts::worksheet(p, sampleSheet()));
        const float w = p.ScaleWidth();
        const auto& lines = p.printed;
        QCOMPARE(lines[0].text, QString());
        QCOMPARE(lines[0].points, 16.0);
        QCOMPARE(lines[1].text, QStringLiteral("Ostervale") + QString(57, u' ') +
                                    QStringLiteral("Quorvane Publishing Ltd"));
        QCOMPARE(lines[1].x, w / 16);
        QCOMPARE(lines[1].y, 16 * 23.f);
        // Both headings centred on the page at 32 pt, then an empty line.
        for (int i : {3, 4}) {
            QCOMPARE(lines[i].points, 32.0);
            QCOMPARE(lines[i].x, (w - lines[i].text.size() * 64.f) / 2);
        }
        QCOMPARE(lines[3].text, QStringLiteral("Ostervale"));
        QCOMPARE(lines[4].text, QStringLiteral("Rationing"));
        QCOMPARE(lines[5].text, QString());
        for (const QString& font : p.fonts)
            QCOMPARE(font, QStringLiteral("Times New Roman"));
        QCOMPARE(p.ended, 1);
    }

    void worksheetQuestionsAndAnswerColumns() {
        RecordingSurface p;
        QVERIFY(printouts::worksheet(p, sampleSheet()));
        const float w = p.ScaleWidth();
        // Six lines of headings, then six calls per question: the question,
        // A beside B, C beside D, and an empty line.
        QCOMPARE(p.printed.size(), 6 + 10 * 6);
        for (int k = 0; k < 10; ++k) {
            const auto* q = &p.printed[6 + 6 * k];
            QCOMPARE(q[0].text, QStringLiteral("Question %1    Why %1?").arg(k + 1));
            QCOMPARE(q[0].x, w / 16);
            QCOMPARE(q[0].points, 12.0);
            QCOMPARE(q[1].text, QStringLiteral("A. Answer %1A").arg(k + 1));
            QCOMPARE(q[2].text, QStringLiteral("B. Answer %1B").arg(k + 1));
            QCOMPARE(q[3].text, QStringLiteral("C. Answer %1C").arg(k + 1));
            QCOMPARE(q[4].text, QStringLiteral("D. Answer %1D").arg(k + 1));
            for (int pair : {1, 3}) {
                QCOMPARE(q[pair].x, w / 3);
                QCOMPARE(q[pair + 1].x, 2 * w / 3);
                QCOMPARE(q[pair].y, q[pair + 1].y);
                QVERIFY(!q[pair].newLine && q[pair + 1].newLine);
            }
            QCOMPARE(q[3].y, q[1].y + 12 * 23.f);
            QCOMPARE(q[5].text, QString());
        }
        QVERIFY(p.printed[6 + 54].text.startsWith(QStringLiteral("Question 10    Why")));
    }

    void certificateLinesInOrder() {
        RecordingSurface p;
        QVERIFY(printouts::certificate(p, sampleCertificate()));
        const QString row = printouts::WellDoneRow + printouts::WellDoneRow;
        QCOMPARE(row.size(), 118);
        const QString blank = QStringLiteral(" ");
        const QList<std::tuple<QString, QColor, double>> expected = {
            {blank, kLightBlue, 25},
            {row, kLightBlue, 25},
            {blank, kLightBlue, 25},
            {blank, kLightBlue, 25},
            {blank, kLightBlue, 25},
            {"Ostervale", kLightRed, 36},
            {blank, kLightRed, 36},
            {"Ostervale", kLightBlue, 36},
            {"", kLightBlue, 36},
            {blank, kLightBlue, 36},
            {blank, kLightBlue, 36},
            {blank, kLightBlue, 36},
            {"Excellent Work", kBlue, 28},
            {blank, kBlue, 28},
            {"Amelia Jones", kBlue, 28},
            {"", kBlue, 28},
            {"You have scored 8 out of 8.", kBlue, 28},
            {blank, kBlue, 28},
            {blank, kBlue, 36},
            {blank, kBlue, 36},
            {blank, kLightBlue, 25},
            {row, kBlack, 25}};
        QCOMPARE(p.printed.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const auto& [text, colour, points] = expected[i];
            QCOMPARE(p.printed[i].text, text);
            QCOMPARE(p.printed[i].colour, colour);
            QCOMPARE(p.printed[i].points, points);
        }
        QCOMPARE(p.printed[0].x, p.ScaleWidth() / 8);
        QCOMPARE(p.printed[1].x, 0.f);
        // Centred lines: the name, and the empty line that follows it.
        QCOMPARE(p.printed[14].x, (p.ScaleWidth() - 12 * 56.f) / 2);
        QCOMPARE(p.printed[15].x, p.ScaleWidth() / 2);
    }

    void certificateHeadingSize_data() {
        QTest::addColumn<float>("screenWidth");
        QTest::addColumn<double>("points");
        // W is 11000 twips, so a quarter is 2750.
        QTest::newRow("narrow") << 2000.f << 36.0;
        QTest::newRow("a quarter exactly") << 2750.f << 36.0;
        QTest::newRow("just wider") << 2751.f << 28.0;
    }
    void certificateHeadingSize() {
        QFETCH(float, screenWidth);
        QFETCH(double, points);
        CertificatePrint c = sampleCertificate();
        c.headingWidthOnScreen = screenWidth;
        RecordingSurface p;
        QVERIFY(printouts::certificate(p, c));
        QCOMPARE(p.printed[7].points, points);
        QCOMPARE(p.printed[8].points, points);
        QCOMPARE(p.printed[9].points, 36.0);
    }

    void certificateEmptyNameAndHeading() {
        CertificatePrint c = sampleCertificate();
        c.name.clear();
        c.heading.clear();
        RecordingSurface p;
        QVERIFY(printouts::certificate(p, c));
        QCOMPARE(p.printed[14].text, QString());
        QCOMPARE(p.printed[14].x, p.ScaleWidth() / 2);
        QCOMPARE(p.printed[7].text, QString());
        QCOMPARE(p.printed[7].points, 36.0);
    }

    void certificateFrameIsDrawnLast() {
        RecordingSurface p(11000, 16000);
        QVERIFY(printouts::certificate(p, sampleCertificate()));
        QCOMPARE(p.lines.size(), 5 * 4 + 3 * 4);
        const float w = 11000, h = 16000;
        // The outer rectangle, then the first inner box: top, left, right, bottom.
        const QList<DrawnLine> first = {{45, 270, w - 45, 270, 2},
                                        {45, 270, 45, h - 270, 2},
                                        {w - 45, 270, w - 45, h - 270, 2},
                                        {45, h - 270, w - 45, h - 270, 2},
                                        {645, 7320, w - 645, 7320, 2},
                                        {645, 7320, 645, h - 4020, 2},
                                        {w - 645, 7320, w - 645, h - 4020, 2},
                                        {645, h - 4020, w - 645, h - 4020, 2}};
        QCOMPARE(p.lines.mid(0, 8), first);
        // The fifth rectangle has no inner box and closes the frame.
        QCOMPARE(p.lines.last(), (DrawnLine{225, h - 450, w - 225, h - 450, 2}));
        QCOMPARE(p.lines[24], (DrawnLine{180, 405, w - 180, 405, 2}));
        QCOMPARE(p.ended, 1);
    }

    void printingTwiceGivesTheSamePage() {
        RecordingSurface a, b;
        QVERIFY(printouts::certificate(a, sampleCertificate()));
        QVERIFY(printouts::certificate(b, sampleCertificate()));
        QCOMPARE(a.printed, b.printed);
        QCOMPARE(a.lines, b.lines);
        RecordingSurface c, d;
        QVERIFY(printouts::worksheet(c, sampleSheet()));
        QVERIFY(printouts::worksheet(d, sampleSheet()));
        QCOMPARE(c.printed, d.printed);
    }

    void aFailureStopsTheLayoutWhereItHappens() {
        // At every step in turn: nothing after the failure is drawn, and the
        // document is never ended.
        // 22 lines of text and 32 of the frame, then the end of the document.
        for (int k = 0; k <= 54; ++k) {
            RecordingSurface p;
            p.failAt = k;
            QVERIFY(!printouts::certificate(p, sampleCertificate()));
            QCOMPARE(p.steps, k + 1);
            QCOMPARE(p.printed.size() + p.lines.size(), qsizetype(std::min(k, 54)));
            QCOMPARE(p.ended, k == 54 ? 1 : 0);
        }
    }
};

OSTERVALE_TEST(PrintoutsTest)
#include "test_printouts.moc"

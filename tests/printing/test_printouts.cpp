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
    // The header, both headings centred at 32 pt, then six calls per
    // question: the question, A beside B, C beside D, and an empty line.
    void worksheetLines() {
        RecordingSurface p;
        QVERIFY(printouts::worksheet(p, sampleSheet()));
        const float w = p.ScaleWidth();
        const auto& lines = p.printed;
        QCOMPARE(lines.size(), 6 + 10 * 6);
        QCOMPARE(lines[0].text, QString());
        QCOMPARE(lines[1].text, QStringLiteral("Ostervale") + QString(57, u' ') +
                                    QStringLiteral("Quorvane Publishing Ltd"));
        QCOMPARE(lines[1].x, w / 16);
        QCOMPARE(lines[1].y, 16 * 23.f);
        QCOMPARE(lines[3].text, QStringLiteral("Ostervale"));
        QCOMPARE(lines[4].text, QStringLiteral("Rationing"));
        for (int i : {3, 4}) {
            QCOMPARE(lines[i].points, 32.0);
            QCOMPARE(lines[i].x, (w - lines[i].text.size() * 64.f) / 2);
        }
        QCOMPARE(lines[5].text, QString());
        for (int k = 0; k < 10; ++k) {
            const auto* q = &lines[6 + 6 * k];
            QCOMPARE(q[0].text, QStringLiteral("Question %1    Why %1?").arg(k + 1));
            QCOMPARE(q[0].x, w / 16);
            QCOMPARE(q[0].points, 12.0);
            for (int m = 0; m < 4; ++m) {
                const QChar letter(u'A' + m);
                QCOMPARE(q[1 + m].text, QStringLiteral("%1. Answer %2%1").arg(letter).arg(k + 1));
                QCOMPARE(q[1 + m].x, m % 2 ? 2 * w / 3 : w / 3);
                QCOMPARE(q[1 + m].y, q[1 + m - m % 2].y);
                QCOMPARE(q[1 + m].newLine, m % 2 == 1);
            }
            QCOMPARE(q[3].y, q[1].y + 12 * 23.f);
            QCOMPARE(q[5].text, QString());
        }
        for (const QString& font : p.fonts)
            QCOMPARE(font, QStringLiteral("Times New Roman"));
        QCOMPARE(p.ended, 1);
    }

    void certificateLinesInOrder() {
        RecordingSurface p;
        QVERIFY(printouts::certificate(p, sampleCertificate()));
        const QString row = printouts::WellDoneRow + printouts::WellDoneRow;
        QCOMPARE(row.size(), 118);
        const QString _ = QStringLiteral(" "); // a line of one blank
        QStringList texts;
        texts << _ << row << _ << _ << _ << "Ostervale" << _ << "Ostervale"
              << "" << _ << _ << _ << "Excellent Work" << _ << "Amelia Jones"
              << ""
              << "You have scored 8 out of 8." << _ << _ << _ << _ << row;
        // Runs of lines of one colour and size, top to bottom.
        const std::tuple<int, QColor, double> runs[] = {
            {5, kLightBlue, 25}, {2, kLightRed, 36},  {5, kLightBlue, 36}, {6, kBlue, 28},
            {2, kBlue, 36},      {1, kLightBlue, 25}, {1, kBlack, 25}};
        QCOMPARE(p.printed.size(), texts.size());
        int i = 0;
        for (const auto& [count, colour, points] : runs) {
            for (int n = 0; n < count; ++n, ++i) {
                QCOMPARE(p.printed[i].text, texts[i]);
                QCOMPARE(p.printed[i].colour, colour);
                QCOMPARE(p.printed[i].points, points);
            }
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

    // Five rectangles, the first four with an inner box, drawn after the
    // text: top, left, right, bottom.
    void certificateFrameIsDrawnLast() {
        RecordingSurface p(11000, 16000);
        QVERIFY(printouts::certificate(p, sampleCertificate()));
        QCOMPARE(p.lines.size(), 5 * 4 + 3 * 4);
        const float w = 11000, h = 16000;
        const QList<DrawnLine> outer = {{45, 270, w - 45, 270, 2},
                                        {45, 270, 45, h - 270, 2},
                                        {w - 45, 270, w - 45, h - 270, 2},
                                        {45, h - 270, w - 45, h - 270, 2}};
        QCOMPARE(p.lines.mid(0, 4), outer);
        QCOMPARE(p.lines[4], (DrawnLine{645, 7320, w - 645, 7320, 2}));
        QCOMPARE(p.lines[24], (DrawnLine{180, 405, w - 180, 405, 2}));
        QCOMPARE(p.lines.last(), (DrawnLine{225, h - 450, w - 225, h - 450, 2}));
        QCOMPARE(p.ended, 1);
    }

    void aFailureStopsTheLayoutWhereItHappens() {
        // At every step in turn: nothing after the failure is drawn, and the
        // document is never ended. 22 lines of text and 32 of the frame,
        // then the end of the document.
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

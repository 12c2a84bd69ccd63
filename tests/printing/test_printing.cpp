#include "multiple.h"
#include "print_service.h"
#include "print_surface.h"
#include "printouts.h"
#include "question_file.h"
#include "results.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "support/recording_surface.h"
#include "testmain.h"
#include "welldone.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString kWorksheetPrinting = QStringLiteral("Your worksheet is now printing.");

// The places of a word on a PDF's first page, in points, as pdftotext
// reads them back.
QList<QRectF> placesOf(const QString& pdf, const QString& text) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
        qFatal("pdftotext could not read %s", qPrintable(pdf));
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<QRectF> places;
    for (const auto& m : word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()))) {
        if (m.captured(4) == text)
            places << QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(2).toDouble() + 1));
    }
    return places;
}

// An A4 page's printable area: its corner and width, in points.
constexpr double kMargin = 6.35 / 25.4 * 72;
constexpr double kWidth = 595.28 - 2 * kMargin;
} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;
    // Every job as it was when the printing code let it go.
    struct Job {
        QList<PrintedLine> printed;
        QList<DrawnLine> lines;
        QList<QPointF> pictures;
        int ended, killed;
    };
    QList<Job> jobs;
    std::function<void(RecordingSurface&)> prepare;

    QStringList& told() { return f->messages->shown; }
    Multiple& openQuiz() {
        FieldReader file1(composeQuestionFile(test_sets::sheet("Blitz", test_sets::kPattern)));
        if (!LoadQuestions(file1, f->program->state<QuizTables>()))
            qFatal("test set did not load");
        Multiple::open(*f->program, QPixmap(), QStringLiteral("Ostervale"), QString());
        return f->program->screens().form<Multiple>();
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        f->program->shell.SoundOn = 1;
        jobs.clear();
        prepare = {};
        f->program->state<Printing>().openPrinter = [this](const PrintJob&) {
            auto surface = std::make_unique<RecordingSurface>();
            if (prepare)
                prepare(*surface);
            surface->onDone = [this](const RecordingSurface& done) {
                jobs.append({done.printed, done.lines, done.pictures, done.ended, done.killed});
            };
            return std::unique_ptr<PrintSurface>(std::move(surface));
        };
    }
    void cleanup() { f.reset(); }

    // The whole set goes on paper: the header,
    // both headings centred at 32 pt, then per question the question, A
    // beside B, C beside D and an empty line; the pupil is told and hears
    // the click. With no printer, or one that fails part-way or at the very
    // end, the job is abandoned.
    void aWorksheetFromTheQuiz() {
        Multiple& quiz = openQuiz();
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(told(), QStringList{kWorksheetPrinting});
        QCOMPARE(jobs[0].ended, 1);
        QCOMPARE(jobs[0].killed, 0);
        const QList<PrintedLine>& lines = jobs[0].printed;
        const float w = 11000;
        QCOMPARE(lines.size(), 6 + 10 * 6);
        QCOMPARE(lines[1].text, QStringLiteral("Ostervale") + QString(57, u' ') +
                                    QStringLiteral("Quorvane Publishing Ltd"));
        QCOMPARE(lines[3].text, QStringLiteral("Ostervale"));
        QCOMPARE(lines[4].text, QStringLiteral("Blitz"));
        QCOMPARE(lines[4].x, (w - 5 * 64.f) / 2);
        for (int k = 0; k < 10; ++k) {
            const auto* q = &lines[6 + 6 * k];
            QCOMPARE(q[0].text, QStringLiteral("Question %1    Question %1?").arg(k + 1));
            QCOMPARE(q[0].x, w / 16);
            for (int m = 0; m < 4; ++m) {
                QCOMPARE(q[1 + m].text,
                         QStringLiteral("%1. Answer %2%1").arg(QChar(u'A' + m)).arg(k + 1));
                QCOMPARE(q[1 + m].x, m % 2 ? 2 * w / 3 : w / 3);
                QCOMPARE(q[1 + m].y, q[1 + m - m % 2].y);
            }
        }
        for (const auto& [startable, failAt] : {std::pair{false, -1}, {true, 2}, {true, 67}}) {
            prepare = [&](RecordingSurface& s) {
                s.startable = startable;
                s.failAt = failAt;
            };
            gui::click(quiz.Label3[Multiple::PrintWorksheet]);
            QCOMPARE(told().last(), print_service::ProblemMessage);
            QCOMPARE(jobs.last().killed, 1);
            QCOMPARE(jobs.last().ended, failAt == 67 ? 1 : 0);
        }
        QCOMPARE(jobs.size(), 4);

        // Through Qt's printer into a PDF, read back by another program: the
        // places are those of the layout, from the printable area's corner.
        const QString sheet = f->path(QStringLiteral("worksheet.pdf"));
        f->program->state<Printing>().openPrinter = [sheet](const PrintJob&) {
            return std::unique_ptr<PrintSurface>(QtPrintSurface::pdf(sheet));
        };
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        const QList<QRectF> header = placesOf(sheet, QStringLiteral("Ostervale"));
        QCOMPARE(header.size(), 2);
        QVERIFY(qAbs(header[0].left() - (kMargin + kWidth / 16)) < 1);
        QVERIFY(qAbs(header[1].center().x() - 595.28 / 2) < 1.5);
        const QRectF a = placesOf(sheet, QStringLiteral("A.")).value(9);
        QVERIFY(qAbs(a.left() - (kMargin + kWidth / 3)) < 1);
        QCOMPARE(placesOf(sheet, QStringLiteral("B.")).value(9).top(), a.top());
    }

    // A certificate can be printed again and again, the same each time;
    // its frame of five rectangles, the first three around an inner box, is
    // drawn last. A reading page's printout is told only when it fails.
    void aCertificateFromTheResults() {
        f->program->state<Results>() = {10, 10, true};
        f->program->state<Results>().ResultHeading = QStringLiteral("Ostervale");
        auto& results = f->program->screens().form<Welldone>();
        results.Show();
        QTest::keyClicks(results.Text1, QStringLiteral("Amelia"));
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(told(), QStringList(2, "Your certificate is now printing."));
        QCOMPARE(jobs[1].printed, jobs[0].printed);
        const QList<PrintedLine>& printed = jobs[0].printed;
        const QString row = printouts::WellDoneRow + printouts::WellDoneRow;
        const QString _ = QStringLiteral(" "); // a line of one blank
        QStringList texts;
        texts << _ << row << _ << _ << _ << "Ostervale" << _ << "Ostervale"
              << "" << _ << _ << _ << "Excellent Work" << _ << "Amelia"
              << ""
              << "You have scored 10 out of 10." << _ << _ << _ << _ << row;
        QStringList got;
        for (const PrintedLine& line : printed)
            got << line.text;
        QCOMPARE(got, texts);
        const float w = 11000, h = 16000;
        QCOMPARE(printed[0].x, w / 8);
        QCOMPARE(printed[14].x, (w - 6 * 56.f) / 2);
        const QList<DrawnLine>& frame = jobs[0].lines;
        QCOMPARE(frame.size(), 5 * 4 + 3 * 4);
        const std::pair<int, DrawnLine> drawn[] = {{2, {w - 45, 270, w - 45, h - 270, 2}},
                                                   {5, {645, 7320, 645, h - 4020, 2}},
                                                   {31, {225, h - 450, w - 225, h - 450, 2}}};
        for (const auto& [k, line] : drawn)
            QCOMPARE(frame[k], line);

        // A page is drawn 1000 twips right of and below the corner; only a
        // failure is told.
        print_service::printPage(*f->program, {}, [](QPainter&) {});
        QCOMPARE(jobs.last().pictures, QList<QPointF>{QPointF(1000, 1000)});
        QCOMPARE(told().size(), 2);
    }

    // A heading wider on screen than a quarter of the page prints smaller.
    // A failure at any step stops the layout there, and the document is
    // never ended unless the end itself failed.
    void headingSizeAndAFailureAtEveryStep() {
        for (const auto& [wide, points] : {std::pair{2750.f, 36.0}, {2751.f, 28.0}}) {
            RecordingSurface p;
            QVERIFY(printouts::certificate(p, {"Ostervale", wide, {}, 0, 0}));
            QCOMPARE(p.printed[7].points, points);
            QCOMPARE(p.printed[9].points, 36.0);
        }
        const auto sheet = [](PrintSurface& p) { return printouts::worksheet(p, {}); };
        const auto certificate = [](PrintSurface& p) { return printouts::certificate(p, {}); };
        for (const auto& [layout, end] :
             {std::pair<std::function<bool(PrintSurface&)>, int>{sheet, 66}, {certificate, 54}}) {
            for (int k = 0; k <= end; ++k) {
                RecordingSurface p;
                p.failAt = k;
                QVERIFY(!layout(p));
                QCOMPARE(p.steps, k + 1);
                QCOMPARE(p.ended, k == end ? 1 : 0);
            }
        }
    }
};

OSTERVALE_TEST(PrintingTest)
#include "test_printing.moc"

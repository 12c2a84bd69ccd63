#include "multiple.h"
#include "print_service.h"
#include "print_surface.h"
#include "printouts.h"
#include "quiz_session.h"
#include "results.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "support/question_sets.h"
#include "support/recording_surface.h"
#include "testmain.h"
#include "welldone.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kWorksheetPrinting = QStringLiteral("Your worksheet is now printing.");
const QString kCertificatePrinting = QStringLiteral("Your certificate is now printing.");
const QColor kLightBlue(0, 0, 255), kLightRed(255, 0, 0), kBlue(0, 0, 128), kBlack(0, 0, 0);

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

// A PDF's first page as a picture, at dpi dots an inch.
QImage render(const QString& pdf, int dpi) {
    QProcess tool;
    tool.start(QStringLiteral("pdftoppm"),
               {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                QStringLiteral("-singlefile"), pdf, pdf + QStringLiteral(".page")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        qFatal("pdftoppm could not render %s", qPrintable(pdf));
    return QImage(pdf + QStringLiteral(".page.png"));
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
        int ended, killed;
    };
    QList<Job> jobs;
    std::function<void(RecordingSurface&)> prepare;

    QStringList& told() { return f->messages->shown; }
    QString toPdf(const char* name) {
        const QString pdf = f->path(QString::fromUtf8(name));
        f->program->state<Printing>().openPrinter = [pdf](const PrintJob&) {
            return std::unique_ptr<PrintSurface>(QtPrintSurface::pdf(pdf));
        };
        return pdf;
    }
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
                jobs.append({done.printed, done.lines, done.ended, done.killed});
            };
            return std::unique_ptr<PrintSurface>(std::move(surface));
        };
    }
    void cleanup() { f.reset(); }

    // The whole set goes on paper whatever question is on show: the header,
    // both headings centred at 32 pt, then per question the question, A
    // beside B, C beside D and an empty line. The pupil is told, then hears
    // the click, and the quiz stays where it was. With no printer, or one
    // that fails part-way or at the very end, the job is abandoned.
    void aWorksheetFromTheQuiz() {
        Multiple& quiz = openQuiz();
        gui::click(quiz.Label3[Multiple::Next]);
        gui::click(quiz.Option1[3]);
        int toldAtClick = -1;
        f->sound->onPlay = [&](const QString&) { toldAtClick = int(told().size()); };
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(told(), QStringList{kWorksheetPrinting});
        QCOMPARE(toldAtClick, 1);
        QCOMPARE(jobs[0].ended, 1);
        QCOMPARE(jobs[0].killed, 0);
        const QList<PrintedLine>& lines = jobs[0].printed;
        const float w = 11000;
        QCOMPARE(lines.size(), 6 + 10 * 6);
        QCOMPARE(lines[1].text, QStringLiteral("Ostervale") + QString(57, u' ') +
                                    QStringLiteral("Quorvane Publishing Ltd"));
        QCOMPARE(lines[1].y, 16 * 23.f);
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
            QCOMPARE(q[3].y, q[1].y + 12 * 23.f);
        }
        for (const auto& [startable, failAt] : {std::pair{false, -1}, {true, 2}, {true, 67}}) {
            prepare = [&](RecordingSurface& s) {
                s.startable = startable;
                s.failAt = failAt;
            };
            gui::click(quiz.Label3[Multiple::PrintWorksheet]);
            QCOMPARE(told().last(), kProblem);
            QCOMPARE(jobs.last().killed, 1);
            QCOMPARE(jobs.last().ended, failAt == 67 ? 1 : 0);
            QCOMPARE(f->sound->played.last(), QStringLiteral("wav\\click.wav"));
        }
        QCOMPARE(jobs.size(), 4);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 2"));
        QVERIFY(quiz.Option1[3]->isChecked());
    }

    // A certificate can be printed again and again, with no click after;
    // its lines come in runs of one colour and size, and its frame of five
    // rectangles, the first three around an inner box, is drawn last. A
    // printing service that is gone cancels the printout.
    void aCertificateFromTheResults() {
        f->program->state<Results>() = {10, 10, true};
        f->program->state<Results>().ResultHeading = QStringLiteral("Ostervale");
        auto& results = f->program->screens().form<Welldone>();
        results.Show();
        QTest::keyClicks(results.Text1, QStringLiteral("Amelia"));
        const int heard = f->sound->played.size();
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(told(), (QStringList{kCertificatePrinting, kCertificatePrinting}));
        QCOMPARE(f->sound->played.size(), heard);
        QVERIFY(f->program->screens().isShowing(ScreenId::Welldone));
        QCOMPARE(jobs[1].printed, jobs[0].printed);
        const QList<PrintedLine>& printed = jobs[0].printed;
        const QString row = printouts::WellDoneRow + printouts::WellDoneRow;
        const QString _ = QStringLiteral(" "); // a line of one blank
        QStringList texts;
        texts << _ << row << _ << _ << _ << "Ostervale" << _ << "Ostervale"
              << "" << _ << _ << _ << "Excellent Work" << _ << "Amelia"
              << ""
              << "You have scored 10 out of 10." << _ << _ << _ << _ << row;
        const std::tuple<int, QColor, double> runs[] = {
            {5, kLightBlue, 25}, {2, kLightRed, 36},  {5, kLightBlue, 36}, {6, kBlue, 28},
            {2, kBlue, 36},      {1, kLightBlue, 25}, {1, kBlack, 25}};
        QCOMPARE(printed.size(), texts.size());
        int i = 0;
        for (const auto& [count, colour, points] : runs) {
            for (int n = 0; n < count; ++n, ++i) {
                QCOMPARE(printed[i].text, texts[i]);
                QCOMPARE(printed[i].colour, colour);
                QCOMPARE(printed[i].points, points);
            }
        }
        const float w = 11000, h = 16000;
        QCOMPARE(printed[0].x, w / 8);
        QCOMPARE(printed[1].x, 0.f);
        QCOMPARE(printed[14].x, (w - 6 * 56.f) / 2);
        QCOMPARE(printed[15].x, w / 2);
        const QList<DrawnLine>& frame = jobs[0].lines;
        QCOMPARE(frame.size(), 5 * 4 + 3 * 4);
        const std::pair<int, DrawnLine> drawn[] = {{0, {45, 270, w - 45, 270, 2}},
                                                   {1, {45, 270, 45, h - 270, 2}},
                                                   {2, {w - 45, 270, w - 45, h - 270, 2}},
                                                   {5, {645, 7320, 645, h - 4020, 2}},
                                                   {6, {w - 645, 7320, w - 645, h - 4020, 2}},
                                                   {24, {180, 405, w - 180, 405, 2}},
                                                   {31, {225, h - 450, w - 225, h - 450, 2}}};
        for (const auto& [k, line] : drawn)
            QCOMPARE(frame[k], line);

        f->program->state<Printing>().openPrinter =
            [](const PrintJob&) -> std::unique_ptr<PrintSurface> {
            throw std::runtime_error("printing service gone");
        };
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(told().last(), QStringLiteral("Printing has been cancelled."));
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

    // Through Qt's printer into PDFs, read back by other programs: the
    // places are those of the layouts, from the printable area's corner.
    void printoutsOnPaper() {
        prepare = [](RecordingSurface& s) { s.startable = false; };
        bool drawn = false;
        print_service::printPage(*f->program, {}, [&](QPainter&) { drawn = true; });
        QCOMPARE(told(), QStringList{kProblem});
        QVERIFY(!drawn);
        told().clear();

        const QString sheet = toPdf("worksheet.pdf");
        gui::click(openQuiz().Label3[Multiple::PrintWorksheet]);
        const QList<QRectF> header = placesOf(sheet, QStringLiteral("Ostervale"));
        QCOMPARE(header.size(), 2);
        QVERIFY(qAbs(header[0].left() - (kMargin + kWidth / 16)) < 1);
        // The publisher's name follows 57 blanks later on the same line.
        const QRectF publisher = placesOf(sheet, QStringLiteral("Quorvane")).value(0);
        QCOMPARE(publisher.top(), header[0].top());
        QVERIFY(publisher.left() > header[0].right() + 150);
        QVERIFY(qAbs(header[1].center().x() - 595.28 / 2) < 1.5);
        const QList<QRectF> a = placesOf(sheet, QStringLiteral("A.")),
                            b = placesOf(sheet, QStringLiteral("B."));
        QCOMPARE(a.size(), 10);
        QCOMPARE(b.size(), 10);
        for (int k = 0; k < 10; ++k) {
            QVERIFY(qAbs(a[k].left() - (kMargin + kWidth / 3)) < 1);
            QVERIFY(qAbs(b[k].left() - (kMargin + 2 * kWidth / 3)) < 1);
            QCOMPARE(a[k].top(), b[k].top());
        }

        // The certificate's frame: a firm line 45 twips in from the printable
        // area's left edge.
        const QString certificate = toPdf("certificate.pdf");
        print_service::printCertificate(*f->program, {{}, 0, QStringLiteral("Amelia"), 0, 0});
        const QImage framed = render(certificate, 144);
        const int lineX = qRound((kMargin + 45.0 / 20) * 2);
        int darkest = 255;
        for (int dx = -3; dx <= 3; ++dx)
            darkest = std::min(darkest, qGray(framed.pixel(lineX + dx, framed.height() / 2)));
        QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));
        QVERIFY(qAbs(placesOf(certificate, QStringLiteral("Amelia")).value(0).center().x() -
                     595.28 / 2) < 1.5);

        // A page that is a black square of one inch starts 1000 twips right
        // of and below the printable area's corner; only a failure is told.
        const QString page = toPdf("page.pdf");
        print_service::printPage(*f->program, {}, [](QPainter& painter) {
            painter.fillRect(QRectF(0, 0, 1440, 1440), Qt::black);
        });
        QCOMPARE(told(), (QStringList{kWorksheetPrinting, kCertificatePrinting}));
        const QImage square = render(page, 72);
        const int corner = qRound(kMargin + 1000.0 / 20); // in points = pixels at 72 dpi
        QCOMPARE(qGray(square.pixel(corner + 1, corner + 1)), 0);
        QCOMPARE(qGray(square.pixel(corner - 2, corner + 10)), 255);
        QCOMPARE(qGray(square.pixel(corner + 74, corner + 10)), 255);
    }
};

OSTERVALE_TEST(PrintingTest)
#include "test_printing.moc"

#include "multiple.h"
#include "print_service.h"
#include "print_surface.h"
#include "quiz_session.h"
#include "quiz_state.h"
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

struct Word {
    QString text;
    double xMin, yMin, xMax;
};

// The words of a PDF's first page with their places in points, as
// pdftotext reads them back.
QList<Word> wordsOf(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
        qFatal("pdftotext could not read %s", qPrintable(pdf));
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    for (const auto& m : word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput())))
        words.append({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).toDouble()});
    return words;
}

QList<Word> find(const QList<Word>& words, const QString& text) {
    QList<Word> found;
    std::copy_if(words.begin(), words.end(), std::back_inserter(found),
                 [&](const Word& w) { return w.text == text; });
    return found;
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

// The printable area's corner, in points from the page's.
constexpr double kMargin = 6.35 / 25.4 * 72;
} // namespace

class PrintServiceTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;
    // Every job as it was when the printing code let it go.
    struct Job {
        QList<PrintedLine> printed;
        int ended, killed;
    };
    QList<Job> jobs;
    std::function<void(RecordingSurface&)> prepare;

    ScreenRegistry& screens() { return f->program->screens(); }
    // Jobs go through Qt's printer into a PDF, to be read back by other
    // programs.
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
        return screens().form<Multiple>();
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
                jobs.append({done.printed, done.ended, done.killed});
            };
            return std::unique_ptr<PrintSurface>(std::move(surface));
        };
    }
    void cleanup() { f.reset(); }

    void printWorksheetPrintsTheSetOnShowThenClicks() {
        Multiple& quiz = openQuiz();
        gui::click(quiz.Label3[Multiple::Next]);
        gui::click(quiz.Option1[3]);
        int messagesAtClick = -1;
        f->sound->onPlay = [&](const QString&) {
            messagesAtClick = int(f->messages->shown.size());
        };
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral("Your worksheet is now printing.")});
        QCOMPARE(messagesAtClick, 1);
        QCOMPARE(jobs.size(), 1);
        const QList<PrintedLine>& lines = jobs[0].printed;
        QCOMPARE(lines[3].text, QStringLiteral("Ostervale"));
        QCOMPARE(lines[4].text, QStringLiteral("Blitz"));
        QCOMPARE(lines[6].text, QStringLiteral("Question 1    Question 1?"));
        QCOMPARE(lines.last().text, QString());
        QCOMPARE(lines[lines.size() - 2].text, QStringLiteral("D. Answer 10D"));
        QCOMPARE(jobs[0].ended, 1);
        QCOMPARE(jobs[0].killed, 0);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 2"));
        QVERIFY(quiz.Option1[3]->isChecked());
    }

    void noPrinterOrAFailureMidJobShowsTheProblem_data() {
        QTest::addColumn<bool>("startable");
        QTest::addColumn<int>("failAt");
        QTest::newRow("no printer") << false << -1;
        QTest::newRow("will not start") << true << 0;
        QTest::newRow("header line") << true << 2;
        QTest::newRow("question 10") << true << 60;
        QTest::newRow("end of document") << true << 67;
    }
    void noPrinterOrAFailureMidJobShowsTheProblem() {
        QFETCH(bool, startable);
        QFETCH(int, failAt);
        prepare = [&](RecordingSurface& s) {
            s.startable = startable;
            s.failAt = failAt;
        };
        Multiple& quiz = openQuiz();
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown, QStringList{kProblem});
        QCOMPARE(jobs.size(), 1);
        // A job that failed part-way is abandoned, never sent half done.
        QCOMPARE(jobs[0].killed, 1);
        QCOMPARE(jobs[0].ended, failAt == 67 ? 1 : 0);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(f->sound->played.last(), QStringLiteral("wav\\click.wav"));
    }

    void theCertificateNamesThePupilAndIsNotFollowedByAClick() {
        f->program->state<Results>().ResultHeading = QStringLiteral("Ostervale");
        f->program->state<Results>() = {10, 10, true};
        auto& results = screens().form<Welldone>();
        results.Show();
        QTest::keyClicks(results.Text1, QStringLiteral("Amelia"));
        const int heard = f->sound->played.size();
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral("Your certificate is now printing.")});
        QCOMPARE(f->sound->played.size(), heard);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].printed[14].text, QStringLiteral("Amelia"));
        QCOMPARE(jobs[0].printed[16].text, QStringLiteral("You have scored 10 out of 10."));
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(f->messages->shown.size(), 2);
        QCOMPARE(jobs[1].printed, jobs[0].printed);
        QVERIFY(screens().isShowing(ScreenId::Welldone));
    }

    // The places are those of the layout, in points from the page's corner;
    // where each line goes is checked line by line with the layouts.
    void aRealWorksheetOnPaper() {
        const QString pdf = toPdf("worksheet.pdf");
        gui::click(openQuiz().Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral("Your worksheet is now printing.")});
        auto probe = QtPrintSurface::pdf(f->path(QStringLiteral("probe.pdf")));
        QVERIFY(probe->begin());
        const float w = probe->ScaleWidth();
        probe->KillDoc();
        const auto x = [&](double twips) { return kMargin + twips / 20; };
        const QList<Word> words = wordsOf(pdf);
        const QList<Word> header = find(words, QStringLiteral("Ostervale"));
        QCOMPARE(header.size(), 2);
        QVERIFY(qAbs(header[0].xMin - x(w / 16)) < 1);
        // The publisher's name follows 57 blanks later on the same line.
        const Word publisher = find(words, QStringLiteral("Quorvane")).value(0);
        QCOMPARE(publisher.yMin, header[0].yMin);
        QVERIFY(publisher.xMin > header[0].xMax + 150);
        // The heading centred on the page.
        QVERIFY(qAbs((header[1].xMin + header[1].xMax) / 2 - x(w / 2)) < 1.5);
        // Answers in two columns, A beside B.
        const QList<Word> a = find(words, QStringLiteral("A.")),
                          b = find(words, QStringLiteral("B."));
        QCOMPARE(a.size(), 10);
        QCOMPARE(b.size(), 10);
        for (int k = 0; k < 10; ++k) {
            QVERIFY(qAbs(a[k].xMin - x(w / 3)) < 1);
            QVERIFY(qAbs(b[k].xMin - x(2 * w / 3)) < 1);
            QCOMPARE(a[k].yMin, b[k].yMin);
        }
    }

    void aRealCertificateOnPaper() {
        const QString pdf = toPdf("certificate.pdf");
        print_service::printCertificate(*f->program, {.heading = QStringLiteral("Ostervale"),
                                                      .name = QStringLiteral("Amelia"),
                                                      .score = 10,
                                                      .total = 10});
        QCOMPARE(f->messages->shown,
                 QStringList{QStringLiteral("Your certificate is now printing.")});
        const Word name = find(wordsOf(pdf), QStringLiteral("Amelia")).value(0);
        const double centre = 595.28 / 2; // A4 with equal margins
        QVERIFY(qAbs((name.xMin + name.xMax) / 2 - centre) < 1.5);
        // The frame: a firm line 45 twips in from the printable area's left
        // edge, from top to bottom of the page.
        const QImage page = render(pdf, 144);
        const int lineX = qRound((kMargin + 45.0 / 20) * 2);
        for (int y : {page.height() / 3, page.height() / 2, 2 * page.height() / 3}) {
            int darkest = 255;
            for (int dx = -3; dx <= 3; ++dx)
                darkest = std::min(darkest, qGray(page.pixel(lineX + dx, y)));
            QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));
        }
    }

    // A page that is a black square of one inch: on paper it starts 1000
    // twips right of and below the printable area's corner.
    void aPageIsPrintedAtItsOwnSizeAnInchAndABitIn() {
        const QString pdf = toPdf("page.pdf");
        print_service::printPage(*f->program, {}, [](QPainter& painter) {
            painter.fillRect(QRectF(0, 0, 1440, 1440), Qt::black);
        });
        QVERIFY(f->messages->shown.isEmpty());
        const QImage page = render(pdf, 72);
        const int corner = qRound(kMargin + 1000.0 / 20); // in points = pixels at 72 dpi
        QCOMPARE(qGray(page.pixel(corner + 1, corner + 1)), 0);
        QCOMPARE(qGray(page.pixel(corner + 70, corner + 70)), 0);
        QCOMPARE(qGray(page.pixel(corner - 2, corner + 10)), 255);
        QCOMPARE(qGray(page.pixel(corner + 74, corner + 10)), 255);
    }

    void aPageWithNoPrinterSaysSo() {
        prepare = [](RecordingSurface& s) { s.startable = false; };
        bool drawn = false;
        print_service::printPage(*f->program, {}, [&](QPainter&) { drawn = true; });
        QCOMPARE(f->messages->shown, QStringList{kProblem});
        QVERIFY(!drawn);
        prepare = {};
        print_service::printPage(*f->program, {}, [&](QPainter&) { drawn = true; });
        QVERIFY(drawn);
        QCOMPARE(jobs.last().printed.size(), 1);
        QCOMPARE(jobs.last().ended, 1);
    }

    void aCallThatFailsOutrightIsCancelled() {
        f->program->state<Printing>().openPrinter =
            [](const PrintJob&) -> std::unique_ptr<PrintSurface> {
            throw std::runtime_error("printing service gone");
        };
        f->program->state<Results>() = {4, 4, false};
        auto& results = screens().form<Welldone>();
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(f->messages->shown, QStringList{QStringLiteral("Printing has been cancelled.")});
    }
};

OSTERVALE_TEST(PrintServiceTest)
#include "test_print_service.moc"

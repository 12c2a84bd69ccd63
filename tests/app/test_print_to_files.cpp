// Printouts kept as PDF files in a folder named with --print-to or
// OSTERVALE_PRINT_TO: a reading page, a worksheet and a certificate printed
// from their screens, read back as a PDF reader reads them; and a folder
// that cannot take them.
#include "multiple.h"
#include "places.h"
#include "print_service.h"
#include "print_surface.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"
#include "writer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString kWorksheetPrinting = QStringLiteral("Your worksheet is now printing.");
const QString kCertificatePrinting = QStringLiteral("Your certificate is now printing.");
const QString kPrintProblem = QStringLiteral("There was a problem printing to your printer.");
// Every printout of these tests is printed at this time.
const QDateTime kPrintedAt(QDate(2026, 12, 7), QTime(14, 30, 25));

QString toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess run;
    run.start(tool, arguments);
    if (!run.waitForFinished(20000) || run.exitCode() != 0)
        qFatal("%s could not read %s", qPrintable(tool), qPrintable(arguments.join(u' ')));
    return QString::fromUtf8(run.readAllStandardOutput());
}

struct PdfWord {
    QString text;
    double x, y;
};

// The words of a PDF with their places in points, as pdftotext reads them.
QList<PdfWord> pdfWords(const QString& pdf) {
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (const auto& m : word.globalMatch(toolOutput(
             QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})))
        words.append({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    return words;
}

// "595.276 x 841.89 pts (A4)", as pdfinfo tells a PDF's page.
QString pdfPageSize(const QString& pdf) {
    static const QRegularExpression size(QStringLiteral("Page size:\\s*([^\\n]*)"));
    return size.match(toolOutput(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

// Whether two PDFs hold the same words at the same places, give or take a
// tenth of a point; says where they part when not.
QString sameWords(const QString& pdf, const QString& reference) {
    const QList<PdfWord> got = pdfWords(pdf), want = pdfWords(reference);
    if (want.isEmpty())
        return QStringLiteral("no words in ") + reference;
    if (got.size() != want.size())
        return QStringLiteral("%1 words, not %2").arg(got.size()).arg(want.size());
    for (qsizetype i = 0; i < got.size(); ++i) {
        if (got[i].text != want[i].text || qAbs(got[i].x - want[i].x) > 0.1 ||
            qAbs(got[i].y - want[i].y) > 0.1)
            return QStringLiteral("'%1' at (%2, %3), not '%4' at (%5, %6)")
                .arg(got[i].text)
                .arg(got[i].x)
                .arg(got[i].y)
                .arg(want[i].text)
                .arg(want[i].x)
                .arg(want[i].y);
    }
    return {};
}

// Sets an environment variable for as long as it lives.
struct VariableForTest {
    const char* name;
    std::optional<QByteArray> old;
    VariableForTest(const char* n, const QString& value) : name(n) {
        if (qEnvironmentVariableIsSet(n))
            old = qgetenv(n);
        qputenv(n, value.toLocal8Bit());
    }
    ~VariableForTest() { old ? qputenv(name, *old) : qunsetenv(name); }
};

class PrintToFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QString at(const QString& relative) const { return scratch.filePath(relative); }
    QString placePrintouts(const QStringList& arguments) {
        return places::placePrintouts(
            *f->program, places::readOptions(QStringList{QStringLiteral("ostervale")} + arguments),
            [] { return kPrintedAt; });
    }
    static QStringList filesIn(const QString& folder) {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.sort();
        return names;
    }

    // Clicks a print entry with the folder in the printer's place and returns
    // what the teacher was told; then clicks it again with the printer's own
    // page, made into `reference`, in its place.
    QStringList printWithReference(QWidget* entry, const QString& reference) {
        f->messages->shown.clear();
        gui::click(entry);
        const QStringList told = f->messages->shown;
        Printing& printing = f->program->state<Printing>();
        const auto folder = std::exchange(printing.openPrinter, [reference](const PrintJob&) {
            return std::unique_ptr<PrintSurface>(QtPrintSurface::pdf(reference));
        });
        gui::click(entry);
        printing.openPrinter = folder;
        return told;
    }

    Multiple& openQuiz() {
        gui::click(screens().form<RationingMenu>().label3.at(TopicMenu::MultipleChoice));
        return screens().form<Multiple>();
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        for (const char* folder : {"wmf", "wmf2"}) {
            QDir(f->dir.path()).mkpath(QString::fromLatin1(folder));
            metafile::MetafileWriter page;
            page.begin(9300, 14000);
            page.textOut(400, 600, QStringLiteral("Ration books for every family"));
            page.textOut(400, 9000, QStringLiteral("Sugar, butter and tea"));
            f->write(QString::fromLatin1(folder) + QStringLiteral("/key rationing.wmf"),
                     page.finish());
        }
        qunsetenv(places::kPrintToVariable);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void cleanup() {
        f.reset();
        QLocale::setDefault(QLocale::system());
    }

    // Into a folder that is not there yet: each printout a new file named
    // for what it is, on A4, with the words where the printer's page has
    // them, and a second worksheet in the same minute beside the first.
    void aPageAWorksheetAndACertificateBecomeFiles() {
        const QString folder = at(QStringLiteral("printouts/Class 5"));
        QCOMPARE(placePrintouts({QStringLiteral("--print-to"), folder}), QString());
        QVERIFY(!QFileInfo::exists(folder));

        gui::click(f->openTopic(Intro0::Rationing).label3.at(TopicMenu::KeyFacts));
        auto& viewer = screens().form<Teacher>();
        QCOMPARE(
            printWithReference(viewer.Label3[PageViewer::Print], at(QStringLiteral("page.pdf"))),
            QStringList());
        gui::click(viewer.Label3[PageViewer::Exit]);

        Multiple& quiz = openQuiz();
        QCOMPARE(printWithReference(quiz.Label3[Multiple::PrintWorksheet],
                                    at(QStringLiteral("worksheet.pdf"))),
                 QStringList{kWorksheetPrinting});
        f->messages->shown.clear();
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown, QStringList{kWorksheetPrinting});
        for (int q = 0; q < 10; ++q) {
            gui::click(quiz.Option1[test_sets::kPattern[q]]);
            gui::click(quiz.Label3[Multiple::Next]);
        }
        auto& results = screens().form<Welldone>();
        // A slash would make the name a path.
        QTest::keyClicks(results.Text1, QStringLiteral("Amy Smith 6/B"));
        QCOMPARE(printWithReference(results.Label3[Welldone::ReviewOrCertificate],
                                    at(QStringLiteral("certificate.pdf"))),
                 QStringList{kCertificatePrinting});

        const QString when = QStringLiteral(" - 2026-12-07 14.30");
        const QString page =
            QStringLiteral("Page - Rationing, Key Facts") + when + QStringLiteral(".pdf");
        const QString sheet =
            QStringLiteral("Worksheet - Rationing") + when + QStringLiteral(".pdf");
        const QString again =
            QStringLiteral("Worksheet - Rationing") + when + QStringLiteral(" (2).pdf");
        const QString certificate =
            QStringLiteral("Certificate - Amy Smith 6-B") + when + QStringLiteral(".pdf");
        QCOMPARE(filesIn(folder), (QStringList{certificate, page, again, sheet}));
        for (const auto& [file, reference] : {std::pair{page, QStringLiteral("page.pdf")},
                                              {sheet, QStringLiteral("worksheet.pdf")},
                                              {again, QStringLiteral("worksheet.pdf")},
                                              {certificate, QStringLiteral("certificate.pdf")}}) {
            const QString pdf = folder + u'/' + file;
            QCOMPARE(pdfPageSize(pdf), QStringLiteral("595 x 842 pts (A4)"));
            const QString parted = sameWords(pdf, at(reference));
            QVERIFY2(parted.isEmpty(), qPrintable(file + QStringLiteral(": ") + parted));
        }
        // The words are text a reader can find, not a picture of them.
        const auto wordsOfPage = pdfWords(folder + u'/' + page);
        QCOMPARE(wordsOfPage.first().text, QStringLiteral("Ration"));
    }

    // A folder under a file can never be made: the teacher is told once, at
    // start, and every printout tells of a problem and makes no file. The
    // command line wins over the environment; the environment's folder, from
    // the home folder, is used when the command line names none.
    void aFolderThatCannotBeMadeAndOneFromTheEnvironment() {
        const VariableForTest home("HOME", at(QStringLiteral("home")));
        const VariableForTest named(places::kPrintToVariable,
                                    QStringLiteral("~/Documents/Ostervale"));
        const QString plain = at(QStringLiteral("plain"));
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a folder") == 12);
        file.close();
        const QString blocked = plain + QStringLiteral("/printouts");
        const QString refusal = placePrintouts({QStringLiteral("--print-to"), blocked});
        QVERIFY2(refusal.startsWith(QStringLiteral("Printouts cannot be saved as PDF files in the "
                                                   "folder ") +
                                    blocked + u':') &&
                     refusal.contains(QStringLiteral("--print-to")),
                 qPrintable(refusal));

        f->openTopic(Intro0::Rationing);
        Multiple& quiz = openQuiz();
        f->messages->shown.clear();
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown, QStringList{kPrintProblem});
        QVERIFY(QFileInfo(plain).isFile());
        QVERIFY(!QFileInfo::exists(at(QStringLiteral("home"))));

        QCOMPARE(placePrintouts({}), QString());
        const QString folder = at(QStringLiteral("home/Documents/Ostervale"));
        const QString sheet = QStringLiteral("Worksheet - Rationing - 2026-12-07 14.30");
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        // Where the locale's paper is Letter, so is the page.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        QCOMPARE(f->messages->shown,
                 (QStringList{kPrintProblem, kWorksheetPrinting, kWorksheetPrinting}));
        QCOMPARE(filesIn(folder),
                 (QStringList{sheet + QStringLiteral(" (2).pdf"), sheet + QStringLiteral(".pdf")}));
        QCOMPARE(pdfPageSize(folder + u'/' + sheet + QStringLiteral(".pdf")),
                 QStringLiteral("595 x 842 pts (A4)"));
        QCOMPARE(pdfPageSize(folder + u'/' + sheet + QStringLiteral(" (2).pdf")),
                 QStringLiteral("612 x 792 pts (letter)"));
    }
};

} // namespace

OSTERVALE_TEST(PrintToFilesTest)
#include "test_print_to_files.moc"

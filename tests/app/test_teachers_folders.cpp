// The folders that hold a teacher's work: where the material is found and
// worksheets kept (the build folder, an installed prefix and the user's own
// folder, or one named with --worksheets or OSTERVALE_WORKSHEETS), and the
// folder printouts go to as PDF files (--print-to or OSTERVALE_PRINT_TO);
// and folders that cannot be written.
#include "catalogue_file.h"
#include "multiple.h"
#include "places.h"
#include "print_service.h"
#include "print_surface.h"
#include "quiz_state.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheet_folder.h"
#include "worksheets.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kWorksheetPrinting = QStringLiteral("Your worksheet is now printing.");

// The words of a PDF with their places as pdftotext reads them, or its page
// size as pdfinfo tells it.
QStringList pdf(const char* tool, const QString& file) {
    QProcess run;
    run.start(QString::fromLatin1(tool),
              tool[3] == 'i' ? QStringList{file} : QStringList{"-bbox", file, "-"});
    if (!run.waitForFinished(20000) || run.exitCode() != 0)
        qFatal("pdf%s could not read %s", tool, qPrintable(file));
    const QStringList lines = QString::fromUtf8(run.readAllStandardOutput()).split(u'\n');
    return lines.filter(QRegularExpression(QStringLiteral("<word |^Page size:")));
}
QString pageSize(const QString& file) {
    return pdf("pdfinfo", file).value(0).section(u':', 1).trimmed();
}

class TeachersFoldersTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    std::unique_ptr<ShellFixture> f;
    std::unique_ptr<ScopedVariable> dataHome;
    QString savedName;

    ScreenRegistry& screens() { return f->program->screens(); }
    QString at(const QString& relative) const { return scratch.filePath(relative); }
    QString userFolder() const { return at(QStringLiteral("data/ostervale/multiple")); }
    places::Options options(const QStringList& arguments) {
        return places::readOptions(QStringList{QStringLiteral("ostervale")} + arguments);
    }
    QString placeWorksheets(const QStringList& arguments = {}) {
        return places::placeWorksheets(*f->program, options(arguments), {f->dir.path(), true});
    }
    QString placePrintouts(const QStringList& arguments) {
        return places::placePrintouts(*f->program, options(arguments), [] {
            return QDateTime(QDate(2026, 12, 7), QTime(14, 30, 25));
        });
    }

    // A worksheet typed into the wizard and saved.
    void save(const QuestionSheet& s) {
        f->openMainMenu().Label2_Click(Intro0::Wizard);
        Wizard& w = screens().form<Wizard>();
        w.Text1->setText(s.title);
        for (int q = 0; q < Wizard::Questions; ++q)
            w.Text2[q]->setText(s.questions[q]);
        for (int i = 0; i < Wizard::Answers; ++i) {
            w.Text3[i]->setText(s.answers[i]);
            w.Check1[i]->setChecked(s.ticked[i]);
        }
        gui::click(w.Label3[Wizard::Save]);
    }

    // Clicks a print entry with the folder in the printer's place and returns
    // what the teacher was told; then again with the printer's own page,
    // made into `reference`, in its place.
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

private Q_SLOTS:
    void initTestCase() {
        // The user's data folder is named after the program, as in main().
        savedName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("ostervale"));
    }
    void cleanupTestCase() { QCoreApplication::setApplicationName(savedName); }
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        dataHome = std::make_unique<ScopedVariable>("XDG_DATA_HOME", at(QStringLiteral("data")));
        qunsetenv(places::kWorksheetsVariable);
        qunsetenv(places::kPrintToVariable);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    void cleanup() {
        f.reset();
        dataHome.reset();
        QDir(at(QStringLiteral("data"))).removeRecursively();
        QLocale::setDefault(QLocale::system());
    }

    void whereTheMaterialAndTheWorksheetsAre() {
        const QString build = at(QStringLiteral("build"));
        const QString bin = at(QStringLiteral("prefix/bin"));
        writeFile(at(QStringLiteral("prefix/share/ostervale/wav/click.wav")), "RIFF");
        writeFile(build + QStringLiteral("/wav/click.wav"), "RIFF");
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(at(QStringLiteral("bare"))));
        QCOMPARE(places::locate(build).material, build);
        QVERIFY(!places::locate(build).installed);
        QCOMPARE(places::locate(bin).material, at(QStringLiteral("prefix/share/ostervale")));
        QVERIFY(places::locate(bin).installed);
        // With no material anywhere, the program looks beside itself.
        QCOMPARE(places::locate(at(QStringLiteral("bare"))).material, at(QStringLiteral("bare")));
        QVERIFY(!places::locate(at(QStringLiteral("bare"))).installed);
        // Material beside the program wins, so a build folder that happens
        // to sit in a prefix still runs on its own material.
        QVERIFY(QDir().mkpath(bin + QStringLiteral("/wav")));
        QCOMPARE(places::locate(bin).material, bin);

        const places::Layout inBuild{build, false}, installed{build, true};
        writeFile(build + QStringLiteral("/Multiple/track.txt"), catalogue_file::compose({}));
        const QString user = at(QStringLiteral("user"));
        // A build's own "multiple", in whatever case it has.
        QCOMPARE(places::worksheetFolder({}, {}, inBuild, user),
                 build + QStringLiteral("/Multiple"));
        QCOMPARE(places::worksheetFolder({}, {}, installed, user), user + "/multiple");
        QCOMPARE(places::worksheetFolder({}, {}, installed, {}), QString());
        // A named folder wins, the command line over the environment; a
        // relative one is taken from where the program was started.
        QCOMPARE(places::worksheetFolder({}, user, inBuild, {}), user);
        QCOMPARE(places::worksheetFolder(build, user, installed, user), build);
        QCOMPARE(places::worksheetFolder(QStringLiteral("shared/../sheets"), {}, inBuild, user),
                 QDir::current().absoluteFilePath(QStringLiteral("sheets")));
    }

    // Installed, the first start makes the user's folder and saves there,
    // and the topic quiz still comes from the material.
    void aFirstInstalledStartSavesInTheUsersFolder() {
        const QByteArray materialCatalogue =
            readFile(f->path(QStringLiteral("multiple/track.txt")));
        QCOMPARE(placeWorksheets(), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), userFolder());
        QCOMPARE(readFile(userFolder() + "/track.txt"), catalogue_file::compose({}));
        const QuestionSheet own = test_sets::sheet("Blitz", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
        save(own);
        QCOMPARE(f->messages->shown, QStringList{"Your worksheet has been saved."});
        QCOMPARE(readFile(userFolder() + "/Blitz.txt"), composeQuestionFile(own));
        QCOMPARE(readFile(userFolder() + "/track.txt"), catalogue_file::compose({"Blitz"}));
        QVERIFY(!QFileInfo::exists(f->path(QStringLiteral("multiple/Blitz.txt"))));
        QCOMPARE(readFile(f->path(QStringLiteral("multiple/track.txt"))), materialCatalogue);
        screens().form<RationingMenu>().label3_Click(TopicMenu::MultipleChoice);
        QVERIFY(screens().isShowing(ScreenId::multiple));
        QCOMPARE(f->program->state<QuizTables>().CorrectChoice[1], QStringLiteral("1"));
        // A second start leaves the catalogue as it is.
        QCOMPARE(worksheet_folder::prepare(userFolder()), QString());
        QCOMPARE(readFile(userFolder() + "/track.txt"), catalogue_file::compose({"Blitz"}));

        const QString cli = at(QStringLiteral("school/cli")),
                      env = at(QStringLiteral("school/env"));
        writeFile(env + QStringLiteral("/track.txt"), catalogue_file::compose({"Kept"}));
        const ScopedVariable named(places::kWorksheetsVariable, env);
        QCOMPARE(placeWorksheets(), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), env);
        QCOMPARE(readFile(env + QStringLiteral("/track.txt")), catalogue_file::compose({"Kept"}));
        QCOMPARE(placeWorksheets({"--worksheets", cli}), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), cli);
        QCOMPARE(readFile(cli + QStringLiteral("/track.txt")), catalogue_file::compose({}));
    }

    // Run as root, permissions stop nothing; a folder under a file can never
    // be made. Saving is refused, and so is deleting, without a question.
    void aWorksheetFolderThatCannotBeWritten() {
        writeFile(at(QStringLiteral("plain")), "not a folder");
        const QString blocked = at(QStringLiteral("plain/sheets"));
        const QString message = placeWorksheets({"--worksheets", blocked});
        QVERIFY2(message.startsWith("Worksheets cannot be saved in the folder " + blocked + ':') &&
                     message.contains(QStringLiteral("--worksheets")),
                 qPrintable(message));
        QCOMPARE(worksheet_folder::prepare(at(QStringLiteral("plain"))),
                 QStringLiteral("it is a file, not a folder."));
        save(test_sets::sheet("Blitz", test_sets::kPattern));
        QCOMPARE(f->messages->shown, QStringList{message});
        QCOMPARE(readFile(at(QStringLiteral("plain"))), QByteArray("not a folder"));

        f->program->state<WorksheetPlace>().folder = f->path(QStringLiteral("multiple"));
        f->write(QStringLiteral("multiple/track.txt"), catalogue_file::compose({"A", "B"}));
        f->write(QStringLiteral("multiple/A.txt"),
                 composeQuestionFile(test_sets::sheet("A", test_sets::kPattern)));
        screens().unload(ScreenId::wizard);
        gui::click(screens().form<Intro0>().Label2.at(Intro0::Catalogue));
        auto& w = screens().form<Worksheets>();
        f->messages->shown.clear();
        gui::click(w.Check2);
        gui::click(w.Label2[1]);
        gui::click(w.Label2[1]);
        QCOMPARE(f->messages->shown, QStringList(2, message));
        QVERIFY(f->messages->captions.isEmpty());
        QCOMPARE(readFile(f->path(QStringLiteral("multiple/track.txt"))),
                 catalogue_file::compose({"A", "B"}));
    }

    // Into a folder not there yet: each printout a new file named for what
    // it is, on A4, its words as text where the printer's page has them, and
    // a second worksheet in the same minute beside the first.
    void aPageAWorksheetAndACertificateBecomeFiles() {
        f->page(QStringLiteral("key rationing"), QStringLiteral("Ration books for every family"));
        const QString folder = at(QStringLiteral("printouts/Class 5"));
        QCOMPARE(placePrintouts({"--print-to", folder}), QString());
        QVERIFY(!QFileInfo::exists(folder));
        TopicMenu& menu = f->openTopic(Intro0::Rationing);
        gui::click(menu.label3.at(TopicMenu::KeyFacts));
        auto& viewer = screens().form<Teacher>();
        QCOMPARE(printWithReference(viewer.Label3[PageViewer::Print], at("page.pdf")),
                 QStringList());
        gui::click(viewer.Label3[PageViewer::Exit]);
        gui::click(menu.label3.at(TopicMenu::MultipleChoice));
        Multiple& quiz = screens().form<Multiple>();
        QCOMPARE(printWithReference(quiz.Label3[Multiple::PrintWorksheet], at("worksheet.pdf")),
                 QStringList{kWorksheetPrinting});
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        for (int q = 0; q < 10; ++q) {
            gui::click(quiz.Option1[test_sets::kPattern[q]]);
            gui::click(quiz.Label3[Multiple::Next]);
        }
        auto& results = screens().form<Welldone>();
        // A slash would make the name a path.
        QTest::keyClicks(results.Text1, QStringLiteral("Amy Smith 6/B"));
        QCOMPARE(printWithReference(results.Label3[Welldone::ReviewOrCertificate],
                                    at("certificate.pdf")),
                 QStringList{"Your certificate is now printing."});

        const QString when = QStringLiteral(" - 2026-12-07 14.30");
        const QString page = "Page - Rationing, Key Facts" + when + ".pdf";
        const QString sheet = "Worksheet - Rationing" + when + ".pdf";
        const QString again = "Worksheet - Rationing" + when + " (2).pdf";
        const QString certificate = "Certificate - Amy Smith 6-B" + when + ".pdf";
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
                 (QStringList{certificate, page, again, sheet}));
        for (const auto& [file, reference] : {std::pair{page, "page.pdf"},
                                              {sheet, "worksheet.pdf"},
                                              {again, "worksheet.pdf"},
                                              {certificate, "certificate.pdf"}}) {
            QCOMPARE(pageSize(folder + u'/' + file), QStringLiteral("595 x 842 pts (A4)"));
            const QStringList words = pdf("pdftotext", folder + u'/' + file);
            QVERIFY(!words.isEmpty());
            QCOMPARE(words, pdf("pdftotext", at(QString::fromLatin1(reference))));
        }
        QVERIFY(pdf("pdftotext", folder + u'/' + page)[0].endsWith(">Ration</word>"));
    }

    // A folder under a file: the teacher is told once, at start, and every
    // printout tells of a problem and makes no file. The command line wins
    // over the environment, whose folder, from the home folder, is used when
    // the command line names none; Letter paper where the locale has it.
    void aPrintFolderThatCannotBeMadeAndOneFromTheEnvironment() {
        const ScopedVariable home("HOME", at(QStringLiteral("home")));
        const ScopedVariable named(places::kPrintToVariable,
                                   QStringLiteral("~/Documents/Ostervale"));
        writeFile(at(QStringLiteral("plain")), "not a folder");
        const QString blocked = at(QStringLiteral("plain/printouts"));
        const QString refusal = placePrintouts({"--print-to", blocked});
        QVERIFY2(refusal.startsWith("Printouts cannot be saved as PDF files in the folder " +
                                    blocked + ':') &&
                     refusal.contains(QStringLiteral("--print-to")),
                 qPrintable(refusal));
        gui::click(f->openTopic(Intro0::Rationing).label3.at(TopicMenu::MultipleChoice));
        QWidget* print = screens().form<Multiple>().Label3[Multiple::PrintWorksheet];
        f->messages->shown.clear();
        gui::click(print);
        QVERIFY(QFileInfo(at(QStringLiteral("plain"))).isFile());
        QVERIFY(!QFileInfo::exists(at(QStringLiteral("home"))));

        QCOMPARE(placePrintouts({}), QString());
        gui::click(print);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        gui::click(print);
        QCOMPARE(f->messages->shown, (QStringList{print_service::ProblemMessage, kWorksheetPrinting,
                                                  kWorksheetPrinting}));
        const QString sheet =
            at(QStringLiteral("home/Documents/Ostervale/Worksheet - Rationing - 2026-12-07 14.30"));
        QCOMPARE(pageSize(sheet + ".pdf"), QStringLiteral("595 x 842 pts (A4)"));
        QCOMPARE(pageSize(sheet + " (2).pdf"), QStringLiteral("612 x 792 pts (letter)"));
    }
};

} // namespace

OSTERVALE_TEST(TeachersFoldersTest)
#include "test_teachers_folders.moc"

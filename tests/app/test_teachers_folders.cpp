// The folders that hold a teacher's work: where the material is found and
// worksheets kept (the build folder, an installed prefix and the user's own
// folder, or one named with --worksheets or OSTERVALE_WORKSHEETS), and the
// folder printouts go to as PDF files (--print-to or OSTERVALE_PRINT_TO);
// and folders that cannot be written.
#include "catalogue_file.h"
#include "multiple.h"
#include "places.h"
#include "print_service.h"
#include "quiz_state.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheet_folder.h"

#include <QProcess>
#include <QTest>

namespace {

const QString kWorksheetPrinting = QStringLiteral("Your worksheet is now printing.");

// A PDF's page size as pdfinfo tells it.
QString pageSize(const QString& file) {
    QProcess run;
    run.start(QStringLiteral("pdfinfo"), {file});
    if (!run.waitForFinished(20000) || run.exitCode() != 0)
        qFatal("pdfinfo could not read %s", qPrintable(file));
    const QString said = QString::fromUtf8(run.readAllStandardOutput());
    return said.section(QStringLiteral("Page size:"), 1).section(u'\n', 0, 0).trimmed();
}

class TeachersFoldersTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    std::unique_ptr<ShellFixture> f;
    std::unique_ptr<ScopedVariable> dataHome;

    ScreenRegistry& screens() { return f->program->screens(); }
    QString at(const QString& relative) const { return scratch.filePath(relative); }
    QString userFolder() const { return at(QStringLiteral("data/ostervale/multiple")); }
    static places::Options options(const QStringList& arguments) {
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
        enter(w, s);
        gui::click(w.Label3[Wizard::Save]);
    }

private Q_SLOTS:
    // The user's data folder is named after the program, as in main().
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("ostervale")); }
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
        QCOMPARE(places::locate(bin).material, at(QStringLiteral("prefix/share/ostervale")));
        QVERIFY(places::locate(bin).installed && !places::locate(build).installed);

        const places::Layout inBuild{build, false}, installed{build, true};
        writeFile(build + QStringLiteral("/Multiple/track.txt"), catalogue_file::compose({}));
        const QString user = at(QStringLiteral("user"));
        // A build's own "multiple", in whatever case it has.
        QCOMPARE(places::worksheetFolder({}, {}, inBuild, user),
                 build + QStringLiteral("/Multiple"));
        QCOMPARE(places::worksheetFolder({}, {}, installed, user), user + "/multiple");
        QCOMPARE(places::worksheetFolder({}, {}, installed, {}), QString());
        // A named folder wins, the command line over the environment.
        QCOMPARE(places::worksheetFolder({}, user, inBuild, {}), user);
        QCOMPARE(places::worksheetFolder(build, user, installed, user), build);
    }

    // Installed, the first start makes the user's folder and saves there,
    // and the topic quiz still comes from the material; a later start
    // leaves the list as it is.
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
        QVERIFY(!QFileInfo::exists(f->path(QStringLiteral("multiple/Blitz.txt"))));
        QCOMPARE(readFile(f->path(QStringLiteral("multiple/track.txt"))), materialCatalogue);
        screens().form<RationingMenu>().label3_Click(TopicMenu::MultipleChoice);
        QCOMPARE(f->program->state<QuizTables>().CorrectChoice[1], QStringLiteral("1"));
        QCOMPARE(worksheet_folder::prepare(userFolder()), QString());
        QCOMPARE(readFile(userFolder() + "/track.txt"), catalogue_file::compose({"Blitz"}));
    }

    // Run as root, permissions stop nothing; a folder under a file can never
    // be made. Saving is refused and the teacher told why.
    void aWorksheetFolderThatCannotBeWritten() {
        writeFile(at(QStringLiteral("plain")), "not a folder");
        const QString blocked = at(QStringLiteral("plain/sheets"));
        const QString message = placeWorksheets({"--worksheets", blocked});
        QVERIFY2(message.contains(blocked + QStringLiteral(": ")), qPrintable(message));
        save(test_sets::sheet("Blitz", test_sets::kPattern));
        QCOMPARE(f->messages->shown, QStringList{message});
        QCOMPARE(readFile(at(QStringLiteral("plain"))), QByteArray("not a folder"));
    }

    // Into a folder not there yet: each printout a new file named for what
    // it is, on A4, and a second worksheet in the same minute beside the
    // first, never over it.
    void aPageAWorksheetAndACertificateBecomeFiles() {
        f->page(QStringLiteral("key rationing"));
        const QString folder = at(QStringLiteral("printouts/Class 5"));
        QCOMPARE(placePrintouts({"--print-to", folder}), QString());
        gui::click(f->openMainMenu().Label2.at(Intro0::Rationing));
        TopicMenu& menu = screens().form<RationingMenu>();
        gui::click(menu.label3.at(TopicMenu::KeyFacts));
        gui::click(screens().form<Teacher>().Label3[PageViewer::Print]);
        gui::click(screens().form<Teacher>().Label3[PageViewer::Exit]);
        gui::click(menu.label3.at(TopicMenu::MultipleChoice));
        Multiple& quiz = screens().form<Multiple>();
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        gui::click(quiz.Label3[Multiple::PrintWorksheet]);
        for (int q = 0; q < 10; ++q) {
            gui::click(quiz.Option1[test_sets::kPattern[q]]);
            gui::click(quiz.Label3[Multiple::Next]);
        }
        auto& results = screens().form<Welldone>();
        // A slash would make the name a path.
        QTest::keyClicks(results.Text1, QStringLiteral("Amy Smith 6/B"));
        gui::click(results.Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(f->messages->shown, (QStringList{kWorksheetPrinting, kWorksheetPrinting,
                                                  "Your certificate is now printing."}));

        const QString when = QStringLiteral(" - 2026-12-07 14.30");
        const QString sheet = "Worksheet - Rationing" + when;
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
                 (QStringList{"Certificate - Amy Smith 6-B" + when + ".pdf",
                              "Page - Rationing, Key Facts" + when + ".pdf", sheet + " (2).pdf",
                              sheet + ".pdf"}));
        QCOMPARE(pageSize(folder + u'/' + sheet + " (2).pdf"),
                 QStringLiteral("595 x 842 pts (A4)"));
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
        QVERIFY2(refusal.contains(blocked + QStringLiteral(": ")), qPrintable(refusal));
        gui::click(f->openMainMenu().Label2.at(Intro0::Rationing));
        gui::click(screens().form<RationingMenu>().label3.at(TopicMenu::MultipleChoice));
        QWidget* print = screens().form<Multiple>().Label3[Multiple::PrintWorksheet];
        f->messages->shown.clear();
        gui::click(print);
        QVERIFY(QFileInfo(at(QStringLiteral("plain"))).isFile());
        QVERIFY(!QFileInfo::exists(at(QStringLiteral("home"))));

        QCOMPARE(placePrintouts({}), QString());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        gui::click(print);
        QCOMPARE(f->messages->shown,
                 (QStringList{print_service::ProblemMessage, kWorksheetPrinting}));
        QCOMPARE(pageSize(at(QStringLiteral(
                     "home/Documents/Ostervale/Worksheet - Rationing - 2026-12-07 14.30.pdf"))),
                 QStringLiteral("612 x 792 pts (letter)"));
    }
};

} // namespace

OSTERVALE_TEST(TeachersFoldersTest)
#include "test_teachers_folders.moc"

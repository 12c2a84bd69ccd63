// Where the program finds its material and keeps teachers' worksheets: the
// build folder and an installed prefix, the user's own folder made on the
// first start, a folder named with --worksheets or OSTERVALE_WORKSHEETS, and
// a folder that cannot be written.
#include "catalogue_file.h"
#include "places.h"
#include "quiz_state.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "wizard.h"
#include "worksheet_folder.h"
#include "worksheets.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSaved = QStringLiteral("Your worksheet has been saved.");

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path))
        qFatal("test: cannot make %s", qPrintable(path));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    makeFolder(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("test: cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Sets an environment variable for as long as it lives.
struct Environment {
    const char* name;
    std::optional<QByteArray> old;
    Environment(const char* n, const QString& value) : name(n) {
        if (qEnvironmentVariableIsSet(n))
            old = qgetenv(n);
        qputenv(n, value.toLocal8Bit());
    }
    ~Environment() { old ? qputenv(name, *old) : qunsetenv(name); }
};

// In the unnamed namespace with its helpers: in a unity build GCC warns of
// a class with linkage holding a member of a type without it.
class PlacesTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    std::unique_ptr<ShellFixture> f;
    std::unique_ptr<Environment> dataHome;
    QString savedName;

    QString at(const QString& relative) const { return scratch.filePath(relative); }
    QString userFolder() const { return at(QStringLiteral("data/ostervale/multiple")); }
    places::Layout installed() const { return {f->dir.path(), true}; }
    QString placeWorksheets(const QStringList& arguments = {}) {
        return places::placeWorksheets(
            *f->program, places::readOptions(QStringList{"ostervale"} + arguments), installed());
    }

    // A worksheet typed into the wizard and saved.
    void save(const QuestionSheet& s) {
        f->openMainMenu().Label2_Click(Intro0::Wizard);
        Wizard& w = f->program->screens().form<Wizard>();
        w.Text1->setText(s.title);
        for (int q = 0; q < Wizard::Questions; ++q)
            w.Text2[q]->setText(s.questions[q]);
        for (int i = 0; i < Wizard::Answers; ++i) {
            w.Text3[i]->setText(s.answers[i]);
            w.Check1[i]->setChecked(s.ticked[i]);
        }
        gui::click(w.Label3[Wizard::Save]);
    }
    static QuestionSheet blitz() { return test_sets::sheet("Blitz", test_sets::kPattern); }

private Q_SLOTS:
    void initTestCase() {
        // The user's data folder is named after the program, as in main().
        savedName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("ostervale"));
    }
    void cleanupTestCase() { QCoreApplication::setApplicationName(savedName); }
    void init() {
        f = std::make_unique<ShellFixture>();
        dataHome = std::make_unique<Environment>("XDG_DATA_HOME", at(QStringLiteral("data")));
        qunsetenv(places::kWorksheetsVariable);
    }
    void cleanup() {
        f.reset();
        dataHome.reset();
        QDir(at(QStringLiteral("data"))).removeRecursively();
    }

    void materialIsFoundBesideTheProgramOrInItsPrefixShareFolder() {
        const QString build = at(QStringLiteral("build"));
        makeFolder(build + QStringLiteral("/wav"));
        QCOMPARE(places::locate(build).material, build);
        QVERIFY(!places::locate(build).installed);

        const QString prefix = at(QStringLiteral("prefix"));
        const QString bin = prefix + QStringLiteral("/bin");
        makeFolder(prefix + QStringLiteral("/share/ostervale/wav"));
        makeFolder(bin);
        QCOMPARE(places::locate(bin).material, prefix + QStringLiteral("/share/ostervale"));
        QVERIFY(places::locate(bin).installed);

        // Material beside the program wins, so a build folder that happens
        // to sit in a prefix still runs on its own material.
        makeFolder(bin + QStringLiteral("/wav"));
        QCOMPARE(places::locate(bin).material, bin);

        // With no material anywhere, the program looks beside itself and
        // keeps worksheets there, as a build does.
        const QString bare = at(QStringLiteral("bare/bin"));
        makeFolder(bare);
        QCOMPARE(places::locate(bare).material, bare);
        QVERIFY(!places::locate(bare).installed);
    }

    void theWorksheetFolderIsTheNamedOneElseTheUsersWhenInstalled() {
        const places::Layout build{at(QStringLiteral("build")), false};
        const places::Layout prefix{build.material, true};
        writeFile(at(QStringLiteral("build/Multiple/track.txt")), catalogue_file::compose({}));
        const QString user = at(QStringLiteral("user"));
        // From the build folder: its own "multiple", in whatever case it has.
        QCOMPARE(places::worksheetFolder({}, {}, build, user),
                 at(QStringLiteral("build/Multiple")));
        QCOMPARE(places::worksheetFolder({}, {}, prefix, user), user + QStringLiteral("/multiple"));
        QCOMPARE(places::worksheetFolder({}, {}, prefix, {}), QString());
        // A named folder wins over both, the command line over the environment.
        const QString cli = QStringLiteral("/school/cli"), env = QStringLiteral("/school/env");
        QCOMPARE(places::worksheetFolder({}, env, build, user), env);
        QCOMPARE(places::worksheetFolder(cli, env, prefix, user), cli);
        // A relative name is taken from the folder the program was started in.
        QCOMPARE(places::worksheetFolder(QStringLiteral("shared/../sheets"), {}, build, user),
                 QDir::current().absoluteFilePath(QStringLiteral("sheets")));
    }

    void aFirstStartWhenInstalledMakesTheUsersFolderAndSavesThere() {
        // The topic quiz is part of the installed material, not of the
        // user's worksheets.
        const QByteArray topic =
            composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern));
        f->write(QStringLiteral("multiple/Rationing.txt"), topic);
        const QByteArray materialCatalogue =
            readFile(f->path(QStringLiteral("multiple/track.txt")));

        QCOMPARE(placeWorksheets(), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), userFolder());
        QCOMPARE(readFile(userFolder() + QStringLiteral("/track.txt")),
                 catalogue_file::compose({}));

        const QuestionSheet own = test_sets::sheet("Blitz", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
        save(own);
        QCOMPARE(f->messages->shown, QStringList{kSaved});
        QCOMPARE(readFile(userFolder() + QStringLiteral("/Blitz.txt")), composeQuestionFile(own));
        QCOMPARE(readFile(userFolder() + QStringLiteral("/track.txt")),
                 catalogue_file::compose({"Blitz"}));
        QVERIFY(!QFileInfo::exists(f->path(QStringLiteral("multiple/Blitz.txt"))));
        QCOMPARE(readFile(f->path(QStringLiteral("multiple/Rationing.txt"))), topic);
        QCOMPARE(readFile(f->path(QStringLiteral("multiple/track.txt"))), materialCatalogue);

        // The topic menu's quiz still comes from the material.
        f->program->screens().form<RationingMenu>().label3_Click(TopicMenu::MultipleChoice);
        QVERIFY(f->program->screens().isShowing(ScreenId::multiple));
        QCOMPARE(f->program->state<QuizTables>().CorrectChoice[1], QStringLiteral("1"));

        // A second start finds the catalogue and leaves it as it is.
        QCOMPARE(worksheet_folder::prepare(userFolder()), QString());
        QCOMPARE(readFile(userFolder() + QStringLiteral("/track.txt")),
                 catalogue_file::compose({"Blitz"}));
    }

    void aNamedFolderIsUsedFromTheCommandLineOrTheEnvironment() {
        const QString cli = at(QStringLiteral("school/cli"));
        const QString env = at(QStringLiteral("school/env"));
        writeFile(env + QStringLiteral("/track.txt"), catalogue_file::compose({"Kept"}));
        const Environment named(places::kWorksheetsVariable, env);

        QCOMPARE(placeWorksheets(), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), env);
        QCOMPARE(readFile(env + QStringLiteral("/track.txt")), catalogue_file::compose({"Kept"}));
        QVERIFY(!QFileInfo::exists(userFolder()));

        QCOMPARE(places::readOptions({"ostervale", "--worksheets", cli}).worksheets, cli);
        QCOMPARE(placeWorksheets({"--worksheets", cli}), QString());
        QCOMPARE(worksheet_folder::folder(*f->program), cli);
        QCOMPARE(readFile(cli + QStringLiteral("/track.txt")), catalogue_file::compose({}));
    }

    void aFolderThatCannotBeWrittenIsSaidAndSavingRefused() {
        // Run as root, permissions stop nothing; a folder under a file can
        // never be made.
        writeFile(at(QStringLiteral("plain")), "not a folder");
        const QString blocked = at(QStringLiteral("plain/sheets"));
        const QString message = placeWorksheets({"--worksheets", blocked});
        QVERIFY2(message.startsWith(QStringLiteral("Worksheets cannot be saved in the folder ") +
                                    blocked + u':'),
                 qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("--worksheets")));
        QCOMPARE(worksheet_folder::refusal(*f->program), message);
        QCOMPARE(worksheet_folder::prepare(at(QStringLiteral("plain"))),
                 QStringLiteral("it is a file, not a folder."));

        save(blitz());
        QCOMPARE(f->messages->shown, QStringList{message});
        QCOMPARE(readFile(at(QStringLiteral("plain"))), QByteArray("not a folder"));
    }

    // A list of junk: the repair keeps it under a dated name and lists every
    // worksheet that reads, those the old list names first in its order;
    // the topic quizzes, unreadable files and crash leftovers are not
    // listed, and no worksheet is touched. It needs no display.
    void theRepairCommandListsEveryWorksheetAgain() {
        const QString folder = at(QStringLiteral("shared"));
        const QByteArray junk("\x89PNG\r\n 9\r\nEvacuees\r\nMissing one\r\n\x01\xff\r\n");
        writeFile(folder + QStringLiteral("/track.txt"), junk);
        QMap<QString, QByteArray> files;
        for (const char* title : {"Blitz", "Evacuees", "air raids", "Rationing"})
            files[QString::fromUtf8(title) + QStringLiteral(".txt")] = composeQuestionFile(
                test_sets::sheet(QString::fromUtf8(title), test_sets::kPattern));
        files[QStringLiteral("Broken.txt")] = files[QStringLiteral("Blitz.txt")].left(300);
        files[QStringLiteral("notes.doc")] = "not a worksheet";
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            writeFile(folder + u'/' + it.key(), it.value());
        writeFile(folder + QStringLiteral("/Blitz.txt.Ab12Cd"), "left by a crash");

        QProcess repair;
        repair.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        repair.start(
            QStringLiteral(OSTERVALE_HOME "/ostervale"),
            {QStringLiteral("--repair-catalogue"), QStringLiteral("--worksheets"), folder});
        QVERIFY(repair.waitForFinished(30000));
        const QString said = QString::fromLocal8Bit(repair.readAllStandardOutput());
        QCOMPARE(repair.exitCode(), 0);
        QVERIFY2(said.contains(QStringLiteral("Broken.txt")), qPrintable(said));

        QCOMPARE(readFile(folder + QStringLiteral("/track.txt")),
                 catalogue_file::compose({"Evacuees", "air raids", "Blitz"}));
        const QStringList kept =
            QDir(folder).entryList({QStringLiteral("track.txt.damaged-*")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(readFile(folder + u'/' + kept[0]), junk);
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(readFile(folder + u'/' + it.key()), it.value());
        QVERIFY(!QFile::exists(folder + QStringLiteral("/Blitz.txt.Ab12Cd")));
    }

    void aRefusedFolderAllowsNoDeleteAndAsksNothing() {
        const QString folder = worksheet_folder::folder(*f->program);
        writeFile(folder + QStringLiteral("/track.txt"), catalogue_file::compose({"A", "B"}));
        writeFile(folder + QStringLiteral("/A.txt"),
                  composeQuestionFile(test_sets::sheet("A", test_sets::kPattern)));
        f->program->state<WorksheetPlace>().refusal = QStringLiteral("Cannot save here.");
        gui::click(f->openMainMenu().Label2.at(Intro0::Catalogue));
        auto& w = f->program->screens().form<Worksheets>();
        f->messages->shown.clear();
        gui::click(w.Check2);
        gui::click(w.Label2[1]);
        gui::click(w.Label2[1]);
        QCOMPARE(f->messages->shown, QStringList(2, QStringLiteral("Cannot save here.")));
        QVERIFY(f->messages->captions.isEmpty());
        QCOMPARE(readFile(folder + QStringLiteral("/track.txt")),
                 catalogue_file::compose({"A", "B"}));
    }
};

} // namespace

OSTERVALE_TEST(PlacesTest)
#include "test_places.moc"

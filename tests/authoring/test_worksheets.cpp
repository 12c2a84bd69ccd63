#include "app/shell_fixture.h"
#include "catalogue_file.h"
#include "catalogue_screen_state.h"
#include "catalogue_state.h"
#include "multiple.h"
#include "question_file.h"
#include "quiz_state.h"
#include "safe_write.h"
#include "support/fits.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "wizard.h"
#include "worksheets.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {
const QString kCorrupted = QStringLiteral("This worksheet seems to be corrupted.");
const QString kTrack = QStringLiteral("multiple/track.txt");

QStringList numbered(int from, int to) {
    QStringList titles;
    for (int i = from; i <= to; ++i)
        titles << QStringLiteral("Sheet %1").arg(i);
    return titles;
}

using gui::click;
} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QByteArray track() const {
        QFile file(f->path(kTrack));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void listed(const QStringList& titles) { f->write(kTrack, catalogue_file::compose(titles)); }
    QByteArray sheetBytes(const QString& title) const {
        return composeQuestionFile(test_sets::sheet(title, test_sets::kPattern));
    }
    void worksheet(const QString& title) {
        f->write(QStringLiteral("multiple/") + title + QStringLiteral(".txt"), sheetBytes(title));
    }

    // As a teacher gets there: the main menu's "Worksheet Catalogue"; what
    // was heard and said on the way is forgotten.
    Worksheets& open() {
        click(f->openMainMenu().Label2.at(Intro0::Catalogue));
        f->sound->played.clear();
        f->messages->shown.clear();
        return screens().form<Worksheets>();
    }
    // The captions of the title slots on show, slot 1 first.
    static QStringList shown(Worksheets& w) {
        QStringList titles;
        for (int k = Worksheets::FirstSlot; k <= Worksheets::LastSlot; ++k) {
            if (!w.Label2[k]->isHidden())
                titles << w.Label2[k]->text();
        }
        return titles;
    }
    static bool paging(Worksheets& w, int which) { return !w.Label3[which]->isHidden(); }

private Q_SLOTS:
    void initTestCase() {
        // Texts are measured at Tahoma's widths, as the program shows them.
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
    }
    void init() {
        f = std::make_unique<ShellFixture>();
        screens().define<Worksheets>();
        screens().define<Wizard>();
    }
    void cleanup() { f.reset(); }

    void theFirstPagesFollowTheCount_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("no catalogue file") << -1;
        QTest::newRow("empty catalogue") << 0;
        QTest::newRow("24 titles") << 24;
        QTest::newRow("25 titles") << 25;
        QTest::newRow("49 titles") << 49;
    }
    void theFirstPagesFollowTheCount() {
        QFETCH(int, count);
        if (count >= 0)
            listed(numbered(1, count));
        Worksheets& w = open();
        QVERIFY(screens().isShowing(Worksheets::Id));
        QVERIFY(!screens().isLoaded(ScreenId::intro0));
        QCOMPARE(shown(w), numbered(1, qMin(count, 24)));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 1"));
        QVERIFY(!paging(w, Worksheets::Previous));
        QCOMPARE(paging(w, Worksheets::Next), count > 24);
        if (count <= 24)
            return;
        click(w.Label3[Worksheets::Next]);
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 2"));
        QCOMPARE(shown(w), numbered(25, qMin(count, 48)));
        QVERIFY(paging(w, Worksheets::Previous));
        QCOMPARE(paging(w, Worksheets::Next), count > 48);
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    // A count above the table's room still reaches the first thousand.
    void everyTitleCanBeReached() {
        listed(numbered(1, 1005));
        Worksheets& w = open();
        QStringList seen = shown(w);
        while (paging(w, Worksheets::Next)) {
            click(w.Label3[Worksheets::Next]);
            seen += shown(w);
        }
        QCOMPARE(seen, numbered(1, 1000));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 42"));
        click(w.Label3[Worksheets::Previous]);
        QCOMPARE(shown(w), numbered(961, 984));
        QVERIFY(paging(w, Worksheets::Next));
    }

    void theModeBoxesExcludeEachOther() {
        Worksheets& w = open();
        for (const auto& [first, second] : {std::pair{w.Check1, w.Check2}, {w.Check2, w.Check1}}) {
            QVERIFY(!first->isChecked() && !second->isChecked());
            click(first);
            click(second);
            QVERIFY(second->isChecked() && !first->isChecked());
            click(second);
        }
        QVERIFY(!w.Check1->isChecked() && !w.Check2->isChecked());
    }

    void runModeOpensTheQuizOverTheCatalogue() {
        listed({QStringLiteral("Blitz sheet")});
        worksheet(QStringLiteral("Blitz sheet"));
        Worksheets& w = open();
        f->program->shell.SoundOn = 0;
        click(w.Label2[1]);
        QVERIFY(f->messages->shown.isEmpty());
        QVERIFY(screens().isShowing(Multiple::Id));
        const QObjectList stacked = screens().stage().children();
        QVERIFY(stacked.indexOf(screens().find(Multiple::Id)) > stacked.indexOf(&w));
        QVERIFY(screens().isShowing(Worksheets::Id));
        // The quiz runs under the main menu's picture and title without the
        // menu being loaded, so the sound stays as the teacher set it.
        QVERIFY(!screens().isLoaded(ScreenId::intro0));
        QCOMPARE(f->program->shell.SoundOn, 0);
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(quiz.Label5->text(), QStringLiteral("Ostervale"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Blitz sheet"));
        QVERIFY(!quiz.Picture1()->pixmap().isNull());
    }

    // A worksheet is found by its exact title, never by one that differs
    // only in case.
    void editModeFillsAndShowsTheWizard() {
        listed({QStringLiteral("Blitz sheet")});
        worksheet(QStringLiteral("Blitz Sheet"));
        Worksheets& w = open();
        click(w.Check1);
        click(w.Label2[1]);
        QCOMPARE(f->messages->shown, QStringList{kCorrupted});
        QVERIFY(!screens().isLoaded(Wizard::Id));
        worksheet(QStringLiteral("Blitz sheet"));
        click(w.Label2[1]);
        QVERIFY(screens().isShowing(Wizard::Id));
        auto& wizard = screens().form<Wizard>();
        const QObjectList stacked = screens().stage().children();
        QVERIFY(stacked.indexOf(&wizard) > stacked.indexOf(&w));
        QCOMPARE(wizard.Text1->text(), QStringLiteral("Blitz sheet"));
        QCOMPARE(wizard.Text2[9]->text(), QStringLiteral("Question 10?"));
        QVERIFY(w.Check1->isChecked());
    }

    void aDeletionAsksFirstAndKeepsTheOthersInOrder() {
        const QStringList abc{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        listed(abc);
        worksheet(QStringLiteral("B"));
        Worksheets& w = open();
        const QByteArray before = track();
        click(w.Check2);
        f->messages->answers = {false, true};
        // The click is heard before the file is read or the box shows.
        QString readAtClick = QStringLiteral("unheard");
        qsizetype boxesAtClick = -1;
        f->sound->onPlay = [&](const QString&) {
            readAtClick = f->program->state<QuizTables>().QuizTitle;
            boxesAtClick = f->messages->shown.size();
        };
        click(w.Label2[2]);
        QCOMPARE(readAtClick, QString());
        QCOMPARE(boxesAtClick, 0);
        QCOMPARE(f->messages->shown, QStringList{QStringLiteral(
                                         "Are you sure that you want to delete the worksheet B?")});
        QCOMPARE(f->messages->captions, QStringList{QString()});
        QCOMPARE(f->program->state<QuizTables>().QuizTitle, QStringLiteral("B"));
        QCOMPARE(track(), before);
        QCOMPARE(shown(w), abc);

        f->sound->onPlay = nullptr;
        click(w.Label2[2]);
        QCOMPARE(f->program->state<CatalogueScreenState>().WorksheetToDelete, QStringLiteral("B"));
        QCOMPARE(track(), catalogue_file::compose({QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(shown(w), QStringList({"A", "C"}));
        QVERIFY(QFile::exists(f->path(QStringLiteral("multiple/B.txt"))));
    }

    // Two copies on one folder: the other deletes Alpha while this one shows
    // Alpha, Bravo, Charlie. Saving Charlie from edit mode reads the list
    // anew: the page follows it, and a click acts on the title its slot
    // shows, never on whatever the table holds at that place now.
    void aClickActsOnTheTitleItsSlotShows() {
        const QStringList three{"Alpha", "Bravo", "Charlie"};
        listed(three);
        for (const QString& title : three)
            worksheet(title);
        Worksheets& w = open();
        CatalogueState otherCopy;
        QCOMPARE(catalogue_file::delworksheet(f->path(QStringLiteral("multiple")),
                                              QStringLiteral("Alpha"), otherCopy),
                 catalogue_file::Change::Done);
        click(w.Check1);
        click(w.Label2[3]);
        auto& wizard = screens().form<Wizard>();
        QCOMPARE(wizard.Text1->text(), QStringLiteral("Charlie"));
        click(wizard.Label3[Wizard::Save]);
        click(wizard.Label3[Wizard::Exit]);
        QCOMPARE(shown(w), QStringList({"Bravo", "Charlie"}));

        click(w.Check2);
        f->program->state<CatalogueState>().WorksheetTitles[1] = QStringLiteral("Charlie");
        click(w.Label2[1]);
        QCOMPARE(f->messages->shown.last(),
                 QStringLiteral("Are you sure that you want to delete the worksheet Bravo?"));
        QCOMPARE(track(), catalogue_file::compose({QStringLiteral("Charlie")}));
        QCOMPARE(shown(w), QStringList{"Charlie"});
    }

    // The real question box: Enter, pressed once or twice by a teacher in a
    // hurry, answers Cancel and deletes nothing.
    void enterTwiceOnTheQuestionKeepsTheWorksheet() {
        int boxes = 0;
        QTimer pressing;
        QObject::connect(&pressing, &QTimer::timeout, [&boxes] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                QTest::keyClick(box, Qt::Key_Return);
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        pressing.start(20);
        QtMessageBoxes real;
        QVERIFY(!real.confirm(
            QStringLiteral("Are you sure that you want to delete the worksheet Blitz?"), {}));
        QCOMPARE(boxes, 1);
    }

    // A damaged list is said so, with the way to repair it, and no title of
    // an earlier reading is offered in its place.
    void aDamagedListIsSaidSoOnOpening() {
        listed({QStringLiteral("Blitz")});
        QCOMPARE(catalogue_file::load(f->path(QStringLiteral("multiple")),
                                      f->program->state<CatalogueState>()),
                 catalogue_file::Health::Sound);
        f->write(kTrack, QByteArray("\x89PNG\r\n\x1a\n\0\0junk", 14));
        click(f->openMainMenu().Label2.at(Intro0::Catalogue));
        QVERIFY(f->messages->shown.isEmpty());
        QTRY_COMPARE(f->messages->shown.size(), 1);
        QVERIFY2(f->messages->shown[0].contains(QStringLiteral("--repair-catalogue")) &&
                     f->messages->shown[0].contains(f->path(QStringLiteral("multiple"))),
                 qPrintable(f->messages->shown[0]));
        QCOMPARE(shown(screens().form<Worksheets>()), QStringList{});
    }

    void aDeletionClosesUpThePageAndLeavesThePaging() {
        listed(numbered(1, 25));
        worksheet(QStringLiteral("Sheet 1"));
        Worksheets& w = open();
        click(w.Check2);
        click(w.Label2[1]);
        QCOMPARE(shown(w), numbered(2, 25));
        QVERIFY(paging(w, Worksheets::Next));
        QVERIFY(!paging(w, Worksheets::Previous));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 1"));
        // Only the next page drawn shows what the deletion left.
        click(w.Label3[Worksheets::Next]);
        QCOMPARE(shown(w), QStringList());
        QVERIFY(!paging(w, Worksheets::Next));
    }

    void deletingTheOnlyTitleOnTheLastPageLeavesItEmpty() {
        listed(numbered(1, 26));
        worksheet(QStringLiteral("Sheet 25"));
        worksheet(QStringLiteral("Sheet 26"));
        Worksheets& w = open();
        click(w.Label3[Worksheets::Next]);
        click(w.Check2);
        click(w.Label2[1]);
        QCOMPARE(shown(w), QStringList{QStringLiteral("Sheet 26")});
        click(w.Label2[1]);
        QCOMPARE(shown(w), QStringList());
        QVERIFY(paging(w, Worksheets::Previous));
        QVERIFY(!paging(w, Worksheets::Next));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 2"));
        QCOMPARE(track(), catalogue_file::compose(numbered(1, 24)));
        click(w.Label3[Worksheets::Previous]);
        QCOMPARE(shown(w), numbered(1, 24));
    }

    // A worksheet that cannot be read can be neither run nor edited; in
    // delete mode it is asked about as usual and goes, title and file, so a
    // broken entry never stays listed for ever.
    void aWorksheetThatCannotBeReadIsCorruptedButCanBeDeleted_data() {
        QTest::addColumn<int>("tick");
        QTest::addColumn<bool>("cutShort");
        for (const auto& [mode, tick] : {std::pair{"run", 0}, {"edit", 1}, {"delete", 2}}) {
            QTest::addRow("%s mode, last question cut short", mode) << tick << true;
            QTest::addRow("%s mode, no file", mode) << tick << false;
        }
    }
    void aWorksheetThatCannotBeReadIsCorruptedButCanBeDeleted() {
        QFETCH(int, tick);
        QFETCH(bool, cutShort);
        listed({QStringLiteral("A"), QStringLiteral("Broken"), QStringLiteral("C")});
        const QString broken = QStringLiteral("multiple/Broken.txt");
        if (cutShort) {
            const QByteArray whole = sheetBytes(QStringLiteral("Broken"));
            f->write(broken, whole.left(whole.indexOf("Answer 10C")));
        }
        Worksheets& w = open();
        if (tick > 0)
            click(tick == 1 ? w.Check1 : w.Check2);
        const QByteArray before = track();
        click(w.Label2[2]);
        QVERIFY(!screens().isLoaded(Multiple::Id));
        QVERIFY(!screens().isLoaded(Wizard::Id));
        QVERIFY(!screens().isLoaded(ScreenId::intro0));
        QCOMPARE(f->sound->played, QStringList{heard::Click});
        if (tick < 2) {
            QCOMPARE(f->messages->shown, QStringList{kCorrupted});
            QCOMPARE(track(), before);
            QCOMPARE(shown(w), QStringList({"A", "Broken", "C"}));
            QCOMPARE(QFile::exists(f->path(broken)), cutShort);
            return;
        }
        QCOMPARE(f->messages->shown,
                 QStringList{"Are you sure that you want to delete the worksheet Broken?"});
        QCOMPARE(track(), catalogue_file::compose({QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(shown(w), QStringList({"A", "C"}));
        QVERIFY(!QFile::exists(f->path(broken)));
    }

    // A catalogue gone since it was shown (-1), or failing at any step of
    // the write: the teacher is told the list could not be changed, and why.
    void aDeletionThatCannotBeWrittenSaysWhy_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("why");
        QTest::newRow("catalogue gone") << -1 << QStringLiteral("is missing");
        for (WriteStep step : {WriteStep::Lock, WriteStep::Open, WriteStep::Write, WriteStep::Flush,
                               WriteStep::Commit})
            QTest::addRow("step %d", int(step)) << int(step) << QStringLiteral("may be full");
    }
    void aDeletionThatCannotBeWrittenSaysWhy() {
        QFETCH(int, step);
        QFETCH(QString, why);
        listed({QStringLiteral("A"), QStringLiteral("B")});
        worksheet(QStringLiteral("A"));
        Worksheets& w = open();
        click(w.Check2);
        if (step < 0)
            QVERIFY(QFile::remove(f->path(kTrack)));
        const QByteArray before = track();
        write_faults::Scope seam([step](WriteStep s) { return int(s) == step; });
        click(w.Label2[1]);
        const QString said = f->messages->shown.last();
        QVERIFY2(said.startsWith(QStringLiteral("The worksheet A could not be deleted, because the "
                                                "list of worksheets could not be changed.")) &&
                     said.contains(why),
                 qPrintable(said));
        QCOMPARE(track(), before);
        QCOMPARE(shown(w), QStringList({"A", "B"}));
        QCOMPARE(f->program->state<CatalogueState>().WorksheetCount, 2);
        QVERIFY(QFile::exists(f->path(QStringLiteral("multiple/A.txt"))));
    }

    // A damaged catalogue may hold a title of any length; its slot shows the
    // start of it and the titles after it stay in their places.
    void anEndlessTitleShowsOnlyWhatItsSlotCanShow() {
        const QString endless = QStringLiteral("Evacuees ").repeated(100000);
        listed({endless, QStringLiteral("B")});
        Worksheets& w = open();
        QVERIFY(w.Label2[1]->text().size() < 20000);
        QVERIFY(endless.startsWith(w.Label2[1]->text()));
        QVERIFY(w.Label2[1]->heightForWidth(w.Label2[1]->width()) > w.Label2[1]->height());
        QCOMPARE(w.Label2[2]->text(), QStringLiteral("B"));
        worksheet(QStringLiteral("B"));
        click(w.Label2[2]);
        QCOMPARE(f->program->state<QuizTables>().QuizTitle, QStringLiteral("B"));
    }

    void exitShowsTheMainMenuAndUnloadsTheCatalogue() {
        Worksheets& w = open();
        bool catalogueAloneAtClick = false;
        f->sound->onPlay = [&](const QString&) {
            catalogueAloneAtClick =
                screens().isLoaded(Worksheets::Id) && !screens().isLoaded(ScreenId::intro0);
        };
        click(w.Label2[Worksheets::Exit]);
        QVERIFY(catalogueAloneAtClick);
        QCOMPARE(f->sound->played, QStringList{heard::Click});
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QVERIFY(!screens().isLoaded(Worksheets::Id));
    }

    void onlyTheTitlesAndExitHighlight() {
        listed(numbered(1, 30));
        Worksheets& w = open();
        QTest::mouseMove(w.client(), QPoint(twips::toPixels(5980), twips::toPixels(3000)));
        for (const auto& [index, entry] : w.Label2)
            QVERIFY2(!entry->isOpaque(), qPrintable(QString::number(index)));
        QVERIFY(w.Label3[Worksheets::Next]->isOpaque());
        QTest::mouseMove(w.Label2[13], QPoint(5, 5));
        QVERIFY(w.Label2[13]->isOpaque());
        QTest::mouseMove(w.Label2[Worksheets::Exit], QPoint(5, 5));
        QVERIFY(w.Label2[Worksheets::Exit]->isOpaque());
    }

    // The left column fills first, then the right, row by row; the longest
    // titles fit their slots on either page. The wizard takes titles of up
    // to 25 characters, and W is Tahoma's widest.
    void titlesFillTheLeftColumnFirstAndFit() {
        QStringList titles = numbered(1, 49);
        titles[0] = titles[24] = QString(25, u'W');
        titles[1] = titles[25] = QStringLiteral("The Home Front in 1940");
        listed(titles);
        Worksheets& w = open();
        const QRect first = w.Label2[1]->geometry();
        for (int k = 2; k <= 12; ++k) {
            QCOMPARE(w.Label2[k]->x(), first.x());
            QVERIFY(w.Label2[k]->y() > w.Label2[k - 1]->geometry().bottom());
        }
        QVERIFY(w.Label2[13]->x() > first.right());
        for (int k = 13; k <= 24; ++k)
            QCOMPARE(w.Label2[k]->y(), w.Label2[k - 12]->y());
        QCOMPARE(shown(w), titles.first(24));
        click(w.Check2);
        for (int page = 1; page <= 2; ++page) {
            const QStringList misfits = fits::misfits(&w);
            QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u'\n')));
            click(w.Label3[Worksheets::Next]);
        }
    }
};

OSTERVALE_TEST(WorksheetsTest)
#include "test_worksheets.moc"

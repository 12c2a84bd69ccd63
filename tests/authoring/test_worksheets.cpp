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

QString asked(const QString& title) {
    return QStringLiteral("Are you sure that you want to delete the worksheet %1?").arg(title);
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
    void init() { f = std::make_unique<ShellFixture>(); }
    void cleanup() { f.reset(); }

    // "Next Page" shows while titles follow and "Previous Page" past the
    // first page, so every title the table holds is within reach, the
    // thousandth on page 42, however many the file lists. Exit is heard
    // before the main menu shows again.
    void thePagesReachEveryTitleTheTableHolds() {
        for (const int count : {0, 24, 25}) {
            listed(numbered(1, count));
            Worksheets& w = open();
            QCOMPARE(shown(w), numbered(1, qMin(count, 24)));
            QVERIFY(!paging(w, Worksheets::Previous));
            QCOMPARE(paging(w, Worksheets::Next), count > 24);
            bool catalogueAloneAtClick = false;
            f->sound->onPlay = [&](const QString&) {
                catalogueAloneAtClick = !screens().isLoaded(ScreenId::intro0);
            };
            click(w.Label2[Worksheets::Exit]);
            f->sound->onPlay = nullptr;
            QVERIFY(catalogueAloneAtClick && screens().isShowing(ScreenId::intro0));
            QVERIFY(!screens().isLoaded(Worksheets::Id));
        }
        listed(numbered(1, 1005));
        Worksheets& w = open();
        QStringList seen = shown(w);
        while (paging(w, Worksheets::Next)) {
            click(w.Label3[Worksheets::Next]);
            QVERIFY(paging(w, Worksheets::Previous));
            seen += shown(w);
        }
        QCOMPARE(seen, numbered(1, 1000));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 42"));
        click(w.Label3[Worksheets::Previous]);
        QCOMPARE(shown(w), numbered(961, 984));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 41"));
        QVERIFY(paging(w, Worksheets::Next));
        QCOMPARE(f->sound->played.last(), heard::Click);
    }

    // The mode boxes exclude each other. Edit mode fills the wizard over the
    // catalogue, finding a worksheet by its exact title only; run mode opens
    // the quiz over it under the main menu's picture and title, without
    // loading the menu, which would switch the sound back on.
    void eachModeOpensItsScreenOverTheCatalogue() {
        listed({QStringLiteral("Blitz sheet")});
        worksheet(QStringLiteral("Blitz Sheet"));
        Worksheets& w = open();
        click(w.Check1);
        click(w.Check2);
        QVERIFY(w.Check2->isChecked() && !w.Check1->isChecked());
        click(w.Check1);
        QVERIFY(w.Check1->isChecked() && !w.Check2->isChecked());
        click(w.Label2[1]);
        QCOMPARE(f->messages->shown, QStringList{kCorrupted});
        QVERIFY(!screens().isLoaded(Wizard::Id));
        worksheet(QStringLiteral("Blitz sheet"));
        click(w.Label2[1]);
        auto& wizard = screens().form<Wizard>();
        QVERIFY(screens().isShowing(Wizard::Id));
        const QObjectList stacked = screens().stage().children();
        QVERIFY(stacked.indexOf(&wizard) > stacked.indexOf(&w));
        QCOMPARE(wizard.Text2[9]->text(), QStringLiteral("Question 10?"));
        click(wizard.Label3[Wizard::Exit]);

        click(w.Check1);
        f->program->shell.SoundOn = 0;
        click(w.Label2[1]);
        QVERIFY(screens().isShowing(Multiple::Id) && screens().isShowing(Worksheets::Id));
        const QObjectList over = screens().stage().children();
        QVERIFY(over.indexOf(screens().find(Multiple::Id)) > over.indexOf(&w));
        QVERIFY(!screens().isLoaded(ScreenId::intro0));
        QCOMPARE(f->program->shell.SoundOn, 0);
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(quiz.Label5->text(), QStringLiteral("Ostervale"));
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Blitz sheet"));
        QVERIFY(!quiz.Picture1()->pixmap().isNull());
    }

    // Delete mode asks first, with an empty title bar, once the click is
    // heard and the worksheet read; Cancel keeps it. A deletion takes the
    // title out of the list and closes up the page on show, and the
    // worksheet file stays, unless it cannot be read: then it goes too, or a
    // broken entry would stay listed for ever.
    void aDeletionAsksFirstAndClosesUpThePage() {
        listed(numbered(1, 26));
        worksheet(QStringLiteral("Sheet 2"));
        const QByteArray whole = sheetBytes(QStringLiteral("Sheet 26"));
        f->write(QStringLiteral("multiple/Sheet 26.txt"), whole.left(whole.indexOf("Answer 10C")));
        Worksheets& w = open();
        click(w.Check2);
        f->messages->answers = {false};
        QString readAtClick = QStringLiteral("unheard");
        qsizetype boxesAtClick = -1;
        f->sound->onPlay = [&](const QString&) {
            readAtClick = f->program->state<QuizTables>().QuizTitle;
            boxesAtClick = f->messages->shown.size();
        };
        click(w.Label2[2]);
        QVERIFY(readAtClick.isEmpty() && boxesAtClick == 0);
        QCOMPARE(f->messages->shown, QStringList{asked(QStringLiteral("Sheet 2"))});
        QCOMPARE(f->messages->captions, QStringList{QString()});
        QCOMPARE(track(), catalogue_file::compose(numbered(1, 26)));
        f->sound->onPlay = nullptr;
        click(w.Label2[2]);
        QCOMPARE(f->program->state<CatalogueScreenState>().WorksheetToDelete,
                 QStringLiteral("Sheet 2"));
        const QStringList left = numbered(1, 1) + numbered(3, 26);
        QCOMPARE(track(), catalogue_file::compose(left));
        QCOMPARE(shown(w), left.first(24));
        QVERIFY(QFile::exists(f->path(QStringLiteral("multiple/Sheet 2.txt"))));

        click(w.Label3[Worksheets::Next]);
        QCOMPARE(shown(w), QStringList{QStringLiteral("Sheet 26")});
        click(w.Label2[1]);
        QCOMPARE(f->messages->shown.last(), asked(QStringLiteral("Sheet 26")));
        QCOMPARE(shown(w), QStringList());
        QVERIFY(paging(w, Worksheets::Previous) && !paging(w, Worksheets::Next));
        QCOMPARE(w.Label4->text(), QStringLiteral("Page 2"));
        QCOMPARE(track(), catalogue_file::compose(left.first(24)));
        QVERIFY(!QFile::exists(f->path(QStringLiteral("multiple/Sheet 26.txt"))));
        click(w.Label3[Worksheets::Previous]);
        QCOMPARE(shown(w), left.first(24));
    }

    // A catalogue gone since it was shown, or a write that fails: the
    // teacher is told the list could not be changed, and why; nothing goes.
    void aDeletionThatCannotBeWrittenSaysWhy() {
        for (const int step : {-1, int(WriteStep::Commit)}) {
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
            QVERIFY2(said.startsWith(QStringLiteral("The worksheet A could not be deleted, because "
                                                    "the list of worksheets could not be "
                                                    "changed.")) &&
                         said.contains(step < 0 ? "is missing" : "may be full"),
                     qPrintable(said));
            QCOMPARE(track(), before);
            QCOMPARE(shown(w), QStringList({"A", "B"}));
            QCOMPARE(f->program->state<CatalogueState>().WorksheetCount, 2);
            QVERIFY(QFile::exists(f->path(QStringLiteral("multiple/A.txt"))));
            click(w.Label2[Worksheets::Exit]);
        }
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
        QCOMPARE(f->messages->shown.last(), asked(QStringLiteral("Bravo")));
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
        QVERIFY(!real.confirm(asked(QStringLiteral("Blitz")), {}));
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

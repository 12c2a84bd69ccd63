// The roads a pupil or teacher takes through the program, with the mouse and
// with nothing but keys: the title screen and the menus, an activity and the
// quiz to their results, and the reading pages.
#include "catalogue_state.h"
#include "labelling.h"
#include "multiple.h"
#include "page_state.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"

#include <QAccessible>
#include <QTest>

class RoadsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    QWidget* focus() { return screens().stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }

    // Tabs on until the control has the keyboard (a screen never needs more
    // than a round of its stops), then presses it.
    bool press(QWidget* control) {
        for (int i = 0; i < 60 && focus() != control; ++i)
            key(Qt::Key_Tab);
        if (focus() != control)
            return false;
        key(Qt::Key_Return);
        return true;
    }
    // The counter, the page on screen and for printing, and whether Previous
    // and Next can be pressed.
    static QString pageState(PageViewer& v) {
        const auto shown = [](const PageBox* box) {
            const QFileInfo file(box->file());
            return box->page() ? file.dir().dirName() + u'/' + file.fileName() : QString();
        };
        return QStringLiteral("%1, %2, %3, %4%5")
            .arg(v.Label1->text(), shown(v.Image1), shown(v.Image2))
            .arg(int(v.Label3[PageViewer::Previous]->isEnabled()))
            .arg(int(v.Label3[PageViewer::Next]->isEnabled()));
    }

private Q_SLOTS:
    void init() { f = std::make_unique<ShellFixture>(); }
    void cleanup() { f.reset(); }

    // The title screen, the menu, sound off, Exit and Cancel, and Exit for
    // good, silent with sound off.
    void fromTheTitleScreenToTheEnd() {
        f->write(QStringLiteral("multiple/track.txt"), " 2\r\nBlitz\r\nD-Day\r\n");
        Stage& stage = screens().stage();
        stage.resize(1280, 1024);
        startup::showTitleScreen(*f->program);
        auto& title = screens().form<Titlefrm>();
        QCOMPARE(title.geometry().center(), QRect(0, 0, 1280, 1024).center());
        QVERIFY(!title.Picture1()->pixmap().isNull());
        gui::click(title.Command1);
        QVERIFY(!screens().isLoaded(ScreenId::Titlefrm));
        Intro0& menu = screens().form<Intro0>();
        QVERIFY(menu.Option1->isChecked() && !menu.Image1->pixmap().isNull());
        QCOMPARE(menu.Option2->font(), style::tahomaBold(9.75));
        QTRY_VERIFY(!menu.Timer1->isActive());
        QCOMPARE(f->program->state<CatalogueState>().WorksheetTitles[2], QStringLiteral("D-Day"));

        gui::click(menu.Option2);
        gui::click(menu.Label2.at(Intro0::Exit));
        QCOMPARE(screens().form<Titlefrm>().Command1->text(), QStringLiteral("Cancel"));
        QVERIFY(screens().isShowing(ScreenId::Titlefrm) && !screens().isShowing(ScreenId::intro0));
        gui::click(screens().form<Titlefrm>().Command1);
        QVERIFY(menu.Option2->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        gui::click(menu.Label2.at(Intro0::Exit));
        QVERIFY(!f->ended);
        gui::click(screens().form<Titlefrm>().Command2);
        QVERIFY(f->ended);
        QCOMPARE(f->sound->played, QStringList(1, heard::Click));
    }

    void everyMenuEntryOpensItsScreenAsItClicks_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::newRow("rationing") << int(Intro0::Rationing) << int(ScreenId::rationing);
        QTest::newRow("progress") << int(Intro0::Progress) << int(ScreenId::progress);
        QTest::newRow("wizard") << int(Intro0::Wizard) << int(ScreenId::wizard);
        QTest::newRow("guide") << int(Intro0::Guide) << int(ScreenId::guide);
        QTest::newRow("thanks") << int(Intro0::Acknowledgments) << int(ScreenId::teacher);
        QTest::newRow("catalogue") << int(Intro0::Catalogue) << int(ScreenId::worksheets);
    }
    void everyMenuEntryOpensItsScreenAsItClicks() {
        QFETCH(int, entry);
        QFETCH(int, screen);
        Intro0& menu = f->openMainMenu();
        bool seenAtClick = false;
        f->sound->onPlay = [&](const QString&) {
            seenAtClick = screens().isShowing(ScreenId(screen));
        };
        gui::click(menu.Label2.at(entry));
        QVERIFY(seenAtClick);
        QCOMPARE(screens().isLoaded(ScreenId::intro0), entry != Intro0::Catalogue);
        // The guide has three pages; the acknowledgments, one, and no counter.
        if (auto* viewer = dynamic_cast<PageViewer*>(screens().find(ScreenId(screen))))
            QCOMPARE(!viewer->Label1->isHidden() ? viewer->Label1->text() : QString(),
                     entry == Intro0::Guide ? QStringLiteral("Page 1 of 3") : QString());
        // The logo and the emblem wait for the first tick; the logo's frames
        // then run on, a tick at a time, from the start.
        if (auto* notes = dynamic_cast<Teacher*>(screens().find(ScreenId(screen)))) {
            QVERIFY(notes->Picture2->isHidden());
            notes->Timer1_Timer();
            QCOMPARE(f->program->state<PageState>().LogoFrame, 1);
        }
        auto* topic = dynamic_cast<TopicMenu*>(screens().find(ScreenId(screen)));
        if (!topic)
            return;
        gui::click(topic->label3.at(TopicMenu::Labelling));
        auto* lab = dynamic_cast<ActivityScreen*>(screens().stage().frontScreen());
        QVERIFY(lab &&
                lab->id() == (entry == Intro0::Rationing ? RationingLab::Id : ProgressLab::Id));
        // A screen reader announces the heading the pupil sees.
        QVERIFY(lab->accessibleName().startsWith(lab->Label6->text() + u':'));
        QCOMPARE(lab->Label6->text(), topic->Label1->text());
        gui::click(lab->Label3[ActivityScreen::Exit]);
        gui::click(topic->label3.at(TopicMenu::Exit));
        QVERIFY(!screens().isLoaded(ScreenId(screen)) && screens().isShowing(ScreenId::intro0));
    }

    // By keys alone: key facts whose keyboard never slips on to Exit and
    // comes back to the entry that opened them, then a whole quiz: letters,
    // arrows from the hidden no-answer button, and Tab round the answers and
    // the entries, never back to that button.
    void byKeysAlone() {
        for (const char* name : {"key progressa", "key progressb", "key progressc"})
            f->page(QString::fromUtf8(name));
        f->write(QStringLiteral("multiple/The Progress of the War.txt"),
                 composeQuestionFile(test_sets::sheet("Progress", test_sets::kPattern)));
        // Focus rings come, as the keys do, only to an active window.
        screens().stage().show();
        screens().stage().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&screens().stage()));
        startup::showTitleScreen(*f->program);
        // Enter answers the title's "OK" as Space does.
        key(Qt::Key_Return);
        QVERIFY(press(screens().form<Intro0>().Label2.at(Intro0::Progress)));
        TopicMenu& menu = screens().form<ProgressMenu>();
        MenuEntry* keyFacts = menu.label3.at(TopicMenu::KeyFacts);
        QVERIFY(press(keyFacts));
        auto& facts = screens().form<Teacher>();
        const QString kf = QStringLiteral("wmf/key progress%1.wmf, wmf2/key progress%1.wmf");
        QCOMPARE(pageState(facts), "Page 1 of 3, " + kf.arg(QChar(u'a')) + ", 01");
        QVERIFY(press(facts.Label3[PageViewer::Next]));
        QCOMPARE(pageState(facts), "Page 2 of 3, " + kf.arg(QChar(u'b')) + ", 11");
        key(Qt::Key_Return);
        QCOMPARE(pageState(facts), "Page 3 of 3, " + kf.arg(QChar(u'c')) + ", 10");
        QCOMPARE(focus(), facts.Label3[PageViewer::Previous]);
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        QCOMPARE(focus(), facts.Label3[PageViewer::Next]);
        QVERIFY(press(facts.Label3[PageViewer::Exit]));
        QCOMPARE(focus(), keyFacts);
        QVERIFY(keyFacts->showsFocusRing());

        QVERIFY(press(menu.label3.at(TopicMenu::MultipleChoice)));
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Progress"));
        QVERIFY(!quiz.Picture1()->pixmap().isNull());
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        for (int q = 1; q <= 10; ++q) {
            const int right = test_sets::kPattern[q - 1];
            if (q % 2) {
                key(Qt::Key(Qt::Key_A + right - 1));
            } else {
                QCOMPARE(focus(), quiz.Option1[Multiple::NoAnswer]);
                if (q == 2) {
                    for (QWidget* stop : std::initializer_list<QWidget*>{
                             quiz.Option1[1], quiz.Option1[2], quiz.Option1[3], quiz.Option1[4],
                             quiz.Label3[Multiple::Next], quiz.Label3[Multiple::Previous],
                             quiz.Label3[Multiple::PrintWorksheet], quiz.Label3[Multiple::Exit],
                             quiz.Option1[1]}) {
                        key(Qt::Key_Tab);
                        QCOMPARE(focus(), stop);
                    }
                    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
                    QCOMPARE(focus(), quiz.Label3[Multiple::Exit]);
                    QAccessibleInterface* hidden =
                        QAccessible::queryAccessibleInterface(quiz.Option1[Multiple::NoAnswer]);
                    QVERIFY(hidden && hidden->state().invisible);
                    QCOMPARE(
                        QAccessible::queryAccessibleInterface(quiz.client())->indexOfChild(hidden),
                        -1);
                }
                for (int a = 0; a < right; ++a)
                    key(a % 2 ? Qt::Key_Right : Qt::Key_Down);
            }
            if (q == 3) // changes its mind to a wrong answer
                key(Qt::Key(Qt::Key_A + right % 4));
            QCOMPARE(quiz.Option1[right]->isChecked(), q != 3);
            QVERIFY(press(quiz.Label3[Multiple::Next]));
        }
        QCOMPARE(screens().form<Welldone>().Label1->text(),
                 QStringLiteral("Good work. You have scored 9 out of 10."));
    }
};

OSTERVALE_TEST(RoadsTest)
#include "test_roads.moc"

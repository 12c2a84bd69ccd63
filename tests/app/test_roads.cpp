// The roads a pupil or teacher takes through the program, with the mouse and
// with nothing but keys: the title screen and the menus, an activity and the
// quiz to their results, and the reading pages.
#include "catalogue_state.h"
#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "page_state.h"
#include "print_service.h"
#include "shell_fixture.h"
#include "support/question_sets.h"
#include "support/recording_surface.h"
#include "testmain.h"
#include "viewers.h"
#include "welldone.h"
#include "wrong.h"

#include <QAccessible>
#include <QTest>

class RoadsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;
    bool seenAtClick = false;

    ScreenRegistry& screens() { return f->program->screens(); }
    QWidget* focus() { return screens().stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }
    QString result() { return screens().form<Welldone>().Label1->text(); }
    void watchAtClick(ScreenId id) {
        f->sound->onPlay = [this, id](const QString&) { seenAtClick = screens().isShowing(id); };
    }

    // Tabs on until the control has the keyboard (a screen never needs more
    // than a round of its stops), then presses it.
    bool press(QWidget* control, Qt::Key with = Qt::Key_Return) {
        for (int i = 0; i < 60 && focus() != control; ++i)
            key(Qt::Key_Tab);
        if (focus() != control)
            return false;
        key(with);
        return true;
    }
    // Focus rings come, as the keys do, only to an active window.
    TopicMenu& topicByKeys(int entry) {
        screens().stage().show();
        screens().stage().activateWindow();
        if (!QTest::qWaitForWindowActive(&screens().stage()))
            qFatal("the stage never became active");
        startup::showTitleScreen(*f->program);
        // Enter answers the title's "OK" as Space does.
        key(Qt::Key_Return);
        if (!screens().isShowing(Intro0::Id) || !press(screens().form<Intro0>().Label2.at(entry)))
            qFatal("the main menu does not answer the keyboard");
        const ScreenId id = entry == Intro0::Rationing ? ScreenId::rationing : ScreenId::progress;
        return *dynamic_cast<TopicMenu*>(screens().find(id));
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
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        seenAtClick = false;
    }
    void cleanup() { f.reset(); }

    // The title screen, the menu, sound off, Exit and Cancel, the menu loaded
    // again, and Exit for good.
    void fromTheTitleScreenToTheEnd() {
        f->write(QStringLiteral("multiple/track.txt"), " 2\r\nBlitz\r\nD-Day\r\n");
        Stage& stage = screens().stage();
        stage.resize(1280, 1024);
        startup::showTitleScreen(*f->program);
        QVERIFY(stage.isVisible() && screens().isShowing(ScreenId::Titlefrm));
        auto& title = screens().form<Titlefrm>();
        QCOMPARE(title.Caption(), QStringLiteral(" "));
        QCOMPARE(title.geometry().center(), QRect(0, 0, 1280, 1024).center());
        QVERIFY(!title.Picture1()->pixmap().isNull());
        f->sound->onPlay = [this](const QString&) {
            seenAtClick =
                screens().isShowing(ScreenId::intro0) && !screens().isLoaded(ScreenId::Titlefrm);
        };
        gui::click(title.Command1);
        QVERIFY(seenAtClick);
        f->sound->onPlay = {};
        Intro0& menu = screens().form<Intro0>();
        QVERIFY(menu.Option1->isChecked() && !menu.Image1->pixmap().isNull());
        QVERIFY(menu.Timer1->isActive());
        QTRY_VERIFY(!menu.Timer1->isActive());
        QCOMPARE(f->program->state<CatalogueState>().WorksheetTitles[2], QStringLiteral("D-Day"));

        gui::click(menu.Option2);
        gui::click(menu.Label2.at(Intro0::Exit));
        QCOMPARE(screens().form<Titlefrm>().Command1->text(), QStringLiteral("Cancel"));
        QVERIFY(screens().isShowing(ScreenId::Titlefrm) && !screens().isShowing(ScreenId::intro0));
        gui::click(screens().form<Titlefrm>().Command1);
        QCOMPARE(&screens().form<Intro0>(), &menu);
        QVERIFY(screens().isShowing(ScreenId::intro0) && !screens().isLoaded(ScreenId::Titlefrm));
        QVERIFY(menu.Option2->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        QCOMPARE(f->sound->played, QStringList{heard::Click});

        screens().unload(ScreenId::intro0);
        QVERIFY(screens().form<Intro0>().Option1->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(1));
        screens().form<Intro0>().Show();
        gui::click(screens().form<Intro0>().Label2.at(Intro0::Exit));
        QVERIFY(!f->ended);
        gui::click(screens().form<Titlefrm>().Command2);
        QVERIFY(f->ended);
        QCOMPARE(f->sound->played, QStringList(3, heard::Click));
    }

    // Before the menu has switched sound on, leaving is silent.
    void aMissingTitlePictureFallsBackAndExitIsSilent() {
        f->remove("Images/spitfism.jpg");
        startup::showTitleScreen(*f->program);
        auto& title = screens().form<Titlefrm>();
        QCOMPARE(title.Caption(), QStringLiteral("Ostervale"));
        QVERIFY(title.Picture1()->pixmap().toImage().pixelColor(10, 10).red() > 100);
        gui::click(title.Command2);
        QVERIFY(f->ended && f->sound->played.isEmpty());
    }

    void everyMenuEntryOpensItsScreenAsItClicks_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("menuStays");
        QTest::newRow("rationing") << int(Intro0::Rationing) << int(ScreenId::rationing) << true;
        QTest::newRow("progress") << int(Intro0::Progress) << int(ScreenId::progress) << true;
        QTest::newRow("wizard") << int(Intro0::Wizard) << int(ScreenId::wizard) << true;
        QTest::newRow("guide") << int(Intro0::Guide) << int(ScreenId::guide) << true;
        QTest::newRow("thanks") << int(Intro0::Acknowledgments) << int(ScreenId::teacher) << true;
        QTest::newRow("catalogue") << int(Intro0::Catalogue) << int(ScreenId::worksheets) << false;
    }
    void everyMenuEntryOpensItsScreenAsItClicks() {
        QFETCH(int, entry);
        QFETCH(int, screen);
        QFETCH(bool, menuStays);
        Intro0& menu = f->openMainMenu();
        watchAtClick(ScreenId(screen));
        gui::click(menu.Label2.at(entry));
        QVERIFY(seenAtClick);
        QCOMPARE(screens().isLoaded(ScreenId::intro0), menuStays);
        QCOMPARE(f->sound->played.size(), 2);
        if (auto* topic = dynamic_cast<TopicMenu*>(screens().find(ScreenId(screen)))) {
            // Behind the title and every entry, however large it is.
            QCOMPARE(topic->client()->children().indexOf(topic->Image1), 0);
            QVERIFY(!topic->Image1->pixmap().isNull());
            const bool rationing = entry == Intro0::Rationing;
            for (int activity : {TopicMenu::Labelling, TopicMenu::Ordering}) {
                gui::click(topic->label3.at(activity));
                auto* s = dynamic_cast<ActivityScreen*>(screens().stage().frontScreen());
                QVERIFY(s);
                QCOMPARE(s->id(), activity == TopicMenu::Labelling
                                      ? (rationing ? RationingLab::Id : ProgressLab::Id)
                                      : (rationing ? RationingOrd::Id : ProgressOrd::Id));
                // A screen reader announces the heading the pupil sees.
                QCOMPARE(s->Label6->text(), topic->Label1->text());
                QVERIFY(s->accessibleName().startsWith(topic->Label1->text() + u':'));
                gui::click(s->Label3[ActivityScreen::Exit]);
            }
            gui::click(topic->label3.at(TopicMenu::Exit));
            QVERIFY(!screens().isLoaded(ScreenId(screen)));
            QVERIFY(screens().isShowing(ScreenId::intro0));
        }
    }

    // A quiz whose questions are missing keeps the menu; the labels to full
    // marks.
    void labellingByMouseToFullMarksAndBack() {
        f->remove("multiple/Rationing.txt");
        TopicMenu& menu = f->openTopic(Intro0::Rationing);
        gui::click(menu.label3.at(TopicMenu::MultipleChoice));
        QCOMPARE(f->messages->shown.size(), 1);
        QVERIFY(f->messages->shown[0].contains(QStringLiteral("quiz cannot start")));
        QVERIFY(!screens().isLoaded(ScreenId::multiple) && screens().isShowing(menu.id()));
        gui::click(menu.label3.at(TopicMenu::Labelling));
        auto& lab = screens().form<RationingLab>();
        for (int i = 0; i < 4; ++i)
            gui::drag(lab.Label2[i], lab.client(), lab.Label1[i]->geometry().center());
        gui::click(lab.Label3[ActivityScreen::CheckScore]);
        QCOMPARE(result(), QStringLiteral("Excellent work. You have scored 4 out of 4."));
        // A triple click on "Exit" closes the results; the later clicks fall
        // on the activity's own "Exit" and leave it as it was.
        Stage& stage = screens().stage();
        const QPoint exit =
            screens().form<Welldone>().Label3[Welldone::Exit]->mapTo(&stage, QPoint(6, 6));
        gui::tripleClickAt(&stage, exit);
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
        QCOMPARE(stage.childAt(exit), lab.Label3[ActivityScreen::Exit]);
        QCOMPARE(stage.frontScreen(), &lab);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(lab.labelPlace(i).left, lab.slotPlace(i).left);
        gui::click(lab.Label3[ActivityScreen::Exit]);
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }

    // Left half-way, the quiz starts afresh; then a whole quiz by keys, and
    // its review back to the topic menu.
    void theQuizLeftThenDoneByKeysThenReviewed() {
        TopicMenu& menu = topicByKeys(Intro0::Rationing);
        QVERIFY(press(menu.label3.at(TopicMenu::MultipleChoice)));
        auto& first = screens().form<Multiple>();
        QCOMPARE(first.Label6->text(), QStringLiteral("Rationing"));
        QVERIFY(!first.Picture1()->pixmap().isNull());
        gui::click(first.Label3[Multiple::Next]);
        gui::click(first.Label3[Multiple::Exit]);
        QVERIFY(screens().isShowing(ScreenId::rationing));
        QVERIFY(press(menu.label3.at(TopicMenu::MultipleChoice)));
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        for (int q = 1; q <= 10; ++q) {
            const int right = test_sets::kPattern[q - 1];
            if (q % 2) {
                key(Qt::Key(Qt::Key_A + right - 1));
            } else {
                // Each question starts on the hidden no-answer button, and Tab
                // goes round the answers, then the entries, never back to it.
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
                // Down from no answer reaches A first.
                for (int a = 0; a < right; ++a)
                    key(a % 2 ? Qt::Key_Right : Qt::Key_Down);
            }
            if (q == 3) // changes its mind to a wrong answer
                key(Qt::Key(Qt::Key_A + right % 4));
            QCOMPARE(quiz.Option1[right]->isChecked(), q != 3);
            QVERIFY(press(quiz.Label3[Multiple::Next]));
        }
        QCOMPARE(result(), QStringLiteral("Good work. You have scored 9 out of 10."));
        gui::click(screens().form<Welldone>().Label3[Welldone::ReviewOrCertificate]);
        QCOMPARE(screens().form<Wrong>().Label2[0]->text(), QStringLiteral(" 3. Question 3?"));
        gui::click(screens().form<Wrong>().Label3);
        QVERIFY(screens().isShowing(ScreenId::rationing));
        QVERIFY(!screens().isLoaded(ScreenId::Welldone));
    }

    // Key facts by keys, the keyboard never slipping on to Exit; the notes
    // from page 1 whatever was read before, printed from their print version;
    // the acknowledgments' logo and the guide from the main menu.
    void theReadingPages() {
        for (const char* name : {"key progressa", "key progressb", "key progressc", "progressa",
                                 "guide1", "guide2", "guide3", "acknowledgments"})
            f->page(QString::fromUtf8(name));
        f->page(QStringLiteral("progressb"), QString());
        QVERIFY(QDir(f->dir.path()).mkpath(QStringLiteral("logo")));
        for (int frame = 0; frame < 20; ++frame) {
            QImage logo(120, 120, QImage::Format_RGB32);
            logo.fill(QColor(frame, 0, 0));
            QVERIFY(logo.save(f->path(Teacher::logoFrameFile(frame).replace(u'\\', u'/')), "BMP"));
        }
        QImage still(120, 89, QImage::Format_RGB32);
        still.fill(Qt::darkBlue);
        QVERIFY(still.save(f->path(QStringLiteral("logo/quorvane2.bmp")), "BMP"));
        QList<QPointF> printed;
        f->program->state<Printing>().openPrinter = [&printed](const PrintJob&) {
            auto surface = std::make_unique<RecordingSurface>();
            surface->onDone = [&printed](const RecordingSurface& s) { printed += s.pictures; };
            return std::unique_ptr<PrintSurface>(std::move(surface));
        };

        TopicMenu& menu = topicByKeys(Intro0::Progress);
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
        QCOMPARE(pageState(facts), "Page 1 of 3, " + kf.arg(QChar(u'a')) + ", 01");
        QCOMPARE(focus(), facts.Label3[PageViewer::Next]);
        key(Qt::Key_Return);
        QVERIFY(press(facts.Label3[PageViewer::Exit]));
        QVERIFY(!screens().isLoaded(Teacher::Id));
        QCOMPARE(focus(), keyFacts);
        QVERIFY(keyFacts->showsFocusRing());
        // The viewers are silent.
        QCOMPARE(f->sound->played.size(), 3);

        gui::click(menu.label3.at(TopicMenu::TeachersNotes));
        auto& notes = screens().form<Teacher>();
        QCOMPARE(pageState(notes), "Page 1 of 2, wmf/progressa.wmf, wmf2/progressa.wmf, 01");
        gui::click(notes.Label3[PageViewer::Print]);
        QCOMPARE(printed, QList<QPointF>{QPointF(1000, 1000)});
        QCOMPARE(notes.Image2->page()->sizeInTwips(), QSizeF(9300, 14000));
        // Blank paper is no page to a pupil, nor to print.
        gui::click(notes.Label3[PageViewer::Next]);
        QCOMPARE(pageState(notes), QStringLiteral("Page 2 of 2, , , 10"));
        QVERIFY(!notes.Image1->grab().toImage().isNull());
        gui::click(notes.Label3[PageViewer::Print]);
        QCOMPARE(f->messages->shown, QStringList{print_service::ProblemMessage});
        QCOMPARE(printed.size(), 1);
        gui::click(notes.Label3[PageViewer::Exit]);
        gui::click(menu.label3.at(TopicMenu::Exit));

        auto& main = screens().form<Intro0>();
        gui::click(main.Label2.at(Intro0::Acknowledgments));
        auto* thanks = &screens().form<Teacher>();
        QCOMPARE(f->program->state<PageState>().PageCount, 1);
        QVERIFY(thanks->Label1->isHidden() && thanks->Label3[PageViewer::Next]->isHidden());
        QVERIFY(thanks->Label3[PageViewer::Previous]->isHidden());
        QVERIFY(thanks->Image1->file().endsWith(QStringLiteral("wmf/acknowledgments.wmf")));
        QVERIFY(thanks->Picture1()->isHidden() && thanks->Picture2->isHidden());
        QCOMPARE(thanks->Picture2->pixmap().size(), QSize(120, 89));
        for (int i = 0; i < 22; ++i)
            thanks->Timer1_Timer();
        QCOMPARE(f->program->state<PageState>().LogoFrame, 2);
        QCOMPARE(thanks->Picture1()->pixmap().toImage().pixelColor(5, 5).red(), 2);
        QVERIFY(!thanks->Picture1()->isHidden());
        // The logo runs on where it was at the next opening.
        gui::click(thanks->Label3[PageViewer::Exit]);
        gui::click(main.Label2.at(Intro0::Acknowledgments));
        thanks = &screens().form<Teacher>();
        QVERIFY(thanks->Picture1()->isHidden() && thanks->Timer1->isActive());
        thanks->Timer1_Timer();
        QCOMPARE(f->program->state<PageState>().LogoFrame, 3);
        QVERIFY(!thanks->Picture2->isHidden());
        gui::click(thanks->Label3[PageViewer::Exit]);

        gui::click(main.Label2.at(Intro0::Guide));
        auto& guide = screens().form<Guide>();
        QCOMPARE(pageState(guide),
                 QStringLiteral("Page 1 of 3, wmf/guide1.wmf, wmf2/guide1.wmf, 01"));
        gui::click(guide.Label3[PageViewer::Next]);
        gui::click(guide.Label3[PageViewer::Next]);
        QCOMPARE(pageState(guide),
                 QStringLiteral("Page 3 of 3, wmf/guide3.wmf, wmf2/guide3.wmf, 10"));
    }
};

OSTERVALE_TEST(RoadsTest)
#include "test_roads.moc"

#include "catalogue_state.h"
#include "shell_fixture.h"
#include "testmain.h"

#include <QTest>

class ShellRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    Titlefrm& title() { return screens().form<Titlefrm>(); }
    // Whether the screen is showing at the moment the click is heard.
    bool seenAtClick = false;
    void watchAtClick(ScreenId id) {
        f->sound->onPlay = [this, id](const QString&) { seenAtClick = screens().isShowing(id); };
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        seenAtClick = false;
    }
    void cleanup() { f.reset(); }

    void titleScreenIsCentredAloneOnTheBackdropAndItsExitEndsSilently() {
        Stage& stage = screens().stage();
        stage.resize(1280, 1024);
        startup::showTitleScreen(*f->program);
        QVERIFY(stage.isVisible());
        QVERIFY(screens().isShowing(ScreenId::Titlefrm));
        QCOMPARE(title().Caption(), QStringLiteral(" "));
        QCOMPARE(title().Command1->text(), QStringLiteral("OK"));
        QCOMPARE(title().geometry().center(), QRect(0, 0, 1280, 1024).center());
        QVERIFY(!title().Picture1()->pixmap().isNull());
        gui::click(title().Command2);
        QVERIFY(f->ended);
        QVERIFY(f->sound->played.isEmpty());
    }

    void titleScreenFallsBackWhenItsPictureIsMissing() {
        f->remove("Images/spitfism.jpg");
        startup::showTitleScreen(*f->program);
        QCOMPARE(title().Caption(), QStringLiteral("Ostervale"));
        QVERIFY(title().Picture1()->pixmap().toImage().pixelColor(10, 10).red() > 100);
    }

    void okOpensTheMainMenuThenClicksWithSoundOn() {
        f->sound->onPlay = [this](const QString&) {
            seenAtClick =
                screens().isShowing(ScreenId::intro0) && !screens().isLoaded(ScreenId::Titlefrm);
        };
        Intro0& menu = f->openMainMenu();
        QCOMPARE(f->sound->played, QStringList{heard::Click});
        QVERIFY(seenAtClick);
        QCOMPARE(menu.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(1));
        QVERIFY(menu.Option1->isChecked());
        QVERIFY(!menu.Image1->pixmap().isNull());
    }

    void topicMenusOpenOverTheMainMenuAndExitBack_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("title");
        QTest::newRow("Rationing")
            << int(Intro0::Rationing) << int(ScreenId::rationing) << "Rationing";
        QTest::newRow("Progress") << int(Intro0::Progress) << int(ScreenId::progress)
                                  << "The Progress of the War";
    }
    void topicMenusOpenOverTheMainMenuAndExitBack() {
        QFETCH(int, entry);
        QFETCH(int, screen);
        QFETCH(QString, title);
        const auto id = ScreenId(screen);
        Intro0& menu = f->openMainMenu();
        watchAtClick(id);
        gui::click(menu.Label2.at(entry));
        QVERIFY(seenAtClick);
        f->sound->onPlay = {};
        auto& topic = *dynamic_cast<TopicMenu*>(screens().find(id));
        QCOMPARE(topic.Label1->text(), title);
        QVERIFY(!topic.Image1->pixmap().isNull());
        // Behind the title and every entry, however large it is.
        QCOMPARE(topic.client()->children().indexOf(topic.Image1), 0);
        QVERIFY(screens().isLoaded(ScreenId::intro0));
        gui::click(topic.label3.at(TopicMenu::Exit));
        QVERIFY(!screens().isLoaded(id));
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QCOMPARE(f->sound->played.size(), 3);
    }

    void exitThenCancelKeepsTheSameMainMenu() {
        Intro0& menu = f->openMainMenu();
        gui::click(menu.Option2);
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        gui::click(menu.Label2.at(Intro0::Exit));
        QCOMPARE(title().Command1->text(), QStringLiteral("Cancel"));
        QVERIFY(screens().isShowing(ScreenId::Titlefrm));
        QVERIFY(!screens().isShowing(ScreenId::intro0) && screens().isLoaded(ScreenId::intro0));
        gui::click(title().Command1);
        QCOMPARE(&screens().form<Intro0>(), &menu);
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QVERIFY(!screens().isLoaded(ScreenId::Titlefrm));
        QVERIFY(menu.Option2->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        QCOMPARE(f->sound->played, QStringList{heard::Click});
        QVERIFY(!f->ended);
    }

    void exitThenExitEndsWithAClick() {
        gui::click(f->openMainMenu().Label2.at(Intro0::Exit));
        gui::click(title().Command2);
        QVERIFY(f->ended);
        QCOMPARE(f->sound->played, (QStringList{heard::Click, heard::Click, heard::Click}));
    }

    void reloadingTheMainMenuSwitchesSoundBackOn() {
        gui::click(f->openMainMenu().Option2);
        screens().unload(ScreenId::intro0);
        QVERIFY(screens().form<Intro0>().Option1->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(1));
    }

    void mainMenuReadsTheCatalogueOnceShown() {
        f->write(QStringLiteral("multiple/track.txt"), " 2\r\nBlitz\r\nD-Day\r\n");
        Intro0& menu = f->openMainMenu();
        QVERIFY(menu.Timer1->isActive());
        QTRY_VERIFY(!menu.Timer1->isActive());
        QCOMPARE(f->program->state<CatalogueState>().WorksheetCount, 2);
        QCOMPARE(f->program->state<CatalogueState>().WorksheetTitles[2], QStringLiteral("D-Day"));
    }

    void theTeachersEntriesOpenTheirScreens_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("menuStays");
        QTest::newRow("wizard") << int(Intro0::Wizard) << int(ScreenId::wizard) << true;
        QTest::newRow("guide") << int(Intro0::Guide) << int(ScreenId::guide) << true;
        QTest::newRow("acknowledgments")
            << int(Intro0::Acknowledgments) << int(ScreenId::teacher) << true;
        QTest::newRow("catalogue") << int(Intro0::Catalogue) << int(ScreenId::worksheets) << false;
    }
    void theTeachersEntriesOpenTheirScreens() {
        QFETCH(int, entry);
        QFETCH(int, screen);
        QFETCH(bool, menuStays);
        Intro0& menu = f->openMainMenu();
        watchAtClick(ScreenId(screen));
        gui::click(menu.Label2.at(entry));
        QVERIFY(seenAtClick);
        QCOMPARE(screens().isLoaded(ScreenId::intro0), menuStays);
        QCOMPARE(f->sound->played.size(), 2);
    }
};

OSTERVALE_TEST(ShellRoadTest)
#include "test_shell_road.moc"

#include "catalogue_state.h"
#include "intro0.h"
#include "shell_fixture.h"
#include "support/gui.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"

#include <QTest>

namespace {
const QString kClick = QStringLiteral("wav\\click.wav");

using gui::click;
} // namespace

class ShellRoadTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    Intro0& startAndOpenMainMenu() { return f->openMainMenu(); }

private Q_SLOTS:
    void init() { f = std::make_unique<ShellFixture>(); }
    void cleanup() { f.reset(); }

    void titleScreenIsCentredAloneOnTheBackdrop() {
        Stage& stage = screens().stage();
        stage.resize(1280, 1024);
        startup::showTitleScreen(*f->program);
        auto& title = screens().form<Titlefrm>();
        QVERIFY(stage.isVisible());
        QCOMPARE(stage.backColor(), QColor(48, 133, 214));
        QVERIFY(screens().isShowing(ScreenId::Titlefrm));
        QCOMPARE(title.Caption(), QStringLiteral(" "));
        QCOMPARE(title.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(title.client()->size(), QSize(364, 438));
        QCOMPARE(title.geometry().center(), QRect(0, 0, 1280, 1024).center());
        QVERIFY(!title.Picture1()->pixmap().isNull());
    }

    void titleScreenFallsBackWhenItsPictureIsMissing() {
        f->remove("Images/spitfism.jpg");
        startup::showTitleScreen(*f->program);
        auto& title = screens().form<Titlefrm>();
        QCOMPARE(title.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(title.size(), QSize(800, 600));
        QCOMPARE(title.Picture1()->backColor(), QColor(49, 135, 214));
        QCOMPARE(title.Picture1()->pixmap().toImage().pixelColor(10, 10).red() > 100, true);
    }

    void firstExitEndsSilently() {
        startup::showTitleScreen(*f->program);
        click(screens().form<Titlefrm>().Command2);
        QVERIFY(f->ended);
        QVERIFY(f->sound->played.isEmpty());
    }

    void okOpensTheMainMenuThenClicks() {
        bool menuShowingAtClick = false;
        f->sound->onPlay = [&](const QString&) {
            menuShowingAtClick =
                screens().isShowing(ScreenId::intro0) && !screens().isLoaded(ScreenId::Titlefrm);
        };
        Intro0& menu = startAndOpenMainMenu();
        QCOMPARE(f->sound->played, QStringList{kClick});
        QVERIFY(menuShowingAtClick);
        QCOMPARE(menu.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(menu.size(), QSize(800, 600));
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(1));
        QVERIFY(menu.Option1->isChecked());
        QVERIFY(!menu.Image1->pixmap().isNull());
    }

    void topicMenusOpenOverTheMainMenuAndExitBack_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("title");
        QTest::newRow("Rationing") << 2 << int(ScreenId::rationing) << "Rationing";
        QTest::newRow("Progress") << 9 << int(ScreenId::progress) << "The Progress of the War";
    }
    void topicMenusOpenOverTheMainMenuAndExitBack() {
        QFETCH(int, entry);
        QFETCH(int, screen);
        QFETCH(QString, title);
        const auto id = ScreenId(screen);
        Intro0& menu = startAndOpenMainMenu();
        bool topicShowingAtClick = false;
        f->sound->onPlay = [&](const QString&) { topicShowingAtClick = screens().isShowing(id); };
        click(menu.Label2.at(entry));
        QVERIFY(topicShowingAtClick);
        auto& topic = *dynamic_cast<TopicMenu*>(screens().find(id));
        QCOMPARE(topic.Label1->text(), title);
        QVERIFY(!topic.Image1->pixmap().isNull());
        QVERIFY(screens().isLoaded(ScreenId::intro0));

        f->sound->onPlay = {};
        click(topic.label3.at(2));
        QVERIFY(!screens().isLoaded(id));
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QCOMPARE(f->sound->played.size(), 3);
    }

    void topicPicturesArePlacedByTheirMenu() {
        auto& rationing = screens().form<RationingMenu>();
        QCOMPARE(rationing.BackColor(), QColor(39, 63, 137));
        QCOMPARE(rationing.Image1->geometry(), QRect((800 - 420) / 2, 80, 420, 400));
        auto& progress = screens().form<ProgressMenu>();
        QCOMPARE(progress.BackColor(), QColor(0, 0, 0));
        QCOMPARE(progress.Image1->geometry(), QRect(0, 0, 800, 537));
        // Behind the title and every entry.
        QCOMPARE(progress.client()->children().indexOf(progress.Image1), 0);
    }

    void exitThenCancelKeepsTheSameMainMenu() {
        Intro0& menu = startAndOpenMainMenu();
        click(menu.Option2);
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        click(menu.Label2.at(16));
        auto& title = screens().form<Titlefrm>();
        QCOMPARE(title.Command1->text(), QStringLiteral("Cancel"));
        QVERIFY(screens().isShowing(ScreenId::Titlefrm));
        QVERIFY(!screens().isShowing(ScreenId::intro0));
        QVERIFY(screens().isLoaded(ScreenId::intro0));

        click(title.Command1);
        QCOMPARE(&screens().form<Intro0>(), &menu);
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QVERIFY(!screens().isLoaded(ScreenId::Titlefrm));
        QVERIFY(menu.Option2->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(0));
        QCOMPARE(f->sound->played, QStringList{kClick});
    }

    void exitThenExitEndsWithAClick() {
        Intro0& menu = startAndOpenMainMenu();
        click(menu.Label2.at(16));
        click(screens().form<Titlefrm>().Command2);
        QVERIFY(f->ended);
        QCOMPARE(f->sound->played, (QStringList{kClick, kClick, kClick}));
    }

    void theWholeRoadOutAndBack() {
        Intro0& menu = startAndOpenMainMenu();
        click(menu.Label2.at(9));
        click(screens().form<ProgressMenu>().label3.at(2));
        click(menu.Label2.at(16));
        click(screens().form<Titlefrm>().Command1);
        QVERIFY(screens().isShowing(ScreenId::intro0));
        QVERIFY(!f->ended);
        click(menu.Label2.at(16));
        click(screens().form<Titlefrm>().Command2);
        QVERIFY(f->ended);
        QCOMPARE(f->sound->played.size(), 7);
    }

    void reloadingTheMainMenuSwitchesSoundBackOn() {
        Intro0& menu = startAndOpenMainMenu();
        click(menu.Option2);
        screens().unload(ScreenId::intro0);
        Intro0& fresh = screens().form<Intro0>();
        QVERIFY(fresh.Option1->isChecked());
        QCOMPARE(f->program->shell.SoundOn, std::optional<int>(1));
    }

    void mainMenuReadsTheCatalogueOnceShown() {
        QFile track(f->dir.filePath(QStringLiteral("multiple/track.txt")));
        QVERIFY(track.open(QIODevice::WriteOnly));
        track.write(" 2\r\nBlitz\r\nD-Day\r\n");
        track.close();
        Intro0& menu = startAndOpenMainMenu();
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
        Intro0& menu = startAndOpenMainMenu();
        bool openAtClick = false;
        f->sound->onPlay = [&](const QString&) {
            openAtClick = screens().isShowing(ScreenId(screen));
        };
        click(menu.Label2.at(entry));
        QVERIFY(openAtClick);
        QCOMPARE(screens().isLoaded(ScreenId::intro0), menuStays);
        QCOMPARE(f->sound->played.size(), 2);
    }
};

OSTERVALE_TEST(ShellRoadTest)
#include "test_shell_road.moc"

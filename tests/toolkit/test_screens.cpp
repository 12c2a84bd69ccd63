#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "testmain.h"
#include "twips.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A screen with a picture box and three entries, the middle one greyed.
class PlainScreen : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::teacher;
    static inline int loads = 0;

    explicit PlainScreen(Program& p, bool withPicture = true) : Screen(p, Id) {
        if (withPicture)
            picture = new PictureBox(client());
        for (int i = 0; i < 3; ++i) {
            entries[i] = new MenuEntry(client(), QStringLiteral("Entry"), Qt::black, QFont());
            entries[i]->setGeometry(10, 10 + 40 * i, 100, 30);
            addToMenuList(entries[i]);
        }
        entries[1]->setEnabled(false);
    }
    void Form_Load() override {
        ++loads;
        SetUpForm();
    }
    QWidget* Picture1() override { return picture; }

    PictureBox* picture = nullptr;
    MenuEntry* entries[3];
};

class NoPictureScreen : public PlainScreen {
public:
    static constexpr ScreenId Id = ScreenId::guide;
    explicit NoPictureScreen(Program& p) : PlainScreen(p, false) {}
};
} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    RecordingSound* sound = nullptr;

private Q_SLOTS:
    void init() {
        auto recorder = std::make_unique<RecordingSound>();
        sound = recorder.get();
        program = std::make_unique<Program>(dir.path(), std::move(recorder),
                                            std::make_unique<RecordingMessages>());
        PlainScreen::loads = 0;
    }
    void cleanup() { program.reset(); }

    void firstTouchLoadsOnceAndUnloadStartsAfresh() {
        ScreenRegistry& screens = program->screens();
        QVERIFY(!screens.isLoaded(PlainScreen::Id));
        PlainScreen& first = screens.form<PlainScreen>();
        QCOMPARE(PlainScreen::loads, 1);
        QVERIFY(!first.isVisible());
        first.setCaption(QStringLiteral("changed"));
        QCOMPARE(&screens.form<PlainScreen>(), &first);
        QCOMPARE(PlainScreen::loads, 1);

        screens.unload(PlainScreen::Id);
        QVERIFY(!screens.isLoaded(PlainScreen::Id));
        PlainScreen& second = screens.form<PlainScreen>();
        QCOMPARE(PlainScreen::loads, 2);
        QCOMPARE(second.Caption(), QStringLiteral("Ostervale"));
    }

    void setUpFormGivesTheStandardScreen_data() {
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("with Picture1") << true;
        QTest::newRow("without Picture1") << false;
    }
    void setUpFormGivesTheStandardScreen() {
        QFETCH(bool, withPicture);
        Stage& stage = program->screens().stage();
        stage.resize(1000, 700);
        Screen& screen = withPicture ? static_cast<Screen&>(program->screens().form<PlainScreen>())
                                     : program->screens().form<NoPictureScreen>();
        QCOMPARE(screen.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(screen.BackColor(), QColor(39, 63, 137));
        QCOMPARE(screen.size(), QSize(800, 600));
        // Centred on the desktop with the fraction kept: (15000 - 12000) / 2.
        QCOMPARE(screen.Left(), 1500.0f);
        QCOMPARE(screen.Top(), 750.0f);
        QCOMPARE(screen.pos(), QPoint(100, 50));
        QCOMPARE(screen.cursor().shape(), Qt::ArrowCursor);
        if (withPicture)
            QCOMPARE(static_cast<PlainScreen&>(screen).picture->backColor(), QColor(49, 135, 214));
    }

    void hoverLightsOneEntryAndGreyedEntriesPassMovesOn() {
        Stage& stage = program->screens().stage();
        stage.show();
        PlainScreen& screen = program->screens().form<PlainScreen>();
        screen.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&stage));
        auto opaque = [&] {
            return QList<bool>{screen.entries[0]->isOpaque(), screen.entries[1]->isOpaque(),
                               screen.entries[2]->isOpaque()};
        };
        QCOMPARE(opaque(), (QList<bool>{true, true, true}));

        QTest::mouseMove(screen.client(), QPoint(300, 300));
        QCOMPARE(opaque(), (QList<bool>{false, false, false}));

        QTest::mouseMove(screen.entries[2], QPoint(5, 5));
        QCOMPARE(opaque(), (QList<bool>{false, false, true}));

        // Over the greyed entry the screen gets the move: nothing stays lit.
        QTest::mouseMove(screen.entries[1], QPoint(5, 5));
        QCOMPARE(opaque(), (QList<bool>{false, false, false}));

        QSignalSpy clicks(screen.entries[1], &MenuEntry::clicked);
        QTest::mouseClick(screen.entries[1], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 0);
    }

    void onlyALeftClickInsideAnEntryClicks() {
        program->screens().stage().show();
        PlainScreen& screen = program->screens().form<PlainScreen>();
        screen.Show();
        QSignalSpy clicks(screen.entries[0], &MenuEntry::clicked);
        QTest::mouseClick(screen.entries[0], Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(screen.entries[0], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.count(), 1);
    }

    void playSoundOnlyWhileTheSwitchIsOn() {
        program->PlaySound(QStringLiteral("wav\\click.wav"));
        program->shell.SoundOn = 0;
        program->PlaySound(QStringLiteral("wav\\click.wav"));
        QVERIFY(sound->played.isEmpty());
        program->shell.SoundOn = 1;
        program->PlaySound(QStringLiteral("wav\\gong.wav"));
        QCOMPARE(sound->played, QStringList{QStringLiteral("wav\\gong.wav")});
        QVERIFY(program->screens().stageLoaded());
    }

    void backdropCoversOpenScreensUntilTheyAreShownAgain() {
        ScreenRegistry& screens = program->screens();
        PlainScreen& screen = screens.form<PlainScreen>();
        screen.Show();
        QVERIFY(screens.isShowing(PlainScreen::Id));
        screens.stage().bringToFront();
        QVERIFY(screen.isVisible());
        QVERIFY(!screens.isShowing(PlainScreen::Id));
        screen.Show();
        QVERIFY(screens.isShowing(PlainScreen::Id));
    }

    void missingOrUnreadablePicturesGiveNothing() {
        const MaterialPaths paths(dir.path());
        QVERIFY(!LoadPicture(paths, QStringLiteral("Images\\none.jpg")));
        QFile bad(dir.filePath(QStringLiteral("bad.jpg")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        QVERIFY(!LoadPicture(paths, QStringLiteral("bad.jpg")));
        QImage gif(7, 5, QImage::Format_RGB32);
        gif.fill(Qt::red);
        QVERIFY(gif.save(dir.filePath(QStringLiteral("x.gif")), "BMP"));
        const auto loaded = LoadPicture(paths, QStringLiteral("X.GIF"));
        QVERIFY(loaded);
        QCOMPARE(loaded->size(), QSize(7, 5));
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

#include "controls.h"
#include "menu_entry.h"
#include "pictures.h"
#include "style.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "testmain.h"
#include "twips.h"

#include <QAccessible>
#include <QBuffer>
#include <QTest>

namespace {
// A screen with a picture box, a sound-style option button and three
// entries, the middle one greyed.
class PlainScreen : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::teacher;
    static inline int loads = 0;

    explicit PlainScreen(Program& p, bool withPicture = true, ScreenId id = Id) : Screen(p, id) {
        if (withPicture)
            picture = new PictureBox(client());
        option = new OptionButton(QStringLiteral("Sound Off"), client());
        place(option, 4500, 150, 1500, 300);
        const controls::EntryDesign designs[] = {
            {.index = 0, .caption = "Entry", .place = {150, 150, 1500, 450}},
            {.index = 1, .caption = "Entry", .place = {150, 750, 1500, 450}, .enabled = false},
            {.index = 2, .caption = "Entry", .place = {150, 1350, 1500, 450}},
        };
        entries = addEntries(designs, [this](int index) { clicked.append(index); });
    }
    void Form_Load() override {
        ++loads;
        SetUpForm();
    }
    QWidget* Picture1() override { return picture; }

    PictureBox* picture = nullptr;
    OptionButton* option = nullptr;
    Entries entries;
    QList<int> clicked;
};

// A second screen, without a picture, that opens over the first with its
// entries on the same spots.
class OverScreen : public PlainScreen {
public:
    static constexpr ScreenId Id = ScreenId::guide;
    explicit OverScreen(Program& p) : PlainScreen(p, false, Id) {}
};

// Counts the paint events a widget and everything on it receive.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* root) {
        root->installEventFilter(this);
        for (QWidget* w : root->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }

    // The plain screen, and the other over it when asked, on a shown stage.
    PlainScreen& showPlain(bool withOver = false) {
        screens().stage().show();
        auto& under = screens().form<PlainScreen>();
        under.Show();
        if (withOver)
            screens().form<OverScreen>().Show();
        return under;
    }
    static QList<bool> opaque(PlainScreen& screen) {
        return {screen.entries[0]->isOpaque(), screen.entries[1]->isOpaque(),
                screen.entries[2]->isOpaque()};
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        PlainScreen::loads = 0;
    }
    void cleanup() {
        f.reset();
        twips::setScale(1);
    }

    void firstTouchLoadsOnceAndUnloadStartsAfresh() {
        QVERIFY(!screens().isLoaded(PlainScreen::Id));
        PlainScreen& first = screens().form<PlainScreen>();
        QVERIFY(!first.isVisible());
        first.setCaption(QStringLiteral("changed"));
        QCOMPARE(&screens().form<PlainScreen>(), &first);
        QCOMPARE(PlainScreen::loads, 1);
        screens().unload(PlainScreen::Id);
        QVERIFY(!screens().isLoaded(PlainScreen::Id));
        QCOMPARE(screens().form<PlainScreen>().Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(PlainScreen::loads, 2);
    }

    void theRegistryNeverHandsOutTheWrongClass() {
        // An id with no screen defined gives nothing rather than throwing
        // out of a click handler.
        QCOMPARE(screens().get(ScreenId::worksheets), nullptr);
        screens().define<OverScreen>();
        QVERIFY(dynamic_cast<OverScreen*>(screens().get(OverScreen::Id)));
        // Another class loaded under an id is replaced, not cast.
        screens().form<PlainScreen>();
        screens().unload(PlainScreen::Id);
        QCOMPARE(&screens().form<OverScreen>(), screens().find(OverScreen::Id));
    }

    void setUpFormCentresTheStandardScreenWithOrWithoutAPicture() {
        screens().stage().resize(1000, 700);
        for (Screen* screen : std::initializer_list<Screen*>{&screens().form<PlainScreen>(),
                                                             &screens().form<OverScreen>()}) {
            QCOMPARE(screen->Caption(), QStringLiteral("Ostervale"));
            QCOMPARE(screen->BackColor(), style::ScreenBack);
            // The fraction is kept: (15000 - 12000) / 2 twips across.
            QCOMPARE(screen->Left(), 1500.0f);
            QCOMPARE(screen->Top(), 750.0f);
            QCOMPARE(screen->pos(), QPoint(100, 50));
            // The hourglass of the set-up is gone again.
            QCOMPARE(screen->cursor().shape(), Qt::ArrowCursor);
        }
        QCOMPARE(screens().form<PlainScreen>().picture->backColor(), style::PictureBack);
    }

    void rectanglesRoundAsAWholeAndFollowTheScale() {
        // Two boxes that meet in twips meet on screen: 7 + 7 twips must not
        // leave a gap or an overlap of a pixel.
        QCOMPARE(twips::rect(7, 7, 7, 7).right() + 1, twips::rect(14, 7, 7, 7).left());
        QCOMPARE(twips::rect(0, 0, 12000, 9000), QRect(0, 0, 800, 600));
        twips::setScale(1.5f);
        QCOMPARE(twips::rect(0, 0, 12000, 9000), QRect(0, 0, 1200, 900));
        QCOMPARE(twips::font(QStringLiteral("Tahoma"), 12).pixelSize(), 24);
        QCOMPARE(twips::perPixel(), 10.0f);
    }

    void hoverLightsOneEntryAndOnlyTheBackgroundClearsIt() {
        PlainScreen& screen = showPlain();
        QVERIFY(QTest::qWaitForWindowExposed(&screens().stage()));
        QCOMPARE(opaque(screen), (QList<bool>{true, true, true}));
        QTest::mouseMove(screen.client(), QPoint(300, 300));
        QCOMPARE(opaque(screen), (QList<bool>{false, false, false}));
        QTest::mouseMove(screen.entries[2], QPoint(5, 5));
        QCOMPARE(opaque(screen), (QList<bool>{false, false, true}));
        // An option button keeps the pointer's moves to itself.
        QTest::mouseMove(screen.option, QPoint(5, 5));
        QCOMPARE(opaque(screen), (QList<bool>{false, false, true}));
        // Over the greyed entry the screen gets the move: nothing stays lit.
        QTest::mouseMove(screen.entries[1], QPoint(5, 5));
        QCOMPARE(opaque(screen), (QList<bool>{false, false, false}));
        gui::click(screen.entries[1]);
        QVERIFY(screen.clicked.isEmpty());
    }

    void onlyALeftPressAndReleaseInsideAnEntryClicks() {
        PlainScreen& screen = showPlain();
        MenuEntry* entry = screen.entries[0];
        QTest::mouseClick(entry, Qt::RightButton, {}, QPoint(5, 5));
        // The pupil changes their mind and lets go elsewhere.
        QTest::mousePress(entry, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(entry, Qt::LeftButton, {}, QPoint(entry->width() + 10, 5));
        QVERIFY(screen.clicked.isEmpty());
        gui::click(entry);
        QCOMPARE(screen.clicked, QList<int>{0});
    }

    void keysGoOnlyToTheScreenInFront() {
        Stage& stage = screens().stage();
        PlainScreen& under = showPlain();
        QCOMPARE(stage.focusWidget(), under.option);
        auto& over = screens().form<OverScreen>();
        over.Show();
        QCOMPARE(stage.frontScreen(), &over);
        QVERIFY(over.isAncestorOf(stage.focusWidget()));
        // Even a key sent straight at the covered screen's controls is lost.
        QTest::keyClick(under.option, Qt::Key_Space);
        QVERIFY(!under.option->isChecked());
        under.entries[2]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(under.entries[2], Qt::Key_Return);
        QVERIFY(under.clicked.isEmpty());
        over.takeFocus();
        QTest::keyClick(over.option, Qt::Key_Space);
        QVERIFY(over.option->isChecked());
        // Tab never leaves the screen in front.
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(stage.focusWidget(), Qt::Key_Tab);
            QVERIFY(over.isAncestorOf(stage.focusWidget()) || stage.focusWidget() == &over);
        }
        // A screen reader finds the covered screen empty and unseen.
        QAccessibleInterface* hidden = QAccessible::queryAccessibleInterface(&under);
        QAccessibleInterface* front = QAccessible::queryAccessibleInterface(&over);
        QCOMPARE(front->role(), QAccessible::Dialog);
        QVERIFY(front->childCount() > 0 && !front->state().invisible);
        QVERIFY(hidden->state().invisible);
        QCOMPARE(hidden->childCount(), 0);
        // Closing the screen in front hands the keyboard to the one beneath.
        screens().unload(OverScreen::Id);
        QVERIFY(!hidden->state().invisible && hidden->childCount() > 0);
        QCOMPARE(stage.frontScreen(), &under);
        QVERIFY(under.isAncestorOf(stage.focusWidget()));
        // The backdrop in front covers every screen until it is shown again.
        stage.bringToFront();
        QCOMPARE(stage.frontScreen(), nullptr);
        QVERIFY(under.isVisible() && !screens().isShowing(PlainScreen::Id));
        QTest::keyClick(under.option, Qt::Key_Space);
        QVERIFY(!under.option->isChecked());
        under.Show();
        QVERIFY(screens().isShowing(PlainScreen::Id));
    }

    void theSecondClickOfADoubleClickStaysWithItsScreen() {
        Stage& stage = screens().stage();
        PlainScreen& under = showPlain(true);
        auto& over = screens().form<OverScreen>();
        // The first click closes the screen on top; the second lands on the
        // option button that lay beneath it, and must not act.
        QObject::connect(over.entries[0], &MenuEntry::clicked, &over,
                         [this] { screens().unload(OverScreen::Id); });
        under.option->move(over.entries[0]->pos());
        under.option->raise();
        gui::doubleClickAt(&stage, over.entries[0]->mapTo(&stage, QPoint(6, 6)));
        QVERIFY(!screens().isLoaded(OverScreen::Id));
        QVERIFY(!under.option->isChecked());
        // On one screen a double-click is one click, not two.
        gui::doubleClickAt(&stage, under.entries[2]->mapTo(&stage, QPoint(6, 6)));
        QCOMPARE(under.clicked, QList<int>{2});
    }

    // A screen paints every pixel of its panel, so a screen in front hides
    // the ones beneath from Qt too: repainting it repaints nothing of theirs.
    void aScreenInFrontSparesTheScreensItCovers() {
        PlainScreen& under = showPlain(true);
        QVERIFY(QTest::qWaitForWindowExposed(&screens().stage()));
        auto& over = screens().form<OverScreen>();
        QCOMPARE(over.geometry(), under.geometry());
        QCoreApplication::processEvents();
        PaintCounter beneath(&under), front(&over);
        over.setCaption(QStringLiteral("Repainted"));
        over.client()->update();
        QTRY_VERIFY(front.paints > 0);
        QCoreApplication::processEvents();
        QCOMPARE(beneath.paints, 0);
        // Uncovered, it is painted again: the count above could have seen it.
        over.hide();
        QTRY_VERIFY(beneath.paints > 0);
    }

    // Entries and boxes share one black pixel all round. A box is often
    // redrawn only in part (a dragged label uncovers a strip of it on every
    // move), and a part redrawn alone must match the whole.
    void thinBordersAreOneBlackPixelAllRoundEvenRedrawnInPart() {
        PlainScreen& s = screens().form<PlainScreen>();
        BoxLabel empty(s.client());
        BoxLabel titled(QStringLiteral("Page 1"), s.client());
        for (QLabel* w : std::initializer_list<QLabel*>{&empty, &titled, s.entries[0]}) {
            controls::setBackColour(w, style::Navy);
            controls::setTextColour(w, style::Yellow);
            w->setAutoFillBackground(true);
            w->resize(97, 28);
            const QImage whole = w->grab().toImage();
            const int r = w->width() - 1, b = w->height() - 1;
            auto isBlack = [&](int x, int y) {
                return whole.pixelColor(x, y) == QColor(Qt::black);
            };
            for (int x = 0; x <= r; ++x)
                QVERIFY2(isBlack(x, 0) && isBlack(x, b), qPrintable(w->text()));
            for (int y = 0; y <= b; ++y)
                QVERIFY2(isBlack(0, y) && isBlack(r, y), qPrintable(w->text()));
            // One pixel thick: just inside is the ground.
            for (const QPoint& in : {QPoint(1, b - 1), QPoint(r - 1, b - 1), QPoint(r - 1, 1)})
                QCOMPARE(whole.pixelColor(in), QColor(style::Navy));
            // And the text, where there is one, inside it.
            bool inked = false;
            for (int y = 1; y < b; ++y)
                for (int x = 1; x < r; ++x)
                    inked = inked || whole.pixelColor(x, y).red() > 128;
            QCOMPARE(inked, !w->text().isEmpty());

            // An L-shaped strip, as a label moved a little up and right
            // leaves uncovered.
            const QRegion strip = QRegion(0, 0, 3, b + 1) + QRegion(0, b - 1, r + 1, 2);
            QImage part(whole.size(), QImage::Format_ARGB32_Premultiplied);
            part.fill(Qt::red);
            w->render(&part, {}, strip);
            for (int y = 0; y <= b; ++y)
                for (int x = 0; x <= r; ++x)
                    QCOMPARE(part.pixelColor(x, y), strip.contains(QPoint(x, y))
                                                        ? whole.pixelColor(x, y)
                                                        : QColor(Qt::red));
        }
    }

    void picturesFitOrFillTheirBoxOrKeepTheirSize() {
        PictureBox box(nullptr);
        box.resize(200, 100);
        QPixmap big(800, 200);
        big.fill(Qt::red);
        box.setScaling(PictureBox::Scaling::Fit);
        box.setPicture(big);
        QCOMPARE(box.pixmap().size(), QSize(200, 50));
        box.setScaling(PictureBox::Scaling::None);
        box.setPicture(big);
        QCOMPARE(box.pixmap().size(), QSize(800, 200));
        // Filling, a tall picture shows only its middle band, and no bars.
        QImage tall(100, 300, QImage::Format_RGB32);
        tall.fill(Qt::red);
        for (int y = 125; y < 175; ++y)
            for (int x = 0; x < 100; ++x)
                tall.setPixelColor(x, y, Qt::green);
        box.setScaling(PictureBox::Scaling::Fill);
        box.setPicture(QPixmap::fromImage(tall));
        const QImage shown = box.pixmap().toImage();
        QCOMPARE(shown.size(), box.size());
        for (const QPoint p :
             {QPoint(0, 3), QPoint(199, 3), QPoint(100, 50), QPoint(0, 96), QPoint(199, 96)})
            QVERIFY2(shown.pixelColor(p).green() > 200 && shown.pixelColor(p).red() < 60,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }

    void missingOrUnreadablePicturesGiveNothing() {
        const MaterialPaths paths(f->dir.path());
        QVERIFY(!LoadPicture(paths, QStringLiteral("Images\\none.jpg")));
        f->write(QStringLiteral("bad.jpg"), "not a picture");
        QVERIFY(!LoadPicture(paths, QStringLiteral("bad.jpg")));
        QImage gif(7, 5, QImage::Format_RGB32);
        gif.fill(Qt::red);
        QVERIFY(gif.save(f->path(QStringLiteral("x.gif")), "BMP"));
        const auto loaded = LoadPicture(paths, QStringLiteral("X.GIF"));
        QVERIFY(loaded);
        QCOMPARE(loaded->size(), QSize(7, 5));
    }

    // Found by fuzzing: 300 bytes of JPEG claiming 171 x 65263 pixels took
    // seconds to decode. A header that claims more than the largest screen
    // is refused before decoding; real pictures of any sensible size load.
    void picturesClaimingHugeSizesAreRefused() {
        QImage small(40, 30, QImage::Format_RGB32);
        small.fill(Qt::blue);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(small.save(&buffer, "JPEG"));
        // The frame header (FFC0) holds the height and then the width.
        const qsizetype frame = jpeg.indexOf("\xFF\xC0");
        QVERIFY(frame > 0);
        auto claim = [&](int width, int height) {
            QByteArray bytes = jpeg;
            bytes[frame + 5] = char(height >> 8);
            bytes[frame + 6] = char(height & 0xFF);
            bytes[frame + 7] = char(width >> 8);
            bytes[frame + 8] = char(width & 0xFF);
            f->write(QStringLiteral("Images/claim.jpg"), bytes);
            return LoadPicture(MaterialPaths(f->dir.path()), QStringLiteral("Images\\claim.jpg"));
        };
        QVERIFY(!claim(2500, 1700));
        QVERIFY(!claim(171, 65263));
        const auto wide = claim(2048, 1200);
        QVERIFY(wide);
        QCOMPARE(wide->size(), QSize(2048, 1200));
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

// The screens on their stage as a pupil meets them, by mouse, by keyboard
// and through a screen reader.
#include "controls.h"
#include "menu_entry.h"
#include "messages.h"
#include "pictures.h"
#include "style.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "testmain.h"
#include "twips.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

namespace {
// Entries in a muddled creation order, so reading order has to be made:
// 0 top right, 1 top left (greyed), 2 middle left, 3 bottom; an option
// button sits between the rows.
class PlainScreen : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::teacher;

    explicit PlainScreen(Program& p, ScreenId id = Id) : Screen(p, id) {
        picture = new PictureBox(client());
        const controls::EntryDesign designs[] = {
            {.index = 0, .caption = "Right", .place = {4500, 150, 1500, 450}},
            {.index = 1, .caption = "Greyed", .place = {150, 150, 1500, 450}, .enabled = false},
            {.index = 2, .caption = "Middle", .place = {150, 1350, 1500, 450}},
            {.index = 3, .caption = "Bottom", .place = {150, 2550, 1500, 450}},
        };
        entries = addEntries(designs, [this](int index) { clicked.append(index); });
        option = new OptionButton(QStringLiteral("Sound Off"), client());
        place(option, 150, 750, 1500, 300);
    }
    void Form_Load() override { SetUpForm(); }
    QWidget* Picture1() override { return picture; }

    PictureBox* picture = nullptr;
    OptionButton* option = nullptr;
    Entries entries;
    QList<int> clicked;
};

// A second screen that opens over the first with its entries on the same
// spots.
class OverScreen : public PlainScreen {
public:
    static constexpr ScreenId Id = ScreenId::guide;
    explicit OverScreen(Program& p) : PlainScreen(p, Id) {}
};

// Whether a control is ringed all round: white in the two pixels along its
// edge and, where asked, black in the two inside them.
bool ringShows(QWidget* control, bool innerBand = true) {
    const QImage image = control->grab().toImage();
    for (int d = 0; d < (innerBand ? 4 : 2); ++d) {
        const QRect r = image.rect().adjusted(d, d, -d, -d);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right();
                 x += y == r.top() || y == r.bottom() ? 1 : r.width() - 1)
                if ((image.pixel(x, y) & 0xffffff) != (d < 2 ? 0xffffffu : 0u))
                    return false;
    }
    return true;
}

// The colour inside the border that differs most from the ground.
QColor inkOf(QWidget* control) {
    const QImage image = control->grab().toImage();
    const QColor ground = control->palette().color(QPalette::Window);
    QColor ink = ground;
    const auto distance = [&ground](QColor c) {
        return std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green()) +
               std::abs(c.blue() - ground.blue());
    };
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            if (distance(image.pixelColor(x, y)) > distance(ink))
                ink = image.pixelColor(x, y);
    return ink;
}

} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    ScreenRegistry& screens() { return f->program->screens(); }
    Stage& stage() { return screens().stage(); }
    QWidget* focus() { return stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }

    // The plain screen, and the other over it when asked, on an active stage:
    // focus events, and so the ring, come only to an active window.
    PlainScreen& showPlain(bool withOver = false) {
        stage().show();
        stage().activateWindow();
        if (!QTest::qWaitForWindowActive(&stage()))
            qFatal("the stage never became active");
        auto& under = screens().form<PlainScreen>();
        under.Show();
        if (withOver)
            screens().form<OverScreen>().Show();
        return under;
    }

private Q_SLOTS:
    void init() { f = std::make_unique<ProgramFixture>(); }
    void cleanup() {
        f.reset();
        twips::setScale(1);
    }

    void screensLoadOnceAndSetUpCentred() {
        // An id with no screen defined gives nothing rather than throwing
        // out of a click handler.
        QCOMPARE(screens().get(ScreenId::worksheets), nullptr);
        stage().resize(1000, 700);
        PlainScreen& first = screens().form<PlainScreen>();
        first.setCaption(QStringLiteral("changed"));
        QCOMPARE(&screens().form<PlainScreen>(), &first);
        QCOMPARE(first.Caption(), QStringLiteral("changed"));
        screens().unload(PlainScreen::Id);
        QVERIFY(!screens().isLoaded(PlainScreen::Id));
        // Another class loaded under an id is replaced, not cast.
        screens().define<OverScreen>();
        QVERIFY(dynamic_cast<OverScreen*>(screens().get(OverScreen::Id)));
        const PlainScreen& screen = screens().form<PlainScreen>();
        QCOMPARE(screen.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(screen.BackColor(), style::ScreenBack);
        QCOMPARE(screen.picture->backColor(), style::PictureBack);
        // The fraction is kept: (15000 - 12000) / 2 twips across.
        QCOMPARE(screen.Left(), 1500.0f);
        QCOMPARE(screen.Top(), 750.0f);
        QCOMPARE(screen.pos(), QPoint(100, 50));
        // The hourglass of the set-up is gone again.
        QCOMPARE(screen.cursor().shape(), Qt::ArrowCursor);
        // Two boxes that meet in twips meet on screen.
        QCOMPARE(twips::rect(7, 7, 7, 7).right() + 1, twips::rect(14, 7, 7, 7).left());
        QCOMPARE(twips::rect(0, 0, 12000, 9000), QRect(0, 0, 800, 600));
        twips::setScale(1.5f);
        QCOMPARE(twips::rect(0, 0, 12000, 9000), QRect(0, 0, 1200, 900));
        QCOMPARE(twips::font(QStringLiteral("Tahoma"), 12).pixelSize(), 24);
    }

    void theMouseClicksOnlyWhatItPressedAndReleased() {
        PlainScreen& under = showPlain(true);
        auto& over = screens().form<OverScreen>();
        // The pointer lights one entry; only the background clears it, as an
        // option button keeps its moves and a greyed entry lets them through.
        QVERIFY(over.entries[0]->isOpaque());
        QTest::mouseMove(over.client(), QPoint(300, 300));
        QTest::mouseMove(over.entries[2], QPoint(5, 5));
        QVERIFY(over.entries[2]->isOpaque() && !over.entries[0]->isOpaque());
        QTest::mouseMove(over.option, QPoint(5, 5));
        QVERIFY(over.entries[2]->isOpaque());
        QTest::mouseMove(over.entries[1], QPoint(5, 5));
        QVERIFY(!over.entries[2]->isOpaque());
        gui::click(over.entries[1]);
        // A right click, or a press let go outside, clicks nothing.
        MenuEntry* entry = over.entries[3];
        QTest::mouseClick(entry, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(entry, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(entry, Qt::LeftButton, {}, QPoint(entry->width() + 10, 5));
        QVERIFY(over.clicked.isEmpty());
        // The first click of a double-click closes the screen on top; the
        // second lands on the option button beneath, and must not act.
        QObject::connect(over.entries[0], &MenuEntry::clicked, &over,
                         [this] { screens().unload(OverScreen::Id); });
        under.option->move(over.entries[0]->pos());
        under.option->raise();
        gui::doubleClickAt(&stage(), over.entries[0]->mapTo(&stage(), QPoint(6, 6)));
        QVERIFY(!screens().isLoaded(OverScreen::Id));
        QVERIFY(!under.option->isChecked());
        // On one screen a double-click is one click, not two.
        gui::doubleClickAt(&stage(), under.entries[2]->mapTo(&stage(), QPoint(6, 6)));
        QCOMPARE(under.clicked, QList<int>{2});
        // A click never takes the keyboard, so no ring is drawn for it.
        QVERIFY(!under.entries[2]->hasFocus() && !ringShows(under.entries[2]));
    }

    void theKeyboardGoesRoundInReadingOrderWithARing() {
        PlainScreen& s = showPlain();
        // Opening puts the keyboard on the first control that is no entry,
        // so a stray Enter runs nothing.
        QCOMPARE(focus(), s.option);
        key(Qt::Key_Return);
        QList<QWidget*> visited;
        for (int i = 0; i < 4; ++i) {
            key(Qt::Key_Tab);
            visited << focus();
        }
        QCOMPARE(visited, (QList<QWidget*>{s.entries[2], s.entries[3], s.entries[0], s.option}));
        key(Qt::Key_Backtab);
        QCOMPARE(focus(), s.entries[0]);
        key(Qt::Key_Return);
        QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
        key(Qt::Key_Space);
        // A key held down repeats; it is still one press. Other keys do nothing.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(focus(), &repeat);
        key(Qt::Key_X);
        QCOMPARE(s.clicked, (QList<int>{0, 0, 0}));
        QVERIFY(s.entries[0]->showsFocusRing() && ringShows(s.entries[0]));
        key(Qt::Key_Tab);
        QVERIFY(!ringShows(s.entries[0]));
        // The answer buttons are ringed the same way, not by the style's
        // faint tint alone, and only when the keyboard brought the focus.
        QVERIFY(ringShows(s.option, false));
        s.entries[2]->setFocus(Qt::OtherFocusReason);
        QVERIFY(!s.entries[2]->showsFocusRing() && !ringShows(s.entries[2]));
        s.option->setFocus(Qt::MouseFocusReason);
        QVERIFY(s.option->hasFocus() && !ringShows(s.option, false));
    }

    void keysGoOnlyToTheScreenInFront() {
        PlainScreen& under = showPlain();
        auto& over = screens().form<OverScreen>();
        over.Show();
        QCOMPARE(stage().frontScreen(), &over);
        QVERIFY(over.isAncestorOf(focus()));
        // Even a key sent straight at the covered screen's controls is lost.
        QTest::keyClick(under.option, Qt::Key_Space);
        QVERIFY(!under.option->isChecked());
        under.entries[2]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(under.entries[2], Qt::Key_Return);
        QVERIFY(under.clicked.isEmpty());
        // Tab never leaves the screen in front.
        over.takeFocus();
        for (int i = 0; i < 4; ++i) {
            key(Qt::Key_Tab);
            QVERIFY(over.isAncestorOf(focus()) || focus() == &over);
        }
        // A screen reader finds the covered screen empty and unseen.
        QAccessibleInterface* hidden = QAccessible::queryAccessibleInterface(&under);
        QAccessibleInterface* front = QAccessible::queryAccessibleInterface(&over);
        QCOMPARE(front->role(), QAccessible::Dialog);
        QVERIFY(front->childCount() > 0 && !front->state().invisible);
        QVERIFY(hidden->state().invisible && hidden->childCount() == 0);
        // Nor need Qt repaint it: a screen paints every pixel of its panel,
        // and without saying so every screen shown repaints all it covers.
        QVERIFY(under.testAttribute(Qt::WA_OpaquePaintEvent));
        // Closing the screen in front hands the keyboard to the one beneath.
        screens().unload(OverScreen::Id);
        QVERIFY(!hidden->state().invisible && hidden->childCount() > 0);
        QCOMPARE(stage().frontScreen(), &under);
        QVERIFY(under.isAncestorOf(focus()));
        // The backdrop in front covers every screen until it is shown again.
        stage().bringToFront();
        QCOMPARE(stage().frontScreen(), nullptr);
        QVERIFY(under.isVisible() && !screens().isShowing(PlainScreen::Id));
        QTest::keyClick(under.option, Qt::Key_Space);
        QVERIFY(!under.option->isChecked());
        under.Show();
        QVERIFY(screens().isShowing(PlainScreen::Id));
    }

    // Entries are buttons to a screen reader, and a greyed one says so.
    void entriesArePressedThroughAScreenReader() {
        PlainScreen& s = showPlain();
        QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(s.entries[3]);
        QCOMPARE(entry->role(), QAccessible::Button);
        QCOMPARE(entry->text(QAccessible::Name), QStringLiteral("Bottom"));
        QVERIFY(!entry->state().disabled && entry->state().focusable);
        QCOMPARE(entry->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QAccessibleInterface* greyed = QAccessible::queryAccessibleInterface(s.entries[1]);
        QVERIFY(greyed->state().disabled);
        greyed->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(s.clicked, QList<int>{3});
    }

    // Real message boxes: their words and buttons grow with the scale on a
    // whiteboard, the answer is the button pressed, a question's default is
    // Cancel, and once a box closes the next key reaches the screen in front
    // without a click to wake it.
    void messageBoxesGrowAnswerAndGiveTheKeyboardBack() {
        const QFont appFont = QApplication::font();
        const auto restore = qScopeGuard([&appFont] { QApplication::setFont(appFont); });
        QApplication::setFont(style::tahoma(8.25)); // as the program does at start
        PlainScreen& s = showPlain();
        key(Qt::Key_Tab);
        struct Seen {
            int textPixels = 0;
            QSize button;
        } seen;
        // Notes each box's words and button, then presses the button asked
        // for, or Enter when none is.
        QMessageBox::StandardButton press = QMessageBox::NoButton;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const auto* words = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            seen = {QFontInfo(words->font()).pixelSize(), box->button(QMessageBox::Ok)->size()};
            if (press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->button(press)->click();
        });
        timer.start(20);
        QtMessageBoxes().tell(QStringLiteral("Your worksheet has been saved."));
        QVERIFY(s.clicked.isEmpty());
        QTRY_VERIFY(QGuiApplication::focusWindow());
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        QCOMPARE(s.clicked, QList<int>{2});
        const auto confirmed = [] {
            return QtMessageBoxes().confirm(QStringLiteral("Delete it?"), QStringLiteral("Delete"));
        };
        QVERIFY(!confirmed());
        const Seen desk = seen;
        QVERIFY(desk.textPixels > 5 && desk.button.height() > 5);
        twips::setScale(2);
        press = QMessageBox::Ok;
        QVERIFY(confirmed());
        const Seen board = seen;
        QVERIFY(std::abs(board.textPixels - 2 * desk.textPixels) <= 1);
        QVERIFY2(std::abs(board.button.width() - 2 * desk.button.width()) <= 2 &&
                     std::abs(board.button.height() - 2 * desk.button.height()) <= 2,
                 qPrintable(QDebug::toString(desk.button) + QDebug::toString(board.button)));
    }

    // Entries and boxes share one black pixel all round, with the ground
    // just inside and the text within: yellow, or mid grey on a greyed entry.
    void thinBordersAreOneBlackPixelAllRound() {
        PlainScreen& s = screens().form<PlainScreen>();
        BoxLabel empty(s.client());
        BoxLabel titled(QStringLiteral("Page 1"), s.client());
        controls::setTextColour(&titled, style::Yellow);
        for (QLabel* w :
             std::initializer_list<QLabel*>{&empty, &titled, s.entries[0], s.entries[1]}) {
            controls::setBackColour(w, style::Navy);
            w->setAutoFillBackground(true);
            w->resize(97, 28);
            const QImage whole = w->grab().toImage();
            const int r = w->width() - 1, b = w->height() - 1;
            const QColor black(Qt::black);
            for (int x = 0; x <= r; ++x)
                QVERIFY(whole.pixelColor(x, 0) == black && whole.pixelColor(x, b) == black);
            for (int y = 0; y <= b; ++y)
                QVERIFY(whole.pixelColor(0, y) == black && whole.pixelColor(r, y) == black);
            for (const QPoint& in : {QPoint(1, b - 1), QPoint(r - 1, b - 1), QPoint(r - 1, 1)})
                QCOMPARE(whole.pixelColor(in), QColor(style::Navy));
            const QColor ink = inkOf(w);
            if (w == s.entries[1])
                QVERIFY2(qAbs(ink.red() - 128) <= 8 && qAbs(ink.green() - 128) <= 8,
                         qPrintable(ink.name()));
            else
                QCOMPARE(ink.red() > 230 && ink.green() > 230 && ink.blue() < 40,
                         !w->text().isEmpty());
        }
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

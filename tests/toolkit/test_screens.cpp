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
        // Another class loaded under an id is replaced, not cast.
        screens().define<OverScreen>();
        QVERIFY(dynamic_cast<OverScreen*>(screens().get(OverScreen::Id)));
        const PlainScreen& screen = screens().form<PlainScreen>();
        QCOMPARE(screen.Caption(), QStringLiteral("Ostervale"));
        QCOMPARE(screen.BackColor(), style::ScreenBack);
        // The fraction is kept: (15000 - 12000) / 2 twips across.
        QCOMPARE(screen.Left(), 1500.0f);
        QCOMPARE(screen.Top(), 750.0f);
        QCOMPARE(screen.pos(), QPoint(100, 50));
        // Two boxes that meet in twips meet on screen.
        QCOMPARE(twips::rect(7, 7, 7, 7).right() + 1, twips::rect(14, 7, 7, 7).left());
        QCOMPARE(twips::rect(0, 0, 12000, 9000), QRect(0, 0, 800, 600));
    }

    void theMouseClicksOnlyWhatItPressedAndReleased() {
        PlainScreen& under = showPlain(true);
        auto& over = screens().form<OverScreen>();
        // The pointer lights one entry; only the background clears it.
        QTest::mouseMove(over.client(), QPoint(300, 300));
        QTest::mouseMove(over.entries[2], QPoint(5, 5));
        QVERIFY(over.entries[2]->isOpaque() && !over.entries[0]->isOpaque());
        QTest::mouseMove(over.client(), QPoint(300, 300));
        QVERIFY(!over.entries[2]->isOpaque());
        // A greyed entry, a right click, or a press let go outside, clicks
        // nothing.
        gui::click(over.entries[1]);
        MenuEntry* entry = over.entries[3];
        QTest::mouseClick(entry, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(entry, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(entry, Qt::LeftButton, {}, QPoint(entry->width() + 10, 5));
        QVERIFY(over.clicked.isEmpty());
        screens().unload(OverScreen::Id);
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
        // Closing the screen in front hands the keyboard to the one beneath.
        screens().unload(OverScreen::Id);
        QVERIFY(!hidden->state().invisible && hidden->childCount() > 0);
        QCOMPARE(stage().frontScreen(), &under);
        QVERIFY(under.isAncestorOf(focus()));
    }

    // Entries are buttons to a screen reader, and a greyed one says so.
    void entriesArePressedThroughAScreenReader() {
        PlainScreen& s = showPlain();
        QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(s.entries[3]);
        QCOMPARE(entry->role(), QAccessible::Button);
        QCOMPARE(entry->text(QAccessible::Name), QStringLiteral("Bottom"));
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
        int textPixels = 0;
        QList<QSize> buttons;
        // Notes the size of each box's words and buttons, then presses the button asked
        // for, or Enter when none is.
        QMessageBox::StandardButton press = QMessageBox::NoButton;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const auto* words = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            textPixels = QFontInfo(words->font()).pixelSize();
            buttons.clear();
            for (const QAbstractButton* button : box->buttons())
                buttons << button->size();
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
        const int desk = textPixels;
        const QList<QSize> deskButtons = buttons;
        QVERIFY(desk > 5 && deskButtons.size() == 2);
        twips::setScale(2);
        press = QMessageBox::Ok;
        QVERIFY(confirmed());
        QVERIFY(std::abs(textPixels - 2 * desk) <= 1);
        for (qsizetype k = 0; k < 2; ++k) {
            const QSize off = buttons[k] - 2 * deskButtons[k];
            QVERIFY(std::abs(off.width()) <= 2 && std::abs(off.height()) <= 2);
        }
    }

    // Entries and boxes share one black pixel all round, with the ground
    // just inside.
    void thinBordersAreOneBlackPixelAllRound() {
        PlainScreen& s = screens().form<PlainScreen>();
        BoxLabel box(s.client());
        for (QLabel* w : std::initializer_list<QLabel*>{&box, s.entries[0]}) {
            controls::setBackColour(w, style::Navy);
            w->setAutoFillBackground(true);
            w->resize(97, 28);
            const QImage whole = w->grab().toImage();
            for (const QPoint& edge :
                 {QPoint(48, 0), QPoint(0, 14), QPoint(96, 14), QPoint(48, 27)})
                QCOMPARE(whole.pixelColor(edge), QColor(Qt::black));
            for (const QPoint& in : {QPoint(1, 26), QPoint(95, 26), QPoint(95, 1)})
                QCOMPARE(whole.pixelColor(in), QColor(style::Navy));
        }
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

#include "menu_entry.h"
#include "messages.h"
#include "screen.h"
#include "style.h"
#include "support/gui.h"
#include "support/program_fixture.h"
#include "testmain.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {
// Entries in a muddled creation order, so reading order has to be made:
// 0 top right, 1 top left (greyed), 2 middle left, 3 bottom; an option
// button sits between the rows.
class KeyedScreen : public Screen {
public:
    static constexpr ScreenId Id = ScreenId::teacher;
    explicit KeyedScreen(Program& p) : Screen(p, Id) {
        const controls::EntryDesign designs[] = {
            {.index = 0, .caption = "Right", .place = {4500, 150, 1500, 450}},
            {.index = 1, .caption = "Greyed", .place = {150, 150, 1500, 450}, .enabled = false},
            {.index = 2, .caption = "Middle", .place = {150, 1350, 1500, 450}},
            {.index = 3, .caption = "Bottom", .place = {150, 2550, 1500, 450}},
        };
        entries = addEntries("Label2", designs, [this](int index) { clicked.append(index); });
        option = new OptionButton(QStringLiteral("Sound Off"), client());
        place(option, 150, 750, 1500, 300);
    }
    void Form_Load() override { SetUpForm(); }

    Entries entries;
    OptionButton* option;
    QList<int> clicked;
};

// Whether a grabbed control is ringed all round, without a gap: pure white
// in the two pixels along its edge and, where asked, pure black in the two
// inside them, clear of its text.
bool ringShows(QWidget* control, bool innerBand = true) {
    const QImage image = control->grab().toImage();
    const int w = image.width(), h = image.height();
    const auto all = [&image, w, h](int from, int to, QRgb colour) {
        for (int d = from; d < to; ++d) {
            for (int x = d; x < w - d; ++x) {
                if ((image.pixel(x, d) & 0xffffff) != colour ||
                    (image.pixel(x, h - 1 - d) & 0xffffff) != colour)
                    return false;
            }
            for (int y = d; y < h - d; ++y) {
                if ((image.pixel(d, y) & 0xffffff) != colour ||
                    (image.pixel(w - 1 - d, y) & 0xffffff) != colour)
                    return false;
            }
        }
        return true;
    };
    return all(0, 2, 0xffffff) && (!innerBand || all(2, 4, 0x000000));
}
} // namespace

class EntryKeysTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFixture> f;

    KeyedScreen& open() {
        Stage& stage = f->program->screens().stage();
        stage.show();
        // Focus events, and so the ring, come only to an active window.
        stage.activateWindow();
        if (!QTest::qWaitForWindowActive(&stage))
            qFatal("the stage never became active");
        auto& s = f->program->screens().form<KeyedScreen>();
        s.Show();
        return s;
    }
    QWidget* focus() { return f->program->screens().stage().focusWidget(); }
    void key(Qt::Key k) { QTest::keyClick(focus(), k); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ProgramFixture>();
        f->program->screens().define<KeyedScreen>();
    }
    void cleanup() { f.reset(); }

    void tabGoesRoundInReadingOrderPastGreyedEntries() {
        KeyedScreen& s = open();
        // Opening puts the keyboard on the first control that is no entry,
        // so a stray Enter runs nothing.
        QCOMPARE(focus(), s.option);
        key(Qt::Key_Return);
        QVERIFY(s.clicked.isEmpty());
        QList<QWidget*> visited;
        for (int i = 0; i < 4; ++i) {
            key(Qt::Key_Tab);
            visited << focus();
        }
        QCOMPARE(visited, (QList<QWidget*>{s.entries[2], s.entries[3], s.entries[0], s.option}));
        key(Qt::Key_Backtab);
        QCOMPARE(focus(), s.entries[0]);
    }

    void enterReturnAndSpaceClickOnceEach() {
        KeyedScreen& s = open();
        key(Qt::Key_Tab);
        QCOMPARE(focus(), s.entries[2]);
        key(Qt::Key_Return);
        QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
        key(Qt::Key_Space);
        QCOMPARE(s.clicked, (QList<int>{2, 2, 2}));
        // A key held down repeats; it is still one press.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(focus(), &repeat);
        // Other keys do nothing.
        key(Qt::Key_X);
        QCOMPARE(s.clicked.size(), 3);
    }

    // On every colour an entry takes, and only when Tab brought the focus.
    void theRingShowsOnlyWhenTheKeyboardBroughtTheFocus() {
        KeyedScreen& s = open();
        MenuEntry* entry = s.entries[2];
        // A click never takes the keyboard, so nothing is drawn for it.
        gui::click(entry);
        QCOMPARE(s.clicked, QList<int>{2});
        QVERIFY(!entry->hasFocus());
        QVERIFY(!ringShows(entry));
        entry->setFocus(Qt::OtherFocusReason);
        QVERIFY(!entry->showsFocusRing());
        QVERIFY(!ringShows(entry));
        s.option->setFocus();
        key(Qt::Key_Tab);
        QCOMPARE(focus(), entry);
        QVERIFY(entry->showsFocusRing());
        for (const QColor& colour : {style::Black, style::Navy, style::Yellow}) {
            QPalette p = entry->palette();
            p.setColor(QPalette::Window, colour);
            entry->setPalette(p);
            QVERIFY2(ringShows(entry), qPrintable(colour.name()));
        }
        key(Qt::Key_Tab);
        QVERIFY(!ringShows(entry));
        // The answer buttons and tick boxes are ringed the same way, not by
        // the style's faint tint alone.
        s.option->setFocus(Qt::TabFocusReason);
        QVERIFY(ringShows(s.option, false));
        entry->setFocus(Qt::OtherFocusReason);
        s.option->setFocus(Qt::MouseFocusReason);
        QVERIFY(s.option->hasFocus());
        QVERIFY(!ringShows(s.option, false));
    }

    // The text's own colour: yellow on an entry in use, mid grey on a greyed
    // one, whether or not Tab can reach it.
    void entriesPaintTheirTextInTheirStateColour() {
        KeyedScreen& s = open();
        auto inkOf = [](MenuEntry* entry) {
            const QImage image = entry->grab().toImage();
            const QColor ground = entry->palette().color(QPalette::Window);
            // The colour that differs most from the ground, inside the border.
            QColor ink = ground;
            int best = 0;
            for (int y = 3; y < image.height() - 3; ++y)
                for (int x = 3; x < image.width() - 3; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const int d = std::abs(c.red() - ground.red()) +
                                  std::abs(c.green() - ground.green()) +
                                  std::abs(c.blue() - ground.blue());
                    if (d > best) {
                        best = d;
                        ink = c;
                    }
                }
            return ink;
        };
        const QColor greyed = inkOf(s.entries[1]);
        QVERIFY2(qAbs(greyed.red() - 128) <= 8 && qAbs(greyed.green() - 128) <= 8 &&
                     qAbs(greyed.blue() - 128) <= 8,
                 qPrintable(greyed.name()));
        const QColor yellow = inkOf(s.entries[2]);
        QVERIFY2(yellow.red() > 230 && yellow.green() > 230 && yellow.blue() < 40,
                 qPrintable(yellow.name()));
    }

    // A real message box, answered by its own keyboard: once it closes, the
    // next key the window system delivers reaches the screen in front,
    // without a click to wake it.
    void keysReachTheScreenAgainAfterAMessageBox() {
        KeyedScreen& s = open();
        key(Qt::Key_Tab);
        QCOMPARE(focus(), s.entries[2]);
        bool answered = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QTest::keyClick(box, Qt::Key_Return);
                answered = true;
            }
        });
        closer.start(20);
        QtMessageBoxes().tell(QStringLiteral("Your worksheet has been saved."));
        closer.stop();
        QVERIFY(answered);
        QVERIFY(s.clicked.isEmpty());
        QTRY_VERIFY(QGuiApplication::focusWindow());
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        QCOMPARE(s.clicked, QList<int>{2});
    }

    void entriesAreButtonsToAScreenReader() {
        KeyedScreen& s = open();
        QAccessibleInterface* entry = QAccessible::queryAccessibleInterface(s.entries[3]);
        QVERIFY(entry);
        QCOMPARE(entry->role(), QAccessible::Button);
        QCOMPARE(entry->text(QAccessible::Name), QStringLiteral("Bottom"));
        QVERIFY(!entry->state().disabled && entry->state().focusable);
        QAccessibleActionInterface* actions = entry->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(s.clicked, QList<int>{3});
        // A greyed entry says so, and pressing it does nothing.
        QAccessibleInterface* greyed = QAccessible::queryAccessibleInterface(s.entries[1]);
        QVERIFY(greyed->state().disabled);
        greyed->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(s.clicked, QList<int>{3});
    }
};

OSTERVALE_TEST(EntryKeysTest)
#include "test_entry_keys.moc"

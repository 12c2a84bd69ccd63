#include "activity_screen.h"
#include "drag_label.h"
#include "intro0.h"
#include "labelling.h"
#include "menu_entry.h"
#include "multiple.h"
#include "ordering.h"
#include "page_box.h"
#include "page_state.h"
#include "pictures.h"
#include "quiz_session.h"
#include "startup.h"
#include "support/stand_ins.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheets.h"
#include "wrong.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <optional>

// What a screen reader hears: every screen has a name, and so has every
// control a pupil or teacher can use or look at, in the role they expect.
class ScreenNamesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QStringList faults;

    ScreenRegistry& screens() { return program->screens(); }

    static std::optional<QAccessible::Role> expectedRole(QWidget* w) {
        if (qobject_cast<MenuEntry*>(w) || qobject_cast<QPushButton*>(w))
            return QAccessible::Button;
        if (qobject_cast<QRadioButton*>(w))
            return QAccessible::RadioButton;
        if (qobject_cast<QCheckBox*>(w))
            return QAccessible::CheckBox;
        if (qobject_cast<QLineEdit*>(w))
            return QAccessible::EditableText;
        if (qobject_cast<DragLabel*>(w))
            return QAccessible::StaticText;
        return std::nullopt;
    }
    // Pictures, pages and boxes need a name whatever role they report.
    static bool isControl(QWidget* w) {
        return expectedRole(w) || dynamic_cast<PictureBox*>(w) || dynamic_cast<ImageBox*>(w) ||
               dynamic_cast<BoxLabel*>(w) || dynamic_cast<PageBox*>(w);
    }

    void check(Screen& screen) {
        const QString where = QString::number(int(screen.id()));
        if (screen.accessibleName().isEmpty())
            faults << where + QStringLiteral(": the screen has no name");
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&screen) || !isControl(w))
                continue;
            const QString what = where + u' ' + QString::fromUtf8(w->metaObject()->className()) +
                                 u' ' + w->objectName();
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                faults << what + QStringLiteral(": no accessible name");
            if (w->objectName().isEmpty())
                faults << what + QStringLiteral(": no design name");
            if (const auto role = expectedRole(w); face && role && face->role() != *role)
                faults << what + QStringLiteral(": role %1").arg(int(face->role()));
        }
    }

    void quizOver() {
        if (!quiz_session::load(*program, QStringLiteral(OSTERVALE_HOME "/multiple/Rationing.txt")))
            qFatal("the installed rationing quiz does not load");
        quiz_session::start(*program, QPixmap(), QStringLiteral("Ostervale"));
        auto& quiz = screens().form<Multiple>();
        quiz.Show();
        check(quiz);
        for (int q = 1; q <= 10; ++q)
            quiz.Label3_Click(Multiple::Next);
    }

private Q_SLOTS:
    void init() {
        program = std::make_unique<Program>(QStringLiteral(OSTERVALE_HOME),
                                            std::make_unique<RecordingSound>(),
                                            std::make_unique<RecordingMessages>());
        startup::defineScreens(*program);
        faults.clear();
    }
    void cleanup() { program.reset(); }

    void everyScreenAndEveryControlHasAName() {
        program->state<PageState>() = {.PageNumber = 1, .PageCount = 3, .PageSetName = {}};
        for (ScreenId id : {ScreenId::Titlefrm, ScreenId::intro0, ScreenId::rationing,
                            ScreenId::progress, ScreenId::rationinglab, ScreenId::progresslab,
                            ScreenId::rationingord, ScreenId::progressord, ScreenId::teacher,
                            ScreenId::guide, ScreenId::wizard, ScreenId::worksheets}) {
            Screen* screen = screens().get(id);
            QVERIFY(screen);
            check(*screen);
        }
        quizOver();
        check(screens().form<Welldone>());
        check(screens().form<Wrong>());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void controlsCarryTheirDesignNames() {
        auto& lab = screens().form<RationingLab>();
        QCOMPARE(lab.findChild<DragLabel*>(QStringLiteral("Label2[3]")), lab.Label2[3]);
        QCOMPARE(lab.findChild<QLabel*>(QStringLiteral("Label1[0]")), lab.Label1[0]);
        QCOMPARE(lab.findChild<QLabel*>(QStringLiteral("Image1[2]")),
                 static_cast<QLabel*>(lab.Image1[2]));
        auto& wizard = screens().form<Wizard>();
        QCOMPARE(wizard.findChild<QLineEdit*>(QStringLiteral("Text3[15]")),
                 static_cast<QLineEdit*>(wizard.Text3[15]));
        QCOMPARE(wizard.Check1[15]->accessibleName(),
                 QStringLiteral("Question 4, answer D is right"));
        auto& menu = screens().form<Intro0>();
        QCOMPARE(menu.findChild<MenuEntry*>(QStringLiteral("Label2[%1]").arg(int(Intro0::Exit))),
                 menu.Label2.at(Intro0::Exit));
        // The catalogue finds the menu's heading and picture by these names.
        QCOMPARE(menu.findChildren<QLabel*>(QStringLiteral("Label1")).size(), 1);
        QCOMPARE(menu.findChildren<QLabel*>(QStringLiteral("Image1")).size(), 1);
    }
};

OSTERVALE_TEST(ScreenNamesTest)
#include "test_screen_names.moc"

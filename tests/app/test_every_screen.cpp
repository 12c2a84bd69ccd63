// Every screen opened on the real material, in every state a pupil or
// teacher meets it, and checked as they meet it: every text fits its control
// at the program's own fonts (a wrapped label has the height its lines need,
// a one-line control the width), and a screen reader hears a name for the
// screen and for every control, in the role they expect.
#include "drag_label.h"
#include "intro0.h"
#include "labelling.h"
#include "multiple.h"
#include "page_box.h"
#include "page_state.h"
#include "pictures.h"
#include "quiz_session.h"
#include "results.h"
#include "startup.h"
#include "style.h"
#include "support/fits.h"
#include "support/stand_ins.h"
#include "testmain.h"
#include "twips.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "wrong.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

class EveryScreenTest : public QObject {
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

    void check(Screen& screen, const QString& state = {}) {
        const QString where = QStringLiteral("%1%2: ").arg(int(screen.id())).arg(state);
        // OSTERVALE_SHOTS=folder keeps a picture of every screen as checked,
        // for a person to look at.
        if (const QString shots = qEnvironmentVariable("OSTERVALE_SHOTS"); !shots.isEmpty())
            screen.grab().save(QStringLiteral("%1/%2.png").arg(shots, where.chopped(2).trimmed()));
        for (const QString& text : fits::misfits(&screen))
            faults << where + QStringLiteral("does not fit: ") + text;
        if (screen.accessibleName().isEmpty())
            faults << where + QStringLiteral("the screen has no name");
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&screen) || !isControl(w))
                continue;
            const QString what =
                where + QString::fromUtf8(w->metaObject()->className()) + u' ' + w->objectName();
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                faults << what + QStringLiteral(": no accessible name");
            // A picture on show says what it shows.
            if (const auto* picture = qobject_cast<QLabel*>(w);
                face && picture && !picture->pixmap().isNull() &&
                QRegularExpression(QStringLiteral("^Picture( \\d+)?$"))
                    .match(face->text(QAccessible::Name))
                    .hasMatch())
                faults << what + QStringLiteral(": a picture without a description");
            if (w->objectName().isEmpty())
                faults << what + QStringLiteral(": no design name");
            if (const auto role = expectedRole(w); face && role && face->role() != *role)
                faults << what + QStringLiteral(": role %1").arg(int(face->role()));
        }
    }

    // Every scale a whiteboard may be given, from 1 to 3 in twentieths: a
    // text that fits at one scale can be a pixel short at the next, as the
    // font sizes and the boxes round to whole pixels each their own way.
    static void everyScale() {
        QTest::addColumn<float>("scale");
        for (int step = 0; step <= 40; ++step) {
            const float scale = 1.0f + 0.05f * float(step);
            QTest::addRow("%.2f", double(scale)) << scale;
        }
    }
    static void useScale() {
        QFETCH(float, scale);
        twips::setScale(scale);
    }

private Q_SLOTS:
    void initTestCase() {
        // As the program does at start: the widths are Tahoma's.
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
        QVERIFY(QFontInfo(style::tahoma(12)).family().contains(QStringLiteral("Tahoma")));
    }
    void init() {
        program = std::make_unique<Program>(QStringLiteral(OSTERVALE_HOME),
                                            std::make_unique<RecordingSound>(),
                                            std::make_unique<RecordingMessages>());
        startup::defineScreens(*program);
        faults.clear();
    }
    void cleanup() {
        program.reset();
        twips::setScale(1);
        const QStringList found = std::exchange(faults, {});
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void menusActivitiesAndTheTeachersScreens_data() { everyScale(); }
    void menusActivitiesAndTheTeachersScreens() {
        useScale();
        program->state<PageState>() = {.PageNumber = 1, .PageCount = 3, .PageSetName = {}};
        for (ScreenId id : {ScreenId::Titlefrm, ScreenId::intro0, ScreenId::rationing,
                            ScreenId::progress, ScreenId::rationinglab, ScreenId::progresslab,
                            ScreenId::rationingord, ScreenId::progressord, ScreenId::teacher,
                            ScreenId::guide, ScreenId::wizard, ScreenId::worksheets}) {
            Screen* screen = screens().get(id);
            QVERIFY(screen);
            check(*screen);
        }
    }

    void everyQuestionAndItsReview_data() { everyScale(); }
    void everyQuestionAndItsReview() {
        useScale();
        for (const char* file : {"Rationing.txt", "The Progress of the War.txt"}) {
            QVERIFY(quiz_session::load(*program, QStringLiteral(OSTERVALE_HOME "/multiple/") +
                                                     QString::fromUtf8(file)));
            Multiple::open(*program, QPixmap(), QStringLiteral("Ostervale"),
                           QStringLiteral("A test picture"));
            auto& quiz = screens().form<Multiple>();
            quiz.Show();
            for (int q = 1; q <= 10; ++q) {
                check(quiz, QStringLiteral(" question %1").arg(q));
                quiz.Label3_Click(Multiple::Next);
            }
            // Every answer left unchosen: the review lists all ten.
            check(screens().form<Welldone>(), QString::fromUtf8(file));
            check(screens().form<Wrong>(), QString::fromUtf8(file));
            screens().unload(ScreenId::Welldone);
            screens().unload(ScreenId::Wrong);
        }
    }

    void resultsInEveryBand_data() { everyScale(); }
    void resultsInEveryBand() {
        useScale();
        for (const auto& [score, total, quiz] : {std::tuple{10, 10, true},
                                                 {8, 10, true},
                                                 {3, 10, true},
                                                 {4, 4, false},
                                                 {1, 3, false},
                                                 {2, 8, false}}) {
            program->state<Results>() = {score, total, quiz};
            check(screens().form<Welldone>(), QStringLiteral(" %1 of %2").arg(score).arg(total));
            screens().unload(ScreenId::Welldone);
        }
    }

    void textsAreDrawnAtTheirDesignSize() {
        // Points at 96 dots an inch: a smaller font would fit anywhere and
        // still be wrong.
        auto& menu = screens().form<Intro0>();
        QCOMPARE(QFontInfo(menu.Label1->font()).pixelSize(), 43);
        QVERIFY(QFontInfo(menu.Label1->font()).bold());
        QCOMPARE(QFontInfo(menu.Label2.at(Intro0::Exit)->font()).pixelSize(), 24);
        auto& quiz = screens().form<Multiple>();
        QCOMPARE(QFontInfo(quiz.Label2->font()).pixelSize(), 40);
        QCOMPARE(QFontInfo(quiz.Option1[1]->font()).pixelSize(), 27);
        QCOMPARE(QFontInfo(screens().form<RationingLab>().Label2[0]->font()).pixelSize(), 15);
    }

    void controlsCarryTheirDesignNames() {
        // A real page's words reach a screen reader, heading first, a line
        // at a time, with runs split mid-line by a change of style joined.
        Teacher::open(*program, {.name = QStringLiteral("key rationing"),
                                 .count = 1,
                                 .firstPage = QStringLiteral("key rationing.wmf")});
        const QString read = QAccessible::queryAccessibleInterface(screens().form<Teacher>().Image1)
                                 ->text(QAccessible::Description);
        QVERIFY2(read.startsWith(QStringLiteral("Rationing: the key facts\n")) &&
                     read.contains(QStringLiteral("8 January 1940: bacon, butter and sugar")) &&
                     read.indexOf(QStringLiteral("Why was food rationed?")) <
                         read.indexOf(QStringLiteral("sank many of the ships")),
                 qPrintable(read.left(600)));
        auto& lab = screens().form<RationingLab>();
        // Each answer box by the picture above it: Cheese, Milk, Sugar, Meat.
        const QStringList shows{"yellow wedge", "glass bottle", "paper bag", "chops"};
        for (int j = 0; j < 4; ++j)
            QVERIFY2(lab.Label1[j]->accessibleName().contains(shows[j]),
                     qPrintable(lab.Label1[j]->accessibleName()));
        auto& battles = screens().form<ProgressLab>();
        const QStringList battlesShow{"aircraft carrier", "ruined factory", "sandy ground"};
        for (int j = 0; j < 3; ++j)
            QVERIFY2(battles.Label1[j]->accessibleName().contains(battlesShow[j]),
                     qPrintable(battles.Label1[j]->accessibleName()));
        QCOMPARE(lab.findChild<DragLabel*>(QStringLiteral("Label2[3]")), lab.Label2[3]);
        QCOMPARE(lab.findChild<QLabel*>(QStringLiteral("Image1[2]")),
                 static_cast<QLabel*>(lab.Image1[2]));
        auto& wizard = screens().form<Wizard>();
        QCOMPARE(wizard.findChild<QLineEdit*>(QStringLiteral("Text3[15]")),
                 static_cast<QLineEdit*>(wizard.Text3[15]));
        QCOMPARE(wizard.Check1[15]->accessibleName(),
                 QStringLiteral("Question 4, answer D is right"));
        auto& menu = screens().form<Intro0>();
        QCOMPARE(menu.findChildren<QLabel*>(QStringLiteral("Label1")).size(), 1);
        QCOMPARE(menu.findChildren<QLabel*>(QStringLiteral("Image1")).size(), 1);
    }
};

OSTERVALE_TEST(EveryScreenTest)
#include "test_every_screen.moc"

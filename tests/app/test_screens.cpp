// Every screen on the real material, in every state a pupil or teacher meets
// it and at every scale a whiteboard may be given: every text fits its
// control at the program's own fonts, a screen reader hears a name for the
// screen and for every control in the role it expects, and everything grows
// by the scale together while the activities decide in twips as before.
#include "drag_label.h"
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
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

class ScreensTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QStringList faults;

    ScreenRegistry& screens() { return program->screens(); }
    static std::unique_ptr<Program> makeProgram() {
        auto made = std::make_unique<Program>(QStringLiteral(OSTERVALE_HOME),
                                              std::make_unique<RecordingSound>(),
                                              std::make_unique<RecordingMessages>());
        startup::defineScreens(*made);
        made->state<PageState>() = {.PageNumber = 1, .PageCount = 3, .PageSetName = {}};
        // A display large enough for the screens at any scale.
        made->screens().stage().setGeometry(0, 0, 2400, 1800);
        return made;
    }
    static constexpr ScreenId kScreens[] = {
        ScreenId::Titlefrm,     ScreenId::intro0,       ScreenId::rationing,
        ScreenId::progress,     ScreenId::rationinglab, ScreenId::progresslab,
        ScreenId::rationingord, ScreenId::progressord,  ScreenId::teacher,
        ScreenId::guide,        ScreenId::wizard,       ScreenId::worksheets};

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

    void check(Screen& screen, const QString& state = {}) {
        const QString where = QStringLiteral("%1%2: ").arg(int(screen.id())).arg(state);
        for (const QString& text : fits::misfits(&screen))
            faults << where + QStringLiteral("does not fit: ") + text;
        if (screen.accessibleName().isEmpty())
            faults << where + QStringLiteral("the screen has no name");
        static const QRegularExpression unnamedPicture(QStringLiteral("^Picture( \\d+)?$"));
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            // Pictures, pages and boxes need a name whatever role they report.
            const auto role = expectedRole(w);
            if (!w->isVisibleTo(&screen) ||
                !(role || dynamic_cast<PictureBox*>(w) || dynamic_cast<ImageBox*>(w) ||
                  dynamic_cast<BoxLabel*>(w) || dynamic_cast<PageBox*>(w)))
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            const QString name = face ? face->text(QAccessible::Name).trimmed() : QString();
            // A picture on show says what it shows.
            const auto* picture = qobject_cast<QLabel*>(w);
            if (name.isEmpty() || w->objectName().isEmpty() || (role && face->role() != *role) ||
                (picture && !picture->pixmap().isNull() && unnamedPicture.match(name).hasMatch()))
                faults << where + QString::fromUtf8(w->metaObject()->className()) + u' ' +
                              w->objectName() + QStringLiteral(" is named '") + name + u'\'';
        }
    }

    // Every control of every screen, by name, as a rectangle of its screen.
    static QMap<QString, QRect> layout() {
        auto made = makeProgram();
        QMap<QString, QRect> rects;
        for (ScreenId id : kScreens) {
            Screen* screen = made->screens().get(id);
            rects[QString::number(int(id))] = QRect(QPoint(), screen->size());
            rects[QStringLiteral("%1 client").arg(int(id))] = screen->client()->geometry();
            for (QWidget* w : screen->client()->findChildren<QWidget*>())
                if (!w->objectName().isEmpty())
                    rects[QStringLiteral("%1 %2").arg(int(id)).arg(w->objectName())] =
                        QRect(w->mapTo(screen, QPoint()), w->size());
        }
        // The mark of a quiz answer and of a wizard's tick box, as drawn: a
        // chosen answer must stand out on a whiteboard as it does at a desk.
        const auto mark = [](QWidget* control, QStyle::SubElement element) {
            QStyleOptionButton option;
            option.initFrom(control);
            return control->style()->subElementRect(element, &option, control);
        };
        rects[QStringLiteral("answer mark")] =
            mark(made->screens().form<Multiple>().Option1[1], QStyle::SE_RadioButtonIndicator);
        rects[QStringLiteral("tick mark")] =
            mark(made->screens().form<Wizard>().Check1[15], QStyle::SE_CheckBoxIndicator);
        return rects;
    }

    // Drags label 0 of the rationing labels from its home so that the
    // pointer ends on each point given in twips, in one move, and reports
    // where the label came to rest.
    static QList<QPointF> dropsAt(const QList<QPoint>& points) {
        auto made = makeProgram();
        Stage& stage = made->screens().stage();
        stage.show();
        auto& lab = made->screens().form<RationingLab>();
        lab.Show();
        QList<QPointF> rests;
        for (const QPoint& p : points) {
            lab.Label3_Click(ActivityScreen::StartAgain);
            const QPoint from = lab.Label2[0]->mapTo(&stage, QPoint(2, 2));
            const QPoint to = lab.client()->mapTo(
                &stage, QPoint(twips::toPixels(float(p.x())), twips::toPixels(float(p.y()))));
            QTest::mousePress(stage.windowHandle(), Qt::LeftButton, {}, from);
            QTest::mouseMove(stage.windowHandle(), to);
            QTest::mouseRelease(stage.windowHandle(), Qt::LeftButton, {}, to);
            rests << QPointF(lab.labelPlace(0).left, lab.labelPlace(0).top);
        }
        return rests;
    }

private Q_SLOTS:
    void initTestCase() {
        // As the program does at start: the widths are Tahoma's.
        startup::registerFallbackFonts(QStringLiteral(OSTERVALE_HOME "/fonts"));
        QVERIFY(QFontInfo(style::tahoma(12)).family().contains(QStringLiteral("Tahoma")));
    }
    void init() { program = makeProgram(); }
    void cleanup() {
        program.reset();
        twips::setScale(1);
        const QStringList found = std::exchange(faults, {});
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // From 1 to 3 in twentieths: a text that fits at one scale can be a
    // pixel short at the next, as the font sizes and the boxes round to
    // whole pixels each their own way.
    void everyScreenAtEveryScale_data() {
        QTest::addColumn<float>("scale");
        for (int step = 0; step <= 40; ++step)
            QTest::addRow("%.2f", 1.0 + 0.05 * step) << 1.0f + 0.05f * float(step);
    }
    void everyScreenAtEveryScale() {
        QFETCH(float, scale);
        twips::setScale(scale);
        for (ScreenId id : kScreens)
            check(*screens().get(id));
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

    void whatAReaderHearsAndTheDesignSizes() {
        // Points at 96 dots an inch: a smaller font would fit anywhere and
        // still be wrong.
        auto& menu = screens().form<Intro0>();
        QCOMPARE(QFontInfo(menu.Label1->font()).pixelSize(), 43);
        QCOMPARE(QFontInfo(menu.Label2.at(Intro0::Exit)->font()).pixelSize(), 24);
        QCOMPARE(QFontInfo(screens().form<Multiple>().Option1[1]->font()).pixelSize(), 27);
        QCOMPARE(QFontInfo(screens().form<RationingLab>().Label2[0]->font()).pixelSize(), 15);
        QCOMPARE(menu.findChildren<QLabel*>(QStringLiteral("Image1")).size(), 1);
        // A real page's words, heading first, a line at a time, with runs
        // split mid-line by a change of style joined.
        Teacher::open(*program, {.name = QStringLiteral("key rationing"),
                                 .count = 1,
                                 .firstPage = QStringLiteral("key rationing.wmf")});
        const QString read = screens().form<Teacher>().Image1->accessibleDescription();
        QVERIFY2(read.startsWith(QStringLiteral("Rationing: the key facts\n")) &&
                     read.contains(QStringLiteral("8 January 1940: bacon, butter and sugar")) &&
                     read.indexOf(QStringLiteral("Why was food rationed?")) <
                         read.indexOf(QStringLiteral("sank many of the ships")),
                 qPrintable(read.left(600)));
        // Each answer box by the picture above it, without giving its label away.
        auto& lab = screens().form<RationingLab>();
        const QStringList shows{"yellow wedge", "glass bottle", "paper bag", "chops"};
        for (int j = 0; j < 4; ++j)
            QVERIFY2(lab.Label1[j]->accessibleName().contains(shows[j]),
                     qPrintable(lab.Label1[j]->accessibleName()));
        QCOMPARE(lab.Label2[3]->objectName(), QStringLiteral("Label2[3]"));
        QCOMPARE(screens().form<Wizard>().Text3[15]->objectName(), QStringLiteral("Text3[15]"));
        QCOMPARE(screens().form<Wizard>().Check1[15]->accessibleName(),
                 QStringLiteral("Question 4, answer D is right"));
    }

    void theScaleAskedFor() {
        QCOMPARE(startup::fittingScale(QSize(1920, 1080)), 1.8f);
        QCOMPARE(startup::fittingScale(QSize(1366, 738)), 1.23f);
        QCOMPARE(startup::fittingScale(QSize(800, 600)), 1.0f);
        QCOMPARE(startup::fittingScale(QSize()), 1.0f);
        const auto scale = [](const QStringList& args) {
            return startup::scaleFromArguments(QStringList{"ostervale"} + args, QSize(1920, 1200));
        };
        QCOMPARE(scale({}), std::optional(1.0f));
        QCOMPARE(scale({"--scale", "auto"}), std::optional(2.0f));
        QCOMPARE(scale({"--scale", "0.5"}), std::optional(0.5f));
        QCOMPARE(scale({"--scale=8"}), std::optional(8.0f));
        for (const char* bad : {"big", "0.49", "-1", "nan", "8.01", ""})
            QVERIFY2(!scale({"--scale", QString::fromUtf8(bad)}), bad);
        QVERIFY(!scale({"--scale"}));
        // The program's own name is never the value.
        QCOMPARE(startup::scaleFromArguments({"--scale=3"}, QSize()), std::optional(1.0f));
    }

    void everythingGrowsByTheScale() {
        const QMap<QString, QRect> one = layout();
        twips::setScale(1.5f);
        const QMap<QString, QRect> more = layout();
        QCOMPARE(more.keys(), one.keys());
        QVERIFY(one.size() > 200 && one[QStringLiteral("answer mark")].width() > 5);
        const auto near = [](int scaled, int original) {
            return std::abs(scaled - original * 1.5) <= 1.5;
        };
        for (auto it = one.cbegin(); it != one.cend(); ++it) {
            const QRect a = it.value(), b = more.value(it.key());
            // The labelling instructions grow to their text, whose font grows
            // by the scale rounded down to a whole pixel: a pixel short a line.
            const bool followsText = it.key().endsWith(QStringLiteral(" Label7")) &&
                                     b.height() <= a.height() * 1.5 &&
                                     b.height() >= a.height() * 1.5 * (1 - 1.0 / 32) - 1.5;
            QVERIFY2(near(b.x(), a.x()) && near(b.y(), a.y()) && near(b.width(), a.width()) &&
                         (followsText || near(b.height(), a.height())),
                     qPrintable(it.key()));
        }
    }

    void dropsAreDecidedTheSameAtAnyScale() {
        // The pointer ends on and beside every edge of every slot's zone, on
        // points that are whole pixels at both scales.
        QList<QPoint> points;
        for (const auto& [left, top] :
             {std::pair{9000, 3000}, {5280, 4080}, {1440, 3720}, {9000, 6600}}) {
            for (int x : {left - 30, left, left + 30, left + 1080, left + 2160, left + 2190})
                for (int y : {top - 30, top, top + 30, top + 300, top + 600, top + 630})
                    points << QPoint(x, y);
        }
        const QList<QPointF> one = dropsAt(points);
        twips::setScale(1.5f);
        QCOMPARE(dropsAt(points), one);
        // Both snaps and misses were tried.
        int snapped = 0;
        for (int k = 0; k < points.size(); ++k)
            snapped += one[k] != QPointF(points[k]) - QPointF(727.5, 210);
        QVERIFY(snapped > 20 && snapped < points.size() - 20);
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

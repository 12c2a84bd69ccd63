// Every screen on the real material, in every state a pupil or teacher meets
// it and at every scale a whiteboard may be given: every text fits its
// control at the program's own fonts, a screen reader hears a name for the
// screen and for every control in the role it expects.
#include "drag_label.h"
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
#include "welldone.h"
#include "wrong.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

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
        const std::tuple<int, int, bool> scores[] = {{10, 10, true}, {8, 10, true}, {3, 10, true},
                                                     {4, 4, false},  {1, 3, false}, {2, 8, false}};
        for (const auto& [score, total, quiz] : scores) {
            program->state<Results>() = {score, total, quiz};
            check(screens().form<Welldone>(), QStringLiteral(" %1 of %2").arg(score).arg(total));
            screens().unload(ScreenId::Welldone);
        }
    }

    void theScaleAskedFor() {
        QCOMPARE(startup::fittingScale(QSize(1366, 738)), 1.23f);
        const auto scale = [](const QStringList& args) {
            return startup::scaleFromArguments(QStringList{"ostervale"} + args, QSize(1920, 1200));
        };
        QCOMPARE(scale({}), std::optional(1.0f));
        QCOMPARE(scale({"--scale", "auto"}), std::optional(2.0f));
        QCOMPARE(scale({"--scale", "0.5"}), std::optional(0.5f));
        QCOMPARE(scale({"--scale=8"}), std::optional(8.0f));
        for (const char* bad : {"big", "0.49", "nan", "8.01", ""})
            QVERIFY2(!scale({"--scale", QString::fromUtf8(bad)}), bad);
        QVERIFY(!scale({"--scale"}));
    }
};

OSTERVALE_TEST(ScreensTest)
#include "test_screens.moc"

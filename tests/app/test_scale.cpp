#include "labelling.h"
#include "multiple.h"
#include "page_state.h"
#include "startup.h"
#include "support/stand_ins.h"
#include "testmain.h"
#include "twips.h"
#include "wizard.h"

#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

// The whiteboard scale: asked for on the command line, and then everything
// drawn larger together while the activities decide in twips as before.
class ScaleTest : public QObject {
    Q_OBJECT

    static std::unique_ptr<Program> makeProgram() {
        auto program = std::make_unique<Program>(QStringLiteral(OSTERVALE_HOME),
                                                 std::make_unique<RecordingSound>(),
                                                 std::make_unique<RecordingMessages>());
        startup::defineScreens(*program);
        program->state<PageState>() = {.PageNumber = 1, .PageCount = 3, .PageSetName = {}};
        return program;
    }

    static constexpr ScreenId kScreens[] = {
        ScreenId::Titlefrm,     ScreenId::intro0,       ScreenId::rationing,
        ScreenId::progress,     ScreenId::rationinglab, ScreenId::progresslab,
        ScreenId::rationingord, ScreenId::progressord,  ScreenId::teacher,
        ScreenId::guide,        ScreenId::wizard,       ScreenId::worksheets};

    // Every control of every screen, by name, as a rectangle of its screen.
    static QMap<QString, QRect> layout() {
        auto program = makeProgram();
        // A display large enough for the screens at any scale tried here.
        program->screens().stage().setGeometry(0, 0, 2400, 1800);
        QMap<QString, QRect> rects;
        for (ScreenId id : kScreens) {
            Screen* screen = program->screens().get(id);
            rects[QStringLiteral("%1").arg(int(id))] = QRect(QPoint(), screen->size());
            rects[QStringLiteral("%1 client").arg(int(id))] = screen->client()->geometry();
            for (QWidget* w : screen->client()->findChildren<QWidget*>()) {
                if (!w->objectName().isEmpty())
                    rects[QStringLiteral("%1 %2").arg(int(id)).arg(w->objectName())] =
                        QRect(w->mapTo(screen, QPoint()), w->size());
            }
        }
        return rects;
    }

    // Drags label 0 of the rationing labels from its home so that the
    // pointer ends on a point given in twips, in one move, and reports where
    // the label came to rest.
    static QList<QPointF> dropsAt(const QList<QPoint>& points) {
        auto program = makeProgram();
        Stage& stage = program->screens().stage();
        stage.setGeometry(0, 0, 2400, 1800);
        stage.show();
        auto& lab = program->screens().form<RationingLab>();
        lab.Show();
        QWindow* window = stage.windowHandle();
        QList<QPointF> rests;
        for (const QPoint& p : points) {
            lab.Label3_Click(ActivityScreen::StartAgain);
            const QPoint from = lab.Label2[0]->mapTo(&stage, QPoint(2, 2));
            const QPoint to = lab.client()->mapTo(
                &stage, QPoint(twips::toPixels(float(p.x())), twips::toPixels(float(p.y()))));
            QTest::mousePress(window, Qt::LeftButton, {}, from);
            QTest::mouseMove(window, to);
            QTest::mouseRelease(window, Qt::LeftButton, {}, to);
            rests << QPointF(lab.labelPlace(0).left, lab.labelPlace(0).top);
        }
        return rests;
    }

    // The mark of a quiz answer and of a wizard's tick box, as drawn.
    static std::pair<QSize, QSize> marks() {
        auto program = makeProgram();
        const auto mark = [](QWidget* control, QStyle::SubElement element) {
            QStyleOptionButton option;
            option.initFrom(control);
            return control->style()->subElementRect(element, &option, control).size();
        };
        return {
            mark(program->screens().form<Multiple>().Option1[1], QStyle::SE_RadioButtonIndicator),
            mark(program->screens().form<Wizard>().Check1[15], QStyle::SE_CheckBoxIndicator)};
    }

private Q_SLOTS:
    void cleanup() { twips::setScale(1); }

    void autoFitsTheScreensToTheDisplay() {
        QCOMPARE(startup::fittingScale(QSize(1920, 1080)), 1.8f);
        QCOMPARE(startup::fittingScale(QSize(1920, 1200)), 2.0f);
        QCOMPARE(startup::fittingScale(QSize(1366, 738)), 1.23f);
        QCOMPARE(startup::fittingScale(QSize(800, 600)), 1.0f);
        QCOMPARE(startup::fittingScale(QSize()), 1.0f);
    }

    void theCommandLineSetsTheScale() {
        const QSize hd(1920, 1080);
        const auto scale = [&](const QStringList& args) {
            return startup::scaleFromArguments(QStringList{"ostervale"} + args, hd);
        };
        using Scale = std::optional<float>;
        QCOMPARE(scale({}), Scale(1.0f));
        QCOMPARE(scale({"--scale", "auto"}), Scale(1.8f));
        QCOMPARE(scale({"--scale", "1.5"}), Scale(1.5f));
        QCOMPARE(scale({"--scale=2"}), Scale(2.0f));
        for (const char* bad : {"big", "0", "-1", "nan", "100", ""})
            QVERIFY2(!scale({"--scale", QString::fromUtf8(bad)}), bad);
        QVERIFY(!scale({"--scale"}));
        // The program's own name is never the value.
        QCOMPARE(startup::scaleFromArguments({"--scale=3"}, hd), Scale(1.0f));
    }

    void everyRectangleGrowsByTheScale() {
        const QMap<QString, QRect> one = layout();
        twips::setScale(1.5f);
        const QMap<QString, QRect> more = layout();
        QCOMPARE(more.keys(), one.keys());
        QVERIFY(one.size() > 200);
        QStringList wrong;
        const auto near = [](int scaled, int original) {
            return std::abs(scaled - original * 1.5) <= 1.5;
        };
        // The labelling instructions grow to their text, and fonts grow by the
        // scale rounded down to a whole pixel (21 pixels become 31 at 1.5), so
        // their height may fall short by a pixel a line, never more.
        const QStringList grownToText{QStringLiteral("%1 Label7").arg(int(ScreenId::rationinglab)),
                                      QStringLiteral("%1 Label7").arg(int(ScreenId::progresslab))};
        const auto nearHeight = [&](const QString& key, int scaled, int original) {
            const bool followsText = grownToText.contains(key) && scaled <= original * 1.5 &&
                                     scaled >= original * 1.5 * (1 - 1.0 / 32) - 1.5;
            return followsText || near(scaled, original);
        };
        for (auto it = one.cbegin(); it != one.cend(); ++it) {
            const QRect a = it.value(), b = more.value(it.key());
            if (!near(b.x(), a.x()) || !near(b.y(), a.y()) || !near(b.width(), a.width()) ||
                !nearHeight(it.key(), b.height(), a.height()))
                QDebug(&wrong.emplace_back()) << it.key() << a << "at 1," << b << "at 1.5";
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void marksGrowWithTheScale() {
        // A chosen answer must stand out on a whiteboard as it does at a desk.
        const auto [option, tick] = marks();
        QVERIFY(option.width() > 5 && tick.width() > 5);
        twips::setScale(2);
        const auto [largeOption, largeTick] = marks();
        const auto doubled = [](QSize large, QSize small) {
            return std::abs(large.width() - 2 * small.width()) <= 1 &&
                   std::abs(large.height() - 2 * small.height()) <= 1;
        };
        QVERIFY2(doubled(largeOption, option), qPrintable(QDebug::toString(largeOption)));
        QVERIFY2(doubled(largeTick, tick), qPrintable(QDebug::toString(largeTick)));
    }

    void dropsAreDecidedTheSameAtAnyScale() {
        // Pointer ends on and beside every edge of every slot's zone, on
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
        const QList<QPointF> more = dropsAt(points);
        QCOMPARE(more, one);
        // Both snaps and misses were tried.
        int snapped = 0;
        for (int k = 0; k < points.size(); ++k)
            snapped += one[k] != QPointF(points[k]) - QPointF(727.5, 210);
        QVERIFY(snapped > 20 && snapped < points.size() - 20);
    }
};

OSTERVALE_TEST(ScaleTest)
#include "test_scale.moc"

#include "activity_screen.h"
#include "intro0.h"
#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "page_state.h"
#include "quiz_session.h"
#include "quiz_state.h"
#include "results.h"
#include "startup.h"
#include "style.h"
#include "support/fits.h"
#include "support/stand_ins.h"
#include "testmain.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheets.h"
#include "wrong.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

// Every screen opened on the real material, and every text on it checked
// against its control at the program's own fonts: a wrapped label must
// have the height its lines need, a one-line control the width.
class TextsFitTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QStringList misfits;

    ScreenRegistry& screens() { return program->screens(); }

    void check(Screen& screen, const QString& state = {}) {
        const QString where = QStringLiteral("%1%2: ").arg(int(screen.id())).arg(state);
        // OSTERVALE_SHOTS=folder keeps a picture of every screen as checked,
        // for a person to look at.
        if (const QString shots = qEnvironmentVariable("OSTERVALE_SHOTS"); !shots.isEmpty())
            screen.grab().save(QStringLiteral("%1/%2.png").arg(shots, where.chopped(2).trimmed()));
        for (const QString& text : fits::misfits(&screen))
            misfits << where + text;
    }

    void loadSet(const QString& file) {
        if (!quiz_session::load(*program, QStringLiteral(OSTERVALE_HOME "/multiple/") + file))
            qFatal("the installed topic quiz %s does not load", qPrintable(file));
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
        misfits.clear();
    }
    void cleanup() { program.reset(); }

    void menusAndActivities() {
        check(screens().form<Titlefrm>());
        check(screens().form<Intro0>());
        check(screens().form<RationingMenu>());
        check(screens().form<ProgressMenu>());
        check(screens().form<RationingLab>());
        check(screens().form<ProgressLab>());
        check(screens().form<RationingOrd>());
        check(screens().form<ProgressOrd>());
        program->state<PageState>() = {.PageNumber = 1, .PageCount = 3, .PageSetName = {}};
        check(screens().form<Teacher>());
        check(screens().form<Guide>());
        check(screens().form<Wizard>());
        check(screens().form<Worksheets>());
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u'\n')));
    }

    void everyQuestionAndItsReview() {
        for (const char* file : {"Rationing.txt", "The Progress of the War.txt"}) {
            loadSet(QString::fromUtf8(file));
            quiz_session::start(*program, QPixmap(), QStringLiteral("Ostervale"));
            auto& quiz = screens().form<Multiple>();
            for (int q = 1; q <= 10; ++q) {
                check(quiz, QStringLiteral(" question %1").arg(q));
                quiz.Label3_Click(Multiple::Next);
            }
            // Every answer left unchosen: the review lists all ten.
            check(screens().form<Wrong>(), QString::fromUtf8(file));
            screens().unload(ScreenId::Welldone);
            screens().unload(ScreenId::Wrong);
        }
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u'\n')));
    }

    void resultsInEveryBand() {
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
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(u'\n')));
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
};

OSTERVALE_TEST(TextsFitTest)
#include "test_texts_fit.moc"

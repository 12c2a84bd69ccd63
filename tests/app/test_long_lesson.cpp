// A lesson opens and closes the same screens again and again; whatever a
// screen takes must come back when it closes, or a morning's use slowly fills
// the memory of an old classroom machine.
#include "shell_fixture.h"
#include "testmain.h"

#include <QTest>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

class LongLessonTest : public QObject {
    Q_OBJECT

    // Bytes the program holds on the heap now.
    static qint64 heapInUse() {
#if defined(__GLIBC__)
        return qint64(mallinfo2().uordblks);
#else
        return -1;
#endif
    }

    // The title screen and its main menu opened and thrown away, drawn as a
    // pupil sees them on the way.
    static void openAndClose(ShellFixture& f) {
        for (int id = 0; id <= int(ScreenId::worksheets); ++id)
            f.program->screens().unload(ScreenId(id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Intro0& menu = f.openMainMenu();
        QVERIFY(!menu.window()->grab().isNull());
        // As the event loop would between a pupil's clicks.
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void openingScreensAgainAndAgainHoldsNoMoreMemory() {
        if (qEnvironmentVariableIsSet("OSTERVALE_SANITIZED") || heapInUse() < 0)
            QSKIP("needs the C library's own allocator to read the heap");
        ShellFixture f;
        // The first rounds fill the font and glyph caches, which then stay,
        // and the style's cache up to its bound.
        for (int i = 0; i < 80; ++i)
            openAndClose(f);
        const qint64 before = heapInUse();
        constexpr int kRounds = 60;
        for (int i = 0; i < kRounds; ++i)
            openAndClose(f);
        const qint64 grown = heapInUse() - before;
        // A round takes some 20 KiB that are never given back when a cache
        // grows without bound; a little noise is allowed.
        const qint64 allowed = 256 * 1024;
        QVERIFY2(grown < allowed,
                 qPrintable(
                     QStringLiteral("%1 KiB more after %2 rounds").arg(grown / 1024).arg(kRounds)));
    }
};

OSTERVALE_TEST(LongLessonTest)
#include "test_long_lesson.moc"

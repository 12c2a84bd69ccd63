#include "catalogue_file.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class CatalogueFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    void writeCatalogue(const QByteArray& bytes) {
        QDir(dir.path()).mkpath(QStringLiteral("multiple"));
        QFile file(dir.filePath(QStringLiteral("multiple/track.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // A catalogue in memory that already holds something from earlier.
    static CatalogueState earlier() {
        CatalogueState state;
        state.WorksheetCount = 4;
        for (int i = 1; i <= 4; ++i)
            state.WorksheetTitles[i] = QStringLiteral("old %1").arg(i);
        return state;
    }

private Q_SLOTS:
    void readsEveryTitleAsTyped() {
        writeCatalogue("3\r\nRationing\r\nrationing\r\n  Blitz quiz  \r\n");
        CatalogueState state = earlier();
        QVERIFY(catalogue_file::loadStoppingAtFailure(MaterialPaths(dir.path()), state));
        QCOMPARE(state.WorksheetCount, 3);
        QCOMPARE(state.WorksheetTitles[1], QStringLiteral("Rationing"));
        QCOMPARE(state.WorksheetTitles[2], QStringLiteral("rationing"));
        QCOMPARE(state.WorksheetTitles[3], QStringLiteral("Blitz quiz"));
        QCOMPARE(state.WorksheetTitles[4], QStringLiteral("old 4"));
    }

    void emptyCatalogue() {
        writeCatalogue(" 0\r\n");
        CatalogueState state = earlier();
        QVERIFY(catalogue_file::loadStoppingAtFailure(MaterialPaths(dir.path()), state));
        QCOMPARE(state.WorksheetCount, 0);
    }

    void failuresKeepWhatWasReadBefore_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("titles");
        const QStringList old{"old 1", "old 2", "old 3", "old 4"};
        QTest::newRow("no file") << QByteArray() << 4 << old;
        QTest::newRow("shorter than its count")
            << QByteArray(" 3\r\nA\r\nB\r\n") << 3 << QStringList{"A", "B", "old 3", "old 4"};
        QTest::newRow("count above the table") << QByteArray(" 1001\r\nA\r\n") << 4 << old;
        QTest::newRow("negative count") << QByteArray("-2\r\nA\r\n") << 4 << old;
        QTest::newRow("count is not a number") << QByteArray("three\r\nA\r\n") << 4 << old;
    }
    void failuresKeepWhatWasReadBefore() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QStringList, titles);
        QFile::remove(dir.filePath(QStringLiteral("multiple/track.txt")));
        if (!bytes.isEmpty())
            writeCatalogue(bytes);
        CatalogueState state = earlier();
        QVERIFY(!catalogue_file::loadStoppingAtFailure(MaterialPaths(dir.path()), state));
        QCOMPARE(state.WorksheetCount, count);
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(state.WorksheetTitles[i + 1], titles[i]);
    }

    void aFullCatalogueOfAThousandTitles() {
        QByteArray bytes = " 1000\r\n";
        for (int i = 1; i <= 1000; ++i)
            bytes += "Sheet " + QByteArray::number(i) + "\r\n";
        writeCatalogue(bytes);
        CatalogueState state;
        QVERIFY(catalogue_file::loadStoppingAtFailure(MaterialPaths(dir.path()), state));
        QCOMPARE(state.WorksheetCount, 1000);
        QCOMPARE(state.WorksheetTitles[1000], QStringLiteral("Sheet 1000"));
    }
};

OSTERVALE_TEST(CatalogueFileTest)
#include "test_catalogue_file.moc"

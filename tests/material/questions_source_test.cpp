#include "questions.h"
#include "testmain.h"

#include <QTest>

namespace {
QString source(int questions, const QString& firstText = QStringLiteral("Why, then?")) {
    QString s = QStringLiteral("# a comment\ntitle: Paris, France\nfacts: key paris\n");
    for (int q = 1; q <= questions; ++q) {
        s += QStringLiteral("\nQ: ") + (q == 1 ? firstText : QStringLiteral("Q%1").arg(q));
        s += QStringLiteral("\nA: a\nB: b, too\nC: c\nD: £d\nanswer: ");
        s += QChar(u'A' + (q % 4));
        s += u'\n';
    }
    return s;
}
} // namespace

class QuestionsSourceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void compilesToTheSeventyTwoLineFormat() {
        const auto compiled = material::compileQuestionSource(source(10));
        QVERIFY2(compiled.errors.isEmpty(), qPrintable(compiled.errors.join(u'\n')));
        const QList<QByteArray> lines = compiled.file.split('\n');
        QCOMPARE(compiled.file.count("\r\n"), 72);
        QCOMPARE(lines[0], QByteArray("Paris& France\r"));
        QCOMPARE(lines[1], QByteArray(" \r"));
        QCOMPARE(lines[2], QByteArray("Why& then?\r"));
        QCOMPARE(lines[4], QByteArray("b& too\r"));
        QCOMPARE(lines[6], QByteArray("\xA3"
                                      "d\r"));
        QCOMPARE(lines[7], QByteArray("2\r"));
        QCOMPARE(lines[14], QByteArray("3\r"));
        QCOMPARE(lines[70], QByteArray("3\r"));
    }

    void refusesWhatAQuestionFileCannotHold_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("nine questions") << source(9);
        QTest::newRow("ampersand") << source(10, QStringLiteral("Fish & chips?"));
        QTest::newRow("double quote") << source(10, QStringLiteral("\"Quoted\""));
        QTest::newRow("outside Latin-1") << source(10, QStringLiteral("Curly “quotes”"));
        QTest::newRow("empty question") << source(10, QString());
        QTest::newRow("bad letter")
            << source(10).replace(QStringLiteral("answer: B"), QStringLiteral("answer: E"));
        QTest::newRow("unknown key") << source(10) + QStringLiteral("hint: none\n");
        QTest::newRow("answer before a question") << QStringLiteral("A: x\n") + source(10);
        QTest::newRow("no facts pages") << source(10).remove(QStringLiteral("facts: key paris\n"));
    }
    void refusesWhatAQuestionFileCannotHold() {
        QFETCH(QString, text);
        const auto compiled = material::compileQuestionSource(text);
        QVERIFY(!compiled.errors.isEmpty());
        QVERIFY(compiled.file.isEmpty());
    }

    // A pupil sent back to the key facts must find every right answer there.
    void rightAnswersAreLookedForOnTheFactsPages() {
        const QString pages = QStringLiteral(
            "On 3 September 1939 Britain declared war. U-boats sank ships carrying food.\n"
            "In the Blitz, 3 ships sank in December.");
        const QStringList found = material::answersNotOnPages(
            {QStringLiteral("3 September 1939"), QStringLiteral("U-boats sank ships"),
             QStringLiteral("The ships and their food")},
            pages);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        const QStringList missing = material::answersNotOnPages(
            {QStringLiteral("Hens"), QStringLiteral("3 December"), QStringLiteral("Poland")},
            pages);
        QCOMPARE(missing.size(), 3);
        QVERIFY(missing[0].contains(QStringLiteral("question 1")) &&
                missing[0].endsWith(QStringLiteral("no hens")));
        QVERIFY(missing[1].endsWith(QStringLiteral("no 3 december")));
    }
};

OSTERVALE_TEST(QuestionsSourceTest)
#include "questions_source_test.moc"

#include "codepage.h"
#include "question_file.h"
#include "support/question_sets.h"
#include "testmain.h"

#include <QFile>
#include <QTest>

namespace {
QByteArray lines(const QStringList& items) {
    QByteArray out;
    for (const QString& item : items)
        out += codepage::encode1252(item) + "\r\n";
    return out;
}

bool load(const QByteArray& bytes, QuizTables& tables) {
    FieldReader file1(bytes);
    return LoadQuestions(file1, tables);
}
} // namespace

class QuestionFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writerAndReaderAgreeLineForLine() {
        QuestionSheet s = test_sets::sheet(QStringLiteral("Paris, France"), test_sets::kPattern);
        s.questions[0] = QStringLiteral("Fish & chips cost £1, or more?");
        s.answers[1] = QStringLiteral("   leading spaces");
        s.answers[2] = QString();
        s.answers[3] = QStringLiteral("   ");
        s.answers[39] = QStringLiteral("Rome, Italy");
        const QByteArray file = composeQuestionFile(s);
        QVERIFY(!file.contains(','));
        QVERIFY(file.contains("\r\nRome& Italy\r\n"));
        QCOMPARE(file.count("\r\n"), 72);
        QCOMPARE(file.count('\n'), 72);
        QVERIFY(file.startsWith("Paris& France\r\n \r\nFish & chips cost \xA3"
                                "1& or more?\r\n"));

        QuizTables t;
        QVERIFY(load(file, t));
        QCOMPARE(t.QuizTitle, QStringLiteral("Paris, France"));
        QCOMPARE(t.QuestionText[1], QStringLiteral("Fish , chips cost £1, or more?"));
        QCOMPARE(t.ChoiceA[1], QStringLiteral("Answer 1A"));
        QCOMPARE(t.ChoiceB[1], QStringLiteral("leading spaces"));
        QCOMPARE(t.ChoiceC[1], QString());
        QCOMPARE(t.ChoiceD[1], QString());
        for (int q = 1; q <= 10; ++q)
            QCOMPARE(t.CorrectChoice[q], QString::number(test_sets::kPattern[q - 1]));
        QCOMPARE(t.QuestionText[10], QStringLiteral("Question 10?"));
        QCOMPARE(t.ChoiceD[10], QStringLiteral("Rome, Italy"));
    }

    void linesAfterTheSetAndQuotesAreRead() {
        QByteArray file = composeQuestionFile(test_sets::sheet("T", test_sets::kPattern));
        file.replace("Question 3?", "\"Quoted, with comma\" and more");
        file += "Extra line\r\nmore\r\n";
        QuizTables t;
        QVERIFY(load(file, t));
        QCOMPARE(t.QuestionText[3], QStringLiteral("Quoted, with comma"));
        QCOMPARE(t.QuestionText[10], QStringLiteral("Question 10?"));
    }

    void aShortFileFailsKeepingWhatWasRead() {
        QuizTables t;
        QVERIFY(load(composeQuestionFile(test_sets::sheet("Old", test_sets::kPattern)), t));
        QByteArray cut =
            composeQuestionFile(test_sets::sheet("New", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4}));
        cut.truncate(cut.indexOf("Question 5?"));
        QVERIFY(!load(cut, t));
        QCOMPARE(t.QuizTitle, QStringLiteral("New"));
        QCOMPARE(t.CorrectChoice[4], QStringLiteral("4"));
        QCOMPARE(t.CorrectChoice[5], QStringLiteral("1"));
        // The very last separator line counts too.
        QByteArray almost = composeQuestionFile(test_sets::sheet("T", test_sets::kPattern));
        almost.chop(3);
        QVERIFY(!load(almost, t));
    }

    void aRawCommaShiftsEveryLaterField() {
        QByteArray file = composeQuestionFile(test_sets::sheet("T", test_sets::kPattern));
        file.replace("Question 1?", "Question 1, raw");
        QuizTables t;
        // The shift puts answer D where the digit belongs: the set is damaged.
        QVERIFY(!load(file, t));
        QCOMPARE(t.QuestionText[1], QStringLiteral("Question 1"));
        QCOMPARE(t.ChoiceA[1], QStringLiteral("raw"));
        QCOMPARE(t.ChoiceB[1], QStringLiteral("Answer 1A"));
        QCOMPARE(t.CorrectChoice[1], QStringLiteral("Answer 1D"));
    }

    void aRightAnswerThatIsNotADigitOneToFourIsDamage_data() {
        QTest::addColumn<QString>("digit");
        QTest::newRow("zero") << "0";
        QTest::newRow("five, the hidden no-answer button") << "5";
        QTest::newRow("letter") << "A";
        QTest::newRow("empty") << "";
        QTest::newRow("two digits") << "12";
    }
    void aRightAnswerThatIsNotADigitOneToFourIsDamage() {
        QFETCH(QString, digit);
        QStringList items{QStringLiteral("T"), QStringLiteral(" ")};
        for (int q = 1; q <= 10; ++q) {
            items << QStringLiteral("Q") << QStringLiteral("a") << QStringLiteral("b")
                  << QStringLiteral("c") << QStringLiteral("d")
                  << (q == 7 ? digit : QStringLiteral("2")) << QStringLiteral(" ");
        }
        QuizTables t;
        QVERIFY(!load(lines(items), t));
        QCOMPARE(t.CorrectChoice[7], digit);
    }

    void loadingASecondSetReplacesEverySlot() {
        QuizTables t;
        QVERIFY(load(composeQuestionFile(test_sets::sheet("One", test_sets::kPattern)), t));
        QuestionSheet two = test_sets::sheet("Two", {4, 3, 2, 1, 4, 3, 2, 1, 4, 3});
        for (QString& q : two.questions)
            q += QStringLiteral(" (two)");
        QVERIFY(load(composeQuestionFile(two), t));
        QCOMPARE(t.QuizTitle, QStringLiteral("Two"));
        const std::array<int, 10> secondPattern{4, 3, 2, 1, 4, 3, 2, 1, 4, 3};
        for (int q = 1; q <= 10; ++q) {
            QVERIFY(t.QuestionText[q].endsWith(QStringLiteral("(two)")));
            QCOMPARE(t.CorrectChoice[q], QString::number(secondPattern[q - 1]));
        }
    }

    void installedTopicSetsAreWholeAndFitTheScreen_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("Rationing") << "multiple/Rationing.txt"
                                   << "Rationing";
        QTest::newRow("Progress") << "multiple/The Progress of the War.txt"
                                  << "The Progress of the War";
    }
    void installedTopicSetsAreWholeAndFitTheScreen() {
        QFETCH(QString, file);
        QFETCH(QString, title);
        const QString path = QStringLiteral(OSTERVALE_HOME) + u'/' + file;
        QFile raw(path);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readAll().count("\r\n"), 72);
        QuizTables t;
        QVERIFY(loadQuestionFile(path, t));
        QCOMPARE(t.QuizTitle, title);
        QSet<QString> digits;
        for (int q = 1; q <= 10; ++q) {
            digits.insert(t.CorrectChoice[q]);
            const QStringList answers{t.ChoiceA[q], t.ChoiceB[q], t.ChoiceC[q], t.ChoiceD[q]};
            QCOMPARE(QSet<QString>(answers.begin(), answers.end()).size(), 4);
            QVERIFY(!t.QuestionText[q].isEmpty());
        }
        QCOMPARE(digits.size(), 4);
    }
};

OSTERVALE_TEST(QuestionFileTest)
#include "test_question_file.moc"

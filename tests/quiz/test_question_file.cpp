#include "question_file.h"
#include "support/question_sets.h"
#include "testmain.h"

#include <QFile>
#include <QTest>

namespace {
bool load(const QByteArray& bytes, QuizTables& tables) {
    FieldReader file1(bytes);
    return LoadQuestions(file1, tables);
}
QByteArray sheetBytes(const char* title, const std::array<int, 10>& right = test_sets::kPattern) {
    return composeQuestionFile(test_sets::sheet(QString::fromUtf8(title), right));
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
        QByteArray file = sheetBytes("T").replace("Question 3?", "\"Quoted, with comma\" and more");
        QuizTables t;
        QVERIFY(load(file + "Extra line\r\nmore\r\n", t));
        QCOMPARE(t.QuestionText[3], QStringLiteral("Quoted, with comma"));
        QCOMPARE(t.QuestionText[10], QStringLiteral("Question 10?"));
    }

    void aShortFileFailsKeepingWhatWasRead() {
        QuizTables t;
        QVERIFY(load(sheetBytes("Old"), t));
        const QByteArray cut = sheetBytes("New", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
        QVERIFY(!load(cut.left(cut.indexOf("Question 5?")), t));
        QCOMPARE(t.QuizTitle, QStringLiteral("New"));
        QCOMPARE(t.CorrectChoice[4], QStringLiteral("4"));
        QCOMPARE(t.CorrectChoice[5], QStringLiteral("1"));
        // The very last separator line counts too.
        QVERIFY(!load(sheetBytes("T").chopped(3), t));
    }

    void aRawCommaShiftsEveryLaterField() {
        QuizTables t;
        // The shift puts answer D where the digit belongs: the set is damaged.
        QVERIFY(!load(sheetBytes("T").replace("Question 1?", "Question 1, raw"), t));
        QCOMPARE(t.QuestionText[1], QStringLiteral("Question 1"));
        QCOMPARE(t.ChoiceA[1], QStringLiteral("raw"));
        QCOMPARE(t.ChoiceB[1], QStringLiteral("Answer 1A"));
        QCOMPARE(t.CorrectChoice[1], QStringLiteral("Answer 1D"));
    }

    // Five is the hidden no-answer button: a set that names it can never be
    // marked right.
    void aRightAnswerThatIsNotADigitOneToFourIsDamage() {
        for (const char* digit : {"0", "5", "A", "", "12"}) {
            const QByteArray line = QByteArray("Answer 7D\r\n") + digit + "\r\n";
            QuizTables t;
            QVERIFY2(!load(sheetBytes("T").replace("Answer 7D\r\n3\r\n", line), t), digit);
            QCOMPARE(t.CorrectChoice[7], QString::fromLatin1(digit));
        }
    }

    void loadingASecondSetReplacesEverySlot() {
        QuizTables t;
        QVERIFY(load(sheetBytes("One"), t));
        const std::array<int, 10> second{4, 3, 2, 1, 4, 3, 2, 1, 4, 3};
        QuestionSheet two = test_sets::sheet("Two", second);
        for (QString& q : two.questions)
            q += QStringLiteral(" (two)");
        QVERIFY(load(composeQuestionFile(two), t));
        QCOMPARE(t.QuizTitle, QStringLiteral("Two"));
        for (int q = 1; q <= 10; ++q) {
            QVERIFY(t.QuestionText[q].endsWith(QStringLiteral("(two)")));
            QCOMPARE(t.CorrectChoice[q], QString::number(second[q - 1]));
        }
    }

    // Every installed topic set loads whole, with four different answers to
    // each question and every answer button right somewhere.
    void installedTopicSetsAreWhole() {
        for (const char* title : {"Rationing", "The Progress of the War"}) {
            const QString path = QStringLiteral(OSTERVALE_HOME "/multiple/%1.txt").arg(title);
            QFile raw(path);
            QVERIFY(raw.open(QIODevice::ReadOnly));
            QCOMPARE(raw.readAll().count("\r\n"), 72);
            QuizTables t;
            QVERIFY(loadQuestionFile(path, t));
            QCOMPARE(t.QuizTitle, QString::fromUtf8(title));
            QSet<QString> digits;
            for (int q = 1; q <= 10; ++q) {
                digits.insert(t.CorrectChoice[q]);
                const QStringList answers{t.ChoiceA[q], t.ChoiceB[q], t.ChoiceC[q], t.ChoiceD[q]};
                QCOMPARE(QSet<QString>(answers.begin(), answers.end()).size(), 4);
                QVERIFY(!t.QuestionText[q].isEmpty());
            }
            QCOMPARE(digits.size(), 4);
        }
    }
};

OSTERVALE_TEST(QuestionFileTest)
#include "test_question_file.moc"

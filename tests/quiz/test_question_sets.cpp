// Question files as a teacher's editor writes them and the quiz reads them,
// and the marks and sounds a score earns.
#include "material_paths.h"
#include "question_file.h"
#include "quiz_rules.h"
#include "random_source.h"
#include "stand_ins.h"
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

class QuestionSetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writerAndReaderAgreeLineForLine() {
        QuestionSheet s = test_sets::sheet(QStringLiteral("Paris, France"), test_sets::kPattern);
        s.questions[0] = QStringLiteral("Fish & chips cost £1, or more?");
        s.answers[1] = QStringLiteral("   leading spaces");
        s.answers[2] = QString();
        s.answers[39] = QStringLiteral("Rome, Italy");
        const QByteArray file = composeQuestionFile(s);
        // Commas would split a field, so they are stored as '&'.
        QVERIFY(!file.contains(','));
        QCOMPARE(file.count("\r\n"), 72);
        QCOMPARE(file.count('\n'), 72);
        QVERIFY(file.startsWith("Paris& France\r\n \r\nFish & chips cost \xA3"
                                "1& or more?\r\n"));
        // Lines after the set are not read; a quoted field keeps its comma.
        QuizTables t;
        QVERIFY(
            load(QByteArray(file).replace("Question 3?", "\"Quoted, with\" more") + "x\r\n", t));
        QCOMPARE(t.QuizTitle, QStringLiteral("Paris, France"));
        QCOMPARE(t.QuestionText[1], QStringLiteral("Fish , chips cost £1, or more?"));
        QCOMPARE(t.ChoiceB[1], QStringLiteral("leading spaces"));
        QCOMPARE(t.ChoiceC[1], QString());
        QCOMPARE(t.QuestionText[3], QStringLiteral("Quoted, with"));
        for (int q = 1; q <= 10; ++q)
            QCOMPARE(t.CorrectChoice[q], QString::number(test_sets::kPattern[q - 1]));
        QCOMPARE(t.QuestionText[10], QStringLiteral("Question 10?"));
        QCOMPARE(t.ChoiceD[10], QStringLiteral("Rome, Italy"));
    }

    // A damaged set fails, keeping what was read before the damage.
    void damagedSetsFail() {
        QuizTables t;
        const QByteArray cut = sheetBytes("New", {4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
        QVERIFY(!load(cut.left(cut.indexOf("Question 5?")), t));
        QCOMPARE(t.QuizTitle, QStringLiteral("New"));
        QCOMPARE(t.CorrectChoice[4], QStringLiteral("4"));
        // The very last separator line counts too.
        QVERIFY(!load(sheetBytes("T").chopped(3), t));
        // A raw comma shifts every later field: answer D lands on the digit.
        QVERIFY(!load(sheetBytes("T").replace("Question 1?", "Question 1, raw"), t));
        // Five is the hidden no-answer button: a set naming it, or anything
        // but one digit from 1 to 4, could never be marked right.
        for (const char* digit : {"0", "5", "A", "", "12"}) {
            const QByteArray line = QByteArray("Answer 7D\r\n") + digit + "\r\n";
            QVERIFY2(!load(sheetBytes("T").replace("Answer 7D\r\n3\r\n", line), t), digit);
        }
    }

    // Each score from 6 up has its own sounds, which the program ships, each
    // about equally likely; below 6 there is none.
    void celebrationsFollowTheScore() {
        QCOMPARE(quiz_rules::scoreLine(7, 10), QStringLiteral("You have scored 7 out of 10."));
        for (const auto& [score, choices] : {std::pair{10, 2}, {9, 3}, {8, 3}, {7, 3}, {6, 2}}) {
            QMap<QString, int> heard;
            for (int i = 0; i < 600; ++i) {
                FixedRandom random({(i + 0.5) / 600});
                heard[*quiz_rules::celebrationSound(score, random)]++;
            }
            QCOMPARE(heard.size(), choices);
            for (auto it = heard.cbegin(); it != heard.cend(); ++it) {
                QVERIFY(qAbs(it.value() - 600 / choices) <= 1);
                QVERIFY(QFileInfo::exists(MaterialPaths(OSTERVALE_HOME).resolve(it.key())));
            }
        }
        FixedRandom low({0.5}), first({0.0}), last({1.0});
        QVERIFY(!quiz_rules::celebrationSound(5, low));
        QCOMPARE(*quiz_rules::celebrationSound(9, first), QStringLiteral("wav\\crowd.wav"));
        // Some libraries' random numbers can round up to 1.
        QCOMPARE(*quiz_rules::celebrationSound(9, last), QStringLiteral("wav\\klaxon.wav"));
    }
};

OSTERVALE_TEST(QuestionSetsTest)
#include "test_question_sets.moc"

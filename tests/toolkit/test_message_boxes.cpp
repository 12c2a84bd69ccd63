// The real message boxes, as a pupil or teacher meets them on a whiteboard:
// their words and buttons grow with the screens, and the answer is still the
// button pressed.
#include "messages.h"
#include "style.h"
#include "testmain.h"
#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class MessageBoxesTest : public QObject {
    Q_OBJECT
    QFont appFont;

    struct Seen {
        int textPixels = 0;
        QSize button;
    };

    // Notes the words' height and the answer button's size of the box that
    // comes up, and presses that button.
    static void answerWith(QTimer& timer, QMessageBox::StandardButton answer, Seen& seen) {
        QObject::connect(&timer, &QTimer::timeout, [answer, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const auto* words = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            seen.textPixels = words ? QFontInfo(words->font()).pixelSize() : 0;
            seen.button = box->button(answer)->size();
            box->button(answer)->click();
        });
        timer.start(20);
    }

    static Seen told() {
        Seen seen;
        QTimer timer;
        answerWith(timer, QMessageBox::Ok, seen);
        QtMessageBoxes().tell(QStringLiteral("Your worksheet has been saved."));
        return seen;
    }

private Q_SLOTS:
    void initTestCase() {
        // As the program does at start.
        appFont = QApplication::font();
        QApplication::setFont(style::tahoma(8.25));
    }
    void cleanupTestCase() { QApplication::setFont(appFont); }
    void cleanup() { twips::setScale(1); }

    void wordsAndButtonsGrowWithTheScale() {
        const Seen desk = told();
        QVERIFY(desk.textPixels > 5 && desk.button.height() > 5);
        twips::setScale(2);
        const Seen board = told();
        QVERIFY2(
            std::abs(board.textPixels - 2 * desk.textPixels) <= 1,
            qPrintable(QStringLiteral("%1 then %2").arg(desk.textPixels).arg(board.textPixels)));
        QVERIFY2(std::abs(board.button.width() - 2 * desk.button.width()) <= 2 &&
                     std::abs(board.button.height() - 2 * desk.button.height()) <= 2,
                 qPrintable(QDebug::toString(desk.button) + QDebug::toString(board.button)));
    }

    void aScaledQuestionStillAnswersWithTheButtonPressed() {
        twips::setScale(1.5f);
        for (const auto answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
            Seen seen;
            QTimer timer;
            answerWith(timer, answer, seen);
            QCOMPARE(
                QtMessageBoxes().confirm(QStringLiteral("Delete it?"), QStringLiteral("Delete")),
                answer == QMessageBox::Ok);
            QVERIFY(seen.button.isValid());
        }
    }
};

OSTERVALE_TEST(MessageBoxesTest)
#include "test_message_boxes.moc"

// Reading aloud on request, heard through a recording voice: what each
// request says, what stops it, and that a request never acts as a click.
#include "app/shell_fixture.h"
#include "labelling.h"
#include "multiple.h"
#include "read_aloud.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "viewers.h"
#include "writer.h"

#include <QPointingDevice>
#include <QTest>

// Notes every request to the voice; speaks until stopped.
class RecordingSpeaker final : public Speaker {
public:
    void say(const QString& text) override { log << QStringLiteral("say ") + text; }
    void stop() override { log << QStringLiteral("stop"); }
    State state() const override {
        return log.isEmpty() || log.last() == u"stop" ? State::Ready : State::Speaking;
    }

    QStringList log;
};

namespace {
// A right-click as the window system delivers it: to the window, at the
// point of the control.
void rightClick(QWidget* control, QPoint at = QPoint(8, 8)) {
    QWidget* top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, control->mapTo(top, at));
}

void press(QWidget* anywhere, Qt::Key key) {
    QTest::keyClick(anywhere->window()->windowHandle(), key);
}
} // namespace

class ReadAloudTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;
    std::unique_ptr<ReadAloud> readAloud;
    RecordingSpeaker* voice = nullptr;

    ScreenRegistry& screens() { return f->program->screens(); }
    Stage& stage() { return screens().stage(); }

    // Keys reach only an active window.
    void activate() {
        stage().show();
        stage().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stage()));
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        f->write(QStringLiteral("multiple/Rationing.txt"),
                 composeQuestionFile(test_sets::sheet("Rationing", test_sets::kPattern)));
        auto recorder = std::make_unique<RecordingSpeaker>();
        voice = recorder.get();
        readAloud = std::make_unique<ReadAloud>(*f->program, std::move(recorder));
    }
    void cleanup() {
        readAloud.reset();
        f.reset();
    }

    // From the main menu into the quiz and out, then the labelling: with
    // the mouse, the keys and a finger.
    void aTopicReadAloudAndNothingPressed() {
        Intro0& menu = f->openMainMenu();
        activate();
        gui::click(menu.Label2[Intro0::Rationing]);
        auto& topic = screens().form<RationingMenu>();
        gui::click(topic.label3.at(TopicMenu::MultipleChoice));
        auto& quiz = screens().form<Multiple>();
        rightClick(quiz.Option1[2]);
        rightClick(quiz.Label3[Multiple::Next]);
        // Each request ends the one before.
        QCOMPARE(voice->log, (QStringList{QStringLiteral("say Answer 1B"), QStringLiteral("stop"),
                                          QStringLiteral("say Next Question >>")}));
        QVERIFY(!quiz.Option1[2]->isChecked());
        press(&quiz, Qt::Key_F6);
        QCOMPARE(voice->log.last(), QStringLiteral("say Question 1. Question 1? A, Answer 1A. "
                                                   "B, Answer 1B. C, Answer 1C. D, Answer 1D."));
        // F5 reads the answer the keyboard is on.
        press(&quiz, Qt::Key_Tab);
        press(&quiz, Qt::Key_F5);
        QCOMPARE(voice->log.last(), QStringLiteral("say Answer 1A"));
        // The screen read aloud goes: so does its voice.
        gui::click(quiz.Label3[Multiple::Exit]);
        QCOMPARE(voice->log.last(), QStringLiteral("stop"));

        gui::click(topic.label3.at(TopicMenu::Labelling));
        auto& lab = screens().form<RationingLab>();
        gui::drag(lab.Label2[0], lab.client(), lab.Label1[0]->geometry().center());
        press(&lab, Qt::Key_F6);
        // The boxes in reading order, the first holding the label dropped.
        QString boxes;
        for (int box : {0, 2, 1, 3})
            boxes += u' ' + lab.Label1[box]->accessibleName() +
                     (box ? QStringLiteral(", empty.") : QStringLiteral(", holding Cheese."));
        const QString said = voice->log.last();
        QVERIFY(said.startsWith(QStringLiteral("say Rationing. ")));
        QVERIFY(!said.contains(QStringLiteral("Check Score"))); // hidden until every label is down
        QVERIFY(said.contains(lab.Label7->text() + QStringLiteral(" Cheese. Sugar. Milk. Meat.") +
                              boxes));

        // A finger held still reads its label; a tap still chooses it.
        // Qt registers the device but leaves it to its maker to delete.
        const std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
        QWindow* window = stage().windowHandle();
        const QPoint milk = lab.Label2[1]->mapTo(&stage(), QPoint(8, 8));
        QTest::touchEvent(window, finger.get()).press(0, milk, window);
        QTest::qWait(ReadAloud::HoldMilliseconds + 200);
        QTest::touchEvent(window, finger.get()).release(0, milk, window);
        QCOMPARE(voice->log.last(), QStringLiteral("say Milk"));
        QCOMPARE(lab.chosenLabel(), -1);
        QTest::touchEvent(window, finger.get()).press(0, milk, window);
        QTest::touchEvent(window, finger.get()).release(0, milk, window);
        QCOMPARE(lab.chosenLabel(), 1);

        // Escape while the voice speaks stops it, and the label stays
        // carried; the next Escape puts it back.
        lab.Label2[3]->setFocus(Qt::TabFocusReason);
        press(&lab, Qt::Key_Return);
        press(&lab, Qt::Key_F5);
        press(&lab, Qt::Key_Escape);
        QCOMPARE(voice->log.last(), QStringLiteral("stop"));
        QCOMPARE(lab.carriedLabel(), 3);
        press(&lab, Qt::Key_Escape);
        QCOMPARE(lab.carriedLabel(), -1);

        // With the sound off, nothing is heard: neither the voice nor a drop.
        f->program->shell.SoundOn = 0;
        const qsizetype spoken = voice->log.size();
        const qsizetype played = f->sound->played.size();
        rightClick(lab.Label2[2]);
        press(&lab, Qt::Key_F6);
        gui::drag(lab.Label2[2], lab.client(), lab.Label1[2]->geometry().center());
        QCOMPARE(voice->log.size(), spoken);
        QCOMPARE(f->sound->played.size(), played);
    }

    void aReadingPageByLineAndWhole() {
        QDir(f->dir.path()).mkpath(QStringLiteral("wmf"));
        metafile::MetafileWriter w;
        w.begin(10400, 7800);
        w.textOut(600, 600, QStringLiteral("Rationing began in 1940."));
        w.textOut(600, 1200, QStringLiteral("Every family had"));
        w.textOut(3000, 1200, QStringLiteral("a ration book."));
        f->write(QStringLiteral("wmf/notes.wmf"), w.finish());
        f->openMainMenu();
        Teacher::open(*f->program, {.name = QStringLiteral("notes"),
                                    .count = 1,
                                    .firstPage = QStringLiteral("notes.wmf")});
        auto& viewer = screens().form<Teacher>();
        rightClick(viewer.Image1, QPoint(twips::toPixels(1000), twips::toPixels(1320)));
        QCOMPARE(voice->log.last(), QStringLiteral("say Every family had a ration book."));
        // Between the lines, or below them, the page is read whole.
        rightClick(viewer.Image1, QPoint(twips::toPixels(5000), twips::toPixels(5000)));
        QCOMPARE(voice->log.last(),
                 QStringLiteral("say Rationing began in 1940. Every family had a ration book."));
    }
};

OSTERVALE_TEST(ReadAloudTest)
#include "test_read_aloud.moc"

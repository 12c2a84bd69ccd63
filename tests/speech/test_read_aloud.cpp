// Reading aloud on request, heard through a recording voice: what each
// request says, what stops it, and that a request never acts as a click.
#include "app/shell_fixture.h"
#include "engine_speaker.h"
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
    void say(const QString& text) override {
        log << QStringLiteral("say ") + text;
        said = text;
        now = State::Speaking;
    }
    void stop() override {
        log << QStringLiteral("stop");
        now = State::Ready;
    }
    State state() const override { return now; }

    QStringList log;
    QString said;
    State now = State::Ready;
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

    // From the main menu into the quiz and out, with the mouse and the keys.
    void theQuizReadAloudAndNothingPressed() {
        Intro0& menu = f->openMainMenu();
        activate();
        MenuEntry* rationing = menu.Label2[Intro0::Rationing];
        rightClick(rationing);
        QCOMPARE(voice->log, QStringList{QStringLiteral("say Rationing")});
        QCOMPARE(stage().frontScreen(), &menu);

        gui::click(rationing);
        gui::click(screens().form<RationingMenu>().label3.at(TopicMenu::MultipleChoice));
        auto& quiz = screens().form<Multiple>();
        QWidget* keyboard = QApplication::focusWidget();
        QCOMPARE(keyboard, quiz.Option1[Multiple::NoAnswer]);
        voice->log.clear();
        rightClick(quiz.Option1[2]);
        rightClick(quiz.Label3[Multiple::Next]);
        // Each request ends the one before.
        QCOMPARE(voice->log, (QStringList{QStringLiteral("say Answer 1B"), QStringLiteral("stop"),
                                          QStringLiteral("say Next Question >>")}));
        QVERIFY(!quiz.Option1[2]->isChecked());
        QCOMPARE(QApplication::focusWidget(), keyboard);
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QVERIFY(f->sound->played.filter(QStringLiteral("typekey")).isEmpty());

        press(&quiz, Qt::Key_F6);
        QCOMPARE(voice->said, QStringLiteral("Question 1. Question 1? A, Answer 1A. B, Answer 1B. "
                                             "C, Answer 1C. D, Answer 1D."));
        // Escape stops the voice, and only that...
        press(&quiz, Qt::Key_Escape);
        QCOMPARE(voice->log.last(), QStringLiteral("stop"));
        QCOMPARE(voice->now, Speaker::State::Ready);
        // ...and F5 reads the answer the keyboard is on.
        press(&quiz, Qt::Key_Tab);
        press(&quiz, Qt::Key_F5);
        QCOMPARE(voice->said, QStringLiteral("Answer 1A"));
        QVERIFY(!quiz.Option1[1]->isChecked());

        // The screen read aloud goes: so does its voice.
        gui::click(quiz.Label3[Multiple::Exit]);
        QCOMPARE(voice->log.last(), QStringLiteral("stop"));

        // With the sound off, nothing is said, and a right-click still
        // presses nothing.
        gui::click(screens().form<RationingMenu>().label3.at(TopicMenu::Exit));
        gui::click(menu.Option2);
        voice->log.clear();
        rightClick(rationing);
        press(&menu, Qt::Key_F6);
        QCOMPARE(voice->log, QStringList());
        QCOMPARE(stage().frontScreen(), &menu);
    }

    void aReadingPageByLineAndWhole() {
        QDir(f->dir.path()).mkpath(QStringLiteral("wmf"));
        QDir(f->dir.path()).mkpath(QStringLiteral("wmf2"));
        metafile::MetafileWriter w;
        w.begin(10400, 7800);
        w.textOut(600, 600, QStringLiteral("Rationing began in 1940."));
        w.textOut(600, 1200, QStringLiteral("Every family had"));
        w.textOut(3000, 1200, QStringLiteral("a ration book."));
        const QByteArray page = w.finish();
        f->write(QStringLiteral("wmf/notes.wmf"), page);
        f->write(QStringLiteral("wmf2/notes.wmf"), page);
        f->openMainMenu();
        Teacher::open(*f->program, {.name = QStringLiteral("notes"),
                                    .count = 1,
                                    .firstPage = QStringLiteral("notes.wmf")});
        auto& viewer = screens().form<Teacher>();
        const auto at = [](float x, float y) {
            return QPoint(twips::toPixels(x), twips::toPixels(y));
        };
        rightClick(viewer.Image1, at(1000, 1320));
        QCOMPARE(voice->said, QStringLiteral("Every family had a ration book."));
        rightClick(viewer.Image1, at(1000, 700));
        QCOMPARE(voice->said, QStringLiteral("Rationing began in 1940."));
        // Between the lines, or below them, the page is read whole.
        const QString whole =
            QStringLiteral("Rationing began in 1940. Every family had a ration book.");
        rightClick(viewer.Image1, at(5000, 5000));
        QCOMPARE(voice->said, whole);
        activate();
        press(&viewer, Qt::Key_F6);
        QCOMPARE(voice->said, whole);
    }

    // A labelling activity: its labels read but never lifted, by mouse or
    // finger, and Escape stopping the voice before it puts a carried label
    // back.
    void anActivityReadAloudAndNothingMoved() {
        f->openMainMenu();
        auto& lab = screens().form<RationingLab>();
        lab.open(QStringLiteral("Rationing"));
        activate();
        const Place before = lab.labelPlace(0);
        f->sound->played.clear();
        rightClick(lab.Label2[0]);
        QCOMPARE(voice->said, QStringLiteral("Cheese"));
        QVERIFY(!lab.Label2[0]->isLifted());
        QCOMPARE(lab.chosenLabel(), -1);
        QCOMPARE(lab.labelPlace(0).left, before.left);
        QVERIFY(f->sound->played.isEmpty());

        gui::drag(lab.Label2[0], lab.client(), lab.Label1[0]->geometry().center());
        press(&lab, Qt::Key_F6);
        // The boxes in reading order, the first holding the label dropped.
        QString boxes;
        for (int box : {0, 2, 1, 3})
            boxes += u' ' + lab.Label1[box]->accessibleName() +
                     (box ? QStringLiteral(", empty.") : QStringLiteral(", holding Cheese."));
        const QString said = voice->said;
        QVERIFY2(said.startsWith(QStringLiteral("Rationing. ")), qPrintable(said));
        QVERIFY2(said.contains(lab.Label7->text() + QStringLiteral(" Cheese. Sugar. Milk. Meat.") +
                               boxes),
                 qPrintable(said));

        // A finger held still reads its label; a tap still chooses it.
        // Qt registers the device but leaves it to its maker to delete.
        const std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
        QWindow* window = stage().windowHandle();
        const QPoint milk = lab.Label2[1]->mapTo(&stage(), QPoint(8, 8));
        QTest::touchEvent(window, finger.get()).press(0, milk, window);
        QTest::qWait(ReadAloud::HoldMilliseconds + 200);
        QTest::touchEvent(window, finger.get()).release(0, milk, window);
        QCOMPARE(voice->said, QStringLiteral("Milk"));
        QCOMPARE(lab.chosenLabel(), -1);
        QVERIFY(!lab.Label2[1]->isLifted());
        QTest::touchEvent(window, finger.get()).press(0, milk, window);
        QTest::touchEvent(window, finger.get()).release(0, milk, window);
        QCOMPARE(lab.chosenLabel(), 1);

        // Escape while the voice speaks stops it, and the label stays
        // carried; the next Escape puts it back.
        lab.Label2[3]->setFocus(Qt::TabFocusReason);
        press(&lab, Qt::Key_Return);
        QCOMPARE(lab.carriedLabel(), 3);
        press(&lab, Qt::Key_F5);
        QCOMPARE(voice->said, QStringLiteral("Meat"));
        press(&lab, Qt::Key_Escape);
        QCOMPARE(voice->now, Speaker::State::Ready);
        QCOMPARE(lab.carriedLabel(), 3);
        press(&lab, Qt::Key_Escape);
        QCOMPARE(lab.carriedLabel(), -1);
    }

    // No engine to speak with: said once, and every request after does
    // nothing.
    void withoutAnEngineReadAloudIsOffAndSaysSoOnce() {
        QStringList complaints;
        speech::EngineSpeaker engine(f->path(QStringLiteral("no-such-program")), {},
                                     [&](const QString& line) { complaints << line; });
        engine.say(QStringLiteral("Rationing"));
        QTRY_COMPARE(engine.state(), Speaker::State::Off);
        engine.say(QStringLiteral("Rationing"));
        QCOMPARE(engine.state(), Speaker::State::Off);
        QCOMPARE(complaints.size(), 1);
        QVERIFY2(complaints[0].startsWith(QStringLiteral("reading aloud is off")),
                 qPrintable(complaints[0]));
    }
};

OSTERVALE_TEST(ReadAloudTest)
#include "test_read_aloud.moc"

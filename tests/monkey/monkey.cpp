#include "monkey.h"

#include "activity_screen.h"
#include "catalogue_file.h"
#include "catalogue_screen_state.h"
#include "catalogue_state.h"
#include "drag_label.h"
#include "intro0.h"
#include "multiple.h"
#include "page_state.h"
#include "print_service.h"
#include "quiz_state.h"
#include "results.h"
#include "startup.h"
#include "support/question_sets.h"
#include "support/recording_surface.h"
#include "support/stand_ins.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheet_folder.h"
#include "worksheet_store.h"
#include "worksheets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <unistd.h>

namespace monkey {

std::uint64_t Dice::next() {
    // splitmix64: the same numbers on every platform and compiler.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Dice::below(int n) {
    return n < 1 ? 0 : int(next() % std::uint64_t(n));
}

namespace {

// Boxes that answer OK or Cancel as the dice fall.
class AnsweringMessages final : public MessageBoxes {
public:
    explicit AnsweringMessages(Dice& dice) : dice_(dice) {}
    void tell(const QString&) override {}
    bool confirm(const QString&, const QString&) override { return dice_.chance(50); }

private:
    Dice& dice_;
};

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : dice_(seed) {}
    void seedFromClock() override {}
    double next() override { return double(dice_.next() >> 11) / double(1ull << 53); }

private:
    Dice dice_;
};

// ---- Opening screens as the program opens them -------------------------

Intro0& mainMenu(Program& p) {
    startup::showTitleScreen(p);
    p.screens().form<Titlefrm>().Command1_Click();
    return p.screens().form<Intro0>();
}

// The screens a pupil sees on top, told from what a click would land on
// (Qt's own hit test over the stage) rather than from the stage's answer,
// which is what is being checked. A screen is on top when it lies on the
// stage and wins every place where it overlaps another layer, the backdrop
// included. Screens that do not overlap cannot be told apart by eye, so
// each of them counts.
QList<Screen*> screensSeenOnTop(const Stage& stage) {
    const auto layerAt = [&](QPoint p) -> QObject* {
        QObject* hit = stage.childAt(p);
        while (hit && hit->parent() != &stage)
            hit = hit->parent();
        return hit;
    };
    QList<QWidget*> layers;
    for (QObject* child : stage.children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isHidden())
            layers << w;
    }
    QList<Screen*> onTop;
    for (QWidget* layer : layers) {
        auto* screen = qobject_cast<Screen*>(layer);
        if (!screen || (screen->geometry() & stage.rect()).isEmpty())
            continue;
        const bool wins = std::all_of(layers.begin(), layers.end(), [&](QWidget* other) {
            const QRect both = screen->geometry() & other->geometry() & stage.rect();
            return both.isEmpty() || layerAt(both.center()) == screen;
        });
        if (wins)
            onTop << screen;
    }
    return onTop;
}

Screen* screenSeenOnTop(const Stage& stage) {
    const QList<Screen*> seen = screensSeenOnTop(stage);
    return seen.isEmpty() ? nullptr : seen.first();
}

int anyTopic(Dice& dice) {
    return dice.chance(50) ? Intro0::Rationing : Intro0::Progress;
}

TopicMenu& topic(Program& p, int entry) {
    mainMenu(p).Label2_Click(entry);
    const ScreenId id = entry == Intro0::Rationing ? ScreenId::rationing : ScreenId::progress;
    return *dynamic_cast<TopicMenu*>(p.screens().find(id));
}

void openFromTopic(Program& p, int entry, int topicEntry) {
    topic(p, entry).label3_Click(topicEntry);
}

// Answers the ten questions at random; with a first question left
// unanswered the result can never be full marks.
void finishQuiz(Program& p, Dice& dice, bool firstLeftOut) {
    openFromTopic(p, anyTopic(dice), TopicMenu::MultipleChoice);
    auto& quiz = p.screens().form<Multiple>();
    for (int q = 1; q <= 10; ++q) {
        const int choice = 1 + dice.below(5);
        if (choice < Multiple::NoAnswer && !(firstLeftOut && q == 1))
            quiz.Option1[choice]->click();
        quiz.Label3_Click(Multiple::Next);
    }
}

// Every label dropped on a slot, in a random order, then "Check Score".
void finishActivity(Program& p, Dice& dice) {
    openFromTopic(p, anyTopic(dice), dice.chance(50) ? TopicMenu::Labelling : TopicMenu::Ordering);
    auto* activity = dynamic_cast<ActivityScreen*>(screenSeenOnTop(p.screens().stage()));
    if (!activity)
        throw std::runtime_error("the activity did not open");
    std::vector<int> slots(std::size_t(activity->n()));
    for (int i = 0; i < activity->n(); ++i)
        slots[std::size_t(i)] = i;
    for (int i = activity->n() - 1; i > 0; --i)
        std::swap(slots[std::size_t(i)], slots[std::size_t(dice.below(i + 1))]);
    for (int i = 0; i < activity->n(); ++i) {
        const Place& slot = activity->slotPlace(slots[std::size_t(i)]);
        activity->setLabelPlace(i, slot.left, slot.top);
        activity->Label2_MouseUp(i);
    }
    activity->Label3_Click(ActivityScreen::CheckScore);
}

Worksheets& catalogue(Program& p) {
    mainMenu(p).Label2_Click(Intro0::Catalogue);
    return p.screens().form<Worksheets>();
}

} // namespace

const std::vector<Start>& starts() {
    static const std::vector<Start> all{
        {"title screen", [](Program& p, Dice&) { startup::showTitleScreen(p); }},
        {"main menu", [](Program& p, Dice&) { mainMenu(p); }},
        {"rationing menu", [](Program& p, Dice&) { topic(p, Intro0::Rationing); }},
        {"progress menu", [](Program& p, Dice&) { topic(p, Intro0::Progress); }},
        {"quiz",
         [](Program& p, Dice& d) { openFromTopic(p, anyTopic(d), TopicMenu::MultipleChoice); }},
        {"results",
         [](Program& p, Dice& d) {
             if (d.chance(50))
                 finishQuiz(p, d, false);
             else
                 finishActivity(p, d);
         }},
        {"review",
         [](Program& p, Dice& d) {
             finishQuiz(p, d, true);
             p.screens().form<Welldone>().Label3_Click(Welldone::ReviewOrCertificate);
         }},
        {"rationing labelling",
         [](Program& p, Dice&) { openFromTopic(p, Intro0::Rationing, TopicMenu::Labelling); }},
        {"progress labelling",
         [](Program& p, Dice&) { openFromTopic(p, Intro0::Progress, TopicMenu::Labelling); }},
        {"rationing ordering",
         [](Program& p, Dice&) { openFromTopic(p, Intro0::Rationing, TopicMenu::Ordering); }},
        {"progress ordering",
         [](Program& p, Dice&) { openFromTopic(p, Intro0::Progress, TopicMenu::Ordering); }},
        {"key facts",
         [](Program& p, Dice& d) { openFromTopic(p, anyTopic(d), TopicMenu::KeyFacts); }},
        {"teacher's notes",
         [](Program& p, Dice& d) { openFromTopic(p, anyTopic(d), TopicMenu::TeachersNotes); }},
        {"acknowledgments",
         [](Program& p, Dice&) { mainMenu(p).Label2_Click(Intro0::Acknowledgments); }},
        {"teachers' guide", [](Program& p, Dice&) { mainMenu(p).Label2_Click(Intro0::Guide); }},
        {"wizard", [](Program& p, Dice&) { mainMenu(p).Label2_Click(Intro0::Wizard); }},
        {"wizard editing a worksheet",
         [](Program& p, Dice& d) {
             // Deletions earlier in the run may have emptied slots.
             Worksheets& sheets = catalogue(p);
             sheets.Check1->click();
             std::vector<int> titles;
             for (int k = Worksheets::FirstSlot; k <= Worksheets::LastSlot; ++k) {
                 if (!sheets.Label2[k]->isHidden())
                     titles.push_back(k);
             }
             if (!titles.empty())
                 sheets.Label2_Click(titles[std::size_t(d.below(int(titles.size())))]);
         }},
        {"worksheet catalogue",
         [](Program& p, Dice& d) {
             Worksheets& sheets = catalogue(p);
             if (!sheets.Label3[Worksheets::Next]->isHidden() && d.chance(50))
                 sheets.label3_Click(Worksheets::Next);
         }},
    };
    return all;
}

namespace {

// ---- What a crash leaves on the terminal -------------------------------
// A crash cannot be caught, so the last events are kept ready to be written
// from the signal handler as they are.
constexpr int kTrail = 20;
constexpr int kLine = 240;
char g_trail[kTrail][kLine];
int g_trailNext = 0;
char g_where[kLine];

void writeRaw(const char* text) {
    const std::size_t n = std::strlen(text);
    if (n > 0 && ::write(STDERR_FILENO, text, n) < 0)
        return;
}

void onCrash(int signal) {
    writeRaw("\nMONKEY FAULT: the program crashed (signal ");
    char number[16];
    std::snprintf(number, sizeof number, "%d", signal);
    writeRaw(number);
    writeRaw(")\n");
    writeRaw(g_where);
    writeRaw("  last events:\n");
    for (int k = 0; k < kTrail; ++k) {
        const char* line = g_trail[(g_trailNext + k) % kTrail];
        if (*line) {
            writeRaw("    ");
            writeRaw(line);
            writeRaw("\n");
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Warnings the program gives while the monkey plays: its own mean an action
// failed or a screen was missing, Qt's a misuse of a widget.
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // What the headless platform cannot do (raise a window, activate it) is
    // the test machine's matter, not the program's.
    if (text.startsWith(QStringLiteral("This plugin does not support")))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

QString shortText(QString text) {
    text.replace(u'\n', u' ');
    return text.size() > 28 ? text.left(26) + QStringLiteral("..") : text;
}

QString describe(QWidget* w) {
    if (!w)
        return QStringLiteral("nothing");
    QString what = QString::fromUtf8(w->metaObject()->className());
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
        what += QStringLiteral(" \"%1\"").arg(shortText(label->text()));
    else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
        what += QStringLiteral(" \"%1\"").arg(shortText(button->text()));
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        what += QStringLiteral(" \"%1\"").arg(shortText(line->text()));
    for (QWidget* up = w; up; up = up->parentWidget()) {
        if (auto* screen = qobject_cast<Screen*>(up)) {
            if (screen != w)
                what +=
                    QStringLiteral(" on ") + QString::fromUtf8(screen->metaObject()->className());
            break;
        }
    }
    return what;
}

QString pointText(QPoint p) {
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
}

struct KeyChoice {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

const KeyChoice kKeys[] = {
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
};

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        if (!QFile::copy(entry.absoluteFilePath(), to + u'/' + entry.fileName()))
            qFatal("monkey: cannot copy %s", qPrintable(entry.absoluteFilePath()));
    }
}

} // namespace

Monkey::Monkey(const QString& home, std::uint64_t seed) : home_(home), seed_(seed), dice_(seed) {
    // The worksheet folder is written by the program, so each run has its
    // own copy; the pictures, pages and sounds are only read.
    for (const QFileInfo& entry :
         QDir(home).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = dir_.filePath(entry.fileName());
        if (entry.fileName() == QStringLiteral("multiple"))
            copyFolder(entry.absoluteFilePath(), target);
        else if (!QFile::link(entry.absoluteFilePath(), target))
            qFatal("monkey: cannot link %s", qPrintable(entry.absoluteFilePath()));
    }
    // Two pages of the teachers' own worksheets, and one listed whose file
    // was damaged since.
    const QString folder = worksheet_folder::folder(MaterialPaths(dir_.path()));
    CatalogueState listed;
    catalogue_file::load(folder, listed);
    for (int k = 1; k <= 30; ++k) {
        const auto sheet =
            test_sets::sheet(QStringLiteral("Class test %1").arg(k), test_sets::kPattern);
        if (worksheet_store::saveworksheet(folder, sheet, listed).saved !=
            worksheet_store::Saved::Yes)
            qFatal("monkey: cannot save the worksheets it starts with");
    }
    QFile damaged(worksheet_folder::worksheetFile(folder, QStringLiteral("Damaged sheet")));
    if (!damaged.open(QIODevice::WriteOnly) || damaged.write("Damaged sheet\r\n\r\nWhat") < 0)
        qFatal("monkey: cannot write the damaged worksheet");
    damaged.close();
    if (catalogue_file::trackworksheets(folder, QStringLiteral("Damaged sheet"), listed) !=
        catalogue_file::Change::Done)
        qFatal("monkey: cannot list the damaged worksheet");
}

Monkey::~Monkey() {
    program_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Monkey::startProgram() {
    program_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program_ = std::make_unique<Program>(dir_.path(), std::make_unique<RecordingSound>(),
                                         std::make_unique<AnsweringMessages>(dice_));
    program_->setRandom(std::make_unique<SeededRandom>(dice_.next()));
    program_->endProgram = [this] { ended_ = true; };
    // The printer is a recorder that now and then fails part-way.
    program_->state<Printing>().openPrinter = [this](const PrintJob&) {
        auto surface = std::make_unique<RecordingSurface>();
        if (dice_.chance(20))
            surface->failAt = dice_.below(30);
        return std::unique_ptr<PrintSurface>(std::move(surface));
    };
    startup::defineScreens(*program_);
    ended_ = false;
}

void Monkey::note(const QString& text) {
    log_ << text;
    // MONKEY_TRACE=1 shows every event as it is sent, to follow a replay.
    static const bool trace = qEnvironmentVariableIsSet("MONKEY_TRACE");
    if (trace)
        std::fprintf(stderr, "%s\n", qPrintable(text));
    const QByteArray bytes = text.toUtf8();
    std::snprintf(g_trail[g_trailNext], kLine, "%s", bytes.constData());
    g_trailNext = (g_trailNext + 1) % kTrail;
}

void Monkey::beginRound(int round) {
    const auto& all = starts();
    const Start& start = all[std::size_t((seed_ + std::uint64_t(round)) % all.size())];
    roundStart_ = QString::fromUtf8(start.name);
    startProgram();
    note(QStringLiteral("-- round %1 starts at the %2").arg(round + 1).arg(roundStart_));
    start.open(*program_, dice_);
    settle();
}

void Monkey::restartAfterEnd() {
    ++restarts_;
    startProgram();
    if (dice_.chance(50)) {
        note(QStringLiteral("-- the program ended; started again at the title screen"));
        starts()[0].open(*program_, dice_);
    } else {
        note(QStringLiteral("-- the program ended; started again at the main menu"));
        starts()[1].open(*program_, dice_);
    }
    settle();
}

void Monkey::settle() {
    // Time passes between one event and the next: every timer the screens
    // have running fires, in a fixed order, as often as a chain of them
    // (the results screen's three) needs, so nothing depends on the clock.
    for (int pass = 0; pass < 3 && !ended_; ++pass) {
        QList<QPointer<QTimer>> timers;
        for (QObject* child : program_->screens().stage().children()) {
            if (qobject_cast<Screen*>(child)) {
                for (QTimer* t : child->findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
                    timers << t;
            }
        }
        for (const QPointer<QTimer>& t : timers) {
            if (t && t->isActive()) {
                QTimerEvent tick(t->timerId());
                QCoreApplication::sendEvent(t, &tick);
            }
        }
        QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void Monkey::sendEvent() {
    Stage& stage = program_->screens().stage();
    QWindow* window = stage.windowHandle();
    Screen* front = screenSeenOnTop(stage);
    if (!window || !front)
        throw std::runtime_error("nothing to send events to");
    const QString frontName = QString::fromUtf8(front->metaObject()->className());
    ++fronts_[frontName];
    const QString on = QStringLiteral("#%1 [%2] ").arg(event_).arg(frontName);

    // A point a person could click: mostly on something the front screen
    // shows, so entries, boxes and labels get hit; otherwise anywhere on it.
    QList<QWidget*> shown;
    for (QWidget* w : front->findChildren<QWidget*>()) {
        if (w->isVisibleTo(front) && w->width() > 0 && w->height() > 0)
            shown << w;
    }
    const auto pointIn = [&](QWidget* w) {
        QRect area =
            w == front ? front->geometry() : QRect(w->mapTo(&stage, QPoint(0, 0)), w->size());
        area &= stage.rect();
        if (area.isEmpty())
            area = stage.rect();
        return area.topLeft() + QPoint(dice_.below(area.width()), dice_.below(area.height()));
    };
    const auto anyPoint = [&] {
        return pointIn(!shown.isEmpty() && dice_.chance(75) ? shown[dice_.below(int(shown.size()))]
                                                            : front);
    };

    Qt::MouseButtons held;
    const auto pointer = [&](QEvent::Type type, QPoint at) {
        Qt::MouseButton button = Qt::NoButton;
        if (type == QEvent::MouseButtonPress) {
            button = Qt::LeftButton;
            held = Qt::LeftButton;
        } else if (type == QEvent::MouseButtonRelease) {
            button = Qt::LeftButton;
            held = Qt::NoButton;
        }
        clock_ += 20;
        qt_handleMouseEvent(window, at, window->mapToGlobal(at), held, button, type, Qt::NoModifier,
                            int(clock_));
        QCoreApplication::processEvents();
        if (type == QEvent::MouseButtonRelease)
            clock_ += 1000; // longer than any double-click interval
    };

    const int kind = dice_.below(100);
    if (kind < 35) {
        const QPoint at = anyPoint();
        note(on +
             QStringLiteral("click at %1 on %2").arg(pointText(at), describe(stage.childAt(at))));
        pointer(QEvent::MouseButtonPress, at);
        if (!ended_)
            pointer(QEvent::MouseButtonRelease, at);
    } else if (kind < 45) {
        const QPoint at = anyPoint();
        note(on + QStringLiteral("double-click at %1 on %2")
                      .arg(pointText(at), describe(stage.childAt(at))));
        // Press, release, press, release at once: the window system reports
        // the second press as a double-click.
        pointer(QEvent::MouseButtonPress, at);
        if (!ended_)
            pointer(QEvent::MouseButtonRelease, at);
        clock_ -= 1000 + 15;
        if (!ended_)
            pointer(QEvent::MouseButtonPress, at);
        if (!ended_)
            pointer(QEvent::MouseButtonRelease, at);
    } else if (kind < 57) {
        // From a label that can be dragged, when the screen has one.
        QList<QWidget*> draggable;
        for (QWidget* w : shown) {
            if (qobject_cast<DragLabel*>(w))
                draggable << w;
        }
        const QPoint from = !draggable.isEmpty() && dice_.chance(70)
                                ? pointIn(draggable[dice_.below(int(draggable.size()))])
                                : anyPoint();
        const QPoint to = anyPoint();
        const int moves = 2 + dice_.below(4);
        note(on + QStringLiteral("drag from %1 on %2 to %3 in %4 moves")
                      .arg(pointText(from), describe(stage.childAt(from)), pointText(to))
                      .arg(moves));
        pointer(QEvent::MouseButtonPress, from);
        for (int k = 1; k <= moves && !ended_; ++k) {
            const QPoint step =
                from + (to - from) * k / moves + QPoint(dice_.below(7) - 3, dice_.below(7) - 3);
            pointer(QEvent::MouseMove, step);
        }
        if (!ended_)
            pointer(QEvent::MouseButtonRelease, to);
    } else if (kind < 62) {
        const QPoint at = anyPoint();
        note(on + QStringLiteral("pointer moves to %1 over %2")
                      .arg(pointText(at), describe(stage.childAt(at))));
        pointer(QEvent::MouseMove, at);
    } else {
        const QString into = describe(QApplication::focusWidget());
        const int which = dice_.below(3);
        if (which == 0) {
            const KeyChoice& k = kKeys[dice_.below(int(std::size(kKeys)))];
            note(on + QStringLiteral("key %1 into %2").arg(QString::fromUtf8(k.name), into));
            QTest::keyClick(window, k.key, k.modifiers);
        } else {
            static const char kTyped[] =
                "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
            const char c = kTyped[dice_.below(int(sizeof kTyped) - 1)];
            note(on + QStringLiteral("key '%1' into %2").arg(QChar::fromLatin1(c)).arg(into));
            QTest::keyClick(window, c, c >= 'A' && c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }
}

QString Monkey::check() const {
    if (!g_warnings.isEmpty())
        return QStringLiteral("the program warned: ") + g_warnings.join(QStringLiteral(" | "));
    ScreenRegistry& screens = program_->screens();
    if (!screens.stageLoaded())
        return QStringLiteral("there is no stage");
    Stage& stage = screens.stage();
    if (!stage.isVisible())
        return QStringLiteral("the stage is not showing");
    Screen* front = stage.frontScreen();
    const QList<Screen*> seen = screensSeenOnTop(stage);
    if (!front && seen.isEmpty())
        return QStringLiteral("no screen is in front");
    if (!seen.contains(front)) {
        const auto name = [](const QObject* o) {
            return o ? QString::fromUtf8(o->metaObject()->className()) : QStringLiteral("nothing");
        };
        return QStringLiteral("the stage puts %1 in front, but the pupil sees %2 on top")
            .arg(name(front), name(seen.isEmpty() ? nullptr : seen.first()));
    }
    for (QObject* child : stage.children()) {
        auto* screen = qobject_cast<Screen*>(child);
        if (screen && !screen->isHidden() && screens.find(screen->id()) != screen)
            return QStringLiteral("%1 shows although it was closed")
                .arg(QString::fromUtf8(screen->metaObject()->className()));
    }
    // Only the screen in front hears the keyboard: keys given to any other
    // would be lost.
    if (QWidget* focus = QApplication::focusWidget();
        focus && focus != front && !front->isAncestorOf(focus))
        return QStringLiteral("the keyboard is with %1, not with %2 in front")
            .arg(describe(focus), QString::fromUtf8(front->metaObject()->className()));

    const Results& results = program_->state<Results>();
    if (results.Score < 0 || results.Score > results.ScoreTotal)
        return QStringLiteral("Score %1 is outside 0 to ScoreTotal %2")
            .arg(results.Score)
            .arg(results.ScoreTotal);

    if (const auto* quiz = dynamic_cast<const Multiple*>(screens.find(ScreenId::multiple))) {
        const int n = program_->state<QuizState>().CurrentQuestion;
        if (n < 1 || n > 10)
            return QStringLiteral("the quiz is at question %1").arg(n);
        if (quiz->Label4->text() != QStringLiteral("Question %1").arg(n))
            return QStringLiteral("the quiz shows \"%1\" at question %2")
                .arg(quiz->Label4->text())
                .arg(n);
    }

    const PageState& pages = program_->state<PageState>();
    const auto pageCheck = [&](const PageViewer& viewer, int count) -> QString {
        if (pages.PageNumber < 1 || pages.PageNumber > count)
            return QStringLiteral("%1 shows page %2 of %3")
                .arg(QString::fromUtf8(viewer.metaObject()->className()))
                .arg(pages.PageNumber)
                .arg(count);
        const QString counter = QStringLiteral("Page %1 of %2").arg(pages.PageNumber).arg(count);
        if (viewer.Label1->isVisibleTo(&viewer) && viewer.Label1->text() != counter)
            return QStringLiteral("the viewer says \"%1\" on page %2 of %3")
                .arg(viewer.Label1->text())
                .arg(pages.PageNumber)
                .arg(count);
        return {};
    };
    if (screens.isShowing(ScreenId::teacher)) {
        if (const QString f = pageCheck(dynamic_cast<PageViewer&>(*screens.find(ScreenId::teacher)),
                                        pages.PageCount);
            !f.isEmpty())
            return f;
    }
    if (screens.isShowing(ScreenId::guide)) {
        if (const QString f =
                pageCheck(dynamic_cast<PageViewer&>(*screens.find(ScreenId::guide)), 3);
            !f.isEmpty())
            return f;
    }
    if (const auto* sheets = dynamic_cast<const Worksheets*>(screens.find(ScreenId::worksheets))) {
        const int count = program_->state<CatalogueState>().WorksheetCount;
        const int page = program_->state<CatalogueScreenState>().CataloguePage;
        // A deletion closes the titles up on the page on show and leaves the
        // paging alone, so the catalogue may stand on an empty page just
        // after its last title (as its own tests expect), but never further.
        const int lastPage = count / Worksheets::SlotsPerPage;
        if (page < 0 || page > lastPage)
            return QStringLiteral("the catalogue is on page %1 with %2 titles")
                .arg(page + 1)
                .arg(count);
        if (sheets->Label4->text() != QStringLiteral("Page %1").arg(page + 1))
            return QStringLiteral("the catalogue says \"%1\" on page %2")
                .arg(sheets->Label4->text())
                .arg(page + 1);
    }
    return {};
}

QString Monkey::faultReport(const QString& fault, const QString& where) const {
    QString report = QStringLiteral("MONKEY FAULT: %1\n").arg(fault);
    report += QStringLiteral("  seed %1, %2, in the round that started at the %3\n")
                  .arg(seed_)
                  .arg(where, roundStart_);
    report += QStringLiteral("  replay: make monkey SEED=%1 EVENTS=%2\n").arg(seed_).arg(event_);
    report += QStringLiteral("  last events:\n");
    int shown = 0;
    int first = int(log_.size());
    while (first > 0 && shown < kTrail) {
        --first;
        if (log_[first].startsWith(u'#'))
            ++shown;
    }
    for (int k = first; k < log_.size(); ++k)
        report += QStringLiteral("    ") + log_[k] + u'\n';
    return report;
}

Outcome Monkey::run(int events) {
    std::memset(g_trail, 0, sizeof g_trail);
    g_trailNext = 0;
    g_warnings.clear();
    g_previousHandler = qInstallMessageHandler(onMessage);
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(s, onCrash);

    Outcome outcome;
    QString fault;
    QString where;
    for (event_ = 1; event_ <= events && fault.isEmpty(); ++event_) {
        std::snprintf(g_where, kLine,
                      "  seed %llu, event %d\n  replay: make monkey SEED=%llu EVENTS=%d\n",
                      static_cast<unsigned long long>(seed_), event_,
                      static_cast<unsigned long long>(seed_), event_);
        where = QStringLiteral("event %1").arg(event_);
        try {
            if ((event_ - 1) % RoundLength == 0) {
                beginRound((event_ - 1) / RoundLength);
                if (fault = check(); !fault.isEmpty()) {
                    where = QStringLiteral("on opening the round before event %1").arg(event_);
                    break;
                }
            }
            sendEvent();
            if (!ended_)
                settle();
        } catch (const std::exception& e) {
            fault = QStringLiteral("an exception escaped: ") + QString::fromUtf8(e.what());
        } catch (...) {
            fault = QStringLiteral("an exception escaped");
        }
        if (afterEvent)
            afterEvent(*program_, event_);
        if (fault.isEmpty() && !ended_)
            fault = check();
        if (fault.isEmpty() && ended_) {
            try {
                restartAfterEnd();
            } catch (...) {
                fault = QStringLiteral("the program did not start again");
            }
        }
        if (!fault.isEmpty())
            break;
    }
    outcome.events = std::min(event_, events);
    if (!fault.isEmpty()) {
        outcome.ok = false;
        outcome.report = faultReport(fault, where);
    }
    outcome.log = log_;
    outcome.restarts = restarts_;
    outcome.fronts = fronts_;

    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(s, SIG_DFL);
    qInstallMessageHandler(g_previousHandler);
    return outcome;
}

} // namespace monkey

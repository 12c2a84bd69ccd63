// The program's side of the in-process figures: every screen opened from the
// screen that opens it, a drag move on the rationing labelling screen, the
// reading pages parsed and drawn, the worksheet catalogue at 1000 titles, and
// the peak memory after the whole tour. Same event timing as the floor's.
//
//   bench_ostervale inproc <home> [repeats]
#include "bench_common.h"

#include "catalogue_file.h"
#include "intro0.h"
#include "labelling.h"
#include "metafile.h"
#include "page_box.h"
#include "player.h"
#include "program.h"
#include "startup.h"
#include "style.h"
#include "titlefrm.h"
#include "topic_menu.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <functional>

namespace {

// Screens open without a sound: the sound control's start-up is not what is
// timed here, and a machine without audio would time its failure instead.
class Silent final : public SoundDevice {
public:
    void play(const QString&) override {}
};
class NoBoxes final : public MessageBoxes {
public:
    void tell(const QString&) override {}
    bool confirm(const QString&, const QString&) override { return false; }
};

void click(QWidget* w) {
    const QPointF at(6, 6);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

struct Opening {
    const char* name;
    ScreenId opens;
    // Brings the program to the opening screen (untimed) and gives the
    // control whose click opens the next one.
    std::function<QWidget*(Program&)> prepare;
};

QWidget* mainMenu(Program& p) {
    startup::showTitleScreen(p);
    click(p.screens().form<Titlefrm>().Command1);
    return &p.screens().form<Intro0>();
}

QWidget* menuEntry(Program& p, int entry) {
    mainMenu(p);
    return p.screens().form<Intro0>().Label2.at(entry);
}

QWidget* topicEntry(Program& p, int topic, ScreenId menu, int entry) {
    click(menuEntry(p, topic));
    return dynamic_cast<TopicMenu*>(p.screens().find(menu))->label3.at(entry);
}

std::vector<Opening> openings() {
    auto topic = [](const char* name, ScreenId opens, int t, ScreenId menu, int entry) {
        return Opening{name, opens, [=](Program& p) { return topicEntry(p, t, menu, entry); }};
    };
    auto fromMenu = [](const char* name, ScreenId opens, int entry) {
        return Opening{name, opens, [=](Program& p) { return menuEntry(p, entry); }};
    };
    const ScreenId r = ScreenId::rationing, g = ScreenId::progress;
    return {
        {"title>menu", ScreenId::intro0,
         [](Program& p) -> QWidget* {
             startup::showTitleScreen(p);
             return p.screens().form<Titlefrm>().Command1;
         }},
        fromMenu("menu>rationing", r, Intro0::Rationing),
        fromMenu("menu>progress", g, Intro0::Progress),
        fromMenu("menu>wizard", ScreenId::wizard, Intro0::Wizard),
        fromMenu("menu>catalogue", ScreenId::worksheets, Intro0::Catalogue),
        fromMenu("menu>acknowledgments", ScreenId::teacher, Intro0::Acknowledgments),
        fromMenu("menu>guide", ScreenId::guide, Intro0::Guide),
        topic("rationing>quiz", ScreenId::multiple, Intro0::Rationing, r,
              TopicMenu::MultipleChoice),
        topic("rationing>labelling", ScreenId::rationinglab, Intro0::Rationing, r,
              TopicMenu::Labelling),
        topic("rationing>ordering", ScreenId::rationingord, Intro0::Rationing, r,
              TopicMenu::Ordering),
        topic("rationing>keyfacts", ScreenId::teacher, Intro0::Rationing, r, TopicMenu::KeyFacts),
        topic("rationing>notes", ScreenId::teacher, Intro0::Rationing, r, TopicMenu::TeachersNotes),
        topic("progress>quiz", ScreenId::multiple, Intro0::Progress, g, TopicMenu::MultipleChoice),
        topic("progress>labelling", ScreenId::progresslab, Intro0::Progress, g,
              TopicMenu::Labelling),
        topic("progress>ordering", ScreenId::progressord, Intro0::Progress, g, TopicMenu::Ordering),
        topic("progress>keyfacts", ScreenId::teacher, Intro0::Progress, g, TopicMenu::KeyFacts),
    };
}

void unloadAll(Program& p) {
    for (int id = 0; id <= int(ScreenId::worksheets); ++id)
        p.screens().unload(ScreenId(id));
    // Unloaded screens are deleted later, from an event loop; this harness
    // runs none, so without this every screen it ever opened would stay.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool screensOpen(Program& p, bench::PaintWatch& watch, int repeats) {
    for (const Opening& o : openings()) {
        for (int i = 0; i < repeats; ++i) {
            unloadAll(p);
            QWidget* control = o.prepare(p);
            // Whatever the preparation left to paint is painted before the click.
            watch.arm(control);
            if (!watch.waitForFrame()) {
                std::fprintf(stderr, "bench: %s: the opening screen was never drawn\n", o.name);
                return false;
            }
            watch.armFor([&p, id = o.opens]() -> const QObject* { return p.screens().find(id); });
            QElapsedTimer clock;
            clock.start();
            click(control);
            if (!watch.waitForFrame()) {
                std::fprintf(stderr, "bench: %s: the new screen was never drawn\n", o.name);
                return false;
            }
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            const QByteArray key = QByteArray("open:") + o.name;
            bench::report(QByteArray(key + "_ms").constData(), ms);
            bench::report(QByteArray(key + "_paints").constData(), watch.paints);
        }
    }
    return true;
}

bool dragMoves(Program& p, bench::PaintWatch& watch, int repeats) {
    unloadAll(p);
    click(topicEntry(p, Intro0::Rationing, ScreenId::rationing, TopicMenu::Labelling));
    auto& lab = p.screens().form<RationingLab>();
    watch.arm(&lab);
    if (!watch.waitForFrame())
        return false;
    QWidget* dragged = lab.Label2.at(0);
    // The label centres itself on the pointer: held by its middle, each move
    // below moves it by a few pixels, back and forth.
    const QPointF grip = QRectF(dragged->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, grip, dragged->mapToGlobal(grip), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(dragged, &press);
    for (int i = 0; i < repeats * 4; ++i) {
        const QPointF at = grip + (i % 2 ? QPointF(-3, -2) : QPointF(3, 2));
        QMouseEvent move(QEvent::MouseMove, at, dragged->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        watch.arm(nullptr);
        QElapsedTimer clock;
        clock.start();
        QApplication::sendEvent(dragged, &move);
        if (!watch.waitForFrame())
            return false;
        bench::report("drag_move_ms", double(clock.nsecsElapsed()) / 1e6);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, grip, dragged->mapToGlobal(grip),
                        Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(dragged, &release);
    return true;
}

bool readingPages(const QString& home, int repeats) {
    const QStringList pages =
        QDir(home + QStringLiteral("/wmf")).entryList({QStringLiteral("*.wmf")}, QDir::Files);
    if (pages.isEmpty())
        return false;
    for (int i = 0; i < repeats; ++i) {
        for (const QString& name : pages) {
            for (const char* folder : {"wmf", "wmf2"}) {
                const bool print = folder[3] == '2';
                QFile file(home + u'/' + QLatin1String(folder) + u'/' + name);
                if (!file.open(QIODevice::ReadOnly))
                    return false;
                const QByteArray bytes = file.readAll();
                QElapsedTimer clock;
                // The screen's own surface, as big as the program's largest.
                QImage screen(800, 600, QImage::Format_ARGB32_Premultiplied);
                screen.fill(Qt::darkBlue);
                clock.start();
                const std::optional<metafile::Metafile> page = metafile::parse(bytes);
                if (!page)
                    return false;
                const double parsed = double(clock.nsecsElapsed()) / 1e6;
                clock.restart();
                if (!print) {
                    // As the page box draws it onto the screen, whose
                    // surface is already there.
                    QPainter painter(&screen);
                    PageBox::paint(*page, painter);
                    painter.end();
                    bench::report("page_screen_parse_ms", parsed);
                    bench::report("page_screen_draw_ms", double(clock.nsecsElapsed()) / 1e6);
                    continue;
                }
                // As a printout draws it: into a PDF page at 600 dpi.
                QBuffer out;
                out.open(QIODevice::WriteOnly);
                QPdfWriter pdf(&out);
                pdf.setResolution(600);
                QPainter painter(&pdf);
                const QSizeF twips = page->sizeInTwips();
                painter.scale(600.0 / 1440, 600.0 / 1440);
                metafile::draw(*page, painter, QRectF(QPointF(0, 0), twips));
                bench::report("page_print_parse_ms", parsed);
                bench::report("page_print_draw_ms", double(clock.nsecsElapsed()) / 1e6);
                // Ending the document embeds its fonts and compresses it:
                // Qt's work, done once a printout however many pages it has.
                clock.restart();
                if (!painter.end() || out.data().isEmpty())
                    return false;
                bench::report("page_print_finish_ms", double(clock.nsecsElapsed()) / 1e6);
            }
        }
    }
    return true;
}

bool catalogue(int repeats) {
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    QStringList titles;
    for (int i = 0; i < 999; ++i)
        titles << QStringLiteral("Worksheet number %1 on the home front").arg(i);
    if (!catalogue_file::write(dir.path(), titles))
        return false;
    for (int i = 0; i < repeats; ++i) {
        CatalogueState state;
        QElapsedTimer clock;
        clock.start();
        if (catalogue_file::trackworksheets(dir.path(), QStringLiteral("The thousandth"), state) !=
            catalogue_file::Change::Done)
            return false;
        bench::report("catalogue_add_ms", double(clock.nsecsElapsed()) / 1e6);
        CatalogueState loaded;
        clock.restart();
        if (catalogue_file::load(dir.path(), loaded) != catalogue_file::Health::Sound ||
            loaded.WorksheetCount != 1000)
            return false;
        bench::report("catalogue_load_ms", double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        if (catalogue_file::delworksheet(dir.path(), QStringLiteral("The thousandth"), loaded) !=
            catalogue_file::Change::Done)
            return false;
        bench::report("catalogue_remove_ms", double(clock.nsecsElapsed()) / 1e6);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || args[1] != QLatin1String("inproc"))
        return 2;
    const QString home = args[2];
    const int repeats = args.value(3, QStringLiteral("30")).toInt();
    startup::registerFallbackFonts(home + QStringLiteral("/fonts"));
    QApplication::setFont(style::tahoma(8.25));
    bench::PaintWatch watch;
    bool ok = true;
    {
        Program program(home, std::make_unique<Silent>(), std::make_unique<NoBoxes>());
        program.endProgram = [] {};
        startup::defineScreens(program);
        // Drag first: the floor's drag panel is built before its tour ends too.
        if (!dragMoves(program, watch, repeats)) {
            std::fprintf(stderr, "bench: the drag could not be measured\n");
            ok = false;
        }
        ok = screensOpen(program, watch, repeats) && ok;
        bench::report("tour_peak_kib", double(bench::peakKib()));
    }
    if (!readingPages(home, std::max(1, repeats / 10))) {
        std::fprintf(stderr, "bench: the reading pages could not be measured\n");
        ok = false;
    }
    if (!catalogue(repeats)) {
        std::fprintf(stderr, "bench: the catalogue could not be measured\n");
        ok = false;
    }
    return ok ? 0 : 1;
}

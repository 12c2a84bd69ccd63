#include "screen_tour.h"

#include "intro0.h"
#include "titlefrm.h"
#include "topic_menu.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

namespace screen_tour {

namespace {

struct Shot {
    const char* name;
    ScreenId expected;
    std::function<void(Program&)> act;
};

const std::vector<Shot>& shots() {
    static const std::vector<Shot> walk{
        {"title", ScreenId::Titlefrm, [](Program&) {}},
        {"main-menu", ScreenId::intro0,
         [](Program& p) { p.screens().form<Titlefrm>().Command1_Click(); }},
        {"topic-menu", ScreenId::rationing,
         [](Program& p) { p.screens().form<Intro0>().Label2_Click(Intro0::Rationing); }},
        {"key-facts", ScreenId::teacher,
         [](Program& p) { p.screens().form<RationingMenu>().label3_Click(TopicMenu::KeyFacts); }},
        {"labelling", ScreenId::rationinglab,
         [](Program& p) { p.screens().form<RationingMenu>().label3_Click(TopicMenu::Labelling); }},
        {"quiz", ScreenId::multiple,
         [](Program& p) {
             p.screens().form<RationingMenu>().label3_Click(TopicMenu::MultipleChoice);
         }},
        {"wizard", ScreenId::wizard,
         [](Program& p) { p.screens().form<Intro0>().Label2_Click(Intro0::Wizard); }},
    };
    return walk;
}

// The same question order on every walk, so pictures change only when the
// screens do.
class SteadyRandom final : public RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }

private:
    std::mt19937 engine_{1940};
};

// Long enough for a screen's pictures, timers and first paint.
constexpr int kSettleMs = 400;

[[noreturn]] void end(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

void take(Program& program, const QString& folder, std::size_t index) {
    if (index == shots().size()) {
        std::fprintf(stderr, "ostervale: %zu screens saved in %s\n", shots().size(),
                     qPrintable(QDir::toNativeSeparators(folder)));
        end(0);
    }
    const Shot& shot = shots()[index];
    shot.act(program);
    afterDelay(kSettleMs, qApp, [&program, folder, index] {
        const Shot& shot = shots()[index];
        if (!program.screens().isShowing(shot.expected)) {
            std::fprintf(stderr, "ostervale: the walk did not reach the %s screen\n", shot.name);
            end(1);
        }
        const QString file = folder + u'/' + QLatin1String(shot.name) + QStringLiteral(".png");
        if (!program.screens().stage().grab().save(file, "PNG")) {
            std::fprintf(stderr, "ostervale: cannot save %s\n", qPrintable(file));
            end(1);
        }
        std::fprintf(stderr, "ostervale: reached the %s screen\n", shot.name);
        take(program, folder, index + 1);
    });
}

} // namespace

QStringList shotNames() {
    QStringList names;
    for (const Shot& shot : shots())
        names << QLatin1String(shot.name);
    return names;
}

void PrintedMessages::tell(const QString& text) {
    std::fprintf(stderr, "ostervale: message: %s\n",
                 qPrintable(QString(text).replace(u'\n', u' ')));
}

bool PrintedMessages::confirm(const QString& text, const QString& caption) {
    tell(caption.isEmpty() ? text : caption + QStringLiteral(": ") + text);
    return false;
}

void start(Program& program, const QString& folder) {
    program.setRandom(std::make_unique<SteadyRandom>());
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "ostervale: cannot make %s\n", qPrintable(folder));
        end(1);
    }
    afterDelay(kSettleMs, qApp, [&program, folder] { take(program, folder, 0); });
}

} // namespace screen_tour

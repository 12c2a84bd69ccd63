// Runs the program and the floor side by side and prints one table.
//
//   bench_run <build dir> [--rounds N] [--repeats N] [--builds <source dir>]
//
// Every figure is taken in rounds of program, floor, floor, program, and the
// ratio column compares runs that ran next to each other. Exits non-zero only
// when a figure could not be measured.
#include "stats.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using Samples = QMap<QString, std::vector<double>>;

struct Row {
    explicit Row(QString figure, bool measured = true, QString note = {})
        : figure(std::move(figure)), measured(measured), note(std::move(note)) {}
    QString figure;
    std::vector<double> program, floor, ratios;
    bool measured;
    QString note;
};

// Runs a program to its end; its "name value" lines are added to `into`.
// Returns the wall time in ms, or nothing when the run failed.
std::optional<double> run(const QString& program, const QStringList& args,
                          const QProcessEnvironment& env, Samples* into = nullptr,
                          int timeoutMs = 120000) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        std::fprintf(stderr, "bench: %s did not finish\n", qPrintable(program));
        return std::nullopt;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "bench: %s %s failed (%d):\n%s\n", qPrintable(program),
                     qPrintable(args.join(u' ')), p.exitCode(),
                     p.readAllStandardError().right(2000).constData());
        return std::nullopt;
    }
    if (into) {
        for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            bool ok = false;
            const double value = parts.value(1).toDouble(&ok);
            if (parts.size() == 2 && ok)
                (*into)[QString::fromUtf8(parts[0])].push_back(value);
        }
    }
    return ms;
}

QProcessEnvironment baseEnv(const QString& platform, const QString& display = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    return env;
}

// Start to the title screen's first frame, as whole processes.
Row startUp(const QString& label, const QString& build, const QProcessEnvironment& base,
            int rounds) {
    Row row(label);
    QProcessEnvironment env = base;
    env.insert(QStringLiteral("BENCH_FIRST_FRAME"), QStringLiteral("exit"));
    const QString ostervale = build + QStringLiteral("/ostervale");
    const QString floor = build + QStringLiteral("/bench/bench_floor");
    // One run of each first, untimed, so that both start from a warm disk cache.
    run(ostervale, {}, env);
    run(floor, {QStringLiteral("start"), build}, env);
    for (bool isProgram : bench::interleaved(rounds)) {
        const auto ms =
            isProgram ? run(ostervale, {}, env) : run(floor, {QStringLiteral("start"), build}, env);
        if (!ms) {
            row.measured = false;
            return row;
        }
        (isProgram ? row.program : row.floor).push_back(*ms);
    }
    row.ratios = bench::pairedRatios(row.program, row.floor);
    return row;
}

Row peakAtTitle(const QString& build, const QProcessEnvironment& base, int rounds) {
    Row row(QStringLiteral("peak memory at the title screen (MiB)"));
    QProcessEnvironment env = base;
    env.insert(QStringLiteral("BENCH_FIRST_FRAME"), QStringLiteral("memory"));
    for (bool isProgram : bench::interleaved(std::max(1, rounds / 4))) {
        Samples s;
        const auto ms = isProgram ? run(build + QStringLiteral("/ostervale"), {}, env, &s)
                                  : run(build + QStringLiteral("/bench/bench_floor"),
                                        {QStringLiteral("start"), build}, env, &s);
        if (!ms || s.value(QStringLiteral("peak_kib")).empty()) {
            row.measured = false;
            return row;
        }
        (isProgram ? row.program : row.floor).push_back(s[QStringLiteral("peak_kib")][0] / 1024);
    }
    row.ratios = bench::pairedRatios(row.program, row.floor);
    return row;
}

// Builds, and the test run, on their own: there is no floor for them.
QList<Row> builds(const QString& source) {
    QList<Row> rows;
    QTemporaryDir scratch;
    const QString dir = scratch.path();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    auto timed = [&](const QString& label, const QStringList& args, int times) {
        Row row(label);
        for (int i = 0; i < times; ++i) {
            const auto ms = run(args[0], args.mid(1), env, nullptr, 3 * 3600 * 1000);
            if (!ms) {
                row.measured = false;
                break;
            }
            row.program.push_back(*ms / 1000);
        }
        rows << row;
    };
    if (!run(cmake,
             {QStringLiteral("-S"), source, QStringLiteral("-B"), dir,
              QStringLiteral("-DCMAKE_BUILD_TYPE=RelWithDebInfo")},
             env)) {
        rows << Row(QStringLiteral("clean build, -j2 (s)"), false);
        return rows;
    }
    const QStringList build = {cmake, QStringLiteral("--build"), dir, QStringLiteral("-j2")};
    timed(QStringLiteral("clean build, -j2 (s)"), build, 1);
    timed(QStringLiteral("build with nothing changed (s)"), build, 3);
    QProcessEnvironment testEnv = env;
    testEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    Row tests(QStringLiteral("test run, ctest -j2 (s)"));
    const auto ms =
        run(QStringLiteral("ctest"), {QStringLiteral("--test-dir"), dir, QStringLiteral("-j2")},
            testEnv, nullptr, 3600 * 1000);
    tests.measured = ms.has_value();
    if (ms)
        tests.program.push_back(*ms / 1000);
    rows << tests;
    return rows;
}

QString cell(const std::vector<double>& samples, int decimals) {
    const auto s = bench::spread(samples);
    if (!s)
        return QStringLiteral("-");
    return QStringLiteral("%1 / %2 / %3")
        .arg(s->min, 0, 'f', decimals)
        .arg(s->median, 0, 'f', decimals)
        .arg(s->max, 0, 'f', decimals);
}

void print(const QList<Row>& rows) {
    // Padded as characters, not bytes: "µs" is two bytes in UTF-8.
    const auto figure = [](const QString& name) { return qPrintable(name.leftJustified(44)); };
    std::printf("\n%s %-26s %-26s %-20s\n", figure(QStringLiteral("figure (min / median / max)")),
                "ostervale", "floor", "ratio");
    for (const Row& r : rows) {
        if (!r.measured) {
            std::printf("%s NOT MEASURED %s\n", figure(r.figure), qPrintable(r.note));
            continue;
        }
        if (!r.note.isEmpty() && r.program.empty()) {
            std::printf("%s %s\n", figure(r.figure), qPrintable(r.note));
            continue;
        }
        std::printf("%s %-26s %-26s %-20s\n", figure(r.figure), qPrintable(cell(r.program, 2)),
                    qPrintable(cell(r.floor, 2)), qPrintable(cell(r.ratios, 2)));
    }
}

// Starts a private Xvfb and gives its display name; empty when there is none.
QString startXvfb(QProcess& xvfb) {
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (exe.isEmpty())
        return {};
    xvfb.start(exe, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!xvfb.waitForStarted(5000))
        return {};
    QByteArray number;
    QElapsedTimer limit;
    limit.start();
    while (!number.contains('\n') && limit.elapsed() < 10000) {
        xvfb.waitForReadyRead(500);
        number += xvfb.readAllStandardOutput();
    }
    number = number.trimmed();
    return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_run <build dir> [--rounds N] [--repeats N] "
                             "[--builds <source dir>]\n");
        return 2;
    }
    const QString build = QFileInfo(args.takeFirst()).absoluteFilePath();
    int rounds = 10, repeats = 30;
    QString source;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--repeats"))
            repeats = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--builds"))
            source = args[i + 1];
    }

    QList<Row> rows;
    const QProcessEnvironment offscreen = baseEnv(QStringLiteral("offscreen"));
    std::fprintf(stderr, "bench: start-up, offscreen...\n");
    rows << startUp(QStringLiteral("start to first frame, offscreen (ms)"), build, offscreen,
                    rounds);
    QProcess xvfb;
    const QString display = startXvfb(xvfb);
    if (display.isEmpty()) {
        rows << Row(QStringLiteral("start to first frame, Xvfb (ms)"), true,
                    QStringLiteral("skipped: no Xvfb on this machine"));
    } else {
        std::fprintf(stderr, "bench: start-up, Xvfb %s...\n", qPrintable(display));
        rows << startUp(QStringLiteral("start to first frame, Xvfb (ms)"), build,
                        baseEnv(QStringLiteral("xcb"), display), rounds);
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
    rows << peakAtTitle(build, offscreen, rounds);

    // In-process figures: whole runs of each, interleaved; every sample of a
    // run counts, and ratios compare the medians of neighbouring runs.
    std::fprintf(stderr, "bench: in-process figures...\n");
    QList<Samples> programRuns, floorRuns;
    bool inprocOk = true;
    for (bool isProgram : bench::interleaved(1)) {
        Samples s;
        const QStringList a = {QStringLiteral("inproc"), build, QString::number(repeats)};
        const auto ms =
            isProgram
                ? run(build + QStringLiteral("/bench/bench_ostervale"), a, offscreen, &s, 600000)
                : run(build + QStringLiteral("/bench/bench_floor"), a, offscreen, &s, 600000);
        inprocOk = inprocOk && ms.has_value();
        (isProgram ? programRuns : floorRuns) << s;
    }
    auto gather = [](const QList<Samples>& runs, const QString& key) {
        std::vector<double> all;
        for (const Samples& s : runs) {
            const std::vector<double> samples = s.value(key);
            all.insert(all.end(), samples.begin(), samples.end());
        }
        return all;
    };
    auto medians = [](const QList<Samples>& runs, const QString& key) {
        std::vector<double> m;
        for (const Samples& s : runs)
            if (const auto sp = bench::spread(s.value(key)))
                m.push_back(sp->median);
        return m;
    };
    auto compare = [&](const QString& label, const QString& programKey, const QString& floorKey,
                       double scale = 1) {
        Row row(label);
        row.program = gather(programRuns, programKey);
        if (!floorKey.isEmpty()) {
            row.floor = gather(floorRuns, floorKey);
            row.ratios =
                bench::pairedRatios(medians(programRuns, programKey), medians(floorRuns, floorKey));
        }
        for (auto* v : {&row.program, &row.floor})
            for (double& x : *v)
                x *= scale;
        row.measured =
            inprocOk && !row.program.empty() && (floorKey.isEmpty() || !row.floor.empty());
        rows << row;
    };
    QStringList openings;
    for (const Samples& s : programRuns)
        for (const QString& key : s.keys())
            if (key.startsWith(QLatin1String("open:")) && key.endsWith(QLatin1String("_ms")) &&
                !openings.contains(key))
                openings << key;
    if (openings.isEmpty())
        rows << Row(QStringLiteral("screen openings (ms)"), false);
    for (const QString& key : openings)
        compare(QStringLiteral("open %1 (ms)").arg(key.mid(5).chopped(3)), key,
                QStringLiteral("switch_ms"));
    for (const QString& key : openings) {
        QString paints = key;
        paints.replace(QLatin1String("_ms"), QLatin1String("_paints"));
        compare(QStringLiteral("  paint events, %1").arg(key.mid(5).chopped(3)), paints,
                QStringLiteral("switch_paints"));
    }
    // A move takes some tens of microseconds: in milliseconds to two places
    // the program and the floor would read alike.
    compare(QStringLiteral("one drag move, handler and repaint (µs)"),
            QStringLiteral("drag_move_ms"), QStringLiteral("drag_move_ms"), 1000);
    compare(QStringLiteral("peak memory after the tour (MiB)"), QStringLiteral("tour_peak_kib"),
            QStringLiteral("tour_peak_kib"), 1.0 / 1024);
    compare(QStringLiteral("reading page, screen: parse (ms)"),
            QStringLiteral("page_screen_parse_ms"), {});
    compare(QStringLiteral("reading page, screen: draw (ms)"),
            QStringLiteral("page_screen_draw_ms"), {});
    compare(QStringLiteral("reading page, print: parse (ms)"),
            QStringLiteral("page_print_parse_ms"), {});
    compare(QStringLiteral("reading page, print: draw (ms)"), QStringLiteral("page_print_draw_ms"),
            {});
    compare(QStringLiteral("reading page, print: end the document (ms)"),
            QStringLiteral("page_print_finish_ms"), {});
    compare(QStringLiteral("catalogue, 1000 titles: load (ms)"),
            QStringLiteral("catalogue_load_ms"), QStringLiteral("catalogue_load_ms"));
    compare(QStringLiteral("catalogue, 1000 titles: add (ms)"), QStringLiteral("catalogue_add_ms"),
            QStringLiteral("catalogue_add_ms"));
    compare(QStringLiteral("catalogue, 1000 titles: remove (ms)"),
            QStringLiteral("catalogue_remove_ms"), QStringLiteral("catalogue_remove_ms"));

    if (!source.isEmpty()) {
        std::fprintf(stderr, "bench: builds and the test run (slow)...\n");
        rows << builds(source);
    } else {
        rows << Row(QStringLiteral("builds and test run"), true,
                    QStringLiteral("skipped: set BENCH_BUILDS=1 to measure them"));
    }

    print(rows);
    bool allMeasured = true;
    for (const Row& r : rows)
        allMeasured = allMeasured && r.measured;
    return allMeasured ? 0 : 1;
}

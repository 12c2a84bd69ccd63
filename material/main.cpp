// ostervale-material <material source dir> <output dir>
// Run by the build; prints one line per file it rewrote and fails on any error.
#include "generator.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Reading pages are laid out by font metrics, which need a GUI
    // application; a build machine has no display, and fonts come from
    // fontconfig all the same.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ostervale-material <material source dir> <output dir>\n");
        return 2;
    }
    const material::GenerationReport report = material::generateMaterial(args[1], args[2]);
    for (const QString& name : report.written)
        std::printf("material: wrote %s\n", qPrintable(name));
    for (const QString& error : report.errors)
        std::fprintf(stderr, "material: %s\n", qPrintable(error));
    return report.ok() ? 0 : 1;
}

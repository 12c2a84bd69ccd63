#pragma once
// What the fuzz targets share: a check that stops the run where the fuzzer
// sees it, a scratch folder for readers that take a path, and the GUI
// application that drawing and picture loading need.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise is a finding: abort() so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? (void)0 : fuzz_support::broken(#condition, __FILE__, __LINE__))

namespace fuzz_support {

[[noreturn]] inline void broken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    std::abort();
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// One folder for the whole run; each input overwrites the files in it. The
// catalogue syncs every file it writes, which on a disk costs more than the
// reading itself, so a folder in memory is taken where there is one.
inline const QString& scratch() {
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/ostervale-fuzz-XXXXXX")
                                 : QString());
    static const QString path = dir.isValid() ? dir.path() : QString();
    if (path.isEmpty())
        broken("a scratch folder", __FILE__, __LINE__);
    return path;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        broken(qPrintable(QStringLiteral("writing ") + path), __FILE__, __LINE__);
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Qt's warnings about damaged pictures would flood the fuzzer's output.
inline void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Drawing and pixmaps need a GUI application; off screen, as the tests run.
inline void startGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace fuzz_support

// Runs a fuzz target without libFuzzer: every file in the folders named on
// the command line goes through it once. The normal test run uses this to
// replay the committed corpus and every input that ever broke a reader.
//   replay_X FOLDER... [--optional FOLDER...]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    int replayed = 0;
    bool optional = false;
    for (int i = 1; i < argc; ++i) {
        const QString folder = QString::fromLocal8Bit(argv[i]);
        if (folder == QLatin1String("--optional")) {
            optional = true; // the folders after it may be missing
            continue;
        }
        if (!QFileInfo(folder).isDir()) {
            if (optional)
                continue;
            std::fprintf(stderr, "replay: %s is not a folder\n", argv[i]);
            return 1;
        }
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& info : files) {
            QFile file(info.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(info.filePath()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "replay: %s\n", qPrintable(info.filePath()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size()));
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}

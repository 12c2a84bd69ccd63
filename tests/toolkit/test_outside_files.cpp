// What a classroom machine can put where a question file, a page or a picture
// should be: a named pipe, a link to a device that never ends, a file one
// byte larger than any of its kind. Each reader must take it as missing, at
// once. Each read runs in a child process with an alarm set, so a reader that
// waits or reads without end fails its row instead of holding the suite.
#include "field_reader.h"
#include "metafile.h"
#include "outside_file.h"
#include "pictures.h"
#include "testmain.h"
#include "writer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Reader = std::function<bool(const QString&)>; // true when the file was taken

enum Kind { Pipe, EndlessDevice, OverTheLimit };

struct ReaderCase {
    const char* name;
    const char* file;
    qint64 limit;
    Reader takes;
    // A valid file of its kind, which the over-the-limit row pads with zeros.
    std::function<bool(const QString&)> writeValid;
};

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const ReaderCase kReaders[] = {
    {"question file", "Blitz.txt", outside_file::FieldFileLimit,
     [](const QString& path) { return FieldReader::open(path).has_value(); },
     [](const QString& path) { return writeBytes(path, "Blitz\r\nQ1\r\n"); }},
    {"page", "rationinga.wmf", outside_file::PageLimit,
     [](const QString& path) {
         metafile::Metafile page;
         return metafile::load(path, page);
     },
     [](const QString& path) {
         metafile::MetafileWriter w;
         w.begin(1440, 1440);
         w.rectangle({100, 100, 1000, 1000});
         return writeBytes(path, w.finish());
     }},
    {"picture", "spitfism.jpg", outside_file::PictureLimit,
     [](const QString& path) { return !readPicture(path).image.isNull(); },
     [](const QString& path) {
         QImage image(8, 8, QImage::Format_RGB32);
         image.fill(Qt::darkGreen);
         return image.save(path, "JPEG");
     }},
};

} // namespace

class OutsideFilesTest : public QObject {
    Q_OBJECT

#ifdef Q_OS_UNIX
    static constexpr int kPatienceSeconds = 2;

    // Whatever the reader does, the child ends and says how: "refused",
    // "taken", stopped by the alarm, or ended out of memory under its bound.
    static QString readInChild(const Reader& takes, const QString& path) {
        const pid_t child = fork();
        if (child == 0) {
            alarm(kPatienceSeconds + 1);
            // Reading a device without end would otherwise eat the machine's
            // memory until the alarm; the sanitizers reserve far more address
            // space than this, so they go without.
            if (!qEnvironmentVariableIsSet("OSTERVALE_SANITIZED")) {
                const rlimit memory{rlim_t(4) << 30, rlim_t(4) << 30};
                setrlimit(RLIMIT_AS, &memory);
            }
            _exit(takes(path) ? 1 : 0);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child)
            return QStringLiteral("the child could not be run");
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
            return QStringLiteral("still reading after %1 s").arg(kPatienceSeconds + 1);
        if (WIFSIGNALED(status))
            return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
        return WEXITSTATUS(status) == 1 ? QStringLiteral("taken") : QStringLiteral("refused");
    }
#endif

private Q_SLOTS:
    void takenAsMissingAtOnce_data() {
        QTest::addColumn<int>("reader");
        QTest::addColumn<int>("kind");
        for (int r = 0; r < int(std::size(kReaders)); ++r) {
            QTest::addRow("%s: a named pipe", kReaders[r].name) << r << int(Pipe);
            QTest::addRow("%s: a link to /dev/zero", kReaders[r].name) << r << int(EndlessDevice);
            QTest::addRow("%s: one byte over its limit", kReaders[r].name)
                << r << int(OverTheLimit);
        }
    }
    void takenAsMissingAtOnce() {
#ifndef Q_OS_UNIX
        QSKIP("named pipes and /dev/zero are Unix's");
#else
        QFETCH(int, reader);
        QFETCH(int, kind);
        const ReaderCase& r = kReaders[reader];
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(r.file));
        // The valid file is taken as it is; only what stands in its place
        // may be refused.
        QVERIFY(r.writeValid(path));
        QCOMPARE(readInChild(r.takes, path), QStringLiteral("taken"));
        QVERIFY(QFile::remove(path));
        switch (kind) {
        case Pipe:
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
        case EndlessDevice:
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
            break;
        case OverTheLimit:
            // Sparse: the zeros past the valid start cost no disk and no time.
            QVERIFY(r.writeValid(path));
            QVERIFY(QFile(path).resize(r.limit + 1));
            break;
        }
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(readInChild(r.takes, path), QStringLiteral("refused"));
        QVERIFY2(clock.elapsed() < kPatienceSeconds * 1000,
                 qPrintable(QString::number(clock.elapsed())));
#endif
    }
};

OSTERVALE_TEST(OutsideFilesTest)
#include "test_outside_files.moc"

// The files the program reads from its material folder: question files as
// fields, paths as the old material spells them, and pictures; and whatever
// a classroom machine can put in their place.
#include "codepage.h"
#include "field_reader.h"
#include "material_paths.h"
#include "outside_file.h"
#include "pictures.h"
#include "support/program_fixture.h"
#include "testmain.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QStringList readAll(const QByteArray& bytes) {
    FieldReader reader(bytes);
    QStringList fields;
    while (auto field = reader.readField())
        fields << *field;
    return fields;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Whatever the read does, the child ends and says how: "refused", "taken",
// or stopped by the alarm, so a read that waits fails instead of holding the
// suite.
QString readInChild(const std::function<bool()>& takes) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(2);
        // Reading a device without end would otherwise eat the machine's
        // memory until the alarm; the sanitizers reserve far more than this.
        if (!qEnvironmentVariableIsSet("OSTERVALE_SANITIZED")) {
            const rlimit memory{rlim_t(4) << 30, rlim_t(4) << 30};
            setrlimit(RLIMIT_AS, &memory);
        }
        _exit(takes() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return QStringLiteral("not run");
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return WEXITSTATUS(status) == 1 ? QStringLiteral("taken") : QStringLiteral("refused");
}
} // namespace

class FilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void questionFilesReadAsFields() {
        QCOMPARE(readAll("Title\r\n \r\n\r\n  \tQ1   \r\n"), (QStringList{"Title", "", "", "Q1"}));
        // A raw comma splits a line; a quoted field keeps its commas and
        // blanks, and what follows its closing quote is dropped.
        QCOMPARE(readAll("Paris, France\r\n\"  a, b \" tail\r\nc\nd"),
                 (QStringList{"Paris", "France", "  a, b ", "c", "d"}));
        FieldReader numbers(" 3 \r\nseven\r\n");
        QCOMPARE(numbers.readInteger(), std::optional<int>(3));
        QCOMPARE(numbers.readInteger(), std::nullopt);

        const QString text = QStringLiteral("£5 – “café” €");
        const QByteArray bytes = codepage::encode1252(text);
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(readAll(bytes + "\r\n"), QStringList{text});
        QCOMPARE(codepage::encode1252(QStringLiteral("日")), QByteArray("?"));
        // Every byte, the five Windows-1252 leaves undefined too, comes back
        // as it was: a file from another editor is not changed by a save.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(codepage::encode1252(codepage::decode1252(all)), all);
    }

    void picturesAreFoundWhateverTheirCaseAndLoadByNameOrContent() {
        ProgramFixture f;
        const MaterialPaths paths(f.dir.path());
        const QString root = f.dir.path() + u'/';
        // A new file keeps its spelling in the folder found; so does a
        // missing folder.
        QCOMPARE(paths.resolve(QStringLiteral("MULTIPLE/My Sheet.txt")),
                 root + "multiple/My Sheet.txt");
        QCOMPARE(paths.resolve(QStringLiteral("wav\\click.wav")), root + "wav/click.wav");
        QImage small(12, 8, QImage::Format_RGB32);
        small.fill(Qt::red);
        const std::tuple<const char*, const char*, bool> saved[] = {
            {"right.jpg", "jpeg", true}, {"RIGHT.BMP", "bmp", true}, {"wrong.gif", "png", false}};
        for (const auto& [name, format, fromName] : saved) {
            QVERIFY(small.save(f.path(QString::fromLatin1(name)), format));
            const PictureRead read = readPicture(f.path(QString::fromLatin1(name)));
            QCOMPARE(read.image.size(), small.size());
            QCOMPARE(read.fromName, fromName);
        }
        QVERIFY(small.save(f.path(QStringLiteral("Images/MIDWAY.jpg"))));
        QCOMPARE(LoadPicture(paths, QStringLiteral("images\\midway.JPG "))->size(), small.size());
        QVERIFY(!LoadPicture(paths, QStringLiteral("Images\\none.jpg")));
        f.write(QStringLiteral("bad.jpg"), "not a picture");
        QVERIFY(!LoadPicture(paths, QStringLiteral("bad.jpg")));
        // Found by fuzzing: 300 bytes of JPEG claiming 171 x 65263 pixels
        // took seconds to decode. The frame header (FFC0) holds the height
        // and then the width.
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && small.save(&buffer, "JPEG"));
        const qsizetype frame = jpeg.indexOf("\xFF\xC0");
        QVERIFY(frame > 0);
        jpeg.replace(frame + 5, 4, QByteArray::fromHex("FEEF00AB"));
        f.write(QStringLiteral("claim.jpg"), jpeg);
        QVERIFY(!LoadPicture(paths, QStringLiteral("claim.jpg")));
    }

    void picturesFillTheirBoxOrKeepTheirSize() {
        PictureBox box(nullptr);
        box.resize(200, 100);
        QPixmap big(800, 200);
        big.fill(Qt::red);
        box.setScaling(PictureBox::Scaling::None);
        box.setPicture(big);
        QCOMPARE(box.pixmap().size(), QSize(800, 200));
        // Filling, a wide picture shows only its middle, and no bars.
        QPainter(&big).fillRect(180, 0, 440, 200, Qt::green);
        box.setScaling(PictureBox::Scaling::Fill);
        box.setPicture(big);
        const QImage shown = box.pixmap().toImage();
        QCOMPARE(shown.size(), box.size());
        for (const QPoint p : {QPoint(0, 0), QPoint(199, 99)})
            QCOMPARE(shown.pixelColor(p), QColor(Qt::green));
    }

    // What a classroom machine can put where a question file, a page or a
    // picture should be: a file one byte larger than any of its kind, a link
    // to a device that never ends, a named pipe. All are taken as missing, at
    // once, by the one door every reader comes in through.
    void strangeFilesInPlaceOfMaterialAreMissing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Blitz.txt"));
        const auto taken = [&path](qint64 limit) {
            return readInChild([&] { return outside_file::read(path, limit).has_value(); });
        };
        QVERIFY(writeBytes(path, "Blitz\r\nQ1\r\n"));
        QVERIFY(FieldReader::open(path));
        QCOMPARE(taken(11), QStringLiteral("taken"));
        QCOMPARE(taken(10), QStringLiteral("refused"));
        // Pages, pictures and sounds may be as large as 32 MB, and no larger.
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize((qint64(32) << 20) + 1));
        using namespace outside_file;
        for (const qint64 limit : {PageLimit, PictureLimit, SoundLimit}) {
            QCOMPARE(taken(limit), QStringLiteral("refused"));
            QCOMPARE(taken(limit + 1), QStringLiteral("taken"));
        }
        QVERIFY(QFile::remove(path) && QFile::link(QStringLiteral("/dev/zero"), path));
        QCOMPARE(taken(1 << 20), QStringLiteral("refused"));
        QVERIFY(QFile::remove(path));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(taken(1 << 20), QStringLiteral("refused"));
        QCOMPARE(readInChild([&] { return FieldReader::open(path).has_value(); }),
                 QStringLiteral("refused"));
        QCOMPARE(readInChild([&] { return !readPicture(path).image.isNull(); }),
                 QStringLiteral("refused"));
    }
};

OSTERVALE_TEST(FilesTest)
#include "test_files.moc"

#include "outside_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace outside_file {

bool isRegularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

bool isRegularFileWithin(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    return info.isFile() && info.size() <= limit;
}

#ifdef Q_OS_UNIX
// The only system-specific reading in the program. Opening without waiting
// and asking the open file what it is leaves no moment in which a pipe put
// in the file's place could block us.
namespace {
struct Descriptor {
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};
} // namespace

std::optional<QByteArray> read(const QString& path, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0)
        return std::nullopt;
    struct stat about {};
    if (::fstat(file.fd, &about) != 0 || !S_ISREG(about.st_mode) || about.st_size > limit)
        return std::nullopt;
    // The size is asked again by reading: a file that grows past the limit
    // while it is read is refused all the same.
    QByteArray bytes(qsizetype(about.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() > limit)
                return std::nullopt;
            bytes.resize(qMin<qint64>(qint64(bytes.size()) * 2, limit + 1));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        return std::nullopt;
    bytes.truncate(got);
    return bytes;
}
#else
std::optional<QByteArray> read(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > limit)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > limit)
        return std::nullopt;
    return bytes;
}
#endif

} // namespace outside_file

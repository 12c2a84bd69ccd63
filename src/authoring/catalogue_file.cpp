#include "catalogue_file.h"

#include "codepage.h"
#include "field_reader.h"
#include "worksheet_folder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace catalogue_file {
namespace {
// Long enough for a whole staff room saving at once; a change holds the
// lock for milliseconds.
constexpr int kLockWaitMs = 20000;

// Reads into the table one title at a time, so a failure keeps what came
// before it, as the menus' loads do.
bool readInto(const QString& folder, CatalogueState& catalogue) {
    auto reader = FieldReader::open(worksheet_folder::catalogueFile(folder));
    if (!reader)
        return false;
    const std::optional<int> count = reader->readInteger();
    if (!count || *count < 0)
        return false;
    catalogue.WorksheetCount = qMin(*count, CatalogueState::Capacity);
    for (int i = 1; i <= catalogue.WorksheetCount; ++i) {
        std::optional<QString> title = reader->readField();
        if (!title)
            return false;
        catalogue.WorksheetTitles[i] = std::move(*title);
    }
    return *count <= CatalogueState::Capacity;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// A title as its line holds it. The program's own titles are written bare,
// but a catalogue edited by hand may hold a quoted title with a comma, a line
// end or blanks at its ends: written bare, it would come back as other
// titles and shift every title after it, so it keeps its quotes. (A quoted
// field cannot hold a quote, and no title read from a file needs one.)
QString line(const QString& title) {
    const bool bare = !title.contains(u',') && !title.contains(u'\r') && !title.contains(u'\n') &&
                      !title.startsWith(u'"') &&
                      (title.isEmpty() || (!isBlank(title.front()) && !isBlank(title.back())));
    if (bare || title.contains(u'"'))
        return title;
    return u'"' + title + u'"';
}

// Runs a read-modify-write of the catalogue with the folder's lock held.
Change change(const QString& folder, CatalogueState& catalogue,
              const std::function<bool(QStringList&)>& edit) {
    const Lock lock(folder);
    if (!lock.held())
        return Change::Failed;
    std::optional<QStringList> titles = readAll(folder);
    if (!titles)
        return Change::Failed;
    if (!edit(*titles)) {
        keep(catalogue, *titles);
        return Change::Unchanged;
    }
    if (!write(folder, *titles))
        return Change::Failed;
    keep(catalogue, *titles);
    return Change::Done;
}
} // namespace

namespace {
// Hidden, so a teacher looking in the folder sees only the worksheets and
// the catalogue; it stays there between saves.
QString lockFile(const QString& folder) {
    return folder + QStringLiteral("/.track.lock");
}
} // namespace

#ifdef Q_OS_UNIX
// A record lock on a lock file that is never removed: the system releases it
// when its holder closes the file or dies, so there is no stale lock to judge
// and no moment when two copies both think they hold it (as there is when
// lock files are created and deleted). Such locks also reach other machines
// through a shared network folder.
struct Lock::Held {
    explicit Held(int descriptor) : fd(descriptor) {}
    ~Held() { ::close(fd); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    const int fd;
};

Lock::Lock(const QString& folder) {
    if (write_faults::fails(WriteStep::Lock))
        return;
    const QByteArray path = QFile::encodeName(lockFile(folder));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    auto held = std::make_unique<Held>(fd);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    // Waiting in short, uneven steps gives every waiting copy a fair chance
    // at the lock, and never blocks past the deadline.
    const QDeadlineTimer deadline(kLockWaitMs);
    while (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        if ((errno != EAGAIN && errno != EACCES && errno != EINTR) || deadline.hasExpired())
            return;
        QThread::usleep(2000 + QRandomGenerator::global()->bounded(8000));
    }
    held_ = std::move(held);
}
#else
struct Lock::Held {
    explicit Held(const QString& path) : file(path) {}
    QLockFile file;
};

Lock::Lock(const QString& folder) {
    if (write_faults::fails(WriteStep::Lock))
        return;
    auto held = std::make_unique<Held>(lockFile(folder));
    // A lock left behind by a copy of the program that died is taken over.
    held->file.setStaleLockTime(30000);
    if (held->file.tryLock(kLockWaitMs))
        held_ = std::move(held);
}
#endif

Lock::~Lock() = default;

bool write(const QString& folder, const QStringList& titles) {
    return replaceFileAtomically(worksheet_folder::catalogueFile(folder), compose(titles));
}

void keep(CatalogueState& catalogue, const QStringList& titles) {
    catalogue.WorksheetCount = int(qMin<qsizetype>(titles.size(), CatalogueState::Capacity));
    for (int i = 1; i <= catalogue.WorksheetCount; ++i)
        catalogue.WorksheetTitles[i] = titles[i - 1];
}

bool loadStoppingAtFailure(const QString& folder, CatalogueState& catalogue) {
    return readInto(folder, catalogue);
}

void loadPassingOverFailures(const QString& folder, CatalogueState& catalogue) {
    readInto(folder, catalogue);
}

std::optional<QStringList> readAll(const QString& folder) {
    auto reader = FieldReader::open(worksheet_folder::catalogueFile(folder));
    if (!reader)
        return std::nullopt;
    const std::optional<int> count = reader->readInteger();
    if (!count || *count < 0)
        return std::nullopt;
    QStringList titles;
    for (int i = 0; i < *count; ++i) {
        std::optional<QString> title = reader->readField();
        if (!title)
            return std::nullopt;
        titles.append(std::move(*title));
    }
    return titles;
}

Change trackworksheets(const QString& folder, const QString& title, CatalogueState& catalogue) {
    bool full = false;
    const Change result = change(folder, catalogue, [&](QStringList& titles) {
        if (titles.contains(title, Qt::CaseSensitive))
            return false;
        full = titles.size() >= CatalogueState::Capacity;
        if (!full)
            titles.append(title);
        return !full;
    });
    if (full)
        return Change::Failed;
    // The count in memory stays the one that was read: a catalogue screen
    // already open lists the new title only when it is opened again.
    if (result == Change::Done)
        --catalogue.WorksheetCount;
    return result;
}

Change delworksheet(const QString& folder, const QString& title, CatalogueState& catalogue) {
    return change(folder, catalogue, [&](QStringList& titles) {
        const qsizetype k = titles.lastIndexOf(title);
        if (k < 0)
            return false;
        titles.removeAt(k);
        return true;
    });
}

QByteArray compose(const QStringList& titles) {
    QString text = u' ' + QString::number(titles.size()) + QStringLiteral("\r\n");
    for (const QString& title : titles)
        text += line(title) + QStringLiteral("\r\n");
    return codepage::encode1252(text);
}

} // namespace catalogue_file

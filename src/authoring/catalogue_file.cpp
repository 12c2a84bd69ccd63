#include "catalogue_file.h"

#include "codepage.h"
#include "field_reader.h"
#include "worksheet_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace catalogue_file {
namespace {
Waiting& waiting() {
    static Waiting current;
    return current;
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
              const std::function<bool(QStringList&)>& edit, Failure& why, bool adds,
              const std::function<void()>& afterwards = {}) {
    const Lock lock(folder);
    if (!lock.held()) {
        why = lock.busy() ? Failure::Busy : Failure::Locked;
        return Change::Failed;
    }
    clearLeftovers(folder);
    Listing listing = read(folder);
    if (listing.health != Health::Sound) {
        why = listing.health == Health::Missing ? Failure::Missing : Failure::Damaged;
        return Change::Failed;
    }
    QStringList& titles = listing.titles;
    if (!edit(titles)) {
        keep(catalogue, titles);
        return Change::Unchanged;
    }
    if (!write(folder, titles)) {
        why = Failure::Unwritten;
        return Change::Failed;
    }
    if (afterwards)
        afterwards();
    keep(catalogue, titles, adds);
    return Change::Done;
}

void report(Failure* out, Failure why) {
    if (out)
        *out = why;
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
    const QDeadlineTimer deadline(WaitMs);
    while (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return;
        if (deadline.hasExpired()) {
            busy_ = true;
            return;
        }
        QThread::usleep(2000 + QRandomGenerator::global()->bounded(8000));
        if (waiting())
            waiting()();
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
    const QDeadlineTimer deadline(WaitMs);
    while (!held->file.tryLock(20)) {
        if (held->file.error() != QLockFile::LockFailedError)
            return;
        if (deadline.hasExpired()) {
            busy_ = true;
            return;
        }
        if (waiting())
            waiting()();
    }
    held_ = std::move(held);
}
#endif

Lock::~Lock() = default;

WaitingScope::WaitingScope(Waiting wait) : previous_(std::exchange(waiting(), std::move(wait))) {}

WaitingScope::~WaitingScope() {
    waiting() = std::move(previous_);
}

void clearLeftovers(const QString& folder) {
    // QSaveFile's unfinished copy is the file's own name and six letters or
    // digits; nothing a teacher saves is named so, since worksheets end in
    // ".txt".
    static const QRegularExpression leftover(QStringLiteral("^.+\\.txt\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    for (const QFileInfo& file :
         dir.entryInfoList({QStringLiteral("*.txt.??????")}, QDir::Files | QDir::Hidden)) {
        if (file.isFile() && !file.isSymLink() && leftover.match(file.fileName()).hasMatch())
            QFile::remove(file.filePath());
    }
}

QString explain(Failure why, const QString& folder) {
    const QString where = QDir::toNativeSeparators(folder);
    switch (why) {
    case Failure::Busy:
        return QStringLiteral("Another copy of Ostervale is saving to this folder of worksheets "
                              "just now. Please try again in a moment.");
    case Failure::Missing:
    case Failure::Damaged:
        return QStringLiteral("The list of worksheets, track.txt in the folder %1, is %2. The "
                              "worksheets themselves are safe. To repair the list, close "
                              "Ostervale and run:\n\nostervale --repair-catalogue --worksheets "
                              "\"%1\"\n\nIt keeps the old list beside the new one and lists "
                              "every worksheet in the folder again.")
            .arg(where,
                 why == Failure::Missing ? QStringLiteral("missing") : QStringLiteral("damaged"));
    case Failure::Full:
        return QStringLiteral("The catalogue already holds 1000 worksheets. Please delete one "
                              "before you save a new one.");
    case Failure::Locked:
    case Failure::Unwritten:
        return QStringLiteral("The folder %1 would not take the change: it may be full, or "
                              "not open for writing.")
            .arg(where);
    case Failure::None:
        break;
    }
    return {};
}

bool write(const QString& folder, const QStringList& titles) {
    return replaceFileAtomically(worksheet_folder::catalogueFile(folder), compose(titles));
}

void keep(CatalogueState& catalogue, const QStringList& titles, bool lastIsNew) {
    const int held = int(qMin<qsizetype>(titles.size(), CatalogueState::Capacity));
    for (int i = 1; i <= held; ++i)
        catalogue.WorksheetTitles[i] = titles[i - 1];
    // The count in memory stays the one that was read: a catalogue screen
    // already open lists a title just added only when it is opened again.
    catalogue.WorksheetCount = lastIsNew ? held - 1 : held;
    if (catalogue.reloaded)
        catalogue.reloaded();
}

Listing read(const QString& folder) {
    const QString path = worksheet_folder::catalogueFile(folder);
    if (!QFileInfo::exists(path))
        return {};
    Listing listing{Health::Damaged, {}};
    auto reader = FieldReader::open(path);
    if (!reader)
        return listing;
    const std::optional<int> count = reader->readInteger();
    if (!count || *count < 0)
        return listing;
    while (std::optional<QString> title = reader->readField()) {
        if (listing.titles.size() < *count || !title->isEmpty())
            listing.titles.append(std::move(*title));
    }
    if (listing.titles.size() >= *count)
        listing.health = Health::Sound;
    return listing;
}

Health load(const QString& folder, CatalogueState& catalogue) {
    Listing listing = read(folder);
    if (listing.health != Health::Missing)
        keep(catalogue, listing.titles);
    return listing.health;
}

std::optional<QStringList> readAll(const QString& folder) {
    Listing listing = read(folder);
    if (listing.health != Health::Sound)
        return std::nullopt;
    return std::move(listing.titles);
}

Change trackworksheets(const QString& folder, const QString& title, CatalogueState& catalogue,
                       Failure* why) {
    bool full = false;
    Failure failure = Failure::None;
    const Change result = change(
        folder, catalogue,
        [&](QStringList& titles) {
            if (titles.contains(title, Qt::CaseSensitive))
                return false;
            full = titles.size() >= CatalogueState::Capacity;
            if (!full)
                titles.append(title);
            return !full;
        },
        failure, true);
    report(why, full ? Failure::Full : failure);
    return full ? Change::Failed : result;
}

Change delworksheet(const QString& folder, const QString& title, CatalogueState& catalogue,
                    Failure* why, const std::function<void()>& afterwards) {
    Failure failure = Failure::None;
    const Change result = change(
        folder, catalogue,
        [&](QStringList& titles) {
            const qsizetype k = titles.lastIndexOf(title);
            if (k < 0)
                return false;
            titles.removeAt(k);
            return true;
        },
        failure, false, afterwards);
    report(why, failure);
    return result;
}

QByteArray compose(const QStringList& titles) {
    QString text = u' ' + QString::number(titles.size()) + QStringLiteral("\r\n");
    for (const QString& title : titles)
        text += line(title) + QStringLiteral("\r\n");
    return codepage::encode1252(text);
}

} // namespace catalogue_file

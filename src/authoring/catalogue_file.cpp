#include "catalogue_file.h"

#include "codepage.h"
#include "field_reader.h"
#include "worksheet_folder.h"

#include <QLockFile>

namespace catalogue_file {
namespace {
constexpr int kLockWaitMs = 10000;
constexpr int kStaleLockMs = 30000;

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
Change change(const QString& folder, CatalogueState& catalogue, const WriteFault& fault,
              const std::function<bool(QStringList&)>& edit) {
    const Lock lock(folder, fault);
    if (!lock.held())
        return Change::Failed;
    std::optional<QStringList> titles = readAll(folder);
    if (!titles)
        return Change::Failed;
    if (!edit(*titles)) {
        keep(catalogue, *titles);
        return Change::Unchanged;
    }
    if (!write(folder, *titles, fault))
        return Change::Failed;
    keep(catalogue, *titles);
    return Change::Done;
}
} // namespace

Lock::Lock(const QString& folder, const WriteFault& fault)
    : file_(std::make_unique<QLockFile>(worksheet_folder::catalogueFile(folder) +
                                        QStringLiteral(".lock"))) {
    // A lock left behind by a copy of the program that died is taken over.
    file_->setStaleLockTime(kStaleLockMs);
    held_ = !(fault && fault(WriteStep::Lock)) && file_->tryLock(kLockWaitMs);
}

Lock::~Lock() = default;

bool write(const QString& folder, const QStringList& titles, const WriteFault& fault) {
    return replaceFileAtomically(worksheet_folder::catalogueFile(folder), compose(titles), fault);
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

Change trackworksheets(const QString& folder, const QString& title, CatalogueState& catalogue,
                       const WriteFault& fault) {
    bool full = false;
    const Change result = change(folder, catalogue, fault, [&](QStringList& titles) {
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

Change delworksheet(const QString& folder, const QString& title, CatalogueState& catalogue,
                    const WriteFault& fault) {
    return change(folder, catalogue, fault, [&](QStringList& titles) {
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

#include "catalogue_repair.h"

#include "catalogue_file.h"
#include "catalogue_state.h"
#include "field_reader.h"
#include "question_file.h"
#include "worksheet_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace catalogue_repair {
namespace {
const QString kSuffix = QStringLiteral(".txt");

// Whatever can be read of the old list, in its order: every field, the count
// line and junk included, since those match no worksheet anyway.
QStringList oldOrder(const QString& folder) {
    QStringList order;
    auto reader = FieldReader::open(worksheet_folder::catalogueFile(folder));
    while (reader && !reader->atEnd()) {
        if (std::optional<QString> field = reader->readField())
            order.append(*field);
    }
    return order;
}

bool isOwnQuiz(const QString& title) {
    return title.compare(QStringLiteral("Rationing"), Qt::CaseInsensitive) == 0 ||
           title.compare(QStringLiteral("The Progress of the War"), Qt::CaseInsensitive) == 0;
}

// A title the catalogue gives back as itself, so the worksheet stays
// reachable by it.
bool survivesTheList(const QString& title) {
    FieldReader reader(catalogue_file::compose({title}));
    return reader.readInteger() == 1 && reader.readField() == title;
}

struct Found {
    QStringList readable;
    QStringList unreadable;
};

Found worksheets(const QString& folder) {
    Found found;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        if (!name.endsWith(kSuffix) || name == QStringLiteral("track.txt"))
            continue;
        const QString title = name.chopped(kSuffix.size());
        if (isOwnQuiz(title))
            continue;
        QuizTables scratch;
        if (file.isFile() && loadQuestionFile(file.filePath(), scratch) && survivesTheList(title))
            found.readable.append(title);
        else
            found.unreadable.append(name);
    }
    return found;
}

QStringList inOrder(const QStringList& readable, const QStringList& old) {
    QStringList titles;
    QSet<QString> placed;
    const QSet<QString> present(readable.begin(), readable.end());
    for (const QString& title : old) {
        if (present.contains(title) && !placed.contains(title)) {
            titles.append(title);
            placed.insert(title);
        }
    }
    QStringList rest;
    for (const QString& title : readable) {
        if (!placed.contains(title))
            rest.append(title);
    }
    std::sort(rest.begin(), rest.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return titles + rest;
}

QString keptName(const QString& folder, const QDateTime& now) {
    const QString base = worksheet_folder::catalogueFile(folder) + QStringLiteral(".damaged-") +
                         now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + u'-' + QString::number(n);
    return name;
}
} // namespace

Report repair(const QString& folder, const QDateTime& now) {
    Report report;
    if (!QFileInfo(folder).isDir()) {
        report.problem =
            QStringLiteral("There is no folder %1.").arg(QDir::toNativeSeparators(folder));
        return report;
    }
    const catalogue_file::Lock lock(folder);
    if (!lock.held()) {
        report.problem = catalogue_file::explain(
            lock.busy() ? catalogue_file::Failure::Busy : catalogue_file::Failure::Locked, folder);
        return report;
    }
    catalogue_file::clearLeftovers(folder);
    const Found found = worksheets(folder);
    report.titles = inOrder(found.readable, oldOrder(folder));
    report.leftOut = found.unreadable;
    if (report.titles.size() > CatalogueState::Capacity) {
        report.leftOut += report.titles.mid(CatalogueState::Capacity);
        report.titles = report.titles.first(CatalogueState::Capacity);
    }
    const QString track = worksheet_folder::catalogueFile(folder);
    if (QFileInfo::exists(track) || QFileInfo(track).isSymLink()) {
        // Renamed, not copied: whatever stands there (a pipe, a folder) is
        // kept as it is without being read.
        report.keptAs = keptName(folder, now);
        if (!QFile::rename(track, report.keptAs)) {
            report.problem = QStringLiteral("The old list could not be kept as %1.")
                                 .arg(QDir::toNativeSeparators(report.keptAs));
            report.keptAs.clear();
            return report;
        }
    }
    if (!catalogue_file::write(folder, report.titles)) {
        if (!report.keptAs.isEmpty())
            QFile::rename(report.keptAs, track);
        report.keptAs.clear();
        report.problem = catalogue_file::explain(catalogue_file::Failure::Unwritten, folder);
        return report;
    }
    report.done = true;
    return report;
}

} // namespace catalogue_repair

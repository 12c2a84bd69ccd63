#include "worksheet_store.h"

#include "catalogue_file.h"
#include "outside_file.h"
#include "worksheet_folder.h"
#include "worksheet_title.h"

#include <QFile>
#include <QFileInfo>

namespace worksheet_store {
namespace {
QString textsProblem(const QuestionSheet& sheet) {
    for (int k = 0; k < 10; ++k) {
        const QString question = QStringLiteral("Question %1").arg(k + 1);
        if (QString p = worksheet_title::textProblem(sheet.questions[k], question); !p.isEmpty())
            return p;
        for (int m = 0; m < 4; ++m) {
            const QString where = QStringLiteral("answer %1 of ").arg(QChar(u'A' + m)) + question;
            if (QString p = worksheet_title::textProblem(sheet.answers[4 * k + m], where);
                !p.isEmpty())
                return p;
        }
    }
    return {};
}

Outcome failed(catalogue_file::Failure why, const QString& folder) {
    return {why == catalogue_file::Failure::Busy ? Saved::Busy : Saved::Failed,
            catalogue_file::explain(why, folder)};
}

// On a folder that ignores case (a school's shared drive, a memory stick),
// "spelling" would be written over "Spelling.txt" while both stay listed.
QString caseClash(const QStringList& titles, const QString& title) {
    if (titles.contains(title, Qt::CaseSensitive))
        return {};
    for (const QString& listed : titles) {
        if (listed.compare(title, Qt::CaseInsensitive) == 0)
            return QStringLiteral("The catalogue already has a worksheet called \"%1\", and \"%2\" "
                                  "differs from it only in capital letters, which some computers "
                                  "cannot tell apart. Please choose another title, or use \"%1\" "
                                  "to replace that worksheet.")
                .arg(listed, title);
    }
    return {};
}
} // namespace

Outcome saveworksheet(const QString& folder, const QuestionSheet& sheet,
                      CatalogueState& catalogue) {
    using catalogue_file::Failure;
    QString refusal = worksheet_title::problem(sheet.title);
    if (refusal.isEmpty())
        refusal = textsProblem(sheet);
    if (!refusal.isEmpty())
        return {Saved::Refused, refusal};
    // The lock is held over both files, and the catalogue is checked before
    // anything is written, so a save either lands whole or leaves both files
    // as they were.
    const catalogue_file::Lock lock(folder);
    if (!lock.held())
        return failed(lock.busy() ? Failure::Busy : Failure::Locked, folder);
    catalogue_file::clearLeftovers(folder);
    catalogue_file::Listing listing = catalogue_file::read(folder);
    if (listing.health != catalogue_file::Health::Sound)
        return failed(listing.health == catalogue_file::Health::Missing ? Failure::Missing
                                                                        : Failure::Damaged,
                      folder);
    QStringList& titles = listing.titles;
    if (const QString clash = caseClash(titles, sheet.title); !clash.isEmpty())
        return {Saved::Refused, clash};
    const bool listed = titles.contains(sheet.title, Qt::CaseSensitive);
    if (!listed && titles.size() >= CatalogueState::Capacity)
        return failed(Failure::Full, folder);
    const QString file = worksheet_folder::worksheetFile(folder, sheet.title);
    // What stood there is kept to put back, should the catalogue refuse the
    // title; a name held by anything but a file is not written over.
    const bool existed = QFileInfo(file).exists() || QFileInfo(file).isSymLink();
    const std::optional<QByteArray> oldBytes =
        existed ? outside_file::read(file, outside_file::FieldFileLimit) : QByteArray();
    if (!oldBytes)
        return {Saved::Failed, {}};
    if (!replaceFileAtomically(file, composeQuestionFile(sheet)))
        return failed(Failure::Unwritten, folder);
    if (!listed) {
        titles.append(sheet.title);
        if (!catalogue_file::write(folder, titles)) {
            // Put the worksheet back as it was, or take the new one away.
            if (existed)
                replaceFileAtomically(file, *oldBytes);
            else
                QFile::remove(file);
            return failed(Failure::Unwritten, folder);
        }
    }
    catalogue_file::keep(catalogue, titles, !listed);
    return {Saved::Yes, {}};
}

} // namespace worksheet_store

#include "worksheet_store.h"

#include "catalogue_file.h"
#include "outside_file.h"
#include "worksheet_folder.h"
#include "worksheet_title.h"

#include <QFile>
#include <QFileInfo>

namespace worksheet_store {
namespace {
const QString kNoTitle = QStringLiteral("You have not chosen a title for your worksheet");
const QString kIncomplete = QStringLiteral("You have not completed Question");
const QString kNoTick = QStringLiteral("You have not ticked the correct answer for Question");
const QString kManyTicks =
    QStringLiteral("You have ticked more than one correct answer for Question");

QString questionNumbered(const QString& text, int n) {
    return text + u' ' + QString::number(n);
}

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

// Kept apart from the case clash above: nothing is to be replaced, so the
// message offers no title to reuse.
QString alreadySaved(const QStringList& titles, const QString& title, const QString& file) {
    for (const QString& listed : titles) {
        if (listed.compare(title, Qt::CaseInsensitive) == 0)
            return QStringLiteral("The catalogue already has a worksheet called \"%1\", which was "
                                  "left as it is.")
                .arg(listed);
    }
    if (QFileInfo(file).exists() || QFileInfo(file).isSymLink())
        return QStringLiteral("The worksheet folder already holds a file for \"%1\", which was "
                              "left as it is.")
            .arg(title);
    return {};
}
} // namespace

QString firstGap(const QuestionSheet& sheet) {
    if (sheet.title.isEmpty())
        return kNoTitle;
    for (int q = 0; q < 10; ++q) {
        const int n = q + 1;
        if (sheet.questions[q].isEmpty())
            return questionNumbered(kIncomplete, n);
        int ticks = 0;
        for (int i = 4 * q; i < 4 * q + 4; ++i) {
            if (sheet.answers[i].isEmpty())
                return questionNumbered(kIncomplete, n);
            ticks += sheet.ticked[i] ? 1 : 0;
        }
        if (ticks == 0)
            return questionNumbered(kNoTick, n);
        if (ticks > 1)
            return questionNumbered(kManyTicks, n);
    }
    return {};
}

Outcome saveworksheet(const QString& folder, const QuestionSheet& sheet, CatalogueState& catalogue,
                      Existing existing) {
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
    const QString file = worksheet_folder::worksheetFile(folder, sheet.title);
    if (existing == Existing::Keep) {
        if (const QString there = alreadySaved(titles, sheet.title, file); !there.isEmpty())
            return {Saved::Refused, there};
    }
    if (const QString clash = caseClash(titles, sheet.title); !clash.isEmpty())
        return {Saved::Refused, clash};
    const bool listed = titles.contains(sheet.title, Qt::CaseSensitive);
    if (!listed && titles.size() >= CatalogueState::Capacity)
        return failed(Failure::Full, folder);
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

#include "worksheet_store.h"

#include "catalogue_file.h"

#include "worksheet_folder.h"
#include "worksheet_title.h"
#include <QFile>

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
} // namespace

Outcome saveworksheet(const QString& folder, const QuestionSheet& sheet,
                      CatalogueState& catalogue) {
    QString refusal = worksheet_title::problem(sheet.title);
    if (refusal.isEmpty())
        refusal = textsProblem(sheet);
    if (!refusal.isEmpty())
        return {Saved::Refused, refusal};
    // The lock is held over both files, and the catalogue is checked before
    // anything is written, so a save either lands whole or leaves both files
    // as they were.
    const catalogue_file::Lock lock(folder);
    std::optional<QStringList> titles = catalogue_file::readAll(folder);
    if (!lock.held() || !titles)
        return {Saved::Failed, {}};
    const bool listed = titles->contains(sheet.title, Qt::CaseSensitive);
    if (!listed && titles->size() >= CatalogueState::Capacity)
        return {Saved::Failed, {}};
    const QString file = worksheet_folder::worksheetFile(folder, sheet.title);
    QFile old(file);
    const bool existed = old.exists();
    const QByteArray oldBytes =
        existed && old.open(QIODevice::ReadOnly) ? old.readAll() : QByteArray();
    if (existed && !old.isOpen())
        return {Saved::Failed, {}};
    old.close();
    if (!replaceFileAtomically(file, composeQuestionFile(sheet)))
        return {Saved::Failed, {}};
    if (!listed) {
        titles->append(sheet.title);
        if (!catalogue_file::write(folder, *titles)) {
            // Put the worksheet back as it was, or take the new one away.
            if (existed)
                replaceFileAtomically(file, oldBytes);
            else
                QFile::remove(file);
            return {Saved::Failed, {}};
        }
    }
    catalogue_file::keep(catalogue, *titles);
    if (!listed)
        --catalogue.WorksheetCount;
    return {Saved::Yes, {}};
}

} // namespace worksheet_store

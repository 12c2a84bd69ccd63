#include "worksheet_export.h"

#include "catalogue_file.h"
#include "gift.h"
#include "moodle_xml.h"
#include "question_file.h"
#include "safe_write.h"
#include "worksheet_folder.h"

#include <QDir>
#include <QFileInfo>

namespace worksheet_export {
namespace {

enum class Format { Gift, Xml, Unknown };

Format formatOf(const QString& to) {
    const QString suffix = QFileInfo(to).suffix().toLower();
    if (suffix == u"gift" || suffix == u"txt")
        return Format::Gift;
    return suffix == u"xml" ? Format::Xml : Format::Unknown;
}

QuestionSheet sheetFrom(const QString& title, const QuizTables& t) {
    QuestionSheet sheet;
    sheet.title = title;
    for (int k = 0; k < 10; ++k) {
        const int n = k + 1;
        sheet.questions[k] = t.QuestionText[n];
        const std::array<QString, 4> choices{t.ChoiceA[n], t.ChoiceB[n], t.ChoiceC[n],
                                             t.ChoiceD[n]};
        for (int m = 0; m < 4; ++m) {
            sheet.answers[4 * k + m] = choices[m];
            sheet.ticked[4 * k + m] = t.CorrectChoice[n] == QString::number(m + 1);
        }
    }
    return sheet;
}

// Worksheets made by hand can hold what the wizard never lets through and
// Moodle would refuse or garble: an empty text, a control character.
QString unfit(const QuestionSheet& sheet) {
    const auto problem = [&sheet](const QString& text, int k, int m) -> QString {
        const QString where =
            m < 0 ? QStringLiteral("Question %1").arg(k + 1)
                  : QStringLiteral("Answer %1 of question %2").arg(QChar(u'A' + m)).arg(k + 1);
        if (text.isEmpty())
            return QStringLiteral("%1 of \"%2\" is empty.").arg(where, sheet.title);
        for (const QChar c : text) {
            if (c.unicode() < 32 || c.unicode() == 127)
                return QStringLiteral("%1 of \"%2\" holds a control character (code %3).")
                    .arg(where, sheet.title)
                    .arg(c.unicode());
        }
        return {};
    };
    for (int k = 0; k < 10; ++k) {
        if (QString p = problem(sheet.questions[k], k, -1); !p.isEmpty())
            return p;
        for (int m = 0; m < 4; ++m) {
            if (QString p = problem(sheet.answers[4 * k + m], k, m); !p.isEmpty())
                return p;
        }
    }
    return {};
}

} // namespace

Report exportWorksheets(const QString& folder, const QStringList& titles, bool all,
                        const QString& to) {
    Report report;
    const Format format = formatOf(to);
    if (format == Format::Unknown) {
        report.problem = QStringLiteral("--to takes a file ending in .gift or .txt (GIFT) or "
                                        ".xml (Moodle XML), not %1.")
                             .arg(QDir::toNativeSeparators(to));
        return report;
    }
    // A file written among the worksheets could replace one ("--to
    // Blitz.txt"), or be taken for one by the catalogue's repair.
    const QString into = QFileInfo(QFileInfo(to).absolutePath()).canonicalFilePath();
    if (!into.isEmpty() && into == QFileInfo(folder).canonicalFilePath()) {
        report.problem = QStringLiteral("--to names a file in the worksheet folder; write it "
                                        "somewhere else.");
        return report;
    }
    const catalogue_file::Listing listing = catalogue_file::read(folder);
    if (listing.health == catalogue_file::Health::Damaged) {
        report.problem = catalogue_file::explain(catalogue_file::Failure::Damaged, folder);
        return report;
    }
    QStringList wanted = all ? listing.titles : titles;
    wanted.removeDuplicates();
    if (wanted.isEmpty()) {
        report.problem = QStringLiteral("The catalogue in %1 lists no worksheets to export.")
                             .arg(QDir::toNativeSeparators(folder));
        return report;
    }
    QList<QuestionSheet> sheets;
    for (const QString& title : wanted) {
        if (!listing.titles.contains(title, Qt::CaseSensitive)) {
            report.problem = QStringLiteral("There is no worksheet called \"%1\" in the "
                                            "catalogue in %2.")
                                 .arg(title, QDir::toNativeSeparators(folder));
            return report;
        }
        QuizTables tables;
        if (!loadQuestionFile(worksheet_folder::worksheetFile(folder, title), tables)) {
            report.problem = QStringLiteral("The worksheet \"%1\" cannot be read.").arg(title);
            return report;
        }
        const QuestionSheet sheet = sheetFrom(title, tables);
        QString refusal = unfit(sheet);
        if (refusal.isEmpty() && format == Format::Gift)
            refusal = gift::unwritable(sheet);
        if (!refusal.isEmpty()) {
            report.problem = refusal;
            return report;
        }
        sheets.append(sheet);
    }
    const QByteArray bytes =
        format == Format::Gift ? gift::write(sheets) : moodle_xml::write(sheets);
    if (!replaceFileAtomically(to, bytes)) {
        report.problem =
            QStringLiteral("%1 could not be written.").arg(QDir::toNativeSeparators(to));
        return report;
    }
    report.titles = wanted;
    return report;
}

} // namespace worksheet_export

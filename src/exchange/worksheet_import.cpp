#include "worksheet_import.h"

#include "bank.h"
#include "bank_text.h"
#include "catalogue_state.h"
#include "gift.h"
#include "moodle_xml.h"
#include "outside_file.h"
#include "worksheet_folder.h"
#include "worksheet_store.h"
#include "worksheet_title.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <memory>

namespace worksheet_import {
namespace {

QString unreadable(const QString& path) {
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!info.exists())
        return QStringLiteral("There is no file %1.").arg(name);
    if (!info.isFile())
        return QStringLiteral("%1 is not a file.").arg(name);
    if (info.size() > outside_file::QuestionBankLimit)
        return QStringLiteral("%1 is larger than %2 MB, more than any question file needs.")
            .arg(name)
            .arg(outside_file::QuestionBankLimit >> 20);
    return QStringLiteral("%1 cannot be read.").arg(name);
}

bool looksLikeXml(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("xml"), Qt::CaseInsensitive) == 0)
        return true;
    QByteArray start = bytes.left(256);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    return start.trimmed().startsWith("<?xml");
}

QString answerName(int m) {
    return QStringLiteral("answer ") + QChar(u'A' + m);
}

// Why the wizard would not take the text; where says which box it is in.
QString textRefusal(const QString& text, const QString& where, int length) {
    if (text.isEmpty())
        return QStringLiteral("%1 is empty.").arg(where.left(1).toUpper() + where.mid(1));
    if (text.contains(u'&'))
        return QStringLiteral("%1 holds \"&\", which a worksheet file keeps as a comma.")
            .arg(where.left(1).toUpper() + where.mid(1));
    for (const QChar c : text) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("%1 holds a control character (code %2).")
                .arg(where.left(1).toUpper() + where.mid(1))
                .arg(c.unicode());
    }
    if (QString p = worksheet_title::textProblem(text, where); !p.isEmpty())
        return p;
    if (text.size() > length)
        return QStringLiteral("%1 is %2 characters long; the wizard's box takes %3.")
            .arg(where.left(1).toUpper() + where.mid(1))
            .arg(text.size())
            .arg(length);
    return {};
}

QString questionRefusal(const bank::Question& q) {
    if (!q.refusal.isEmpty())
        return q.refusal;
    if (QString p =
            textRefusal(q.text, QStringLiteral("the question"), worksheet_title::QuestionLength);
        !p.isEmpty())
        return p;
    for (int m = 0; m < int(q.answers.size()); ++m) {
        if (QString p = textRefusal(q.answers[m], answerName(m), worksheet_title::AnswerLength);
            !p.isEmpty())
            return p;
    }
    return {};
}

struct Group {
    QString title;
    QList<bank::Question> questions;
};

QString numberedTitle(const QString& title, int n) {
    return n == 1 ? title : title + u' ' + QString::number(n);
}

QuestionSheet sheetOf(const QString& title, const QList<bank::Question>& ten) {
    QuestionSheet sheet;
    sheet.title = title;
    for (int k = 0; k < 10; ++k) {
        const bank::Question& q = ten[k];
        sheet.questions[k] = q.text;
        for (int m = 0; m < 4; ++m) {
            sheet.answers[4 * k + m] = m < q.answers.size() ? q.answers[m] : kNoAnswer;
            sheet.ticked[4 * k + m] = m == q.right;
        }
    }
    return sheet;
}

// What a worksheet's title must pass beyond the store's own rules: the
// wizard's box, which a title read from a file has not been typed into.
QString titleRefusal(const QString& title) {
    // The store says the same, but asks the teacher to change the title
    // and save again, which a file's category cannot do.
    if (QString problem = worksheet_title::problem(title); !problem.isEmpty()) {
        const QString change = QStringLiteral(" Please change the title and save again.");
        if (problem.endsWith(change))
            problem.chop(change.size());
        return problem + QStringLiteral(" Give the worksheets a title with --title.");
    }
    if (title.size() > worksheet_title::TitleLength)
        return QStringLiteral("The title is %1 characters long; the wizard's box takes %2. Give "
                              "a shorter one with --title.")
            .arg(title.size())
            .arg(worksheet_title::TitleLength);
    return {};
}

} // namespace

Report importFile(const QString& folder, const QString& path, const QString& title) {
    Report report;
    const std::optional<QByteArray> bytes =
        outside_file::read(path, outside_file::QuestionBankLimit);
    if (!bytes) {
        report.problem = unreadable(path);
        return report;
    }
    bank::Reading reading;
    if (looksLikeXml(path, *bytes)) {
        reading = moodle_xml::read(*bytes);
    } else if (const std::optional<QString> text = bank_text::decode(*bytes, &reading.problem)) {
        reading = gift::read(*text);
    }
    const QString name = QDir::toNativeSeparators(path);
    if (!reading.problem.isEmpty()) {
        report.problem = QStringLiteral("%1 cannot be read: %2").arg(name, reading.problem);
        return report;
    }
    report.questions = int(reading.questions.size());
    if (reading.questions.isEmpty()) {
        report.problem = QStringLiteral("%1 holds no questions.").arg(name);
        return report;
    }

    QList<Group> groups;
    for (bank::Question& q : reading.questions) {
        if (const QString why = questionRefusal(q); !why.isEmpty()) {
            report.skipped.append({q.number, q.label, why});
            continue;
        }
        const QString groupTitle = title.isEmpty() ? bank::categoryTitle(q.category) : title;
        if (groupTitle.isEmpty()) {
            report.problem = QStringLiteral("Question %1 of %2 stands in no category to name its "
                                            "worksheet after; give a title with --title.")
                                 .arg(q.number)
                                 .arg(name);
            return report;
        }
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& g) { return g.title == groupTitle; });
        if (group == groups.end())
            group = groups.insert(groups.end(), Group{groupTitle, {}});
        group->questions.append(q);
    }

    QList<QuestionSheet> sheets;
    // The questions of each worksheet that came with fewer than four answers.
    QHash<QString, QList<int>> filledIn;
    for (const Group& group : groups) {
        const qsizetype whole = group.questions.size() / 10;
        for (qsizetype n = 0; n < whole; ++n) {
            const QList<bank::Question> ten = group.questions.mid(10 * n, 10);
            sheets.append(sheetOf(numberedTitle(group.title, int(n) + 1), ten));
            for (const bank::Question& q : ten) {
                if (q.answers.size() < bank::MostAnswers)
                    filledIn[sheets.back().title].append(q.number);
            }
        }
        if (group.questions.size() % 10 != 0) {
            Report::LeftOver left{numberedTitle(group.title, int(whole) + 1), {}};
            for (const bank::Question& q : group.questions.mid(10 * whole))
                left.numbers.append(q.number);
            report.leftOver.append(left);
        }
    }
    if (sheets.isEmpty())
        return report;
    // As a start of the program would: the folder and its empty catalogue
    // are made when missing, and a folder that takes no file is said so.
    if (const QString reason = worksheet_folder::prepare(folder); !reason.isEmpty()) {
        report.problem = QStringLiteral("Worksheets cannot be saved in the folder %1: %2")
                             .arg(QDir::toNativeSeparators(folder), reason);
        return report;
    }
    const auto catalogue = std::make_unique<CatalogueState>();
    QString stopped;
    for (const QuestionSheet& sheet : sheets) {
        if (!stopped.isEmpty()) {
            report.notSaved.append({sheet.title, stopped});
            continue;
        }
        QString why = titleRefusal(sheet.title);
        if (why.isEmpty())
            why = worksheet_store::firstGap(sheet);
        if (!why.isEmpty()) {
            report.notSaved.append({sheet.title, why});
            continue;
        }
        using worksheet_store::Saved;
        const worksheet_store::Outcome outcome = worksheet_store::saveworksheet(
            folder, sheet, *catalogue, worksheet_store::Existing::Keep);
        if (outcome.saved == Saved::Yes) {
            report.made.append(sheet.title);
            report.filled += filledIn.value(sheet.title);
            continue;
        }
        why = outcome.message.isEmpty() ? QStringLiteral("It could not be written.")
                                        : outcome.message;
        report.notSaved.append({sheet.title, why});
        // A folder or catalogue that let one save down lets every other
        // down too; they are not tried.
        if (outcome.saved != Saved::Refused)
            stopped = QStringLiteral("Not tried, as the save before it failed.");
    }
    return report;
}

} // namespace worksheet_import

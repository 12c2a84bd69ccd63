#pragma once
// Rebuilds a damaged worksheet catalogue from the worksheets themselves.
// The old file is kept beside the new one under a dated name, never
// deleted; the new one lists every worksheet file in the folder that reads
// as a question file, in the old list's order where it can be read, then
// the rest by name. Nothing else in the folder changes.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace catalogue_repair {

struct Report {
    bool done = false;
    // The old catalogue's new name, or empty when there was none.
    QString keptAs;
    // What the new catalogue lists, in order.
    QStringList titles;
    // Worksheet files that could not be listed: unreadable, or past the
    // catalogue's 1000 titles.
    QStringList leftOut;
    // Why it was not done.
    QString problem;
};

Report repair(const QString& folder, const QDateTime& now);

} // namespace catalogue_repair

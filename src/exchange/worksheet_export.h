#pragma once
// Writes worksheets from a worksheet folder to one file for Moodle: GIFT
// for a name ending in .gift or .txt, Moodle XML for one ending in .xml.
// The file is written whole or not at all, and only once every worksheet
// asked for has been read.
#include <QString>
#include <QStringList>

namespace worksheet_export {

struct Report {
    // Why nothing was written; empty when the file was.
    QString problem;
    // The titles written, in order.
    QStringList titles;
};

// titles: the worksheets to write, each as the catalogue lists it; empty
// with all set, every worksheet the catalogue lists.
Report exportWorksheets(const QString& folder, const QStringList& titles, bool all,
                        const QString& to);

} // namespace worksheet_export

#pragma once
// --export, --export-all and --import as run from a terminal or a script:
// each does its work, says what it did on standard output, and returns the
// process's exit code, 0 when all went well and 1 (with one line on
// standard error) otherwise.
#include <QString>
#include <QStringList>

namespace exchange_commands {

int exportWorksheets(const QString& folder, const QStringList& titles, bool all, const QString& to);

int importWorksheets(const QString& folder, const QString& file, const QString& title);

} // namespace exchange_commands

#pragma once
// Printouts kept as PDF files in a folder, for a teacher with no printer at
// hand (a worksheet to e-mail home, a certificate to print elsewhere). Each
// job is a new file, named for what it is and when it was printed, and holds
// the page the printer would get, its words kept as text.
#include "print_service.h"

#include <QDateTime>

namespace pdf_folder {

// Why printouts cannot be kept in the folder, or empty when they can: it is
// a folder that takes a file, or a folder not made yet under one that does.
// Nothing is made here; the first printout makes the folder.
QString problem(const QString& folder);

// What the teacher is told at start when the folder has a problem.
QString refusalMessage(const QString& folder, const QString& reason);

// The file's name for a job printed at `at`, e.g.
// "Worksheet - Rationing - 2026-12-07 14.30.pdf". The typed name is cut
// short and rid of what a file system (a shared drive or a memory stick
// among them) would refuse.
QString fileName(const PrintJob& job, const QDateTime& at);

// The printer for one job: a PDF page in a new file in the folder (made
// when missing), on the paper of the user's locale. The name is taken for
// this job at once, with " (2)", " (3)" ... when it is already there, so no
// file is ever replaced. None when no file can be made; an abandoned job
// leaves none behind.
std::unique_ptr<PrintSurface> open(const QString& folder, const PrintJob& job, const QDateTime& at);

} // namespace pdf_folder

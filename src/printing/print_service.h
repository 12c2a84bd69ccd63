#pragma once
// Printing as the screens ask for it: a worksheet, a certificate or a
// reading page, each one page on the default printer, with the message that
// tells the teacher how it went. A teacher can have every page kept as a PDF
// file instead, and tests put a surface of their own (a PDF file, or one
// that records every call) in the printer's place.
#include "printouts.h"

#include <QString>
#include <functional>
#include <memory>

class Program;
class PrintSurface;
class QPainter;

// What is being printed, for a printer that keeps each job as a file named
// after it.
struct PrintJob {
    enum class Kind { Worksheet, Certificate, Page };
    Kind kind;
    // The worksheet set's title, the pupil's name, or the reading page's.
    QString name;
};

struct Printing {
    // Opens a fresh surface for each job, or none when there is nowhere to
    // print; the system's default printer unless a folder of PDF files or a
    // test has been put in its place.
    std::function<std::unique_ptr<PrintSurface>(const PrintJob&)> openPrinter;
};

namespace print_service {

inline const QString ProblemMessage =
    QStringLiteral("There was a problem printing to your printer.");

// Each prints its page and tells how it went: its own message when the page
// went to the printer, the problem message when it did not, in which case a
// job that had started is abandoned.
void printWorksheet(Program& program, const WorksheetPrint& sheet);
void printCertificate(Program& program, const CertificatePrint& certificate);
// Prints a reading page with its top-left corner at (1000, 1000) twips from
// the printable area's, at its own size: `drawPage` paints it in twips from
// its own top-left corner. `name` says which page it is, as a teacher would
// ("Rationing, Key Facts, page 2"). Nothing is shown when it goes well.
void printPage(Program& program, const QString& name,
               const std::function<void(QPainter&)>& drawPage);

} // namespace print_service

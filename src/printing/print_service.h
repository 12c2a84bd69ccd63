#pragma once
// Printing as the screens ask for it: a worksheet, a certificate or a
// reading page, each one page on the default printer, with the message that
// tells the teacher how it went. Tests put a surface of their own (a PDF
// file, or one that records every call) in the printer's place.
#include "printouts.h"

#include <functional>
#include <memory>

class Program;
class PrintSurface;
class QPainter;

struct Printing {
    // Opens a fresh surface for each job; the system's default printer
    // unless a test has put another in its place.
    std::function<std::unique_ptr<PrintSurface>()> openPrinter;
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
// its own top-left corner. Nothing is shown when it goes well.
void printPage(Program& program, const std::function<void(QPainter&)>& drawPage);

} // namespace print_service

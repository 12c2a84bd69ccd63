#include "print_service.h"

#include "print_surface.h"
#include "program.h"

namespace {
std::unique_ptr<PrintSurface> open(Program& program, const PrintJob& job) {
    const Printing& printing = program.state<Printing>();
    if (printing.openPrinter)
        return printing.openPrinter(job);
    return QtPrintSurface::defaultPrinter();
}

// Runs one job; true when the page went to the printer.
bool run(Program& program, const PrintJob& job, const std::function<bool(PrintSurface&)>& layout) {
    std::unique_ptr<PrintSurface> printer = open(program, job);
    if (!printer || !printer->begin()) {
        if (printer)
            printer->KillDoc();
        return false;
    }
    if (layout(*printer))
        return true;
    printer->KillDoc();
    return false;
}

void report(Program& program, bool printed, const QString& success) {
    program.messages().tell(printed ? success : print_service::ProblemMessage);
}
} // namespace

namespace print_service {

void printWorksheet(Program& program, const WorksheetPrint& sheet) {
    const bool printed = run(program, {PrintJob::Kind::Worksheet, sheet.title},
                             [&](PrintSurface& p) { return printouts::worksheet(p, sheet); });
    report(program, printed, QStringLiteral("Your worksheet is now printing."));
}

void printCertificate(Program& program, const CertificatePrint& certificate) {
    const bool printed =
        run(program, {PrintJob::Kind::Certificate, certificate.name},
            [&](PrintSurface& p) { return printouts::certificate(p, certificate); });
    report(program, printed, QStringLiteral("Your certificate is now printing."));
}

void printPage(Program& program, const QString& name,
               const std::function<void(QPainter&)>& drawPage) {
    const bool printed = run(program, {PrintJob::Kind::Page, name}, [&](PrintSurface& p) {
        // An empty line first starts the job.
        return p.Print(QString()) && p.drawPicture(1000, 1000, drawPage) && p.EndDoc();
    });
    if (!printed)
        program.messages().tell(ProblemMessage);
}

} // namespace print_service

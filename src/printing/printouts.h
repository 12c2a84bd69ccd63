#pragma once
// What goes on paper, as plain data: the screens hand over texts and
// numbers, and the layouts below put them on a print surface.
#include <QString>
#include <array>

class PrintSurface;

// A question set as a paper worksheet: the two headings of the quiz screen
// and the ten questions with their four answers, none of them marked.
struct WorksheetPrint {
    QString heading;
    QString title;
    std::array<QString, 10> questions{};
    // answers[k][m]: answer m (0 = A) of question k + 1.
    std::array<std::array<QString, 4>, 10> answers{};
};

struct CertificatePrint {
    QString heading;
    // The heading's width in the results screen's own font, in twips: a
    // heading wider than a quarter of the page is printed smaller.
    float headingWidthOnScreen = 0;
    QString name;
    int score = 0;
    int total = 0;
};

namespace printouts {

inline const QString ProductTitle = QStringLiteral("Ostervale");
inline const QString Publisher = QStringLiteral("Quorvane Publishing Ltd");
// 59 characters: the rows of praise at the top and bottom of a certificate.
inline const QString WellDoneRow =
    QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");

// Each lays out its page on a surface that has begun, and ends the
// document. False as soon as a step fails; the caller abandons the job.
bool worksheet(PrintSurface& printer, const WorksheetPrint& sheet);
bool certificate(PrintSurface& printer, const CertificatePrint& certificate);

} // namespace printouts

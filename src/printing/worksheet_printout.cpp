#include "printout_parts.h"
#include "printouts.h"

namespace {
using printouts::parts::centred;
using printouts::parts::Font;

// "A. " and its answer at a third of the page, "B. " and its answer on the
// same line at two thirds.
bool answerPair(PrintSurface& p, QChar first, const QString& a, QChar second, const QString& b) {
    const float w = p.ScaleWidth();
    p.CurrentX = w / 3;
    if (!p.Print(first + QStringLiteral(". ") + a, false))
        return false;
    p.CurrentX = 2 * w / 3;
    return p.Print(second + QStringLiteral(". ") + b);
}

bool question(PrintSurface& p, int n, const QString& text, const std::array<QString, 4>& answers) {
    p.CurrentX = p.ScaleWidth() / 16;
    return p.Print(QStringLiteral("Question ") + QString::number(n) + QStringLiteral("    ") +
                   text) &&
           answerPair(p, u'A', answers[0], u'B', answers[1]) &&
           answerPair(p, u'C', answers[2], u'D', answers[3]) && p.Print(QString());
}
} // namespace

namespace printouts {

bool worksheet(PrintSurface& p, const WorksheetPrint& sheet) {
    p.setFont(Font, 16);
    if (!p.Print(QString()))
        return false;
    p.CurrentX = p.ScaleWidth() / 16;
    if (!p.Print(ProductTitle + QString(57, u' ') + Publisher) || !p.Print(QString()))
        return false;
    p.setFont(Font, 32);
    if (!centred(p, sheet.heading) || !centred(p, sheet.title) || !p.Print(QString()))
        return false;
    p.setFont(Font, 12);
    for (int k = 0; k < 10; ++k) {
        if (!question(p, k + 1, sheet.questions[k], sheet.answers[k]))
            return false;
    }
    return p.EndDoc();
}

} // namespace printouts

#pragma once
// The reading pages: each source in pages/ (see page_markup.h) becomes two
// metafiles of the same name, wmf/NAME.wmf for the screen and wmf2/NAME.wmf
// for paper.
#include "generator.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

namespace material {

struct ReadingPage {
    QByteArray screen;
    QByteArray print;
    QStringList errors; // "line N: ..." or about the page as a whole
};

// Lays out and writes one page; its pictures are drawn from the SVG
// drawings in `pictures` at the size each version needs.
ReadingPage buildReadingPage(const QString& markup, const QDir& pictures);

void makeReadingPages(const QDir& source, const QDir& output, GenerationReport& report);

} // namespace material

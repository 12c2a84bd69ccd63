#pragma once
#include "output.h"

#include <QString>
#include <QStringList>

namespace material {

// What one run did, file by file, relative to the output folder.
struct GenerationReport {
    QStringList written;
    QStringList unchanged;
    QStringList errors;
    bool ok() const { return errors.isEmpty(); }
    // Files one write of `name` into the list its result belongs to.
    void note(const QString& name, WriteResult result, const QString& error);
};

// Makes every picture, sound, reading page and starter file from `sourceDir`
// (the material folder of the source tree) into `outputDir` (the program's
// home folder). Reading pages are laid out by font metrics, so this needs a
// QGuiApplication.
GenerationReport generateMaterial(const QString& sourceDir, const QString& outputDir);

// The worksheet catalogue as it is before a teacher saves anything in it.
inline constexpr char kEmptyCatalogue[] = " 0\r\n";
inline constexpr char kCataloguePath[] = "multiple/track.txt";

} // namespace material

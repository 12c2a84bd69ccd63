#pragma once
// The real generator run once per test binary on the real material sources.
// A run takes seconds, so every check that only reads its output shares it.
#include "generator.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace material_tests {

inline const QString& materialSource() {
    static const QString source = QStringLiteral(OSTERVALE_SOURCE "/material");
    return source;
}

// A file's bytes, or none when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct GeneratedHome {
    QTemporaryDir dir;
    material::GenerationReport report;
    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }
};

inline const GeneratedHome& generatedHome() {
    static const std::unique_ptr<GeneratedHome> home = [] {
        auto made = std::make_unique<GeneratedHome>();
        if (made->dir.isValid())
            made->report = material::generateMaterial(materialSource(), made->dir.path());
        else
            made->report.errors << QStringLiteral("no temporary folder");
        return made;
    }();
    return *home;
}

} // namespace material_tests

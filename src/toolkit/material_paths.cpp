#include "material_paths.h"

#include <QDir>
#include <QFileInfo>

namespace {
// A component that exists with exactly this spelling wins; otherwise the first
// entry that matches without regard to case.
QString matchComponent(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + u'/' + name))
        return name;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}
} // namespace

QString MaterialPaths::resolve(const QString& materialPath) const {
    QString path = materialPath;
    while (path.endsWith(u' '))
        path.chop(1);
    path.replace(u'\\', u'/');
    QString resolved = root_;
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == u".")
            continue;
        resolved += u'/' + matchComponent(resolved, part);
    }
    return resolved;
}

#include "pdf_folder.h"

#include "print_surface.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryFile>

namespace {
// Room for the name a teacher or pupil typed, in UTF-8 bytes: with the
// kind, the date, a copy's number and ".pdf" a file's name stays well under
// the 255 bytes file systems allow.
constexpr qsizetype kLongestTypedName = 120;
// Past this many copies of one printout in one minute, something is wrong.
constexpr int kMostCopies = 999;

QString kindWord(PrintJob::Kind kind) {
    switch (kind) {
    case PrintJob::Kind::Worksheet:
        return QStringLiteral("Worksheet");
    case PrintJob::Kind::Certificate:
        return QStringLiteral("Certificate");
    case PrintJob::Kind::Page:
        break;
    }
    return QStringLiteral("Page");
}

QString safeName(const QString& typed) {
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name;
    name.reserve(typed.size());
    for (const QChar c : typed) {
        if (c.category() == QChar::Other_Control)
            name += u' ';
        else if (refused.contains(c))
            name += u'-';
        else
            name += c;
    }
    name = name.simplified();
    while (name.toUtf8().size() > kLongestTypedName)
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
    return name.trimmed();
}

// The job's file, created empty so that no other job, of this copy of the
// program or another, takes the name; empty when none can be made.
QString reserve(const QString& folder, const PrintJob& job, const QDateTime& at) {
    if (!QDir().mkpath(folder))
        return {};
    QString name = pdf_folder::fileName(job, at);
    const QString stem = name.chopped(4);
    for (int copy = 2; copy <= kMostCopies + 1; ++copy) {
        QFile file(QDir(folder).filePath(name));
        // Never through a link, nor over anything already there.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        if (!QFileInfo(file.fileName()).exists() && !QFileInfo(file.fileName()).isSymLink())
            return {};
        name = stem + QStringLiteral(" (%1).pdf").arg(copy);
    }
    return {};
}
} // namespace

namespace pdf_folder {

QString problem(const QString& folder) {
    // The folder itself, or the nearest folder above it that is there.
    QString there = folder;
    while (!QFileInfo::exists(there)) {
        const QString up = QFileInfo(there).path();
        if (up == there)
            break;
        there = up;
    }
    const bool made = there == folder;
    if (!QFileInfo(there).isDir())
        return made ? QStringLiteral("it is a file, not a folder.")
                    : QStringLiteral("it cannot be made, as %1 is a file.")
                          .arg(QDir::toNativeSeparators(there));
    // Permissions alone do not tell (a read-only mount, an access list), so
    // the folder is asked to take a file.
    QTemporaryFile probe(there + QStringLiteral("/.ostervale-XXXXXX"));
    if (!probe.open())
        return made ? QStringLiteral("no file can be written there.")
                    : QStringLiteral("it cannot be made in %1.")
                          .arg(QDir::toNativeSeparators(there));
    return {};
}

QString refusalMessage(const QString& folder, const QString& reason) {
    return QStringLiteral("Printouts cannot be saved as PDF files in the folder ") +
           QDir::toNativeSeparators(folder) + QStringLiteral(": ") + reason +
           QStringLiteral("\n\nNothing can be printed. To print into PDF files, start Ostervale "
                          "with --print-to and a folder you can write to.");
}

QString fileName(const PrintJob& job, const QDateTime& at) {
    QStringList parts{kindWord(job.kind)};
    if (const QString name = safeName(job.name); !name.isEmpty())
        parts.append(name);
    // Dots for the time: a colon is refused on a memory stick.
    parts.append(at.toString(QStringLiteral("yyyy-MM-dd HH.mm")));
    return parts.join(QStringLiteral(" - ")) + QStringLiteral(".pdf");
}

std::unique_ptr<PrintSurface> open(const QString& folder, const PrintJob& job,
                                   const QDateTime& at) {
    const QString path = reserve(folder, job, at);
    if (path.isEmpty())
        return nullptr;
    return QtPrintSurface::pdf(path, QtPrintSurface::paperFor(QLocale()));
}

} // namespace pdf_folder

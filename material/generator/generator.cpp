#include "generator.h"

#include "logo.h"
#include "output.h"
#include "page_markup.h"
#include "pictures.h"
#include "questions.h"
#include "reading_pages.h"
#include "sounds.h"

#include <QDir>
#include <QFile>

namespace material {

void GenerationReport::note(const QString& name, WriteResult result, const QString& error) {
    switch (result) {
    case WriteResult::Written:
        written.append(name);
        break;
    case WriteResult::Unchanged:
        unchanged.append(name);
        break;
    case WriteResult::Failed:
        errors.append(error);
        break;
    }
}

namespace {

void makePictures(const QDir& source, const QDir& output, GenerationReport& report) {
    const QDir pictures(source.filePath(QStringLiteral("pictures")));
    QFile manifestFile(pictures.filePath(QStringLiteral("pictures.txt")));
    if (!manifestFile.open(QIODevice::ReadOnly)) {
        report.errors.append(QStringLiteral("cannot read ") + manifestFile.fileName());
        return;
    }
    const PictureManifest manifest =
        parsePictureManifest(QString::fromUtf8(manifestFile.readAll()));
    report.errors.append(manifest.errors);
    for (const PictureRow& row : manifest.rows) {
        QFile svg(pictures.filePath(row.svg));
        if (!svg.open(QIODevice::ReadOnly)) {
            report.errors.append(QStringLiteral("cannot read ") + svg.fileName());
            continue;
        }
        const RenderedPicture picture = renderPicture(svg.readAll(), row.size);
        if (!picture.error.isEmpty()) {
            report.errors.append(row.svg + QStringLiteral(": ") + picture.error);
            continue;
        }
        QString error;
        const WriteResult result =
            writeIfChanged(output.filePath(row.output), picture.jpeg, &error);
        report.note(row.output, result, error);
    }
}

void makeSounds(const QDir& output, GenerationReport& report) {
    for (const SoundRow& row : soundTable()) {
        const QString name = QString::fromUtf8(row.output);
        QString error;
        const WriteResult result = writeIfChanged(output.filePath(name), renderSound(row), &error);
        report.note(name, result, error);
    }
}

void makeLogo(const QDir& output, GenerationReport& report) {
    for (const LogoFile& file : renderLogo() + renderIcons()) {
        QString error;
        const WriteResult result = writeIfChanged(output.filePath(file.output), file.bytes, &error);
        report.note(file.output, result, error);
    }
}

// What a pupil can read on the named pages: their words, captions too.
QString pagesText(const QDir& source, const QStringList& names, QStringList& errors) {
    QString text;
    for (const QString& name : names) {
        QFile file(source.filePath(QStringLiteral("pages/") + name + QStringLiteral(".page")));
        if (!file.open(QIODevice::ReadOnly)) {
            errors.append(QStringLiteral("cannot read ") + file.fileName());
            continue;
        }
        for (const pages::Block& block :
             pages::parseMarkup(QString::fromUtf8(file.readAll())).blocks)
            text += pages::plainText(block) + u'\n' + block.caption + u'\n';
    }
    return text;
}

// Topic quizzes: each source in questions/ becomes multiple/<same name>.
void makeQuestions(const QDir& source, const QDir& output, GenerationReport& report) {
    const QDir questions(source.filePath(QStringLiteral("questions")));
    const QStringList names =
        questions.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile file(questions.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            report.errors.append(QStringLiteral("cannot read ") + file.fileName());
            continue;
        }
        const CompiledQuestions compiled = compileQuestionSource(QString::fromUtf8(file.readAll()));
        QStringList errors = compiled.errors;
        const QString facts = pagesText(source, compiled.factPages, errors);
        errors += answersNotOnPages(compiled.rightAnswers, facts);
        for (const QString& error : errors)
            report.errors.append(name + QStringLiteral(": ") + error);
        if (!errors.isEmpty())
            continue;
        const QString target = QStringLiteral("multiple/") + name;
        QString error;
        report.note(target, writeIfChanged(output.filePath(target), compiled.file, &error), error);
    }
}

void makeCatalogue(const QDir& output, GenerationReport& report) {
    const QString name = QString::fromLatin1(kCataloguePath);
    QString error;
    const WriteResult result =
        writeIfMissing(output.filePath(name), QByteArray(kEmptyCatalogue), &error);
    report.note(name, result, error);
}

} // namespace

GenerationReport generateMaterial(const QString& sourceDir, const QString& outputDir) {
    GenerationReport report;
    const QDir source(sourceDir);
    const QDir output(outputDir);
    makePictures(source, output, report);
    makeSounds(output, report);
    makeLogo(output, report);
    makeQuestions(source, output, report);
    makeReadingPages(source, output, report);
    makeCatalogue(output, report);
    return report;
}

} // namespace material

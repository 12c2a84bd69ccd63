#include "reading_pages.h"

#include "output.h"
#include "page_layout.h"
#include "page_markup.h"
#include "page_metafile.h"
#include "pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <map>

namespace material {

namespace {

using namespace pages;

// Drawings are read once a run and drawn fresh at each size a page asks
// for, straight from the SVG, so a page never waits on (or takes the JPEG
// softening of) the picture files made for the screens.
class Drawings {
public:
    explicit Drawings(const QDir& folder) : folder_(folder) {}

    std::optional<double> aspect(const QString& svg) {
        const QByteArray& bytes = read(svg);
        if (bytes.isEmpty())
            return std::nullopt;
        const QRectF box = QSvgRenderer(bytes).viewBoxF();
        if (!(box.width() > 0) || !(box.height() > 0))
            return std::nullopt;
        return box.height() / box.width();
    }

    // Empty, with *error set, when the drawing breaks the house rules that
    // every picture is held to (no lettering, no clipping, ...).
    QImage draw(const QString& svg, QSize pixels, QString* error) {
        const QByteArray& bytes = read(svg);
        // The house rules are checked once a drawing, by the same step that
        // makes the screens' pictures; a tiny size is enough to hear from
        // the renderer.
        auto checked = checked_.find(svg);
        if (checked == checked_.end())
            checked = checked_.emplace(svg, renderPicture(bytes, QSize(8, 8)).error).first;
        if (!checked->second.isEmpty()) {
            *error = svg + QStringLiteral(": ") + checked->second;
            return {};
        }
        QImage image(pixels, QImage::Format_RGB32);
        image.fill(Qt::white);
        QSvgRenderer renderer(bytes);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        return image;
    }

private:
    const QByteArray& read(const QString& svg) {
        auto found = bytes_.find(svg);
        if (found == bytes_.end()) {
            QFile file(folder_.filePath(svg));
            found =
                bytes_.emplace(svg, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray())
                    .first;
        }
        return found->second;
    }

    QDir folder_;
    std::map<QString, QByteArray> bytes_;
    std::map<QString, QString> checked_;
};

QByteArray oneVersion(const Markup& markup, const PageStyle& style, Drawings& drawings,
                      QStringList& errors) {
    LaidPage page =
        layOut(markup, style, [&drawings](const QString& svg) { return drawings.aspect(svg); });
    for (PlacedPicture& picture : page.pictures) {
        QString error;
        picture.image = drawings.draw(picture.svg, imagePixels(picture.rect, style), &error);
        if (!error.isEmpty())
            page.errors.append(error);
    }
    if (!page.errors.isEmpty()) {
        // Both versions meet the same faults in the words; say each once.
        for (const QString& error : page.errors) {
            if (!errors.contains(error))
                errors.append(error);
        }
        return {};
    }
    return writePage(page, style);
}

ReadingPage build(const QString& source, Drawings& drawings) {
    ReadingPage page;
    const Markup markup = parseMarkup(source);
    page.errors = markup.errors;
    if (!page.errors.isEmpty())
        return page;
    page.screen = oneVersion(markup, screenStyle(), drawings, page.errors);
    page.print = oneVersion(markup, printStyle(), drawings, page.errors);
    if (!page.errors.isEmpty())
        page = ReadingPage{{}, {}, page.errors};
    return page;
}

} // namespace

ReadingPage buildReadingPage(const QString& markup, const QDir& pictures) {
    Drawings drawings(pictures);
    return build(markup, drawings);
}

void makeReadingPages(const QDir& source, const QDir& output, GenerationReport& report) {
    const QDir folder(source.filePath(QStringLiteral("pages")));
    const QStringList names = folder.entryList({QStringLiteral("*.page")}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        report.errors.append(QStringLiteral("no reading pages in ") + folder.path());
        return;
    }
    for (const PageStyle& style : {screenStyle(), printStyle()}) {
        if (const QString problem = fontProblem(style); !problem.isEmpty()) {
            report.errors.append(QStringLiteral("reading pages: ") + problem);
            return;
        }
    }
    Drawings drawings(QDir(source.filePath(QStringLiteral("pictures"))));
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            report.errors.append(QStringLiteral("cannot read ") + file.fileName());
            continue;
        }
        const ReadingPage page = build(QString::fromUtf8(file.readAll()), drawings);
        for (const QString& error : page.errors)
            report.errors.append(QStringLiteral("pages/") + name + QStringLiteral(": ") + error);
        if (!page.errors.isEmpty())
            continue;
        const QString base = QFileInfo(name).completeBaseName();
        const std::pair<QString, QByteArray> versions[] = {
            {QStringLiteral("wmf/") + base + QStringLiteral(".wmf"), page.screen},
            {QStringLiteral("wmf2/") + base + QStringLiteral(".wmf"), page.print}};
        for (const auto& [target, bytes] : versions) {
            QString error;
            report.note(target, writeIfChanged(output.filePath(target), bytes, &error), error);
        }
    }
}

} // namespace material

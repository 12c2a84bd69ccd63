#include "page_box.h"

#include "material_paths.h"
#include "player.h"
#include "style.h"
#include "twips.h"

#include <QFileInfo>
#include <QPainter>

PageBox::PageBox(QWidget* parent, Reading reading) : QWidget(parent), reading_(reading) {
    // The page is a picture: the pointer's moves over it are the screen's.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Page"));
}

const QString& PageBox::cannotShow() {
    static const QString text = QStringLiteral("This page could not be shown.");
    return text;
}

bool PageBox::LoadPicture(const MaterialPaths& paths, const QString& materialPath) {
    file_ = paths.resolve(materialPath);
    page_.reset();
    read_ = false;
    update();
    if (reading_ == Reading::WhenAsked)
        return QFileInfo(file_).isFile();
    // The page is drawn, not laid out in text controls, so its words reach
    // a screen reader through the box's description.
    setAccessibleDescription(page() ? page_->readingText() : cannotShow());
    return page().has_value();
}

const std::optional<metafile::Metafile>& PageBox::page() const {
    if (!read_ && !file_.isEmpty()) {
        read_ = true;
        metafile::Metafile page;
        // A damaged page that keeps only its paper would show a pupil an
        // empty page with nothing saying why.
        if (metafile::load(file_, page) && page.visibleMarks() > 0)
            page_ = std::move(page);
    }
    return page_;
}

QString PageBox::allWords() const {
    return page() ? page_->readingText() : cannotShow();
}

QString PageBox::wordsAt(QPoint local) const {
    if (!page())
        return cannotShow();
    // As paint() lays the page's frame over the box.
    const QRectF frame = page_->frame;
    const QSizeF twips = page_->sizeInTwips();
    const double pixelsHigh = qMax(1, twips::toPixels(float(twips.height())));
    const double y = frame.top() + local.y() * frame.height() / pixelsHigh;
    const std::vector<metafile::ReadingLine> lines = page_->readingLines();
    // Of the lines whose letters reach the pointer, the one whose middle is
    // nearest it: tall letters of one line can reach into the next.
    const metafile::ReadingLine* under = nullptr;
    for (const metafile::ReadingLine& line : lines) {
        if (y < line.top || y > line.bottom)
            continue;
        const auto off = [y](const metafile::ReadingLine& l) {
            return qAbs((l.top + l.bottom) / 2 - y);
        };
        if (!under || off(line) < off(*under))
            under = &line;
    }
    return under ? under->text : allWords();
}

void PageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (page()) {
        // Drawn straight onto the screen each time it is painted, which
        // takes well under a millisecond: a page kept as a picture would hold
        // several megabytes for every page box, and cost more to make the
        // first time than drawing it does.
        paint(*page_, painter);
        return;
    }
    painter.setPen(style::White);
    painter.setFont(style::tahomaBold(12));
    painter.drawText(QRect(twips::toPixels(240), twips::toPixels(240), width(), height()),
                     Qt::AlignLeft | Qt::AlignTop, cannotShow());
}

void PageBox::paint(const metafile::Metafile& page, QPainter& painter) {
    const QSizeF twips = page.sizeInTwips();
    const QSize pixels(qMax(1, twips::toPixels(float(twips.width()))),
                       qMax(1, twips::toPixels(float(twips.height()))));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    metafile::draw(page, painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
}

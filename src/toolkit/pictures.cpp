#include "pictures.h"

#include "material_paths.h"
#include "outside_file.h"
#include "twips.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace {
// The program's pictures are a few hundred pixels on a side, and no box is
// larger than the screen. A few hundred bytes of JPEG can claim a picture of
// tens of millions of pixels, which takes seconds and hundreds of megabytes
// to decode; such a file is refused from its header, before it is decoded.
constexpr qint64 MaxPicturePixels = 2048LL * 2048;
// The decoder's own limit, for a format whose header does not tell its size.
constexpr int MaxPictureMegabytes = 32;

QImage readWithin(QImageReader& reader) {
    reader.setAllocationLimit(MaxPictureMegabytes);
    const QSize claimed = reader.size();
    if (claimed.isValid() && qint64(claimed.width()) * claimed.height() > MaxPicturePixels)
        return {};
    return reader.read();
}
} // namespace

PictureRead readPicture(const QString& file) {
    // The bytes come in through the one door for outside files; a decoder
    // handed the path would open a pipe or a device in the picture's place
    // and wait on it.
    const std::optional<QByteArray> bytes = outside_file::read(file, outside_file::PictureLimit);
    if (!bytes)
        return {};
    QBuffer buffer;
    buffer.setData(*bytes);
    buffer.open(QIODevice::ReadOnly);
    // Naming the format loads one image plugin; letting Qt guess from the
    // content loads every plugin it has (and their libraries) on the first
    // picture, which is most of the title screen's start-up time.
    const QByteArray named = QFileInfo(file).suffix().toLower().toLatin1();
    if (!named.isEmpty()) {
        QImageReader reader(&buffer, named);
        reader.setAutoDetectImageFormat(false);
        QImage image = readWithin(reader);
        if (!image.isNull())
            return {std::move(image), true};
        buffer.seek(0);
    }
    // A picture saved under the wrong extension still shows.
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return {readWithin(reader), false};
}

std::optional<QPixmap> LoadPicture(const MaterialPaths& paths, const QString& materialPath) {
    QImage image = readPicture(paths.resolve(materialPath)).image;
    if (image.isNull())
        return std::nullopt;
    // Handed over, not copied: a full-screen picture is two megabytes.
    return QPixmap::fromImage(std::move(image));
}

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    // Screens give their pictures better names where they know them.
    setAccessibleName(QStringLiteral("Picture"));
}

void PictureBox::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor PictureBox::backColor() const {
    return palette().color(QPalette::Window);
}

ImageBox::ImageBox(QWidget* parent, bool stretch) : QLabel(parent), stretch_(stretch) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(stretch);
    setAccessibleName(QStringLiteral("Picture"));
}

QPixmap atScale(const QPixmap& picture) {
    const float scale = twips::scale();
    if (scale == 1.0f || picture.isNull())
        return picture;
    const QSize size(int(std::lround(picture.width() * scale)),
                     int(std::lround(picture.height() * scale)));
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ImageBox::setPicture(const QPixmap& original) {
    // A stretched picture fills its box, which the scale has sized already.
    const QPixmap picture = stretch_ ? original : atScale(original);
    setPixmap(picture);
    if (!stretch_)
        resize(picture.size());
}

void PictureBox::setPicture(const QPixmap& original) {
    if (scaling_ == Scaling::Fill && !original.isNull() && !size().isEmpty()) {
        // Straight from the original: the box is sized for the run-time
        // scale already, and one smoothing is sharper than two.
        const QPixmap covering =
            original.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        const QPoint corner((covering.width() - width()) / 2, (covering.height() - height()) / 2);
        setPixmap(covering.copy(QRect(corner, size())));
        return;
    }
    const QPixmap picture = atScale(original);
    if (scaling_ == Scaling::Fit && (picture.width() > width() || picture.height() > height()))
        setPixmap(picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(picture);
}

void PictureBox::setScaling(Scaling scaling) {
    scaling_ = scaling;
    setAlignment(scaling == Scaling::None ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignCenter);
}

#include "pictures.h"

#include "material_paths.h"
#include "twips.h"

#include <QImageReader>
#include <cmath>

std::optional<QPixmap> LoadPicture(const MaterialPaths& paths, const QString& materialPath) {
    QImageReader reader(paths.resolve(materialPath));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(image);
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
    const QPixmap picture = atScale(original);
    if (fit_ && (picture.width() > width() || picture.height() > height()))
        setPixmap(picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(picture);
}

void PictureBox::setFitPicture(bool fit) {
    fit_ = fit;
    setAlignment(fit ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

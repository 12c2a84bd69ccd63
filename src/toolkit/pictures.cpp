#include "pictures.h"

#include "material_paths.h"

#include <QImageReader>

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
}

void ImageBox::setPicture(const QPixmap& picture) {
    setPixmap(picture);
    if (!stretch_)
        resize(picture.size());
}

void PictureBox::setPicture(const QPixmap& picture) {
    if (fit_ && (picture.width() > width() || picture.height() > height()))
        setPixmap(picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(picture);
}

void PictureBox::setFitPicture(bool fit) {
    fit_ = fit;
    setAlignment(fit ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

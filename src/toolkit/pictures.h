#pragma once
// Pictures from the material folders, and the two boxes that show them.
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <optional>

class MaterialPaths;

// A picture file read in the format its extension names, or, when that
// fails, in the format its content shows; fromName says which way it went.
// A file whose header claims a picture far larger than any screen (more than
// 2048 x 2048 pixels) gives a null image, as does anything but a regular file
// or a file larger than any picture could be.
struct PictureRead {
    QImage image;
    bool fromName = false;
};
PictureRead readPicture(const QString& file);

// JPEG, GIF and BMP, by their extension or else by their content. A missing,
// unreadable or hugely oversized file gives nullopt; the caller decides what
// that means for its screen.
std::optional<QPixmap> LoadPicture(const MaterialPaths& paths, const QString& materialPath);

// A picture at the run-time scale, smoothed; itself at scale 1.
QPixmap atScale(const QPixmap& picture);

// A picture box: a fixed box with its own background colour, the picture
// drawn unscaled from its top-left corner and cut off at the box's edges,
// unless the box is told to scale it.
class PictureBox : public QLabel {
public:
    enum class Scaling {
        None,
        // Scaled down to fit the box, proportions kept and centred, for a
        // box whose pictures come in more than one shape.
        Fit,
        // Scaled to cover the box, proportions kept, and cut to its middle,
        // for a picture drawn with its subject in the band the box shows.
        Fill,
    };

    explicit PictureBox(QWidget* parent);
    void setBackColor(const QColor& colour);
    QColor backColor() const;
    void setPicture(const QPixmap& picture);
    void setScaling(Scaling scaling);

private:
    Scaling scaling_ = Scaling::None;
};

// An image: transparent around its picture. Without stretching it takes the
// picture's own size; with stretching the picture fills the box.
class ImageBox : public QLabel {
public:
    ImageBox(QWidget* parent, bool stretch);
    void setPicture(const QPixmap& picture);

private:
    bool stretch_;
};

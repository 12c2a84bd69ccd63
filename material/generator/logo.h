#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace material {

// The publisher's mark shown on the notes viewer: a gold Q whose tail is a
// quill, writing in an open book, on a navy medallion ringed by gold beads.
// The frames turn the bead ring by exactly one bead spacing, so the last
// frame runs on into the first without a jump.
inline constexpr int kLogoFrames = 20;
inline constexpr QSize kLogoFrameSize{120, 120};
inline constexpr QSize kStaticLogoSize{120, 89};

QImage drawLogoFrame(int frame);
QImage drawStaticLogo();

struct LogoFile {
    QString output; // relative to the output folder
    QByteArray bytes;
};

// Every frame as GIF plus the still mark as BMP, in the order written.
QList<LogoFile> renderLogo();

// The program's icon: the medallion and its ring of beads alone, on a
// transparent ground, filling a square of the given side.
QImage drawIcon(int side);

// The icon for the desktop's hicolor theme, as PNG at each of
// kIconSizes and as SVG, under icons/hicolor/ with the program's desktop id.
inline constexpr int kIconSizes[] = {48, 128, 256};
inline constexpr char kIconName[] = "io.github.ostervale.Ostervale";
QList<LogoFile> renderIcons();

} // namespace material

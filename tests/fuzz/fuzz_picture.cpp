// Pictures as the screens load them: any bytes under a material name, read
// by content. A picture that loads is a real picture of sensible size.
#include "fuzz_support.h"
#include "material_paths.h"
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

namespace {
const MaterialPaths& paths() {
    static const MaterialPaths material = [] {
        QDir(fuzz_support::scratch()).mkpath(QStringLiteral("Images"));
        return MaterialPaths(fuzz_support::scratch());
    }();
    return material;
}
// Qt's decoders are not built for coverage, so to the fuzzer a picture that
// decoded looks like one refused at once. These branches tell them apart, by
// the format the content names and the shape of what came out, so inputs
// that reach deeper into a decoder stay in the corpus.
int outcome(const QByteArray& bytes, const std::optional<QPixmap>& picture) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    // One branch each, so each is an edge of its own.
    int kind = 0;
    if (format == "jpeg")
        kind = 1;
    else if (format == "gif")
        kind = 2;
    else if (format == "bmp")
        kind = 3;
    else if (format == "svg")
        kind = 4;
    else if (format == "tiff")
        kind = 5;
    else if (format == "webp")
        kind = 6;
    else if (!format.isEmpty())
        kind = 7;
    if (!picture)
        return kind;
    int shape = 100 * kind;
    if (picture->width() > 64)
        shape += 10;
    if (picture->height() > 64)
        shape += 20;
    if (picture->hasAlphaChannel())
        shape += 1;
    if (picture->depth() < 32)
        shape += 2;
    return shape;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::startGui();
    paths();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Named as a screen names its pictures; the extension says nothing.
    fuzz_support::writeFile(paths().root() + QStringLiteral("/Images/picture.jpg"),
                            fuzz_support::bytesOf(data, size));
    const std::optional<QPixmap> picture =
        LoadPicture(paths(), QStringLiteral("Images\\picture.jpg"));
    if (picture)
        FUZZ_CHECK(!picture->isNull() && picture->width() > 0 && picture->height() > 0);
    // A picture only comes from content that names its format.
    const int seen = outcome(fuzz_support::bytesOf(data, size), picture);
    FUZZ_CHECK(!picture || seen >= 100);
    return 0;
}

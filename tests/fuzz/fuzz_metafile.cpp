// Metafiles as the page viewers take them: parsed, then drawn into a small
// picture. A file refused says why; a damaged file kept has drawn something;
// and drawing leaves the caller's painter as it was found.
#include "fuzz_support.h"
#include "metafile.h"
#include "player.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::startGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString error;
    const std::optional<metafile::Metafile> picture =
        metafile::parse(QByteArrayView(data, qsizetype(size)), &error);
    if (!picture) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(picture->isComplete() == error.isEmpty());
    if (!picture->isComplete())
        FUZZ_CHECK(picture->marksThePage() && picture->stoppedAt >= 0 &&
                   picture->stoppedAt <= qint64(size));

    static QImage page(200, 150, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::white);
    QPainter painter(&page);
    // A viewer draws a page inside a frame, not from the corner.
    painter.translate(3, 2);
    const QTransform before = painter.worldTransform();
    metafile::draw(*picture, painter, QRectF(5, 4, 190, 140));
    FUZZ_CHECK(painter.worldTransform() == before);
    FUZZ_CHECK(!painter.hasClipping());
    return 0;
}

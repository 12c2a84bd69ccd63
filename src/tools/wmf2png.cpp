// wmf2png IN.wmf OUT.png [--width PX]
//
// Draws a metafile exactly as the program's viewers do (the library's own
// draw), on white: at its own size, 15 twips a pixel, or PX pixels wide with
// its proportions kept. Exit 0 when the picture was written (a damaged file
// that still drew something is written, with a warning); 1 with one line on
// standard error when the file cannot be read or the picture cannot be
// written; 2 when the command line is wrong.
#include "metafile.h"
#include "player.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double TwipsPerPixel = 15.0;
// Beyond this the picture would take gigabytes; --width brings it down.
constexpr qint64 MaxPixels = 100LL * 1000 * 1000;

struct Options {
    QString in;
    QString out;
    int width = 0; // zero: the picture's own size
};

int complain(const QString& line, int code) {
    std::fprintf(stderr, "wmf2png: %s\n", qPrintable(line));
    return code;
}

std::optional<Options> readOptions(const QStringList& args) {
    Options o;
    QStringList positional;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        QString value;
        if (a == QLatin1String("--width") && i + 1 < args.size())
            value = args[++i];
        else if (a.startsWith(QLatin1String("--width=")))
            value = a.mid(8);
        else if (a.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            positional.append(a);
        bool ok = true;
        if (!value.isEmpty() && ((o.width = value.toInt(&ok)) <= 0 || !ok))
            return std::nullopt;
    }
    if (positional.size() != 2)
        return std::nullopt;
    o.in = positional[0];
    o.out = positional[1];
    return o;
}

QSize pixelSize(const metafile::Metafile& picture, int width) {
    const QSizeF twips = picture.sizeInTwips();
    if (width > 0)
        return {width, int(std::lround(width * twips.height() / twips.width()))};
    return {int(std::lround(twips.width() / TwipsPerPixel)),
            int(std::lround(twips.height() / TwipsPerPixel))};
}

// Qt's own chatter (a missing runtime folder under a bare test run, say)
// would bury the one line a caller reads; only real trouble gets through.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "wmf2png: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietQt);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The one platform-specific step: with no X or Wayland display (a build
    // machine, a test run) draw off screen; fonts still come from fontconfig.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    const std::optional<Options> options = readOptions(QCoreApplication::arguments());
    if (!options)
        return complain(QStringLiteral("usage: wmf2png IN.wmf OUT.png [--width PX]"), 2);

    metafile::Metafile picture;
    QString error;
    if (!metafile::load(options->in, picture, &error))
        return complain(options->in + QStringLiteral(": ") + error, 1);
    if (!picture.isComplete())
        complain(options->in + QStringLiteral(": ") + error +
                     QStringLiteral("; drawing what came before"),
                 0);

    const QSize size = pixelSize(picture, options->width);
    if (size.width() < 1 || size.height() < 1)
        return complain(options->in + QStringLiteral(": the picture has no size"), 1);
    if (qint64(size.width()) * size.height() > MaxPixels || size.width() > 32767 ||
        size.height() > 32767)
        return complain(options->in + QStringLiteral(": %1 x %2 pixels is too large; use --width")
                                          .arg(size.width())
                                          .arg(size.height()),
                        1);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return complain(options->in + QStringLiteral(": not enough memory for the picture"), 1);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        metafile::draw(picture, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    if (!image.save(options->out, "PNG"))
        return complain(QStringLiteral("cannot write %1").arg(options->out), 1);
    return 0;
}

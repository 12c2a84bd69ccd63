#pragma once
// Turns one record's parameters into commands. It owns the object table, so
// a select arrives at the player as the object's value, and the pixel budget
// that every bitmap in the file draws from.
#include "byte_reader.h"
#include "commands.h"
#include "object_table.h"

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

namespace metafile {

class RecordReader {
public:
    explicit RecordReader(std::vector<Command>& out);

    // Empty when the record was understood (or is one we skip); otherwise
    // what is wrong with it, and nothing from it has been added.
    QString read(quint16 function, quint32 sizeInWords, QByteArrayView params);

    // The first window the records set, which frames a file that has no
    // placeable header.
    std::optional<QRect> firstWindow() const;
    // The first viewport, in device pixels, when a scaling map mode makes
    // the file's drawing land there rather than on its window.
    std::optional<QRect> firstViewport() const;

private:
    QString readState(quint16 function, ByteReader& r, bool& known);
    QString readObject(quint16 function, ByteReader& r, bool& known);
    QString readShape(quint16 function, ByteReader& r, bool& known);
    QString readBitmap(quint16 function, quint32 sizeInWords, ByteReader& r, bool& known);

    QString readFont(ByteReader& r);
    QString readPatternBrush(ByteReader& r);
    QString readSelect(ByteReader& r);
    QString readPoly(quint16 function, ByteReader& r);
    QString readPolyPolygon(ByteReader& r);
    QString readTextOut(ByteReader& r);
    QString readExtTextOut(ByteReader& r);
    QString addBitmap(cmd::Bitmap bitmap, ByteReader& r, int colourUsage, bool fromBottom);
    QString create(GdiObject object);

    template <typename T> QString add(T command, const ByteReader& r);

    std::vector<Command>& out_;
    ObjectTable objects_;
    qint64 pixelBudget_ = 0;
    std::optional<QPoint> windowOrg_;
    std::optional<QSize> windowExt_;
    std::optional<QPoint> viewportOrg_;
    std::optional<QSize> viewportExt_;
    bool scaled_ = false; // a map mode that reads the viewport's extent
};

} // namespace metafile

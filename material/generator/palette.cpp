#include "palette.h"

#include <QHash>
#include <algorithm>
#include <climits>
#include <vector>

namespace material {

namespace {

struct ColourCount {
    QRgb rgb;
    qint64 count;
};

int channel(QRgb colour, int axis) {
    return axis == 0 ? qRed(colour) : axis == 1 ? qGreen(colour) : qBlue(colour);
}

// Calls `visit` once per run of equal pixels: logos are mostly flat areas,
// so runs save most of the hash look-ups.
template <typename Visit> void forEachRun(const QImage& rgb, Visit visit) {
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int x = 0;
        while (x < rgb.width()) {
            const QRgb colour = line[x] | 0xff000000u;
            int end = x + 1;
            while (end < rgb.width() && (line[end] | 0xff000000u) == colour)
                ++end;
            visit(colour, y * rgb.width() + x, end - x);
            x = end;
        }
    }
}

std::vector<ColourCount> histogram(const QList<QImage>& images) {
    QHash<QRgb, qint64> counts;
    for (const QImage& rgb : images)
        forEachRun(rgb, [&counts](QRgb colour, int, int length) { counts[colour] += length; });
    std::vector<ColourCount> colours;
    colours.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    // Hash order varies between runs; sorted order does not.
    std::sort(colours.begin(), colours.end(),
              [](const ColourCount& a, const ColourCount& b) { return a.rgb < b.rgb; });
    return colours;
}

struct Box {
    size_t begin = 0;
    size_t end = 0;
    qint64 pixels = 0;
    int axis = 0;
    int range = 0;
};

Box describe(const std::vector<ColourCount>& colours, size_t begin, size_t end) {
    Box box{begin, end, 0, 0, 0};
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        box.pixels += colours[i].count;
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], channel(colours[i].rgb, axis));
            high[axis] = std::max(high[axis], channel(colours[i].rgb, axis));
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (high[axis] - low[axis] > box.range) {
            box.range = high[axis] - low[axis];
            box.axis = axis;
        }
    }
    return box;
}

// The box whose split helps most: wide spread of colours over many pixels,
// so smooth shading keeps its steps small while single flat colours stay put.
int boxToSplit(const std::vector<Box>& boxes) {
    int best = -1;
    qint64 bestScore = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const qint64 score = qint64(boxes[i].range) * boxes[i].pixels;
        if (boxes[i].end - boxes[i].begin > 1 && score > bestScore) {
            best = int(i);
            bestScore = score;
        }
    }
    return best;
}

std::vector<Box> medianCut(std::vector<ColourCount>& colours) {
    std::vector<Box> boxes{describe(colours, 0, colours.size())};
    while (boxes.size() < size_t(kMaxPaletteColours)) {
        const int pick = boxToSplit(boxes);
        if (pick < 0)
            break;
        const Box box = boxes[pick];
        const int axis = box.axis;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [axis](const ColourCount& a, const ColourCount& b) {
                      const int ca = channel(a.rgb, axis), cb = channel(b.rgb, axis);
                      return ca != cb ? ca < cb : a.rgb < b.rgb;
                  });
        size_t split = box.begin + 1;
        qint64 seen = 0;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += colours[i].count;
            split = i + 1;
            if (seen * 2 >= box.pixels)
                break;
        }
        boxes[pick] = describe(colours, box.begin, split);
        boxes.push_back(describe(colours, split, box.end));
    }
    return boxes;
}

QRgb averageColour(const std::vector<ColourCount>& colours, const Box& box) {
    qint64 sum[3] = {0, 0, 0};
    for (size_t i = box.begin; i < box.end; ++i)
        for (int axis = 0; axis < 3; ++axis)
            sum[axis] += channel(colours[i].rgb, axis) * colours[i].count;
    const auto mean = [&box](qint64 total) { return int((total + box.pixels / 2) / box.pixels); };
    return qRgb(mean(sum[0]), mean(sum[1]), mean(sum[2]));
}

int nearest(const QList<QRgb>& palette, QRgb colour) {
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return best;
}

QList<QRgb> choosePalette(std::vector<ColourCount> colours) {
    QList<QRgb> palette;
    if (colours.size() <= size_t(kMaxPaletteColours)) {
        for (const ColourCount& c : colours)
            palette.append(c.rgb);
        return palette;
    }
    for (const Box& box : medianCut(colours))
        palette.append(averageColour(colours, box));
    return palette;
}

} // namespace

QList<IndexedImage> reduceColours(const QList<QImage>& images) {
    QList<QImage> rgbImages;
    for (const QImage& image : images)
        rgbImages.append(image.convertToFormat(QImage::Format_RGB32));
    const std::vector<ColourCount> colours = histogram(rgbImages);
    const QList<QRgb> palette = choosePalette(colours);
    QHash<QRgb, char> lookup;
    for (const ColourCount& c : colours)
        lookup.insert(c.rgb, char(nearest(palette, c.rgb)));
    QList<IndexedImage> indexed;
    for (const QImage& rgb : rgbImages) {
        IndexedImage out{rgb.width(), rgb.height(), palette,
                         QByteArray(qsizetype(rgb.width()) * rgb.height(), '\0')};
        char* indices = out.indices.data();
        forEachRun(rgb, [&lookup, indices](QRgb colour, int start, int length) {
            std::fill_n(indices + start, length, lookup.value(colour));
        });
        indexed.append(out);
    }
    return indexed;
}

IndexedImage reduceColours(const QImage& image) {
    return reduceColours(QList{image}).first();
}

} // namespace material

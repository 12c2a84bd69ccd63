#include "dc_state.h"
#include "metafile.h"

#include <algorithm>
#include <cmath>

namespace metafile {
namespace {
// A run on the line before that follows on without a gap of its own: the
// generator starts a new run where the style changes, often mid-sentence.
bool joinsWithoutSpace(const QString& before, const QString& next) {
    if (before.isEmpty() || next.isEmpty() || before.back().isSpace() || next.front().isSpace())
        return true;
    return QStringLiteral(",.;:!?)'\u2019").contains(next.front());
}

// Follows the device context through the file as the player does, far
// enough to know where each run's letters stand: the mapping, the font's
// height and the text alignment.
class Lines {
public:
    explicit Lines(const Metafile& page) {
        dc_.mapping = Mapping::forFrame(page.frame, page.unitsPerInch);
        defaultHeight_ = page.unitsPerInch / 6.0;
    }

    std::vector<ReadingLine> lines;

    void operator()(const cmd::WindowOrg& c) { dc_.mapping.windowOrg = c.at; }
    void operator()(const cmd::WindowExt& c) { dc_.mapping.setWindowExt(c.size); }
    void operator()(const cmd::ViewportOrg& c) { dc_.mapping.viewportOrg = c.at; }
    void operator()(const cmd::ViewportExt& c) { dc_.mapping.setViewportExt(c.size); }
    void operator()(const cmd::MapMode& c) { dc_.mapping.setMode(c.mode); }
    void operator()(const cmd::SelectFont& c) { dc_.font = c.font; }
    void operator()(const cmd::TextAlign& c) { dc_.textAlign = c.align; }
    void operator()(const cmd::MoveTo& c) { dc_.position = c.at; }
    void operator()(const cmd::SaveDC&) { saved_.save(dc_); }
    void operator()(const cmd::RestoreDC& c) { saved_.restore(c.which, dc_); }
    void operator()(const cmd::Text& c) {
        if (c.text.trimmed().isEmpty())
            return;
        const QTransform toFrame = dc_.mapping.logicalToFrame();
        const bool updateCP = dc_.textAlign & gdi::align::UpdateCP;
        const double y = toFrame.map(updateCP ? dc_.position : QPointF(c.at)).y();
        double height = std::abs(dc_.font.height) * std::abs(toFrame.m22());
        if (height == 0)
            height = defaultHeight_;
        // Letters stand below a top reference, above a bottom one, and
        // mostly above a baseline.
        double top = y;
        switch (dc_.textAlign & gdi::align::VerticalMask) {
        case gdi::align::Bottom:
            top = y - height;
            break;
        case gdi::align::Baseline:
            top = y - 0.8 * height;
            break;
        default:
            break;
        }
        // A new line wherever a run starts on another baseline, as the
        // words are read out.
        if (lines.empty() || !baseline_ || *baseline_ != c.at.y()) {
            lines.push_back({c.text, top, top + height});
        } else {
            ReadingLine& line = lines.back();
            if (!joinsWithoutSpace(line.text, c.text))
                line.text += u' ';
            line.text += c.text;
            line.top = std::min(line.top, top);
            line.bottom = std::max(line.bottom, top + height);
        }
        baseline_ = c.at.y();
    }
    template <typename T> void operator()(const T&) {}

private:
    DcState dc_;
    SavedStates saved_;
    double defaultHeight_ = 240;
    std::optional<int> baseline_;
};
} // namespace

std::vector<ReadingLine> Metafile::readingLines() const {
    Lines lines(*this);
    for (const Command& c : commands)
        std::visit(lines, c);
    return std::move(lines.lines);
}

QString Metafile::readingText() const {
    QStringList lines;
    for (const ReadingLine& line : readingLines())
        lines << line.text;
    return lines.join(u'\n');
}

} // namespace metafile

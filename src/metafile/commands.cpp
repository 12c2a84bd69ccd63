#include "commands.h"

namespace metafile {
namespace {
struct Marks {
    bool operator()(const cmd::LineTo&) const { return true; }
    bool operator()(const cmd::Polyline&) const { return true; }
    bool operator()(const cmd::Polygon&) const { return true; }
    bool operator()(const cmd::PolyPolygon&) const { return true; }
    bool operator()(const cmd::Rectangle&) const { return true; }
    bool operator()(const cmd::RoundRect&) const { return true; }
    bool operator()(const cmd::Ellipse&) const { return true; }
    bool operator()(const cmd::Arc&) const { return true; }
    bool operator()(const cmd::Text&) const { return true; }
    bool operator()(const cmd::Bitmap&) const { return true; }
    template <typename T> bool operator()(const T&) const { return false; }
};
} // namespace

bool marksThePage(const Command& command) {
    return std::visit(Marks{}, command);
}
} // namespace metafile

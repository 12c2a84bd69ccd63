#pragma once
// The metafile's object table. Every record that creates an object takes the
// lowest free slot, whether or not we can draw that object, because later
// SELECTOBJECT and DELETEOBJECT records count slots the same way.
#include "commands.h"

#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace metafile {

// monostate holds the place of an object we keep no value for (a palette,
// a region, a pattern we cannot read): selecting it changes nothing.
using GdiObject = std::variant<std::monostate, Pen, Brush, Font>;

class ObjectTable {
public:
    // The slot taken, or -1 once every slot is in use.
    int create(GdiObject object);
    // Null for a slot out of range or empty.
    const GdiObject* at(int slot) const;
    void remove(int slot);

private:
    std::vector<std::optional<GdiObject>> slots_;
    std::set<int> freed_; // empty slots below the high-water mark
};

} // namespace metafile

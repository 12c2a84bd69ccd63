#include "object_table.h"

#include "metafile.h"

namespace metafile {

int ObjectTable::create(GdiObject object) {
    if (!freed_.empty()) {
        const int slot = *freed_.begin();
        freed_.erase(freed_.begin());
        slots_[slot] = std::move(object);
        return slot;
    }
    if (slots_.size() >= std::size_t(limits::ObjectSlots))
        return -1;
    slots_.emplace_back(std::move(object));
    return int(slots_.size()) - 1;
}

const GdiObject* ObjectTable::at(int slot) const {
    if (slot < 0 || std::size_t(slot) >= slots_.size() || !slots_[slot])
        return nullptr;
    return &*slots_[slot];
}

void ObjectTable::remove(int slot) {
    if (at(slot) == nullptr)
        return;
    slots_[slot].reset();
    freed_.insert(slot);
}

} // namespace metafile

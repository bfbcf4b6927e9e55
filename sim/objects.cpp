// The game's object table and name pool.
#include "objects.h"

namespace sim {

void ObjectTable::Register(ObjectBase* object) {
    std::int32_t index;
    if (!free_.empty()) {
        index = free_.back();
        free_.pop_back();
    } else {
        index = static_cast<std::int32_t>(slots_.size());
        slots_.push_back({});
    }
    slots_[index].object = object;
    object->index = index;
}

void ObjectTable::Unregister(ObjectBase* object) {
    if (object->index < 0 || object->index >= static_cast<std::int32_t>(slots_.size())) return;
    Slot& slot = slots_[object->index];
    if (slot.object != object) return;
    slot.object = nullptr;
    ++slot.serial;
    free_.push_back(object->index);
    object->index = -1;
}

FWeakObjectPtr ObjectTable::Weak(const ObjectBase* object) const {
    if (object == nullptr || object->index < 0) return {-1, 0};
    return {object->index, slots_[object->index].serial};
}

ObjectBase* ObjectTable::Resolve(const FWeakObjectPtr& weak) const {
    if (weak.object_index < 0 || weak.object_index >= static_cast<std::int32_t>(slots_.size())) {
        return nullptr;
    }
    const Slot& slot = slots_[weak.object_index];
    return slot.serial == weak.serial_number ? slot.object : nullptr;
}

bool ObjectTable::IsLive(const void* object) const {
    const auto* base = static_cast<const ObjectBase*>(object);
    return base != nullptr && base->index >= 0 &&
           base->index < static_cast<std::int32_t>(slots_.size()) &&
           slots_[base->index].object == base;
}

FName NamePool::Intern(const std::string& text) {
    auto it = index_.find(text);
    if (it != index_.end()) return {it->second, 0};
    const auto index = static_cast<std::int32_t>(texts_.size());
    texts_.push_back(text);
    index_.emplace(text, index);
    return {index, 0};
}

std::string NamePool::Text(const FName& name) const {
    if (name.index < 0 || name.index >= static_cast<std::int32_t>(texts_.size())) return "None";
    std::string text = texts_[name.index];
    if (name.number > 0) text += "_" + std::to_string(name.number - 1);
    return text;
}

}  // namespace sim

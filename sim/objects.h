// The game's object model as the simulated world lays it out: every object starts with the
// UObjectBase header, lives in the object table, and is reached by weak pointers that resolve to
// null once it is destroyed.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/game_types.h"
#include "sim_api.h"

namespace sim {

// UObjectBase, at offset 0 of every game object.
struct ObjectBase {
    void* vtable = nullptr;
    std::int32_t flags = 0;
    std::int32_t index = -1;      // slot in the object table
    void* object_class = nullptr; // "UObjectBase.Class"
    FName name{};                 // "UObjectBase.Name"
    void* outer = nullptr;
};
static_assert(sizeof(ObjectBase) == 40);

// Every live game object, by index; a weak pointer holds an index and the slot's serial number.
class SIM_API ObjectTable {
public:
    void Register(ObjectBase* object);
    // The slot's serial number changes, so every weak pointer to the object resolves to null.
    void Unregister(ObjectBase* object);
    FWeakObjectPtr Weak(const ObjectBase* object) const;
    ObjectBase* Resolve(const FWeakObjectPtr& weak) const;
    bool IsLive(const void* object) const;

private:
    struct Slot {
        ObjectBase* object = nullptr;
        std::int32_t serial = 0;
    };
    std::vector<Slot> slots_;
    std::vector<std::int32_t> free_;
};

// The game's name pool: "FName.Init" interns a text, "FName.ToString" gives it back.
class SIM_API NamePool {
public:
    FName Intern(const std::string& text);
    // The text of `name`; a number above 0 is appended as "_<number - 1>", as the game does.
    std::string Text(const FName& name) const;

private:
    std::vector<std::string> texts_{"None"};
    std::unordered_map<std::string, std::int32_t> index_{{"None", 0}};
};

}  // namespace sim

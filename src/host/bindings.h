// Game objects reached by name: fields, functions, packed booleans and reflected properties.
// Every access builds its name and asks the host anew; nothing is cached.
#pragma once

#include <cstdint>
#include <string>

#include "host/address.h"
#include "host/fstring.h"
#include "host/game_types.h"

// The field `name` ("Class.Field") of `object`, as a reference of type T. The reference is good
// for this one access only.
template <typename T>
T& GameFieldRef(const void* object, const std::string& name) {
    return *reinterpret_cast<T*>(GetAddress(object, name));
}

// Calls the game function `name` with the game's argument order (a member function takes its
// object first). The argument types must be the game's own.
template <typename Result = void, typename... Args>
Result CallGameFunction(const std::string& name, Args... args) {
    using Function = Result (*)(Args...);
    return reinterpret_cast<Function>(GetAddress(name))(args...);
}

// The bits of the packed boolean `name` of `object`; callers treat any non-zero value as true.
std::uint64_t ReadBitField(const void* object, const std::string& name);

// Writes `value` (0 or 1) into the packed boolean `name`, leaving the word's other bits alone.
void WriteBitField(const void* object, const std::string& name, std::uint64_t value);

// Writes a 32-bit float into the reflected property of `object`. Throws std::invalid_argument
// ("Object does not contain this property." or "Expected size does not match property size.")
// before writing anything when the property does not fit.
void SetFloatProperty(UProperty* property, void* object, float value);

FName MakeFName(const std::string& text);
// The name's text, in an FString the caller owns.
FString FNameToFString(const FName& name);

// The object's class; null for an object without one.
UClass* GetObjectClass(const void* object);

// "Blueprint'" + the class path without its last two characters + "'"; empty without a class.
FString GetBlueprintPath(const void* object);

// The object a weak pointer refers to, or null once it is gone.
UObject* GetWeakObject(const FWeakObjectPtr* weak);

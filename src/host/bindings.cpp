// Game objects reached by name.
#include "host/bindings.h"

#include <stdexcept>

#include "host/text.h"

std::uint64_t ReadBitField(const void* object, const std::string& name) {
    const BitField field = GetBitField(object, name);
    const std::uint32_t word = *reinterpret_cast<const std::uint32_t*>(field.word_address);
    const std::uint64_t shifted = std::uint64_t(word) >> (field.bit_offset % 32);
    const std::uint64_t mask = field.bit_count == 0 ? 0 : ~std::uint64_t(0) >> (64 - field.bit_count);
    return shifted & mask;
}

void WriteBitField(const void* object, const std::string& name, std::uint64_t value) {
    const BitField field = GetBitField(object, name);
    auto& word = *reinterpret_cast<std::uint32_t*>(field.word_address);
    const std::uint64_t low_bits = field.bit_count >= 64 ? ~std::uint64_t(0)
                                                         : (std::uint64_t(1) << field.bit_count) - 1;
    const auto mask = static_cast<std::uint32_t>(low_bits << field.bit_offset);
    word = static_cast<std::uint32_t>((value << field.bit_offset) & mask) | (word & ~mask);
}

void SetFloatProperty(UProperty* property, void* object, float value) {
    UClass* object_class = CallGameFunction<UClass*>("UObject.StaticClass");
    if (!CallGameFunction<bool>("UClass.HasProperty", object_class, property)) {
        throw std::invalid_argument("Object does not contain this property.");
    }
    if (GameFieldRef<std::int32_t>(property, "UProperty.ElementSize") != 4) {
        throw std::invalid_argument("Expected size does not match property size.");
    }
    const std::int64_t offset = GameFieldRef<std::int32_t>(property, "UProperty.Offset_Internal");
    *reinterpret_cast<float*>(static_cast<char*>(object) + offset) = value;
}

FName MakeFName(const std::string& text) {
    FName result{};
    CallGameFunction<void>("FName.Init", &result, text.c_str(), std::int32_t(0), std::int32_t(1),
                           true, std::int32_t(-1));
    return result;
}

FString FNameToFString(const FName& name) {
    FName copy = name;
    FString result;
    CallGameFunction<void>("FName.ToString", &copy, &result);
    return result;
}

UClass* GetObjectClass(const void* object) {
    return GameFieldRef<UClass*>(object, "UObjectBase.Class");
}

FString GetBlueprintPath(const void* object) {
    UClass* object_class = GetObjectClass(object);
    if (object_class == nullptr) return {};
    FString path;
    CallGameFunction<FString*>("UVictoryCore.ClassToStringReference", &path, object_class);
    // The class path ends in "_C", which a blueprint's name does not have.
    const std::int32_t kept = path.Count() - 3;
    FString prefix = FStringConcat(FStringFromAnsi("Blueprint'"),
                                   kept > 0 ? FString(path.Data(), kept) : FString());
    return FStringConcat(std::move(prefix), FStringFromAnsi("'"));
}

UObject* GetWeakObject(const FWeakObjectPtr* weak) {
    return CallGameFunction<UObject*>("FWeakObjectPtr.Get", weak, false);
}

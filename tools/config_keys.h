// Every key the plugin reads from config.json, by the object it stands in, with its type and
// default: what `check` holds a configuration against, and what the schema must list.
#pragma once

#include <string>
#include <vector>

namespace tools {

enum class KeyType {
    kBoolean,
    kFloat,   // a number, read as a 32-bit float
    kDouble,  // a number, read as a 64-bit float
    kInt32,   // a number, read as a 32-bit integer (a fraction is cut off)
    kString,
    kObject,
};

struct KeyInfo {
    const char* name;
    KeyType type;
    const char* default_json;  // the default as JSON text; "" when a missing key means "none"
    const char* description;
};

// Where keys stand in the document.
enum class Section { kTopLevel, kCommands, kPermissionEntry, kSettingsEntry, kMessageEntry };

const std::vector<KeyInfo>& KeysOf(Section section);
const KeyInfo* FindKey(Section section, const std::string& name);

// The members of "Messages" that the plugin sends, and the non-blueprint selection keys.
const std::vector<std::string>& MessageEvents();
const std::vector<std::string>& Categories();  // "Terrestrial", "Aerial", "Aquatic"
constexpr const char* kAllKey = "All";
// A member that the plugin ignores and editors read: the schema the file follows.
constexpr const char* kSchemaKey = "$schema";

// The JSON type name a key must have, as the JSON library names types ("boolean", ...).
const char* ExpectedTypeName(KeyType type);

}  // namespace tools

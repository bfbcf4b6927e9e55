// Creature settings selection.
#include "speed/selection.h"

#include "commands/permissions.h"
#include "host/bindings.h"
#include "host/text.h"
#include "speed/category.h"

namespace {
const Json kNull;
const Json kEmptyObject = Json::object();

// Raises the library's own "cannot use value() with <type>" for a source that is not an object.
void RequireObject(const Json& source) {
    if (!source.is_object()) (void)source.value("", kNull);
}

const Json& MemberOr(const Json& source, const std::string& key, const Json& fallback) {
    RequireObject(source);
    auto it = source.find(key);
    return it == source.end() ? fallback : *it;
}
}  // namespace

const Json& FindCreatureSettings(const Json& permission_source, const Json& plain_source,
                                 const std::string& key, const Json& fallback) {
    const Json& plain = plain_source.is_null() ? kEmptyObject : plain_source;
    if (PermissionsMode() && !permission_source.is_null()) {
        const Json& from_plain = MemberOr(plain, key, fallback);
        return MemberOr(permission_source, key, from_plain);
    }
    return MemberOr(plain, key, fallback);
}

Json SelectCreatureSettings(const std::string& blueprint_key, std::string_view category,
                            AShooterPlayerController* player) {
    for (const std::string& key : {blueprint_key, std::string(category), std::string("All")}) {
        Json& config = Config();
        const std::string entry_name = ResolvePermissionGroup(player, config["Permissions"]);
        const Json& permission = config["Permissions"][entry_name]["Dinos"];
        // Taken last: entering a missing top-level member moves the top-level members, while
        // members nested deeper stay where they are.
        const Json& plain = PermissionsMode() ? kNull : config["Dinos"];
        const Json& found = FindCreatureSettings(permission, plain, key, kNull);
        if (!found.is_null()) return found;
    }
    return kNull;
}

Json SelectCreatureSettings(const APrimalDinoCharacter* creature, AShooterPlayerController* player) {
    const std::string key = FStringToUtf8(GetBlueprintPath(creature));
    return SelectCreatureSettings(key, GetCreatureCategory(creature), player);
}

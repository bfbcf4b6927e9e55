// Permission resolution through the Permissions plugin.
#include "commands/permissions.h"

#include <cstdint>

#include "host/bindings.h"
#include "host/platform.h"
#include "host/tarray.h"
#include "host/utf.h"
#include "plugin/logger.h"

namespace Permissions {
// The Permissions plugin's answer: the player's groups on the game heap, owned by the caller.
using GetPlayerGroupsFunction = TArray<FString> (*)(unsigned long long);
}  // namespace Permissions

namespace {

// Bound at the first call, so that the plugin loads and runs without the Permissions plugin as
// long as the permissions mode is off. The address is looked up again at every call rather than
// kept: the host can unload the Permissions plugin while we stay loaded. A failure is logged once
// each time the binding goes from working (or untried) to failing.
Permissions::GetPlayerGroupsFunction BindGetPlayerGroups() {
    static bool failing = false;
    std::string error;
    auto function = reinterpret_cast<Permissions::GetPlayerGroupsFunction>(
        platform::FindPermissionsGetPlayerGroups(&error));
    if (function == nullptr && !failing) {
        Log().error("Permissions are enabled, but {}; players get no permission groups", error);
    }
    failing = function == nullptr;
    return function;
}

}  // namespace

std::string ResolvePermissionGroup(AShooterPlayerController* player, const Json& permissions) {
    if (!PermissionsMode() || !permissions.is_object()) return {};

    const auto id = CallGameFunction<std::uint64_t>("AShooterPlayerController.GetUniqueNetIdAsUINT64", player);
    const auto get_player_groups = BindGetPlayerGroups();
    if (get_player_groups == nullptr) return {};
    const TArray<FString> groups = get_player_groups(id);

    // Member names are decoded as UTF-8, so a group with non-ASCII letters can match its entry.
    static const FString::Char kEmpty[1] = {0};
    platform::WideString member;
    for (const auto& [name, entry] : permissions.items()) {
        member.clear();
        utf::AppendUtf8AsUtf16(name, member);
        for (const FString& group : groups) {
            const FString::Char* group_name = group.Count() == 0 ? kEmpty : group.Data();
            if (platform::CompareNoCase(group_name, member.c_str()) == 0) return name;
        }
    }
    return {};
}

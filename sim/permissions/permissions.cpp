// A stand-in for the Permissions plugin: answers a player's groups, as the simulated server
// assigns them, in a TArray of FString on the game's heap. The caller owns and frees the list.
#include <string>
#include <vector>

#include "host/tarray.h"
#include "host/utf.h"
#include "world.h"

#if defined(_WIN32)
#define PERMISSIONS_API __declspec(dllexport)
#else
#define PERMISSIONS_API __attribute__((visibility("default")))
#endif

namespace Permissions {

PERMISSIONS_API TArray<FString> GetPlayerGroups(unsigned long long id) {
    TArray<FString> groups;
    std::vector<std::string> names;
    if (!sim::PermissionGroupsOf(id, &names)) return groups;
    for (const std::string& name : names) {
        groups.Add(FString(utf::Utf8ToUtf16<FString::Char>(name)));
    }
    return groups;
}

}  // namespace Permissions

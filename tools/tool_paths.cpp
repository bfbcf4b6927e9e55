// Where the command line finds the plugin libraries.
#include "tool_paths.h"

#if defined(_WIN32)
#include <windows.h>

#include <string>
#else
#include <unistd.h>
#endif

namespace tools {

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
#if defined(_WIN32)
    // A path that fills the buffer may have been cut short: grow it until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return fs::current_path();
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

#if defined(_WIN32)
fs::path PluginLibrary() { return ExecutableFolder().parent_path() / "lib" / "Kestravel.dll"; }
fs::path PermissionsLibrary() {
    return ExecutableFolder().parent_path() / "lib" / "Permissions.dll";
}
#else
fs::path PluginLibrary() { return ExecutableFolder().parent_path() / "lib" / "Kestravel.so"; }
fs::path PermissionsLibrary() { return ExecutableFolder().parent_path() / "lib" / "libPermissions.so"; }
#endif

}  // namespace tools

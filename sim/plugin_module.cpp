// Loading plugin libraries like the host's loader does.
#include "plugin_module.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace sim {

namespace {
constexpr std::uint32_t kProcessDetach = 0;
constexpr std::uint32_t kProcessAttach = 1;

#if !defined(_WIN32)
using EntryPoint = int (*)(void*, std::uint32_t, void*);
#endif
}  // namespace

#if defined(_WIN32)

bool PluginModule::Load(const std::string& path, bool entry_point, std::string* error) {
    // The Windows loader runs DllMain itself, attach on load and detach on a failed attach.
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        *error = "LoadLibrary failed with error " + std::to_string(GetLastError());
        return false;
    }
    handle_ = module;
    entry_point_ = entry_point;
    return true;
}

void PluginModule::Unload() {
    if (handle_ == nullptr) return;
    FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

#else

bool PluginModule::Load(const std::string& path, bool entry_point, std::string* error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        *error = dlerror();
        return false;
    }
    if (entry_point) {
        auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "DllMain"));
        if (entry == nullptr) {
            *error = "the library has no entry point";
            dlclose(handle);
            return false;
        }
        if (entry(handle, kProcessAttach, nullptr) == 0) {
            entry(handle, kProcessDetach, nullptr);
            dlclose(handle);
            *error = "the library's entry point failed the attach";
            return false;
        }
    }
    handle_ = handle;
    entry_point_ = entry_point;
    return true;
}

void PluginModule::Unload() {
    if (handle_ == nullptr) return;
    if (entry_point_) {
        auto entry = reinterpret_cast<EntryPoint>(dlsym(handle_, "DllMain"));
        if (entry != nullptr) entry(handle_, kProcessDetach, nullptr);
    }
    dlclose(handle_);
    handle_ = nullptr;
}

#endif

}  // namespace sim

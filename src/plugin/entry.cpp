// The library entry point: process attach loads the plugin, process detach unloads it.
#include <cstdint>

#include "plugin/plugin.h"

namespace {
constexpr std::uint32_t kProcessDetach = 0;
constexpr std::uint32_t kProcessAttach = 1;
}  // namespace

#if defined(_WIN32)
// Found by the Windows loader through the image's entry point, never exported.
#define KESTRAVEL_ENTRY extern "C" int __stdcall
#else
// Elsewhere the host finds the entry point by name; it is the library's only visible symbol.
#define KESTRAVEL_ENTRY extern "C" __attribute__((visibility("default"))) int
#endif

KESTRAVEL_ENTRY DllMain(void* /*module*/, std::uint32_t reason, void* /*reserved*/) {
    // No exception may leave the entry point: a failed load answers FALSE, and the loader then
    // calls us once more with detach.
    try {
        if (reason == kProcessAttach) Load();
        if (reason == kProcessDetach) Unload();
        return 1;
    } catch (...) {
        return 0;
    }
}

// Platform calls on Windows: the real Win32 and C runtime functions.
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "host/platform.h"
#include "host/utf.h"

namespace platform {

std::string WideToUtf8(const WideChar* text, std::size_t count) {
    if (count == 0) return {};
    const int units = static_cast<int>(count);
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, units, out.data(), size, nullptr, nullptr);
    return out;
}

WideChar ToUpper(WideChar c) { return static_cast<WideChar>(towupper(c)); }

int CompareNoCase(const WideChar* a, const WideChar* b) { return _wcsicmp(a, b); }

int CompareNoCaseN(const WideChar* a, const WideChar* b, std::size_t n) {
    return _wcsnicmp(a, b, n);
}

bool WideToInt32(const WideChar* text, std::int32_t* value) {
    wchar_t* end = nullptr;
    errno = 0;
    const long v = wcstol(text, &end, 10);
    if (end == text || errno == ERANGE) return false;
    *value = static_cast<std::int32_t>(v);
    return true;
}

void* FindPermissionsGetPlayerGroups(std::string* error) {
    // Bound by hand at the first call: a delay-load import of a missing DLL raises an SEH
    // exception that would take the game server down.
    HMODULE module = GetModuleHandleW(L"Permissions.dll");
    if (module == nullptr) module = LoadLibraryW(L"Permissions.dll");
    if (module == nullptr) {
        *error = "the Permissions plugin (Permissions.dll) could not be loaded";
        return nullptr;
    }
#ifdef _MSC_VER
    const char* symbol = "?GetPlayerGroups@Permissions@@YA?AV?$TArray@VFString@@VFDefaultAllocator@@@@_K@Z";
#else
    const char* symbol = "_ZN11Permissions15GetPlayerGroupsEy";
#endif
    void* function = reinterpret_cast<void*>(GetProcAddress(module, symbol));
    if (function == nullptr) *error = "Permissions.dll has no GetPlayerGroups";
    return function;
}

}  // namespace platform

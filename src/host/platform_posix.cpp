// Platform calls for systems other than Windows, matching the Windows C runtime in the C locale.
#include <dlfcn.h>

#include <climits>

#include "host/platform.h"
#include "host/utf.h"

namespace platform {

std::string WideToUtf8(const WideChar* text, std::size_t count) {
    return utf::Utf16ToUtf8(text, count);
}

WideChar ToUpper(WideChar c) { return c >= u'a' && c <= u'z' ? WideChar(c - 32) : c; }

namespace {
unsigned FoldLower(WideChar c) { return c >= u'A' && c <= u'Z' ? unsigned(c) + 32 : unsigned(c); }
}  // namespace

int CompareNoCaseN(const WideChar* a, const WideChar* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned x = FoldLower(a[i]);
        const unsigned y = FoldLower(b[i]);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
    return 0;
}

int CompareNoCase(const WideChar* a, const WideChar* b) {
    return CompareNoCaseN(a, b, static_cast<std::size_t>(-1));
}

bool WideToInt32(const WideChar* text, std::int32_t* value) {
    const WideChar* p = text;
    while (*p == u' ' || (*p >= u'\t' && *p <= u'\r')) ++p;
    bool negative = false;
    if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
    if (*p < u'0' || *p > u'9') return false;
    long long magnitude = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
        magnitude = magnitude * 10 + (*p - u'0');
        if (magnitude > 2147483648LL) return false;
    }
    const long long v = negative ? -magnitude : magnitude;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    *value = static_cast<std::int32_t>(v);
    return true;
}

void* FindPermissionsGetPlayerGroups(std::string* error) {
    // The host loads plugins by path; asking for the soname finds the copy already in the process
    // and never loads a second one.
    void* module = dlopen("libPermissions.so", RTLD_NOW | RTLD_NOLOAD);
    if (module == nullptr) {
        *error = "the Permissions plugin is not loaded";
        return nullptr;
    }
    void* function = dlsym(module, "_ZN11Permissions15GetPlayerGroupsEy");
    dlclose(module);  // drops only the reference taken above; the host keeps the module loaded
    if (function == nullptr) *error = "the Permissions plugin has no GetPlayerGroups";
    return function;
}

}  // namespace platform

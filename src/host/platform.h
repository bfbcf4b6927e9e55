// The one seam between the plugin and the operating system: the game's text unit and the few
// C runtime and Win32 calls the plugin relies on. Windows gets the real calls; other platforms
// get equivalents with the same results in the C locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The game's UTF-16 code unit: wchar_t on Windows, char16_t elsewhere (where wchar_t is 32 bits).
#ifdef _WIN32
using WideChar = wchar_t;
#define KESTRAVEL_WIDE(text) L##text
#else
using WideChar = char16_t;
#define KESTRAVEL_WIDE(text) u##text
#endif
using WideString = std::basic_string<WideChar>;

using WideStringView = std::basic_string_view<WideChar>;

// WideCharToMultiByte(CP_UTF8, 0, ...): converts `count` code units to UTF-8. Unpaired surrogates
// become U+FFFD, as Windows does.
std::string WideToUtf8(const WideChar* text, std::size_t count);


// towupper in the C locale: only a-z change.
WideChar ToUpper(WideChar c);

// _wcsicmp and _wcsnicmp in the C locale: A-Z and a-z fold together, nothing else does.
// Both operands are zero-terminated; the result is <0, 0 or >0.
int CompareNoCase(const WideChar* a, const WideChar* b);
int CompareNoCaseN(const WideChar* a, const WideChar* b, std::size_t n);

// std::stoi on wide text (wcstol in base 10): leading white space, an optional sign, decimal
// digits, anything after them ignored. False when there are no digits or the value does not fit
// in 32 bits.
bool WideToInt32(const WideChar* text, std::int32_t* value);

// Binds Permissions::GetPlayerGroups in the Permissions plugin's module, which the host loaded
// before us when it is present. Null when the module is not loaded or lacks the function; `error`
// then says why.
void* FindPermissionsGetPlayerGroups(std::string* error);

}  // namespace platform

// UTF-8 and UTF-16 conversion with Windows' treatment of bad input (U+FFFD in its place).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace utf {

template <typename Unit>
std::string Utf16ToUtf8(const Unit* text, std::size_t count) {
    std::string out;
    out.reserve(count);
    auto put = [&out](std::uint32_t cp) {
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    };
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t u = static_cast<std::uint16_t>(text[i]);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count) {
            const std::uint32_t low = static_cast<std::uint16_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                put(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        put(u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
    return out;
}

// Appends the UTF-16 form of `text` to `out`, so that a caller can reuse one buffer.
template <typename Unit>
void AppendUtf8AsUtf16(std::string_view text, std::basic_string<Unit>& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        std::uint32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b, len = 1;
        } else if (b >= 0xC2 && b <= 0xDF) {
            cp = b & 0x1F, len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            cp = b & 0x0F, len = 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            cp = b & 0x07, len = 4;
        }
        bool ok = len != 0 && i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))) {
            ok = false;
        }
        if (!ok) {
            out += Unit(0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += Unit(0xD800 + (cp >> 10));
            out += Unit(0xDC00 + (cp & 0x3FF));
        } else {
            out += Unit(cp);
        }
        i += len;
    }
}

template <typename Unit>
std::basic_string<Unit> Utf8ToUtf16(std::string_view text) {
    std::basic_string<Unit> out;
    out.reserve(text.size());
    AppendUtf8AsUtf16(text, out);
    return out;
}

}  // namespace utf

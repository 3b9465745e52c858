#include "text.h"

#include <array>
#include <cstdint>

namespace bb {

std::string Condense(std::string_view word)
{
    if (word.empty())
        return {};
    const auto isPad = [](char c) { return c == ' ' || c == '\0'; };
    if (!isPad(word.back()))
        return std::string(word);
    std::size_t end = word.size();
    while (end > 0 && isPad(word[end - 1]))
        --end;
    std::string_view kept = word.substr(0, end);
    const std::size_t nul = kept.find('\0');
    if (nul != std::string_view::npos)
        kept = kept.substr(0, nul);
    return std::string(kept);
}

namespace {

// Code points of bytes 0x80..0x9F; 0 marks a byte the code page leaves undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0)
            cp = kHigh[b - 0x80] ? kHigh[b - 0x80] : char32_t{b};  // undefined bytes map to C1
        appendUtf8(out, cp);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<std::uint8_t>(utf8[i]);
        std::size_t len = b < 0x80                 ? 1
                          : b >= 0xC2 && b <= 0xDF ? 2
                          : b >= 0xE0 && b <= 0xEF ? 3
                          : b >= 0xF0 && b <= 0xF4 ? 4
                                                   : 0;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        if (i + len > utf8.size())
            len = 0;
        for (std::size_t k = 1; len && k < len; ++k) {
            const auto c = static_cast<std::uint8_t>(utf8[i + k]);
            if ((c & 0xC0) != 0x80)
                len = 0;
            cp = (cp << 6) | (c & 0x3F);
        }
        // No overlong forms, no surrogates, nothing above U+10FFFF.
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            len = 0;
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        char byte = '?';
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            byte = static_cast<char>(cp);
        } else {
            for (std::size_t k = 0; k < kHigh.size(); ++k)
                if (kHigh[k] ? kHigh[k] == cp : cp == 0x80 + k) {
                    byte = static_cast<char>(0x80 + k);
                    break;
                }
        }
        out += byte;
    }
    return out;
}

std::string pathToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        // Length of a well-formed UTF-8 sequence starting here; 0 when there is none.
        std::size_t len = 0;
        if (b < 0x80)
            len = 1;
        else if (b >= 0xC2 && b <= 0xDF)
            len = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            len = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            len = 4;
        if (len > 1) {
            if (i + len > bytes.size())
                len = 0;
            for (std::size_t k = 1; len && k < len; ++k)
                if ((static_cast<std::uint8_t>(bytes[i + k]) & 0xC0) != 0x80)
                    len = 0;
            if (len) {
                // No overlong forms, no surrogates, nothing above U+10FFFF.
                const auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
                if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
                    (b == 0xF4 && b1 >= 0x90))
                    len = 0;
            }
        }
        if (len == 0) {
            out += cp1252ToUtf8(bytes.substr(i, 1));
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

} // namespace bb

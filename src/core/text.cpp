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

// Length of the well-formed UTF-8 sequence that starts at s[i]; 0 when there is none. Overlong
// forms, surrogates and anything above U+10FFFF are not well formed.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i)
{
    const auto b = static_cast<std::uint8_t>(s[i]);
    std::size_t len = 0;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        len = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        len = 3;
    else if (b >= 0xF0 && b <= 0xF4)
        len = 4;
    if (len == 0 || i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<std::uint8_t>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    const auto b1 = static_cast<std::uint8_t>(s[i + 1]);
    if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
        (b == 0xF4 && b1 >= 0x90))
        return 0;
    return len;
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
        const std::size_t len = utf8SequenceLength(utf8, i);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? b : static_cast<char32_t>(b & (0xFF >> (len + 1)));
        for (std::size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < kHigh.size(); ++k)
            if (kHigh[k] ? kHigh[k] == cp : cp == 0x80 + k)
                mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

std::string pathToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = utf8SequenceLength(bytes, i);
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

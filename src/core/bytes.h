// Little-endian field access and fixed-width 8-bit text for the packed league records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace bb {

inline std::uint8_t getU8(const std::uint8_t* p, std::size_t off) { return p[off]; }
inline void putU8(std::uint8_t* p, std::size_t off, std::uint8_t v) { p[off] = v; }

inline std::int16_t getI16(const std::uint8_t* p, std::size_t off)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[off] | (p[off + 1] << 8)));
}
inline void putI16(std::uint8_t* p, std::size_t off, std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    p[off] = static_cast<std::uint8_t>(u & 0xFF);
    p[off + 1] = static_cast<std::uint8_t>(u >> 8);
}

inline std::int32_t getI32(const std::uint8_t* p, std::size_t off)
{
    const std::uint32_t u = static_cast<std::uint32_t>(p[off]) | (static_cast<std::uint32_t>(p[off + 1]) << 8) |
                            (static_cast<std::uint32_t>(p[off + 2]) << 16) |
                            (static_cast<std::uint32_t>(p[off + 3]) << 24);
    return static_cast<std::int32_t>(u);
}
inline void putI32(std::uint8_t* p, std::size_t off, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[off + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

inline float getF32(const std::uint8_t* p, std::size_t off)
{
    const auto u = static_cast<std::uint32_t>(getI32(p, off));
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}
inline void putF32(std::uint8_t* p, std::size_t off, float f)
{
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    putI32(p, off, static_cast<std::int32_t>(u));
}

// A two-byte flag: any non-zero value reads as true. The stored value is kept as it was read
// so that an untouched flag holding 1 is written back as 1, not rewritten as -1.
struct Bool16 {
    std::int16_t raw = 0;
    explicit operator bool() const { return raw != 0; }
    void set(bool v) { raw = v ? std::int16_t{-1} : std::int16_t{0}; }
    bool operator==(const Bool16&) const = default;
};

// A fixed-width text field of N bytes in the league's 8-bit code page, padding included.
template <std::size_t N>
struct Text {
    std::array<char, N> b{};

    static constexpr std::size_t size() { return N; }
    char operator[](std::size_t i) const { return b[i]; }
    // The full stored width, padding and NULs included.
    std::string str() const { return std::string(b.data(), N); }
    // Assigning cuts to N bytes or pads with spaces, as the league data expects.
    void assign(std::string_view s)
    {
        for (std::size_t i = 0; i < N; ++i)
            b[i] = i < s.size() ? s[i] : ' ';
    }
    void read(const std::uint8_t* p, std::size_t off) { std::memcpy(b.data(), p + off, N); }
    void write(std::uint8_t* p, std::size_t off) const { std::memcpy(p + off, b.data(), N); }
    bool operator==(const Text&) const = default;
};

} // namespace bb

// Whole files as bytes, for tests that compare what is on disk before and after.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

namespace bb::test {

using Bytes = std::vector<std::uint8_t>;

// A missing file, or a folder, reads as no bytes.
inline Bytes readBytes(const std::filesystem::path& p)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec))
        return {};
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Replaces the file's content (a test's fixture, not a program write).
inline void writeBytes(const std::filesystem::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// Text, or a record's bytes, as a file would hold them.
inline Bytes bytesOf(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}
template <std::size_t N> Bytes bytesOf(const std::array<std::uint8_t, N>& a)
{
    return Bytes(a.begin(), a.end());
}

// Pieces of a file, one after the other.
inline Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace bb::test
